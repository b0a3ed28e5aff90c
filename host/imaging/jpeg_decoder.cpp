#include "host/imaging/jpeg_decoder.h"

#include "host/imaging/image_limits.h"
#include "host/imaging/turbojpeg_handle.h"

namespace host::imaging {

JpegDecodeResult decodeJpeg(QByteArrayView jpeg, int denominator, bool strict)
{
    JpegDecodeResult result;
    tjhandle handle = decompressor();
    const auto* data = reinterpret_cast<const unsigned char*>(jpeg.data());
    const auto size = static_cast<unsigned long>(jpeg.size());
    int width = 0, height = 0, subsampling = 0, colorspace = 0;
    if (!handle ||
        tjDecompressHeader3(handle, data, size, &width, &height, &subsampling, &colorspace) != 0) {
        result.error = QString::fromUtf8(tjGetErrorStr2(handle));
        return result;
    }
    if (!withinLimits(width, height)) {
        result.error = QStringLiteral("too large");
        return result;
    }
    if (colorspace == TJCS_CMYK || colorspace == TJCS_YCCK) {
        result.unsupported = true;
        result.error = QStringLiteral("CMYK");
        return result;
    }
    const tjscalingfactor factor{1, denominator};
    QImage image(TJSCALED(width, factor), TJSCALED(height, factor), QImage::Format_RGB32);
    if (image.isNull()) {
        result.error = QStringLiteral("out of memory");
        return result;
    }
    // Format_RGB32 is 0xffRRGGBB in native order: B, G, R, X in memory on little-endian
    // machines, and TurboJPEG fills X with 0xFF.
    const int pixelFormat = QSysInfo::ByteOrder == QSysInfo::LittleEndian ? TJPF_BGRX : TJPF_XRGB;
    if (tjDecompress2(handle, data, size, image.bits(), image.width(), int(image.bytesPerLine()),
                      image.height(), pixelFormat, 0) != 0) {
        const QString message = QString::fromUtf8(tjGetErrorStr2(handle));
        const bool warning = tjGetErrorCode(handle) == TJERR_WARNING;
        // The library reports the first warning; running out of data comes first when the
        // stream is cut short.
        const bool truncated = message.startsWith(QLatin1String("Premature end of JPEG file"));
        if (!warning || (strict && truncated)) {
            result.error = message;
            return result;
        }
    }
    result.image = std::move(image);
    return result;
}

} // namespace host::imaging
