#include "host/imaging/shooting_date.h"

#include "host/imaging/heif_decoder.h"
#include "host/imaging/image_format.h"
#include "host/imaging/picture_metadata.h"
#include "host/imaging/tiff_tags.h"

#include <QFile>

namespace host::imaging {

namespace {

// "YYYY:MM:DD HH:MM:SS"; cameras without a set clock write blanks or zeros instead.
std::optional<QDateTime> exifDate(const TiffTags& tags, quint16 tag)
{
    const auto entry = tags.findExif(tag);
    const auto text = entry ? tags.text(*entry) : std::nullopt;
    if (!text || text->size() < 19)
        return std::nullopt;
    const QDateTime when = QDateTime::fromString(QString::fromLatin1(text->first(19)),
                                                 QStringLiteral("yyyy:MM:dd HH:mm:ss"));
    if (!when.isValid())
        return std::nullopt;
    return when;
}

std::optional<QDateTime> dateOf(QByteArrayView exif)
{
    const TiffTags tags(exif);
    if (auto when = exifDate(tags, tiff::DateTimeOriginal))
        return when;
    return exifDate(tags, tiff::DateTimeDigitized);
}

} // namespace

std::optional<QDateTime> shootingDate(QByteArrayView bytes)
{
    const ImageFormat format = sniffFormat(bytes);
    if (format == ImageFormat::Heif || format == ImageFormat::Avif) {
        const auto header = readHeifHeader(bytes);
        return header ? dateOf(header->exif) : std::nullopt;
    }
    const auto exif = embeddedExif(format, bytes);
    return exif ? dateOf(*exif) : std::nullopt;
}

std::optional<QDateTime> shootingDateOfFile(const QString& path)
{
    QFile file(path);
    if (!file.open(QIODevice::ReadOnly))
        return std::nullopt;
    return shootingDate(file.readAll());
}

} // namespace host::imaging
