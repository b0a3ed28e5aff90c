#pragma once

#include "platform/service_slot.h"

#include <cstdint>
#include <set>

namespace platform {

// Virtual key codes, numbered as the callers of F_GetKeyPushed give them (27 is Escape).
namespace vk {
inline constexpr std::int32_t Escape = 27;
inline constexpr std::int32_t Return = 13;
inline constexpr std::int32_t Shift = 16;
inline constexpr std::int32_t Control = 17;
inline constexpr std::int32_t Menu = 18; // Alt
inline constexpr std::int32_t Space = 32;
} // namespace vk

// Answers whether a key is held down at the moment of the question.
class KeyStateSource
{
public:
    virtual ~KeyStateSource();
    virtual bool isDown(std::int32_t virtualKey) = 0;
};

// The source in place. By default the desktop's keyboard (the X display named by DISPLAY,
// whichever window has the focus); without a desktop no key is ever down.
KeyStateSource& keyStateSource();
KeyStateSource* exchangeKeyStateSource(KeyStateSource* source);
using ScopedKeyState = ScopedService<KeyStateSource, &exchangeKeyStateSource>;

// True while the key is down at the time of the call; a press released before the call is not
// seen.
bool F_GetKeyPushed(std::int32_t virtualKey);

// For tests: the keys in `held` are down.
class ScriptedKeys : public KeyStateSource
{
public:
    bool isDown(std::int32_t virtualKey) override { return held.count(virtualKey) != 0; }
    std::set<std::int32_t> held;
};

// The desktop's keyboard through X11; none when the build has no X11 or no display opens.
KeyStateSource* desktopKeyState();

} // namespace platform
