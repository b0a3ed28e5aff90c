#include "main/reduce/reduce_command.h"

#include "host/xl/application.h"
#include "main/startup/commands.h"
#include "main/startup/startup_context.h"
#include "main/startup/state_checks.h"

namespace picrows {

void s_Command_Tool_ReSmall()
{
    if (!f_CheckAndMessageOfExcelStates(true, true, true, true, true, false, false, false, false))
        return;
    const xl::Application app = startupContext().gobjXlApp;
    app.setInteractive(false);
    showDialogNotAvailable("frmConvertPic");
    app.setInteractive(true);
}

} // namespace picrows
