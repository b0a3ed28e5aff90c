#include "main/startup/startup_context.h"

#include "main/settings/setting.h"
#include "platform/settings_store.h"

namespace picrows {

StartupContext::StartupContext() = default;
StartupContext::~StartupContext() = default;

void StartupContext::clear()
{
    gobjSetting.reset();
    store.reset();
    gobjXlApp = xl::Application();
    glngXlHwnd = 0;
    gblnXl64bit = false;
}

StartupContext& startupContext()
{
    static StartupContext context;
    return context;
}

} // namespace picrows
