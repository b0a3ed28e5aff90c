#pragma once

#include <QByteArray>
#include <QColor>
#include <QImage>

// Pictures the imaging tests make in code, and byte surgery on encoded files.
namespace imaging_test {

// Four quadrants: red top-left, green top-right, blue bottom-left, yellow bottom-right.
QImage quadrants(int width, int height);
inline const QColor QuadrantColours[4] = {Qt::red, Qt::green, Qt::blue, Qt::yellow};

// A photograph-like image: smooth gradients with texture, thousands of colours.
QImage photoLike(int width, int height);

QByteArray encode(const QImage& image, const char* format, int quality = -1);

// A JPEG with full-resolution chroma (4:4:4) or subsampled (4:2:0), through TurboJPEG.
QByteArray encodeJpeg(const QImage& image, bool subsampled, int quality = 90);

// The EXIF block (the TIFF structure, without "Exif\0\0") stating an orientation, with EXIF
// pixel dimensions, in little- or big-endian order.
QByteArray exifTiff(int orientation, QSize pixels, bool bigEndian = false);

// An EXIF block stating an orientation and the dates a photograph was taken (DateTimeOriginal)
// and digitised (DateTimeDigitized) as EXIF writes them ("YYYY:MM:DD HH:MM:SS"); an empty
// date is left out.
QByteArray exifDates(int orientation, const char* original, const char* digitized,
                     bool bigEndian = false);

// The WebP (as Qt writes it) in the extended format with an EXIF chunk holding `tiff`.
QByteArray withWebpExif(const QByteArray& webp, const QByteArray& tiff);

// The JPEG with an APP1 EXIF segment inserted after its start marker.
QByteArray withExif(const QByteArray& jpeg, const QByteArray& tiff);

// The PNG with a chunk inserted before IEND (or after IHDR), its CRC computed.
QByteArray withPngChunk(const QByteArray& png, const char* type, const QByteArray& data,
                        bool afterHeader = false);

// A PNG whose IHDR claims the given size; the CRC is corrected so only the size is wrong.
QByteArray pngClaiming(const QByteArray& png, quint32 width, quint32 height);

quint32 crc32(const QByteArray& data);

// The largest difference of any channel (alpha included) between two colours.
int channelDistance(QRgb a, QRgb b);

// The largest channelDistance over all pixels; -1 when the sizes differ.
int maxDistance(const QImage& a, const QImage& b);

// The mean absolute channel difference over all pixels (colour channels only); 255 when the
// sizes differ.
double meanDistance(const QImage& a, const QImage& b);

} // namespace imaging_test
