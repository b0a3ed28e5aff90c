#include "host/imaging/picture_decoder.h"

#include "host/imaging/byte_io.h"
#include "host/imaging/emf.h"
#include "host/imaging/encoded_image.h"
#include "host/imaging/gif_structure.h"
#include "host/imaging/heif_decoder.h"
#include "host/imaging/image_limits.h"
#include "host/imaging/jpeg_decoder.h"
#include "host/imaging/pending_picture.h"
#include "host/imaging/picture_error.h"

#include <QBuffer>
#include <QImageReader>

#include <mutex>

namespace host::imaging {

namespace {

// Qt refuses to allocate more than its allocation limit (256 MB by default) for one image;
// raise it to what image_limits.h allows, which the header check enforces before decoding.
void allowLimitPictures()
{
    static std::once_flag once;
    std::call_once(once, [] {
        const int needed = int(MaxPixels * 4 / (1024 * 1024)) + 1;
        if (QImageReader::allocationLimit() < needed)
            QImageReader::setAllocationLimit(needed);
    });
}

// An uncompressed BMP holds its rows in a known number of bytes; Qt's reader fills what is
// missing with black rather than failing.
bool bmpComplete(QByteArrayView bmp)
{
    using bytes::le16;
    using bytes::le32;
    if (bmp.size() < 26)
        return false;
    const quint32 headerSize = le32(bmp, 14);
    qint64 width = 0, height = 0, bitCount = 0, compression = 0;
    if (headerSize == 12) {
        width = le16(bmp, 18);
        height = le16(bmp, 20);
        bitCount = le16(bmp, 24);
    } else if (headerSize >= 40 && bmp.size() >= 54) {
        width = bytes::le32s(bmp, 18);
        height = std::abs(qint64(bytes::le32s(bmp, 22)));
        bitCount = le16(bmp, 28);
        compression = le32(bmp, 30);
    } else {
        return false;
    }
    if (compression != 0 && compression != 3) // run-length or embedded: Qt's reader checks
        return true;
    const qint64 stride = ((width * bitCount + 31) / 32) * 4;
    return qint64(le32(bmp, 10)) + stride * height <= bmp.size();
}

QImage decodeWithQt(const EncodedImage& image, int denominator, bool strict)
{
    allowLimitPictures();
    QByteArray bytes = image.bytes; // shares the data; QBuffer needs a non-const array
    QBuffer buffer(&bytes);
    buffer.open(QIODevice::ReadOnly);
    QImageReader reader(&buffer, qtFormatName(image.format));
    reader.setAutoTransform(false);
    if (denominator > 1) { // CMYK JPEG: Qt's reader scales while decoding too
        const QSize full = reader.size();
        reader.setScaledSize(QSize((full.width() + denominator - 1) / denominator,
                                   (full.height() + denominator - 1) / denominator));
    }
    QImage decoded = reader.read();
    if (decoded.isNull())
        refusePicture(QStringLiteral("The picture is damaged and cannot be read (%1).")
                          .arg(reader.errorString()));
    if (strict && ((image.format == ImageFormat::Bmp && !bmpComplete(image.bytes)) ||
                   (image.format == ImageFormat::Gif && !gifComplete(image.bytes))))
        refusePicture(QStringLiteral("The picture is incomplete: its data ends early."));
    return decoded;
}

} // namespace

int effectiveDenominator(const EncodedImage& image, int wanted)
{
    if (image.format != ImageFormat::Jpeg)
        return 1;
    for (int d : {8, 4, 2})
        if (wanted >= d)
            return d;
    return 1;
}

QImage decodePicture(const EncodedImage& image, int denominator, bool strict)
{
    if (image.bytes.isEmpty() && image.pending) {
        // A pending paste: rendered straight at the scale asked for until it is encoded, then
        // decoded like any other picture.
        if (!image.pending->isMade()) {
            const int d = effectiveDenominator(image, denominator);
            const QSize size((image.pixelSize.width() + d - 1) / d,
                             (image.pixelSize.height() + d - 1) / d);
            QImage rendered = image.pending->pixels(size);
            if (rendered.isNull())
                refusePicture(QStringLiteral("The pasted picture could not be made."));
            return rendered;
        }
        EncodedImage made = image;
        made.bytes = image.pending->bytes();
        made.pending.reset();
        if (made.bytes.isEmpty())
            refusePicture(QStringLiteral("The pasted picture could not be made."));
        return decodePicture(made, denominator, strict);
    }
    if (!withinLimits(image.pixelSize))
        refusePicture(QStringLiteral("The picture is too large to show."));
    denominator = effectiveDenominator(image, denominator);
    switch (image.format) {
    case ImageFormat::Jpeg: {
        auto result = decodeJpeg(image.bytes, denominator, strict);
        if (result.unsupported)
            return decodeWithQt(image, denominator, strict);
        if (result.image.isNull())
            refusePicture(QStringLiteral("The picture is damaged and cannot be read (%1).")
                              .arg(result.error));
        return std::move(result.image);
    }
    case ImageFormat::Heif:
    case ImageFormat::Avif: {
        QString error;
        QImage decoded = decodeHeif(image.bytes, strict, &error);
        if (decoded.isNull())
            refusePicture(
                QStringLiteral("The picture is damaged and cannot be read (%1).").arg(error));
        return decoded;
    }
    case ImageFormat::Emf: {
        QImage decoded = readEmf(image.bytes);
        if (decoded.isNull())
            refusePicture(QStringLiteral("The metafile holds no picture the host can show."));
        return decoded;
    }
    case ImageFormat::Unknown:
        refusePicture(QStringLiteral("The file is not a picture the host can read."));
    default:
        return decodeWithQt(image, 1, strict);
    }
}

} // namespace host::imaging
