#pragma once

#include <QImage>

namespace host::imaging {

// EXIF orientations: how the stored rows relate to the upright picture. 1 is upright; 2 and 4
// are mirrored; 3 is turned half round; 6 and 8 are turned a quarter (6 shows upright after a
// quarter turn clockwise); 5 and 7 are transposed across a diagonal.
inline bool orientationTransposes(int orientation)
{
    return orientation >= 5 && orientation <= 8;
}

// The stored pixels turned upright. Exact: pixels are moved, never resampled.
QImage orientUpright(const QImage& stored, int orientation);

} // namespace host::imaging
