#include "main/about/about_command.h"

#include "host/automation/host_error.h"
#include "main/about/frm_about.h"
#include "main/controls/modal_loop.h"
#include "main/controls/window_services.h"
#include "main/startup/host_window.h"
#include "main/startup/startup_context.h"
#include "main/startup/state_checks.h"

namespace picrows {

void s_Command_About()
{
    if (!f_CheckAndMessageOfExcelStates(false, false, true, false, false, false, false, false,
                                        false))
        return;
    const StartupContext& context = startupContext();
    const xl::Application& app = context.gobjXlApp;
    app.setInteractive(false);
    {
        frmAbout dialog(context.gblnXl64bit ? frmAbout::Bits::Host64 : frmAbout::Bits::Host32);
        s_SetParentWindow(&dialog, f_GetXlHwnd());
        showModal(dialog);
    }
    app.setInteractive(true);
}

} // namespace picrows
