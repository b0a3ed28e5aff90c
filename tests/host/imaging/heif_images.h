#pragma once

#include <QByteArray>
#include <QImage>

// HEIC and AVIF files the imaging tests make in code with libheif's encoders.
namespace imaging_test {

// The image stored as HEIC (or AVIF) at quality 90, with the container's rotation and
// mirroring set so that a viewer shows it as EXIF orientation `orientation` shows its stored
// rows (1: as stored), and with `exif` (a TIFF structure) as its EXIF block when not empty.
// An image with an alpha channel keeps it.
QByteArray encodeHeif(const QImage& stored, bool avif, int orientation = 1,
                      const QByteArray& exif = {});

} // namespace imaging_test
