#include "platform/key_state.h"

#include <utility>

namespace platform {

KeyStateSource::~KeyStateSource() = default;

namespace {

class NoKeyboard : public KeyStateSource
{
public:
    bool isDown(std::int32_t) override { return false; }
};

KeyStateSource*& installedKeys()
{
    static KeyStateSource* source = nullptr;
    return source;
}

} // namespace

KeyStateSource& keyStateSource()
{
    if (KeyStateSource* s = installedKeys())
        return *s;
    if (KeyStateSource* desktop = desktopKeyState())
        return *desktop;
    static NoKeyboard none;
    return none;
}

KeyStateSource* exchangeKeyStateSource(KeyStateSource* source)
{
    return std::exchange(installedKeys(), source);
}

bool F_GetKeyPushed(std::int32_t virtualKey)
{
    return keyStateSource().isDown(virtualKey);
}

} // namespace platform
