#pragma once

namespace picrows {

// Twips per pixel of the screen the suite measures with: 96 pixels per inch, the resolution
// this platform assumes when there is no screen to ask.
inline constexpr double kTwipsPerPixel = 15;

} // namespace picrows
