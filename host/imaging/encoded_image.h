#pragma once

#include "host/imaging/image_format.h"

#include <QByteArray>
#include <QSize>
#include <QSizeF>

#include <memory>

namespace host::imaging {

class PendingPicture;

// A picture as the host keeps it: the encoded bytes exactly as they came (a file's bytes, a
// workbook's media part), what their header says, and a key for the decoded-image cache.
// Copies share the bytes. A pasted rendering the host has not encoded yet has no bytes but a
// pending picture that makes them (pending_picture.h).
struct EncodedImage
{
    QByteArray bytes;
    std::shared_ptr<PendingPicture> pending;
    ImageFormat format = ImageFormat::Unknown;
    QSize pixelSize;  // as stored, before any orientation the metadata states
    double dpiX = 96; // the stored resolution, 96 where the file states none
    double dpiY = 96;
    QByteArray key; // SHA-1 of the bytes

    bool isNull() const { return bytes.isEmpty() && !pending; }
    // The encoded picture: the bytes, or the pending picture's, made now if need be.
    QByteArray encodedBytes() const;

    // The picture's untouched size in points: pixels × 72 / dpi.
    QSizeF untouchedSize() const;
};

// What the header says: format (from the content), pixel size and stored resolution. Decodes
// nothing. A picture the host cannot use (empty, not a picture format, no readable header, or
// dimensions beyond image_limits.h) is refused with a host error.
EncodedImage probePicture(QByteArray bytes);

// What inserting a picture does: probePicture, then the whole picture is decoded to prove it
// intact (a truncated file is refused), and a picture whose metadata says it was taken turned
// is made upright: a JPEG by a lossless transform with its EXIF orientation set to 1, a PNG or
// TIFF by re-encoding as PNG. HEIC, AVIF and WebP, which not every spreadsheet program shows,
// are stored upright as JPEG, or as PNG when they have transparency (HEIC and AVIF as their
// container turns them, WebP by its EXIF orientation). Otherwise the bytes are kept as they
// are.
EncodedImage loadPicture(QByteArray bytes);

// loadPicture on a file's contents; a file that cannot be read is refused the same way.
// Taken from what was read ahead when the file was announced (read_ahead.h).
EncodedImage loadPictureFile(const QString& path);
// The same, read here and now.
EncodedImage loadPictureFileNow(const QString& path);

} // namespace host::imaging
