#pragma once

namespace picrows {

// The "about" command: with no cell being edited in the host, shows the about dialog owned by
// the host's main window (the 64-bit variant for a 64-bit host), the host's input held off
// (Interactive false) while it is open.
void s_Command_About();

} // namespace picrows
