#include "host/imaging/picture_metadata.h"

#include "host/imaging/byte_io.h"
#include "host/imaging/heif_decoder.h"
#include "host/imaging/jpeg_markers.h"

#include <cmath>

namespace host::imaging {

namespace {

// Metric resolutions are stored as whole dots per metre (or centimetre), so 96 dpi arrives as
// 96.012; a whole number of dots per inch that close is what was meant.
double snapToWholeDpi(double dpi)
{
    const double whole = std::round(dpi);
    return std::abs(dpi - whole) < 0.05 ? whole : dpi;
}

std::optional<Resolution> snapped(std::optional<Resolution> r)
{
    if (!r || !(r->x > 0) || !(r->y > 0) || !std::isfinite(r->x) || !std::isfinite(r->y))
        return std::nullopt;
    return Resolution{snapToWholeDpi(r->x), snapToWholeDpi(r->y)};
}

std::optional<Resolution> jpegResolution(QByteArrayView jpeg)
{
    if (const auto jfif = jfifResolution(jpeg))
        return jfif;
    if (const auto exif = jpegExifBlock(jpeg))
        return resolutionOf(TiffTags(jpeg.sliced(exif->at, exif->size)));
    return std::nullopt;
}

std::optional<Resolution> exifResolution(ImageFormat format, QByteArrayView bytes)
{
    if (format == ImageFormat::Heif || format == ImageFormat::Avif) {
        const auto header = readHeifHeader(bytes);
        return header ? resolutionOf(TiffTags(header->exif)) : std::nullopt;
    }
    const auto exif = embeddedExif(format, bytes);
    return exif ? resolutionOf(TiffTags(*exif)) : std::nullopt;
}

std::optional<Resolution> pngResolution(QByteArrayView png)
{
    const auto phys = pngChunk(png, "pHYs");
    if (!phys || phys->size() < 9 || (*phys)[8] != 1) // unit 1: the metre
        return std::nullopt;
    return Resolution{bytes::be32(*phys, 0) * 0.0254, bytes::be32(*phys, 4) * 0.0254};
}

std::optional<Resolution> bmpResolution(QByteArrayView bmp)
{
    if (bmp.size() < 46 || bytes::le32(bmp, 14) < 40)
        return std::nullopt;
    const qint32 x = bytes::le32s(bmp, 38);
    const qint32 y = bytes::le32s(bmp, 42);
    if (x <= 0 || y <= 0)
        return std::nullopt;
    return Resolution{x * 0.0254, y * 0.0254};
}

} // namespace

std::optional<Dimensions> claimedDimensions(ImageFormat format, QByteArrayView data)
{
    switch (format) {
    case ImageFormat::Png:
        if (data.size() >= 24)
            return Dimensions{bytes::be32(data, 16), bytes::be32(data, 20)};
        break;
    case ImageFormat::Gif:
        if (data.size() >= 10)
            return Dimensions{bytes::le16(data, 6), bytes::le16(data, 8)};
        break;
    case ImageFormat::Bmp:
        if (data.size() >= 26 && bytes::le32(data, 14) == 12)
            return Dimensions{bytes::le16(data, 18), bytes::le16(data, 20)};
        if (data.size() >= 26)
            return Dimensions{std::abs(qint64(bytes::le32s(data, 18))),
                              std::abs(qint64(bytes::le32s(data, 22)))};
        break;
    default:
        break;
    }
    return std::nullopt;
}

std::optional<QByteArrayView> pngChunk(QByteArrayView png, QByteArrayView type)
{
    qsizetype at = 8;
    while (at + 12 <= png.size()) {
        const qsizetype length = bytes::be32(png, at);
        if (length > png.size() - at - 12)
            return std::nullopt;
        const auto chunkType = png.sliced(at + 4, 4);
        if (chunkType == type)
            return png.sliced(at + 8, length);
        if (chunkType == "IEND")
            break;
        at += 12 + length;
    }
    return std::nullopt;
}

std::optional<QByteArrayView> webpChunk(QByteArrayView webp, QByteArrayView type)
{
    if (webp.size() < 12 || webp.first(4) != "RIFF" || webp.sliced(8, 4) != "WEBP")
        return std::nullopt;
    qsizetype at = 12;
    while (at + 8 <= webp.size()) {
        const qsizetype length = bytes::le32(webp, at + 4);
        if (length > webp.size() - at - 8)
            return std::nullopt;
        if (webp.sliced(at, 4) == type)
            return webp.sliced(at + 8, length);
        at += 8 + length + (length & 1); // chunks are padded to an even length
    }
    return std::nullopt;
}

std::optional<QByteArrayView> embeddedExif(ImageFormat format, QByteArrayView bytes)
{
    std::optional<QByteArrayView> exif;
    switch (format) {
    case ImageFormat::Jpeg:
        if (const auto block = jpegExifBlock(bytes))
            exif = bytes.sliced(block->at, block->size);
        break;
    case ImageFormat::Png:
        exif = pngChunk(bytes, "eXIf");
        break;
    case ImageFormat::WebP:
        exif = webpChunk(bytes, "EXIF");
        break;
    case ImageFormat::Tiff:
        exif = bytes;
        break;
    default:
        break;
    }
    // Some writers keep the JPEG segment's "Exif\0\0" before the TIFF structure.
    if (exif && exif->startsWith(QByteArrayView("Exif\0\0", 6)))
        exif = exif->sliced(6);
    return exif;
}

std::optional<Resolution> storedResolution(ImageFormat format, QByteArrayView bytes)
{
    switch (format) {
    case ImageFormat::Jpeg:
        return snapped(jpegResolution(bytes));
    case ImageFormat::Png:
        return snapped(pngResolution(bytes));
    case ImageFormat::Bmp:
        return snapped(bmpResolution(bytes));
    case ImageFormat::Tiff:
        return snapped(resolutionOf(TiffTags(bytes)));
    case ImageFormat::WebP:
    case ImageFormat::Heif:
    case ImageFormat::Avif:
        return snapped(exifResolution(format, bytes));
    default:
        return std::nullopt;
    }
}

int storedOrientation(ImageFormat format, QByteArrayView bytes)
{
    const auto exif = embeddedExif(format, bytes);
    return exif ? orientationOf(TiffTags(*exif)) : 1;
}

} // namespace host::imaging
