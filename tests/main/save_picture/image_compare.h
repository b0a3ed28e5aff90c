#pragma once

#include "tests/support/image_distance.h"

#include <QColor>
#include <QImage>

#include <cmath>
#include <cstdlib>

namespace savepic_test {

// Mean absolute difference per channel (0–255) of two images of the same size, compared
// as opaque RGB; 255 when the sizes differ.
inline double meanDistance(const QImage& a, const QImage& b)
{
    return test_support::meanLevels(a, b);
}

// Four flat quadrants (red, green, blue, yellow): few colours, so lossless writers keep it
// exact, and wrong channel order or flipped rows show at once.
inline QImage quadrants(int width, int height)
{
    QImage image(width, height, QImage::Format_RGB32);
    for (int y = 0; y < height; ++y)
        for (int x = 0; x < width; ++x) {
            const bool right = x >= width / 2;
            const bool bottom = y >= height / 2;
            image.setPixel(x, y,
                           !bottom ? (right ? qRgb(0, 160, 0) : qRgb(200, 0, 0))
                                   : (right ? qRgb(230, 210, 0) : qRgb(0, 0, 180)));
        }
    return image;
}

} // namespace savepic_test
