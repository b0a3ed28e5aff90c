#include "main/tools/picture_colour.h"
#include "main/tools/round_half_even.h"

#include <QImage>

#include <cmath>

namespace picrows {

namespace {

bool isUnchanged(float value)
{
    return roundHalfEven(double(value) * 10) == 5;
}

void makeDibCanvas(QImage& canvas)
{
    if (canvas.format() != QImage::Format_RGB32)
        canvas = canvas.convertToFormat(QImage::Format_RGB32);
}

// Runs `channel` over the blue, green and red of every pixel and writes the fourth byte as 0.
// A 32-bit pixel is 0xXXRRGGBB: blue, green, red, fourth byte in a little-endian memory.
template <typename F> void forEachChannel(QImage& canvas, F channel)
{
    makeDibCanvas(canvas);
    for (int y = 0; y < canvas.height(); ++y) {
        auto* row = reinterpret_cast<quint32*>(canvas.scanLine(y));
        for (int x = 0; x < canvas.width(); ++x) {
            const quint32 pixel = row[x];
            const quint32 blue = channel(pixel & 0xFF);
            const quint32 green = channel((pixel >> 8) & 0xFF);
            const quint32 red = channel((pixel >> 16) & 0xFF);
            row[x] = blue | (green << 8) | (red << 16);
        }
    }
}

} // namespace

void S_SetPictureContrast(QImage& canvas, std::int32_t angle)
{
    const double t = std::tan(angle * 3.14159265358979 / 180);
    forEachChannel(canvas, [t](quint32 c) -> quint32 {
        auto value = static_cast<std::int16_t>(roundHalfEven((double(c) - 128) * t + 128));
        if (value > 255)
            value = 255;
        if (value < 0)
            value = 0;
        return static_cast<quint32>(value);
    });
}

int brightnessAlpha(float brightness)
{
    const double offset = 0.5 - std::fabs(0.5 - double(brightness));
    return static_cast<int>(roundHalfEven(255 - offset * 10 * 51));
}

void blendBrightness(QImage& canvas, float brightness)
{
    const quint32 alpha = static_cast<quint32>(brightnessAlpha(brightness));
    const quint32 layer = brightness < 0.5f ? 0 : 255;
    forEachChannel(canvas, [alpha, layer](quint32 c) -> quint32 {
        return (layer * alpha + c * (255 - alpha) + 127) / 255;
    });
}

bool drawColourPreview(const QImage& source, QImage& colour, float contrast, float brightness,
                       bool disabled)
{
    colour = source.convertToFormat(QImage::Format_RGB32);
    colour.detach();
    bool drawn = false;
    if (!disabled && !isUnchanged(contrast)) {
        S_SetPictureContrast(colour,
                             static_cast<std::int32_t>(roundHalfEven(double(contrast) * 10 * 9)));
        drawn = true;
    }
    if (!disabled && !isUnchanged(brightness)) {
        blendBrightness(colour, brightness);
        drawn = true;
    }
    return drawn;
}

} // namespace picrows
