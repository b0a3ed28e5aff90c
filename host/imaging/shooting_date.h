#pragma once

#include <QByteArrayView>
#include <QDateTime>
#include <QString>

#include <optional>

namespace host::imaging {

// When a photograph was taken, as its EXIF block says: DateTimeOriginal, else
// DateTimeDigitized, read from a JPEG, PNG, WebP, TIFF, HEIC or AVIF file's metadata. EXIF
// dates carry no time zone: the camera's clock is taken as local time, which is what the
// photographer saw. None when the picture states no valid date.
std::optional<QDateTime> shootingDate(QByteArrayView bytes);

// The same for a picture file; none when it cannot be read.
std::optional<QDateTime> shootingDateOfFile(const QString& path);

} // namespace host::imaging
