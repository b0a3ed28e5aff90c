#pragma once

#include <QString>

namespace picrows {

class ClipFormats;

// Writes the clipboard's bitmap to `path` in the format its extension names (see
// encoderForPath), JPEG at the encoder's default quality. An unknown extension shows
// "Unknown File Extention" and a clipboard without a bitmap "Failed to get hBmp" (OK, no icon,
// program title); both answer false. A failure to encode or write answers false silently.
// The bitmap is copied first and the copy is written opaque, transparent parts white.
bool F_SaveClipBmpAs(const QString& path, const ClipFormats& clipboard);
// The same on the clipboard in place (platform::clipboard()).
bool F_SaveClipBmpAs(const QString& path);

} // namespace picrows
