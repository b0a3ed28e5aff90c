#include "host/imaging/picture_codecs.h"

#include "host/imaging/emf.h"
#include "host/imaging/encoded_image.h"
#include "host/imaging/gif_writer.h"
#include "host/imaging/picture_decoder.h"
#include "host/imaging/picture_error.h"

#include <QBuffer>
#include <QImageWriter>
#include <QPainter>

namespace host::imaging {

QImage onWhite(const QImage& image)
{
    QImage flat(image.size(), QImage::Format_RGB32);
    flat.setDotsPerMeterX(image.dotsPerMeterX());
    flat.setDotsPerMeterY(image.dotsPerMeterY());
    flat.fill(Qt::white);
    QPainter painter(&flat);
    painter.drawImage(0, 0, image);
    return flat;
}

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

QByteArray encodePicture(const QImage& image, ImageFormat format)
{
    if (image.isNull())
        refusePicture(QStringLiteral("There is no picture to encode."));
    QByteArray out;
    switch (format) {
    case ImageFormat::Jpeg:
        out = writeWithQt(onWhite(image), "jpeg", 90);
        break;
    case ImageFormat::Bmp:
        out = writeWithQt(onWhite(image), "bmp", -1);
        break;
    case ImageFormat::Png:
    case ImageFormat::Tiff:
    case ImageFormat::WebP:
        out = writeWithQt(image, qtFormatName(format).constData(), -1);
        break;
    case ImageFormat::Gif:
        out = writeGif(image);
        break;
    case ImageFormat::Emf:
        out = writeEmf(image);
        break;
    case ImageFormat::Heif: // read, never written: pictures are stored as JPEG or PNG
    case ImageFormat::Avif:
    case ImageFormat::Unknown:
        break;
    }
    if (out.isEmpty())
        refusePicture(QStringLiteral("The picture cannot be made in the %1 format.")
                          .arg(fileExtension(format)));
    return out;
}

QImage decodeImage(const QByteArray& bytes)
{
    return decodePicture(probePicture(bytes));
}

} // namespace host::imaging
