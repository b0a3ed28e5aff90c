#pragma once

#include <QString>

#include <cstdint>

class QImage;

namespace picrows {

// The preview's approximation of the host's brightness and contrast (0 to 1, 0.5 unchanged).
// Canvases are 32 bits a pixel, blue, green, red and a fourth byte that is ignored when read
// and written as 0; images of other formats are converted first.

// Contrast by angle (degrees): every channel c becomes (c − 128) · tan(angle) + 128, rounded
// to the nearest integer with ties to even and clamped to 0…255. 45 changes nothing.
void S_SetPictureContrast(QImage& canvas, std::int32_t angle);

// The opacity of the brightness layer, 510 · |brightness − 0.5| rounded: 0 at 0.5, 204 at
// 0.1 and 0.9.
int brightnessAlpha(float brightness);

// Brightness: a black layer (below 0.5) or a white one blended over the whole canvas with
// the constant opacity α = brightnessAlpha: each channel c becomes
// (layer · α + c · (255 − α)) / 255, rounded to the nearest integer.
void blendBrightness(QImage& canvas, float brightness);

// Makes `colour` a copy of `source` and applies contrast, then brightness, each unless
// `disabled` or the value rounded to one decimal is 0.5. Answers whether an adjustment was
// drawn: the caller then shows that the result may differ from the host's own display.
bool drawColourPreview(const QImage& source, QImage& colour, float contrast, float brightness,
                       bool disabled);

// The note shown beside the preview while drawColourPreview answers true.
inline QString colourPreviewNote()
{
    return QStringLiteral("※明るさ・コントラストの結果は、実際の表示と異なる場合があります。");
}

} // namespace picrows
