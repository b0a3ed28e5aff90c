#pragma once

#include <QByteArray>
#include <QImage>
#include <QString>

class QMimeData;

namespace picrows {

// A picture the clipboard watch takes: a bitmap or an enhanced metafile.
struct ClipboardPicture
{
    enum class Kind
    {
        None,
        Bitmap,
        Metafile
    };
    Kind kind = Kind::None;
    QImage bitmap;
    QByteArray metafile;
};

// Looks at what the clipboard holds, in the watch's order: copied cells (the host's link
// marker) → nothing; text → nothing; a palette → nothing (desktops offer none); a bitmap →
// the bitmap; else an enhanced metafile → the metafile; else nothing.
ClipboardPicture clipboardPicture(const QMimeData* data);

// Writes the picture into `path` in its own format (PNG for a bitmap, which keeps its
// resolution and transparency; the metafile's bytes as they are). False when it cannot.
bool saveClipboardPicture(const ClipboardPicture& picture, const QString& path);

} // namespace picrows
