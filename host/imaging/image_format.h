#pragma once

#include <QByteArrayView>
#include <QString>

namespace host::imaging {

// The encodings a picture's bytes may be in. Detected from the bytes themselves, never from a
// file name: a PNG saved as "photo.jpg" is a PNG.
enum class ImageFormat
{
    Unknown,
    Jpeg,
    Png,
    Gif,
    Bmp,
    Tiff,
    Emf,
    WebP,
    Heif, // HEIC from phones: HEVC in the HEIF container
    Avif, // AV1 in the HEIF container
};

ImageFormat sniffFormat(QByteArrayView bytes);

// "jpeg", "png", … as the .xlsx package names its media parts.
QString fileExtension(ImageFormat format);

// The content type of a media part ("image/jpeg", "image/x-emf", …).
QString mimeType(ImageFormat format);

// Qt's image-plugin name for the format, empty where Qt has no reader (EMF).
QByteArray qtFormatName(ImageFormat format);

} // namespace host::imaging
