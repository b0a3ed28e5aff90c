#pragma once

namespace xl {
class Object;
}

namespace picrows {

// Hands brightness and contrast (0 to 1; 0.5 leaves a value alone) to an inserted picture,
// given as a Shape or as a Picture drawing object; any other kind of object only has its type
// name shown. Both values are attempted; if the host refuses either, the user is told once that
// this picture format may not take colour changes, and the picture keeps what was accepted.
void s_ApplyPictureColour(const xl::Object& inserted, float contrast, float brightness);

} // namespace picrows
