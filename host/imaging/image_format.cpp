#include "host/imaging/image_format.h"

#include "host/imaging/byte_io.h"

#include <algorithm>
#include <initializer_list>

namespace host::imaging {

namespace {

using bytes::le32;

bool startsWith(QByteArrayView bytes, QByteArrayView prefix)
{
    return bytes.size() >= prefix.size() && bytes.first(prefix.size()) == prefix;
}

// The HEIF container (ISO base media file) starts with its file-type box: a major brand and a
// list of compatible ones. A video in the same container is no picture.
ImageFormat heifKind(QByteArrayView bytes)
{
    if (bytes.size() < 16 || bytes.sliced(4, 4) != "ftyp")
        return ImageFormat::Unknown;
    const qsizetype boxEnd = std::min<qsizetype>(bytes::be32(bytes, 0), bytes.size());
    const auto has = [&](std::initializer_list<const char*> brands) {
        for (qsizetype at = 8; at + 4 <= boxEnd; at += at == 8 ? 8 : 4) // skips the version
            for (const char* brand : brands)
                if (bytes.sliced(at, 4) == brand)
                    return true;
        return false;
    };
    if (has({"avif", "avis"}))
        return ImageFormat::Avif;
    if (has({"heic", "heix", "heim", "heis", "hevc", "hevx", "mif1", "msf1"}))
        return ImageFormat::Heif;
    return ImageFormat::Unknown;
}

} // namespace

ImageFormat sniffFormat(QByteArrayView bytes)
{
    if (startsWith(bytes, "\xFF\xD8\xFF"))
        return ImageFormat::Jpeg;
    if (startsWith(bytes, "\x89PNG\r\n\x1A\n"))
        return ImageFormat::Png;
    if (startsWith(bytes, "GIF87a") || startsWith(bytes, "GIF89a"))
        return ImageFormat::Gif;
    if (startsWith(bytes, "BM") && bytes.size() >= 26)
        return ImageFormat::Bmp;
    if (startsWith(bytes, QByteArrayView("II*\0", 4)) ||
        startsWith(bytes, QByteArrayView("MM\0*", 4)))
        return ImageFormat::Tiff;
    if (startsWith(bytes, "RIFF") && bytes.size() >= 12 && bytes.sliced(8, 4) == "WEBP")
        return ImageFormat::WebP;
    if (const ImageFormat heif = heifKind(bytes); heif != ImageFormat::Unknown)
        return heif;
    // An enhanced metafile starts with its header record (type 1) carrying " EMF" at offset 40.
    if (bytes.size() >= 88 && le32(bytes, 0) == 1 && le32(bytes, 40) == 0x464D4520)
        return ImageFormat::Emf;
    return ImageFormat::Unknown;
}

QString fileExtension(ImageFormat format)
{
    switch (format) {
    case ImageFormat::Jpeg:
        return QStringLiteral("jpeg");
    case ImageFormat::Png:
        return QStringLiteral("png");
    case ImageFormat::Gif:
        return QStringLiteral("gif");
    case ImageFormat::Bmp:
        return QStringLiteral("bmp");
    case ImageFormat::Tiff:
        return QStringLiteral("tiff");
    case ImageFormat::Emf:
        return QStringLiteral("emf");
    case ImageFormat::WebP:
        return QStringLiteral("webp");
    case ImageFormat::Heif:
        return QStringLiteral("heic");
    case ImageFormat::Avif:
        return QStringLiteral("avif");
    case ImageFormat::Unknown:
        break;
    }
    return QStringLiteral("bin");
}

QString mimeType(ImageFormat format)
{
    switch (format) {
    case ImageFormat::Jpeg:
        return QStringLiteral("image/jpeg");
    case ImageFormat::Png:
        return QStringLiteral("image/png");
    case ImageFormat::Gif:
        return QStringLiteral("image/gif");
    case ImageFormat::Bmp:
        return QStringLiteral("image/bmp");
    case ImageFormat::Tiff:
        return QStringLiteral("image/tiff");
    case ImageFormat::Emf:
        return QStringLiteral("image/x-emf");
    case ImageFormat::WebP:
        return QStringLiteral("image/webp");
    case ImageFormat::Heif:
        return QStringLiteral("image/heic");
    case ImageFormat::Avif:
        return QStringLiteral("image/avif");
    case ImageFormat::Unknown:
        break;
    }
    return QStringLiteral("application/octet-stream");
}

QByteArray qtFormatName(ImageFormat format)
{
    switch (format) {
    case ImageFormat::Jpeg:
        return QByteArrayLiteral("jpeg");
    case ImageFormat::Png:
        return QByteArrayLiteral("png");
    case ImageFormat::Gif:
        return QByteArrayLiteral("gif");
    case ImageFormat::Bmp:
        return QByteArrayLiteral("bmp");
    case ImageFormat::Tiff:
        return QByteArrayLiteral("tiff");
    case ImageFormat::WebP:
        return QByteArrayLiteral("webp");
    case ImageFormat::Emf:
    case ImageFormat::Heif:
    case ImageFormat::Avif:
    case ImageFormat::Unknown:
        break;
    }
    return {};
}

} // namespace host::imaging
