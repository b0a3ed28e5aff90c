#include "platform/key_state.h"

#ifdef PICROWS_HAVE_X11
#include <memory>

#include <X11/Xlib.h>
#include <X11/keysym.h>
#endif

namespace platform {

#ifdef PICROWS_HAVE_X11

namespace {

// The keysym of a virtual key code: letters and digits are their own codes.
KeySym keysymOf(std::int32_t virtualKey)
{
    if ((virtualKey >= '0' && virtualKey <= '9') || (virtualKey >= 'A' && virtualKey <= 'Z'))
        return KeySym(virtualKey + (virtualKey >= 'A' ? 'a' - 'A' : 0));
    switch (virtualKey) {
    case vk::Escape:
        return XK_Escape;
    case vk::Return:
        return XK_Return;
    case vk::Shift:
        return XK_Shift_L;
    case vk::Control:
        return XK_Control_L;
    case vk::Menu:
        return XK_Alt_L;
    case vk::Space:
        return XK_space;
    default:
        return NoSymbol;
    }
}

class X11Keyboard : public KeyStateSource
{
public:
    explicit X11Keyboard(Display* display) : m_display(display) {}
    ~X11Keyboard() override { XCloseDisplay(m_display); }

    bool isDown(std::int32_t virtualKey) override
    {
        const KeySym sym = keysymOf(virtualKey);
        if (sym == NoSymbol)
            return false;
        const KeyCode code = XKeysymToKeycode(m_display, sym);
        if (code == 0)
            return false;
        char keys[32] = {};
        XQueryKeymap(m_display, keys);
        const bool down = (keys[code / 8] >> (code % 8)) & 1;
        // Shift, Control and Alt have a right-hand twin that counts as well.
        if (!down &&
            (virtualKey == vk::Shift || virtualKey == vk::Control || virtualKey == vk::Menu)) {
            const KeySym twin = sym == XK_Shift_L     ? XK_Shift_R
                                : sym == XK_Control_L ? XK_Control_R
                                                      : XK_Alt_R;
            const KeyCode other = XKeysymToKeycode(m_display, twin);
            return other != 0 && ((keys[other / 8] >> (other % 8)) & 1);
        }
        return down;
    }

private:
    Display* m_display;
};

} // namespace

KeyStateSource* desktopKeyState()
{
    static const std::unique_ptr<X11Keyboard> source = []() -> std::unique_ptr<X11Keyboard> {
        if (Display* display = XOpenDisplay(nullptr))
            return std::make_unique<X11Keyboard>(display);
        return nullptr;
    }();
    return source.get();
}

#else

KeyStateSource* desktopKeyState()
{
    return nullptr;
}

#endif

} // namespace platform
