#pragma once

#include <QImage>

namespace host::imaging {

// Brightness and contrast.
//
// The host holds each as 0–1 with 0.5 unchanged. The drawing XML stores them as
// <a:lum bright="" contrast=""/> in thousandths of a percent, 0 unchanged, from -100000 to
// 100000:  attribute = round((value − 0.5) × 200000),  value = 0.5 + attribute / 200000.
// So 0.6 is bright="20000" (+20 %), 0.3 is "-40000".
int lumAttribute(double hostValue);
double lumHostValue(int attribute);

// The 256-entry table applied to each of R, G and B, as LibreOffice renders the attributes:
// whole percents b = bright / 1000 and c = contrast / 1000 (truncated), then
//   slope m = 128 / (128 − 1.27 c)   for c ≥ 0,   (128 + 1.27 c) / 128   for c < 0,
//   out = round((in + 1.275 b − 128) × m + 128 + 1.275 b), clamped to 0–255,
// half the brightness before the contrast and half after. The one exception is the washout
// preset (b = 70, c = −70), drawn as a watermark: out = round(in × m + 127.5 + 128 − 128 m)
// with m for c = −70. Measured against LibreOffice's own rendering of these attributes.
struct LumTable
{
    uchar map[256];
};
LumTable lumTable(int brightAttribute, int contrastAttribute);

inline bool lumIsIdentity(int brightAttribute, int contrastAttribute)
{
    return brightAttribute / 1000 == 0 && contrastAttribute / 1000 == 0;
}

// Applies the table to the colour channels; alpha is kept. Returns the image in a 32-bit format.
QImage applyLum(QImage image, int brightAttribute, int contrastAttribute);

} // namespace host::imaging
