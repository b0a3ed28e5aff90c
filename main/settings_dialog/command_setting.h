#pragma once

#include <cstdint>

class QWidget;

namespace xl {
class Application;
}

namespace picrows {

// The settings command: after the host state checks (a workbook, not minimised, no cell being
// edited) the settings dialog opens on `tabIndex` (0 "全般" … 5), owned by `owner` when one is
// given (the dialog that asked for it), else by the host's main window; the host is not
// interactive meanwhile. When it closes, every setting is written to the store, whether the
// user pressed OK or Cancel, and a changed re-trimming placement is handed to the add-ins.
void s_Command_Setting(std::int32_t tabIndex, QWidget* owner);

// Tells the add-ins that ReTrimmingAdd is now `value`: on a 64-bit host through the macro
// workbook that stands in for them, else through the menu add-in's and the ribbon add-in's
// objects. When the call cannot be made (or one of the two fails), says the change shows after
// a restart.
void s_TellAddInsReTrimmingChanged(const xl::Application& app, bool is64Bit, bool value);

} // namespace picrows
