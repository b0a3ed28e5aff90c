#include "host/imaging/encoded_image.h"

#include "host/imaging/decode_cache.h"
#include "host/imaging/emf.h"
#include "host/imaging/heif_decoder.h"
#include "host/imaging/image_limits.h"
#include "host/imaging/jpeg_upright.h"
#include "host/imaging/orientation.h"
#include "host/imaging/pending_picture.h"
#include "host/imaging/picture_codecs.h"
#include "host/imaging/picture_decoder.h"
#include "host/imaging/picture_error.h"
#include "host/imaging/picture_metadata.h"
#include "host/imaging/png_structure.h"
#include "host/imaging/read_ahead.h"

#include <QBuffer>
#include <QCryptographicHash>
#include <QFile>
#include <QFileInfo>
#include <QImageReader>
#include <QImageWriter>

#include <cmath>

namespace host::imaging {

namespace {

QSize headerSize(ImageFormat format, const QByteArray& bytes)
{
    QByteArray shared = bytes;
    QBuffer buffer(&shared);
    buffer.open(QIODevice::ReadOnly);
    QImageReader reader(&buffer, qtFormatName(format));
    reader.setAutoTransform(false);
    return reader.size();
}

[[noreturn]] void refuseSize(qint64 width, qint64 height)
{
    refusePicture(
        QStringLiteral("The picture is too large: %1 × %2 pixels.").arg(width).arg(height));
}

[[noreturn]] void refuseSize(QSize size)
{
    refuseSize(size.width(), size.height());
}

// A PNG or TIFF with an orientation, decoded, turned and written as PNG, which is lossless.
QByteArray uprightAsPng(const EncodedImage& image, int orientation, const QImage& stored)
{
    QImage upright = orientUpright(stored, orientation);
    const bool swap = orientationTransposes(orientation);
    upright.setDotsPerMeterX(int(std::lround((swap ? image.dpiY : image.dpiX) / 0.0254)));
    upright.setDotsPerMeterY(int(std::lround((swap ? image.dpiX : image.dpiY) / 0.0254)));
    QByteArray out;
    QBuffer buffer(&out);
    buffer.open(QIODevice::WriteOnly);
    if (!QImageWriter(&buffer, "png").write(upright))
        refusePicture(QStringLiteral("The picture could not be turned upright."));
    return out;
}

bool hasTransparency(const QImage& image)
{
    if (!image.hasAlphaChannel())
        return false;
    const QImage argb = image.convertToFormat(QImage::Format_ARGB32);
    for (int y = 0; y < argb.height(); ++y) {
        const auto* row = reinterpret_cast<const QRgb*>(argb.constScanLine(y));
        for (int x = 0; x < argb.width(); ++x)
            if (qAlpha(row[x]) != 255)
                return true;
    }
    return false;
}

// Formats not every spreadsheet program shows (HEIC, AVIF, WebP) are stored as what every one
// does: JPEG, or PNG when the picture has transparency to keep. Decoded, turned upright where
// the metadata asks, and encoded once, at a quality that leaves a photograph as it looked.
QByteArray storedAsJpegOrPng(const EncodedImage& image, int orientation, const QImage& decoded)
{
    const bool transparent = hasTransparency(decoded);
    QImage upright = orientUpright(
        decoded.convertToFormat(transparent ? QImage::Format_ARGB32 : QImage::Format_RGB32),
        orientation);
    const bool swap = orientationTransposes(orientation);
    upright.setDotsPerMeterX(int(std::lround((swap ? image.dpiY : image.dpiX) / 0.0254)));
    upright.setDotsPerMeterY(int(std::lround((swap ? image.dpiX : image.dpiY) / 0.0254)));
    const QByteArray out =
        transparent ? writeWithQt(upright, "png") : writeWithQt(upright, "jpeg", 92);
    if (out.isEmpty())
        refusePicture(QStringLiteral("The picture could not be stored."));
    return out;
}

bool storedOnlyConverted(ImageFormat format)
{
    return format == ImageFormat::WebP || format == ImageFormat::Heif ||
           format == ImageFormat::Avif;
}

} // namespace

QSizeF EncodedImage::untouchedSize() const
{
    return QSizeF(pixelSize.width() * 72.0 / dpiX, pixelSize.height() * 72.0 / dpiY);
}

EncodedImage probePicture(QByteArray bytes)
{
    if (bytes.isEmpty())
        refusePicture(QStringLiteral("The picture file is empty."));
    EncodedImage image;
    image.format = sniffFormat(bytes);
    if (image.format == ImageFormat::Unknown)
        refusePicture(QStringLiteral("The file is not a picture the host can read."));

    if (image.format == ImageFormat::Emf) {
        const auto header = readEmfHeader(bytes);
        if (!header)
            refusePicture(QStringLiteral("The metafile's header is damaged."));
        if (!withinLimits(header->pixelSize))
            refuseSize(header->pixelSize);
        image.pixelSize = header->pixelSize;
        image.dpiX = header->pixelSize.width() * 72.0 / header->points.width();
        image.dpiY = header->pixelSize.height() * 72.0 / header->points.height();
    } else if (image.format == ImageFormat::Heif || image.format == ImageFormat::Avif) {
        const auto header = readHeifHeader(bytes);
        if (!header || !header->size.isValid() || header->size.isEmpty())
            refusePicture(QStringLiteral("The picture is damaged: its header cannot be read."));
        if (!withinLimits(header->size))
            refuseSize(header->size);
        image.pixelSize = header->size;
        if (const auto dpi = storedResolution(image.format, bytes)) {
            image.dpiX = dpi->x;
            image.dpiY = dpi->y;
        }
    } else {
        const auto claimed = claimedDimensions(image.format, bytes);
        if (claimed && !withinLimits(claimed->width, claimed->height))
            refuseSize(claimed->width, claimed->height);
        // A PNG's size is its header's; asking Qt would let libpng warn on standard error about
        // ancillary chunks (colour profiles) that do not matter here.
        const QSize size = image.format == ImageFormat::Png && claimed
                               ? QSize(int(claimed->width), int(claimed->height))
                               : headerSize(image.format, bytes);
        if (!size.isValid() || size.isEmpty())
            refusePicture(QStringLiteral("The picture is damaged: its header cannot be read."));
        if (!withinLimits(size))
            refuseSize(size);
        if (image.format == ImageFormat::Png) {
            switch (pngDamage(bytes)) {
            case PngDamage::None:
                break;
            case PngDamage::Incomplete:
                refusePicture(QStringLiteral("The picture is incomplete: its data ends early."));
            case PngDamage::Corrupt:
                refusePicture(
                    QStringLiteral("The picture is damaged: a checksum does not match its data."));
            }
        }
        image.pixelSize = size;
        if (const auto dpi = storedResolution(image.format, bytes)) {
            image.dpiX = dpi->x;
            image.dpiY = dpi->y;
        }
    }
    image.key = QCryptographicHash::hash(bytes, QCryptographicHash::Sha1);
    image.bytes = std::move(bytes);
    return image;
}

QByteArray EncodedImage::encodedBytes() const
{
    return bytes.isEmpty() && pending ? pending->bytes() : bytes;
}

EncodedImage loadPicture(QByteArray bytes)
{
    EncodedImage image = probePicture(std::move(bytes));
    const int orientation = storedOrientation(image.format, image.bytes);
    if (image.format == ImageFormat::Jpeg) {
        // Every scale entropy-decodes the whole stream, so 1/8 proves it intact cheaply and
        // leaves a thumbnail in the cache.
        const QImage check = decodePicture(image, 8, true);
        if (orientation == 1) {
            storeDecoded(image, 8, check);
            return image;
        }
        UprightJpeg upright = uprightJpeg(image.bytes, orientation);
        if (upright.bytes.isEmpty())
            refusePicture(QStringLiteral("The picture could not be turned upright."));
        return probePicture(std::move(upright.bytes));
    }
    const QImage decoded = decodePicture(image, 1, true);
    if (storedOnlyConverted(image.format))
        return probePicture(storedAsJpegOrPng(image, orientation, decoded));
    if (orientation == 1 ||
        (image.format != ImageFormat::Png && image.format != ImageFormat::Tiff)) {
        storeDecoded(image, 1, decoded);
        return image;
    }
    EncodedImage upright = probePicture(uprightAsPng(image, orientation, decoded));
    return upright;
}

EncodedImage loadPictureFile(const QString& path)
{
    if (std::optional<EncodedImage> ready = takeAnnouncedPicture(path))
        return std::move(*ready);
    return loadPictureFileNow(path);
}

EncodedImage loadPictureFileNow(const QString& path)
{
    QFile file(path);
    if (!QFileInfo(path).isFile())
        refusePicture(QStringLiteral("The picture file was not found: %1").arg(path));
    if (!file.open(QIODevice::ReadOnly))
        refusePicture(QStringLiteral("The picture file cannot be read: %1").arg(path));
    QByteArray bytes = file.readAll();
    if (bytes.isEmpty() && file.error() != QFileDevice::NoError)
        refusePicture(QStringLiteral("The picture file cannot be read: %1").arg(path));
    return loadPicture(std::move(bytes));
}

} // namespace host::imaging
