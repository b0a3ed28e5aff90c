#include "host/imaging/jpeg_upright.h"

#include "host/imaging/jpeg_decoder.h"
#include "host/imaging/jpeg_markers.h"
#include "host/imaging/orientation.h"
#include "host/imaging/picture_metadata.h"
#include "host/imaging/tiff_tags.h"
#include "host/imaging/turbojpeg_handle.h"

#include <QBuffer>
#include <QImageWriter>

#include <cmath>

namespace host::imaging {

namespace {

int transformOp(int orientation)
{
    switch (orientation) {
    case 2:
        return TJXOP_HFLIP;
    case 3:
        return TJXOP_ROT180;
    case 4:
        return TJXOP_VFLIP;
    case 5:
        return TJXOP_TRANSPOSE;
    case 6:
        return TJXOP_ROT90;
    case 7:
        return TJXOP_TRANSVERSE;
    case 8:
        return TJXOP_ROT270;
    default:
        return TJXOP_NONE;
    }
}

QByteArray transform(const QByteArray& jpeg, int op, int options)
{
    tjtransform request{};
    request.op = op;
    request.options = options;
    unsigned char* out = nullptr;
    unsigned long outSize = 0;
    const int status =
        tjTransform(transformer(), reinterpret_cast<const unsigned char*>(jpeg.constData()),
                    static_cast<unsigned long>(jpeg.size()), 1, &out, &outSize, &request, 0);
    QByteArray result;
    // A warning (status -1 with TJERR_WARNING) still produces a whole output stream.
    if (out && outSize > 0 && (status == 0 || tjGetErrorCode(transformer()) == TJERR_WARNING))
        result = QByteArray(reinterpret_cast<const char*>(out), qsizetype(outSize));
    tjFree(out);
    return result;
}

// Sets the orientation to 1 and the EXIF pixel dimensions to the turned picture's.
void markExifUpright(QByteArray& jpeg)
{
    int width = 0, height = 0, subsampling = 0, colorspace = 0;
    if (tjDecompressHeader3(decompressor(),
                            reinterpret_cast<const unsigned char*>(jpeg.constData()),
                            static_cast<unsigned long>(jpeg.size()), &width, &height, &subsampling,
                            &colorspace) != 0)
        return;
    if (const auto exif = jpegExifBlock(jpeg))
        markUpright(jpeg.data() + exif->at, exif->size, QSize(width, height));
}

// Last resort for a stream the transform rejects: decode, turn, re-encode.
QByteArray reencodeUpright(const QByteArray& jpeg, int orientation)
{
    const auto decoded = decodeJpeg(jpeg, 1, false);
    if (decoded.image.isNull())
        return {};
    QImage upright = orientUpright(decoded.image, orientation);
    if (const auto dpi = storedResolution(ImageFormat::Jpeg, jpeg)) {
        const bool swap = orientationTransposes(orientation);
        upright.setDotsPerMeterX(int(std::lround((swap ? dpi->y : dpi->x) / 0.0254)));
        upright.setDotsPerMeterY(int(std::lround((swap ? dpi->x : dpi->y) / 0.0254)));
    }
    QByteArray out;
    QBuffer buffer(&out);
    buffer.open(QIODevice::WriteOnly);
    QImageWriter writer(&buffer, "jpeg");
    writer.setQuality(95);
    return writer.write(upright) ? out : QByteArray();
}

} // namespace

UprightJpeg uprightJpeg(const QByteArray& jpeg, int orientation)
{
    const int op = transformOp(orientation);
    if (op == TJXOP_NONE)
        return {jpeg};
    UprightJpeg result;
    result.bytes = transform(jpeg, op, TJXOPT_PERFECT);
    if (result.bytes.isEmpty()) {
        result.bytes = transform(jpeg, op, TJXOPT_TRIM);
        result.trimmed = !result.bytes.isEmpty();
    }
    if (result.bytes.isEmpty()) {
        result.bytes = reencodeUpright(jpeg, orientation);
        result.lossless = false;
        result.trimmed = false;
    }
    markExifUpright(result.bytes);
    return result;
}

} // namespace host::imaging
