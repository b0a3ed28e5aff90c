#include "main/insert_dialog/host_window_state.h"

#include <QGuiApplication>

#include <utility>

#include <xcb/xcb.h>

namespace picrows {

HostWindowState::~HostWindowState() = default;

namespace {

// Answers through the X connection Qt's xcb platform holds.
class XcbHostWindow : public HostWindowState
{
public:
    explicit XcbHostWindow(xcb_connection_t* connection) : m_connection(connection) {}

    Presence presence(std::int32_t windowId) override
    {
        const auto window = xcb_window_t(quint32(windowId));
        xcb_get_window_attributes_reply_t* attributes = xcb_get_window_attributes_reply(
            m_connection, xcb_get_window_attributes(m_connection, window), nullptr);
        if (!attributes)
            return Presence::Gone; // no such window any more
        const bool viewable = attributes->map_state == XCB_MAP_STATE_VIEWABLE;
        free(attributes);
        if (viewable)
            return Presence::Shown;
        // Unmapped: iconified keeps WM_STATE at IconicState (3); a window its program
        // withdrew has no WM_STATE or WithdrawnState (0). A window manager that unmaps the
        // windows of other desktops leaves them at NormalState (1).
        switch (wmState(window)) {
        case 1:
            return Presence::Shown;
        case 3:
            return Presence::Minimised;
        default:
            return Presence::Gone;
        }
    }

    std::optional<QRect> frame(std::int32_t windowId) override
    {
        const auto window = xcb_window_t(quint32(windowId));
        xcb_get_geometry_reply_t* geometry =
            xcb_get_geometry_reply(m_connection, xcb_get_geometry(m_connection, window), nullptr);
        if (!geometry)
            return std::nullopt;
        const xcb_window_t root = geometry->root;
        const QSize size(geometry->width, geometry->height);
        free(geometry);
        xcb_translate_coordinates_reply_t* place = xcb_translate_coordinates_reply(
            m_connection, xcb_translate_coordinates(m_connection, window, root, 0, 0), nullptr);
        if (!place)
            return std::nullopt;
        const QPoint topLeft(place->dst_x, place->dst_y);
        free(place);
        return QRect(topLeft, size);
    }

private:
    int wmState(xcb_window_t window)
    {
        if (m_wmState == XCB_ATOM_NONE) {
            static const char name[] = "WM_STATE";
            xcb_intern_atom_reply_t* atom = xcb_intern_atom_reply(
                m_connection, xcb_intern_atom(m_connection, 0, sizeof name - 1, name), nullptr);
            if (!atom)
                return 0;
            m_wmState = atom->atom;
            free(atom);
        }
        xcb_get_property_reply_t* property = xcb_get_property_reply(
            m_connection, xcb_get_property(m_connection, 0, window, m_wmState, m_wmState, 0, 2),
            nullptr);
        if (!property)
            return 0;
        int state = 0;
        if (property->format == 32 && xcb_get_property_value_length(property) >= 4)
            state = int(*static_cast<const quint32*>(xcb_get_property_value(property)));
        free(property);
        return state;
    }

    xcb_connection_t* m_connection;
    xcb_atom_t m_wmState = XCB_ATOM_NONE;
};

class NoWindowSystem : public HostWindowState
{
public:
    Presence presence(std::int32_t) override { return Presence::Unknown; }
    std::optional<QRect> frame(std::int32_t) override { return std::nullopt; }
};

HostWindowState*& installed()
{
    static HostWindowState* state = nullptr;
    return state;
}

} // namespace

HostWindowState& desktopHostWindowState()
{
    static HostWindowState* state = []() -> HostWindowState* {
        if (auto* x11 =
                qGuiApp ? qGuiApp->nativeInterface<QNativeInterface::QX11Application>() : nullptr)
            if (xcb_connection_t* connection = x11->connection())
                return new XcbHostWindow(connection);
        return new NoWindowSystem;
    }();
    return *state;
}

HostWindowState& hostWindowState()
{
    if (HostWindowState* s = installed())
        return *s;
    return desktopHostWindowState();
}

HostWindowState* exchangeHostWindowState(HostWindowState* state)
{
    return std::exchange(installed(), state);
}

} // namespace picrows
