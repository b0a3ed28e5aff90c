#pragma once

#include <QByteArray>
#include <QImage>
#include <QString>

#include <optional>

namespace picrows {

// The image writers a bitmap can be saved with, chosen by a file's extension.
enum class BitmapEncoder
{
    Jpeg,
    Gif,
    Png,
    Tiff,
    Bmp,
};

// The writer for the extension after the last "." of `path`, without regard to case: "JPG"
// and "JPEG", "GIF", "PNG", "TIF" and "BMP". None for any other extension (".tiff" too) and
// for a path without a ".".
std::optional<BitmapEncoder> encoderForPath(const QString& path);

// JPEG quality when the caller asks for none: the usual default of JPEG encoders.
inline constexpr int kDefaultJpegQuality = 75;

// The image encoded by `encoder`; `jpegQuality` (1–100, or -1 for the default) is used by
// JPEG only. The image's resolution is kept where the format records one. Empty on failure.
QByteArray encodeBitmap(const QImage& image, BitmapEncoder encoder, int jpegQuality = -1);

// The image as the clipboard's bitmap is: opaque, transparent parts white, same size and
// resolution.
QImage opaqueCopy(const QImage& image);

// Writes `bytes` beside `path` and renames the result into place; false when that fails.
bool writeFileAtomically(const QString& path, const QByteArray& bytes);

} // namespace picrows
