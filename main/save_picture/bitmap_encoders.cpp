#include "main/save_picture/bitmap_encoders.h"

#include "host/imaging/gif_writer.h"
#include "host/imaging/picture_codecs.h"

#include <QSaveFile>

namespace picrows {

using host::imaging::writeWithQt;

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
    return image.isNull() ? QImage() : host::imaging::onWhite(image);
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
