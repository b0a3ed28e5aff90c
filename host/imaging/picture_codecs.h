#pragma once

#include "host/imaging/image_format.h"

#include <QByteArray>
#include <QImage>

namespace host::imaging {

// Encodes an image in one of the formats a picture is pasted as: JPEG, PNG, GIF, BMP, EMF
// (and TIFF or WebP, which Qt writes too). The image's resolution (dots per metre) is
// recorded where the format has room for it, so the picture's untouched size is the size it
// was rendered for (GIF has none: 96 dpi is assumed when it is read).
//
// JPEG, BMP and EMF have no transparency: transparent pixels become white. JPEG is written at
// quality 90. Raises a host error for a format that cannot be written.
QByteArray encodePicture(const QImage& image, ImageFormat format);

// Decodes whatever picture the bytes hold (content decides the format), including the bitmap
// metafiles writeEmf makes. Raises a host error when they hold none.
QImage decodeImage(const QByteArray& bytes);

} // namespace host::imaging
