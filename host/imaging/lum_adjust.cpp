#include "host/imaging/lum_adjust.h"

#include <algorithm>
#include <cmath>

namespace host::imaging {

int lumAttribute(double hostValue)
{
    return std::clamp(int(std::lround((hostValue - 0.5) * 200000.0)), -100000, 100000);
}

double lumHostValue(int attribute)
{
    return 0.5 + std::clamp(attribute, -100000, 100000) / 200000.0;
}

LumTable lumTable(int brightAttribute, int contrastAttribute)
{
    const int bright = std::clamp(brightAttribute / 1000, -100, 100);
    const int contrast = std::clamp(contrastAttribute / 1000, -100, 100);
    const bool washout = bright == 70 && contrast == -70;
    const auto slope = [](int c) {
        return c >= 0 ? 128.0 / (128.0 - 1.27 * c) : (128.0 + 1.27 * c) / 128.0;
    };
    LumTable table;
    for (int in = 0; in < 256; ++in) {
        double out = 0;
        if (washout) {
            const double m = slope(-70);
            out = in * m + 50 * 2.55 + 128.0 - m * 128.0;
        } else {
            const double m = slope(contrast);
            const double half = bright * 2.55 / 2;
            out = (in + half - 128.0) * m + 128.0 + half;
        }
        // Round half away from zero, as the renderer being matched does.
        const double rounded = out >= 0 ? std::floor(out + 0.5) : -std::floor(-out + 0.5);
        table.map[in] = uchar(std::clamp(rounded, 0.0, 255.0));
    }
    return table;
}

QImage applyLum(QImage image, int brightAttribute, int contrastAttribute)
{
    const bool alpha = image.hasAlphaChannel();
    image = image.convertToFormat(alpha ? QImage::Format_ARGB32 : QImage::Format_RGB32);
    if (lumIsIdentity(brightAttribute, contrastAttribute))
        return image;
    const LumTable table = lumTable(brightAttribute, contrastAttribute);
    for (int y = 0; y < image.height(); ++y) {
        auto* row = reinterpret_cast<QRgb*>(image.scanLine(y));
        for (int x = 0; x < image.width(); ++x) {
            const QRgb p = row[x];
            row[x] =
                qRgba(table.map[qRed(p)], table.map[qGreen(p)], table.map[qBlue(p)], qAlpha(p));
        }
    }
    return image;
}

} // namespace host::imaging
