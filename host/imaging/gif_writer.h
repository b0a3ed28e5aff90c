#pragma once

#include <QByteArray>
#include <QImage>

namespace host::imaging {

// A GIF of the image, written with giflib (Qt reads GIF but cannot write it).
//
// Palette: when the image has at most 256 colours (255 if any pixel is transparent) they are
// used exactly, so flat renderings such as cells and text stay exact. Otherwise giflib's
// median-cut quantiser picks 256 (or 255) colours and the pixels are mapped to them with
// Floyd–Steinberg error diffusion, which keeps gradients in photographs from banding.
// Pixels less than half opaque become the transparent index; the rest are drawn opaque.
QByteArray writeGif(const QImage& image);

} // namespace host::imaging
