#pragma once

#include <cmath>

namespace picrows {

// Rounds to the nearest integer, ties to the even one (the platform's rounding of numbers).
inline long roundHalfEven(double value)
{
    return std::lrint(value);
}

// The same for a pixel count or coordinate.
inline int pixelsHalfEven(double value)
{
    return static_cast<int>(std::lrint(value));
}

} // namespace picrows
