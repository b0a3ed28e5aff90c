#pragma once

namespace xl {
class Application;
}

namespace picrows {

// Switches the host's screen updating. Switching it on in a host of version 12 or later also
// nudges the active window's zoom up one step and back, which makes the host repaint the whole
// sheet once. Host errors reach the caller.
//
// The platform's host also locks drawing of its main window around the nudge so that the user
// sees one repaint instead of two. Here the host repaints through its own event loop, which
// does not run between the two zoom writes, so there is nothing to lock.
void s_SetScreenUpdating(const xl::Application& app, bool on);

} // namespace picrows
