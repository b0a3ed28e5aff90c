#pragma once

namespace picrows {

// The "get" command: checks the host, turns an object selection into a cell selection without
// raising the host's events, connects the host's events, gives the host its input and shows
// the insertion dialog (modal within the program, not for the window manager, owned by the
// host's main window); returns when the dialog has closed.
void s_Command_Get();

} // namespace picrows
