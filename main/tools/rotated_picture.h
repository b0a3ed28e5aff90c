#pragma once

#include <QColor>
#include <QSizeF>

#include <cstdint>

class QImage;

namespace picrows {

// The size of the axis-aligned box that holds a w × h picture turned by `angle` degrees about
// its centre, in single precision.
QSizeF rotatedBounds(float w, float h, double angle);

// A colour kept as 0x00BBGGRR (Rotate_BackColor).
QColor colourFromBgr(std::int32_t bgr);

// A canvas the size of rotatedBounds (rounded to whole pixels, ties to even) filled with
// `background`, with `source` drawn onto it pixel for pixel, centred and turned clockwise by
// `angle` degrees. The corners the turned picture leaves keep the background; the canvas has no
// transparency and states 96 dots per inch.
QImage drawRotatedPicture(const QImage& source, double angle, const QColor& background);

} // namespace picrows
