#include "main/save_picture/bitmap_encoders.h"

#include "host/imaging/gif_writer.h"

#include <QBuffer>
#include <QImageWriter>
#include <QPainter>
#include <QSaveFile>

namespace picrows {

namespace {

QByteArray writeWithQt(const QImage& image, const char* format, int quality)
{
    QByteArray out;
    QBuffer buffer(&out);
    buffer.open(QIODevice::WriteOnly);
    QImageWriter writer(&buffer, format);
    if (quality >= 0)
        writer.setQuality(quality);
    if (!writer.write(image))
        return {};
    return out;
}

} // namespace

std::optional<BitmapEncoder> encoderForPath(const QString& path)
{
    const qsizetype dot = path.lastIndexOf(u'.');
    if (dot < 0)
        return std::nullopt;
    const QString extension = path.mid(dot + 1).toUpper();
    if (extension == u"JPG" || extension == u"JPEG")
        return BitmapEncoder::Jpeg;
    if (extension == u"GIF")
        return BitmapEncoder::Gif;
    if (extension == u"PNG")
        return BitmapEncoder::Png;
    if (extension == u"TIF")
        return BitmapEncoder::Tiff;
    if (extension == u"BMP")
        return BitmapEncoder::Bmp;
    return std::nullopt;
}

QByteArray encodeBitmap(const QImage& image, BitmapEncoder encoder, int jpegQuality)
{
    if (image.isNull())
        return {};
    switch (encoder) {
    case BitmapEncoder::Jpeg:
        return writeWithQt(image, "jpeg", jpegQuality < 0 ? kDefaultJpegQuality : jpegQuality);
    case BitmapEncoder::Gif:
        return host::imaging::writeGif(image);
    case BitmapEncoder::Png:
        return writeWithQt(image, "png", -1);
    case BitmapEncoder::Tiff:
        return writeWithQt(image, "tiff", -1);
    case BitmapEncoder::Bmp:
        return writeWithQt(image, "bmp", -1);
    }
    return {};
}

QImage opaqueCopy(const QImage& image)
{
    if (image.isNull())
        return {};
    QImage flat(image.size(), QImage::Format_RGB32);
    flat.setDotsPerMeterX(image.dotsPerMeterX());
    flat.setDotsPerMeterY(image.dotsPerMeterY());
    flat.fill(Qt::white);
    QPainter painter(&flat);
    painter.drawImage(0, 0, image);
    return flat;
}

bool writeFileAtomically(const QString& path, const QByteArray& bytes)
{
    QSaveFile file(path);
    if (!file.open(QIODevice::WriteOnly))
        return false;
    if (file.write(bytes) != bytes.size()) {
        file.cancelWriting();
        return false;
    }
    return file.commit();
}

} // namespace picrows
