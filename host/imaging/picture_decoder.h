#pragma once

#include <QImage>

namespace host::imaging {

struct EncodedImage;

// Decodes a picture with its rows as stored (no orientation applied), at 1/denominator of its
// pixel size where the format can decode smaller (JPEG: denominator 1, 2, 4 or 8); other formats
// decode whole whatever the denominator. Refuses (host error) what cannot be decoded; `strict`
// also refuses a file whose data ends early, which decoders otherwise show partly grey.
QImage decodePicture(const EncodedImage& image, int denominator = 1, bool strict = false);

// The denominator decodePicture honours for this picture: `wanted` for a JPEG, 1 otherwise.
int effectiveDenominator(const EncodedImage& image, int wanted);

} // namespace host::imaging
