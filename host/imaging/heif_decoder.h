#pragma once

#include <QByteArray>
#include <QByteArrayView>
#include <QImage>
#include <QSize>
#include <QString>

#include <optional>

namespace host::imaging {

// HEIF pictures (HEIC from phones, AVIF) through libheif, which decodes the primary image with
// the container's own transformations applied: its rotation (irot), mirroring (imir) and clean
// aperture (clap). Those are what phones and viewers show, so the EXIF orientation a HEIF file
// also carries is information only and is never applied on top.

// What the container says of its primary image, without decoding it.
struct HeifHeader
{
    QSize size;         // as shown: after the container's rotation and crop
    bool alpha = false; // it has an alpha plane
    QByteArray exif;    // the EXIF block's TIFF structure, empty when there is none
};
std::optional<HeifHeader> readHeifHeader(QByteArrayView bytes);

// The primary image decoded and transformed as the container says: ARGB32 when it has an alpha
// plane, else RGB32. Null, with the reason in `error`, when it cannot be decoded; `strict`
// also refuses data libheif can only decode in part.
QImage decodeHeif(QByteArrayView bytes, bool strict, QString* error);

} // namespace host::imaging
