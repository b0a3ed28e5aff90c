#pragma once

#include "host/xl/application.h"

#include <cstdint>
#include <memory>

namespace platform {
class SettingsStore;
}

namespace picrows {

class c_Setting;

// What start-up learns before a command runs; every command reads it. Start-up fills it in
// and empties it again when the command is done.
struct StartupContext
{
    xl::Application gobjXlApp;   // the attached host
    std::int32_t glngXlHwnd = 0; // its main window, as the command line gave it
    bool gblnXl64bit = false;    // the host is a 64-bit build
    std::unique_ptr<platform::SettingsStore> store;
    std::unique_ptr<c_Setting> gobjSetting; // the one settings object, over `store`

    StartupContext();
    ~StartupContext();
    void clear();
};

StartupContext& startupContext();

} // namespace picrows
