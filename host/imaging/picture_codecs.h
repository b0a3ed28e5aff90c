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

// The image over white, opaque (RGB32), its resolution kept: what a format without
// transparency shows of it.
QImage onWhite(const QImage& image);

// The image written by Qt's writer for `format` ("jpeg", "png", "bmp", "tiff", …) at
// `quality` (-1: the writer's default); empty when the writer fails.
QByteArray writeWithQt(const QImage& image, const char* format, int quality = -1);

// Decodes whatever picture the bytes hold (content decides the format), including the bitmap
// metafiles writeEmf makes. Raises a host error when they hold none.
QImage decodeImage(const QByteArray& bytes);

} // namespace host::imaging
