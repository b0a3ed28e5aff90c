#pragma once

#include "platform/service_slot.h"

#include <QRect>

#include <cstdint>
#include <optional>

namespace picrows {

// What the window system says of the host's main window (an X11 window id, usually of another
// process): whether it is still there for the user, and where it is. A service, so that tests
// without a window system script it.
class HostWindowState
{
public:
    enum class Presence
    {
        Shown,     // mapped: on screen, perhaps covered or on another desktop
        Minimised, // iconified: still there, the user can bring it back
        Gone,      // destroyed, or withdrawn (hidden by its program)
        Unknown,   // no window system to ask
    };

    virtual ~HostWindowState();
    virtual Presence presence(std::int32_t windowId) = 0;
    // The window's frame on the screen, none when it cannot be told.
    virtual std::optional<QRect> frame(std::int32_t windowId) = 0;
};

HostWindowState& hostWindowState();
// The window system's own answer (X11 through Qt's xcb connection; Unknown without one),
// whatever service is in place.
HostWindowState& desktopHostWindowState();
HostWindowState* exchangeHostWindowState(HostWindowState* state);
using ScopedHostWindowState = platform::ScopedService<HostWindowState, &exchangeHostWindowState>;

// For tests: answers what is set.
class ScriptedHostWindow : public HostWindowState
{
public:
    Presence presence(std::int32_t) override
    {
        ++asked;
        return state;
    }
    std::optional<QRect> frame(std::int32_t) override { return rect; }

    Presence state = Presence::Shown;
    std::optional<QRect> rect;
    int asked = 0;
};

} // namespace picrows
