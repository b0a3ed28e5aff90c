#include "main/template_dialogs/template_commands.h"

#include "main/settings_dialog/command_setting.h"
#include "main/template_dialogs/frm_template_get.h"
#include "main/template_dialogs/frm_template_save.h"
#include "main/templates/template_open.h"
#include "main/templates/template_save.h"

namespace picrows {

void s_Command_Tool_TemSave()
{
    s_Command_Tool_TemSave(ShowTemplateSaveForm(&showTemplateSaveForm));
}

void s_Command_Tool_TemLoad()
{
    s_Command_Tool_TemLoad(ShowTemplateGetForm(&showTemplateGetForm),
                           [](int tab) { s_Command_Setting(tab, nullptr); });
}

} // namespace picrows
