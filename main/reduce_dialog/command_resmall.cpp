#include "main/reduce_dialog/command_resmall.h"

#include "host/automation/host_error.h"
#include "main/controls/modal_loop.h"
#include "main/reduce_dialog/frm_convert_pic.h"
#include "main/settings_dialog/message_owner.h"
#include "main/startup/startup_context.h"
#include "main/startup/state_checks.h"
#include "platform/clipboard.h"

namespace picrows {

void s_Command_Tool_ReSmall()
{
    if (!f_CheckAndMessageOfExcelStates(true, true, true, true, true, false, false, false, false))
        return;
    StartupContext& context = startupContext();
    const xl::Application app = context.gobjXlApp;
    // The copies the run measures land where the host's Copy puts them: on the desktop's
    // clipboard when the host is another program.
    platform::Clipboard& clipboard = platform::clipboard();
    app.setInteractive(false);
    try {
        frmConvertPic dialog(*context.gobjSetting, app, [&](ReduceView& view) {
            return std::make_unique<ReduceRun>(app, clipboard, view);
        });
        const MessageOwner messages(&dialog);
        showModal(dialog);
    } catch (...) {
        app.setInteractive(true);
        throw;
    }
    app.setInteractive(true);
}

} // namespace picrows
