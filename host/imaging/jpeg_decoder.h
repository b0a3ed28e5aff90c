#pragma once

#include <QByteArrayView>
#include <QImage>
#include <QString>

namespace host::imaging {

// Decodes a JPEG with libjpeg-turbo at 1/denominator of its size (1, 2, 4 or 8), scaled while
// decoding: at 1/8 only the DC coefficients are inverse-transformed. Rows come as stored; EXIF
// orientation is not applied.
//
// `strict` makes a stream that ends early an error (the decoder would otherwise fill the
// missing rows with grey); other warnings, such as stray bytes between markers, which many
// cameras write, are accepted. Returns a null image and sets `error` on failure; a CMYK JPEG,
// which the library cannot turn into RGB, fails with `unsupported` set.
struct JpegDecodeResult
{
    QImage image;
    QString error;
    bool unsupported = false;
};
JpegDecodeResult decodeJpeg(QByteArrayView jpeg, int denominator, bool strict);

} // namespace host::imaging
