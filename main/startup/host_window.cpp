#include "main/startup/host_window.h"

#include "host/automation/host_error.h"
#include "host/running/running_hosts.h"
#include "main/startup/startup_context.h"

namespace picrows {

std::int32_t f_GetXlHwnd()
{
    QString caption;
    try {
        caption = startupContext().gobjXlApp.Caption();
    } catch (const host::HostError&) {
        return 0;
    }
    return host::running::RunningHosts::instance().findWindow(host::running::kHostWindowClass,
                                                              caption);
}

} // namespace picrows
