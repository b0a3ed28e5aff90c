#include "main/commands/command_table.h"

#include "main/about/about_command.h"
#include "main/insert_dialog/command_get.h"
#include "main/reduce_dialog/command_resmall.h"
#include "main/retrimming/retrimming.h"
#include "main/save_picture/save_picture_command.h"
#include "main/settings_dialog/command_setting.h"
#include "main/startup/help_command.h"
#include "main/template_dialogs/template_commands.h"

namespace picrows {

namespace {

constexpr CommandEntry kCommands[kCommandCount] = {
    {"get", "s_Command_Get", &s_Command_Get},
    {"setting", "s_Command_Setting", [] { s_Command_Setting(0, nullptr); }},
    {"help", "s_Command_Help", &s_Command_Help},
    {"about", "s_Command_About", &s_Command_About},
    {"savepic", "s_Command_Tool_SavePic", &s_Command_Tool_SavePic},
    {"retrimming", "s_Command_ReTrimming", &s_Command_ReTrimming},
    {"tool_resmall", "s_Command_Tool_ReSmall", &s_Command_Tool_ReSmall},
    {"tool_temload", "s_Command_Tool_TemLoad", &s_Command_Tool_TemLoad},
    {"tool_temsave", "s_Command_Tool_TemSave", &s_Command_Tool_TemSave},
};

} // namespace

std::span<const CommandEntry> commandTable()
{
    return kCommands;
}

} // namespace picrows
