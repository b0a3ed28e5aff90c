#pragma once

#include "platform/service_slot.h"

#include <QByteArray>
#include <QImage>
#include <QSizeF>
#include <QString>
#include <QStringList>

#include <memory>
#include <optional>

class QMimeData;

namespace platform {

// The MIME types under which clipboard formats travel between processes. The host's Copy
// offers its renderings under these, so a program in another process reads what it put there.
namespace clip_mime {
inline const QString kText = QStringLiteral("text/plain");
// Qt's image type; the desktop offers it to other programs as image/png, image/bmp, …
inline const QString kImage = QStringLiteral("application/x-qt-image");
inline const QString kEnhMetafile = QStringLiteral("image/x-emf");
inline const QString kMetafilePicture = QStringLiteral("image/x-wmf");
inline const QString kDib = QStringLiteral("image/bmp");
// The host's note on its own copy: the rendering's size in points, its empty margin, and
// whether cells were copied (the link format), as JSON.
inline const QString kHostCopy = QStringLiteral("application/x-picrows-copy");
} // namespace clip_mime

// What the host's note on a copy says (clip_mime::kHostCopy).
struct CopyNote
{
    QSizeF points;
    double margin = 0;
    bool cells = false;

    QByteArray toJson() const;
    static std::optional<CopyNote> fromJson(const QByteArray& json);
};

// The size an image states through its resolution, in points (96 dpi when it states none).
QSizeF imagePoints(const QImage& image);

// The clipboard: one set of formats at a time, each under its MIME type. Reading a format of a
// copy made in this process may render it then (a copy is rendered only when somebody reads it).
class Clipboard
{
public:
    virtual ~Clipboard();
    virtual QStringList formats() const = 0;
    // Whether it holds a bitmap in any image format the desktop converts.
    virtual bool hasImage() const = 0;
    virtual QImage image() const = 0;
    // The bytes of one format; empty when it is not held.
    virtual QByteArray data(const QString& mimeType) const = 0;
    virtual void clear() = 0;
    // Replaces everything the clipboard holds with `data`.
    virtual void setMimeData(std::unique_ptr<QMimeData> data) = 0;

    // Counts the changes of the clipboard this process has been told of. Another program's copy
    // reaches the desktop clipboard's list of formats only once this process has handled the
    // display's notice of it: a reader takes the count before asking for the copy and waits
    // for it to move before it reads. Clipboards without such a delay never move it.
    virtual quint64 changeCount() const { return 0; }
    // Lets events run until the count moves past `count`, or `ms` pass; whether it moved.
    virtual bool awaitChangeAfter(quint64 count, int ms)
    {
        (void)count;
        (void)ms;
        return true;
    }

    bool hasFormat(const QString& mimeType) const { return formats().contains(mimeType); }
    QString text() const { return QString::fromUtf8(data(clip_mime::kText)); }
    std::optional<CopyNote> copyNote() const;
};

// The clipboard in place: the one a front end or test installed, else the desktop's when a
// GUI application runs, else one kept in this process.
Clipboard& clipboard();
Clipboard* exchangeClipboard(Clipboard* clipboard);
using ScopedClipboard = ScopedService<Clipboard, &exchangeClipboard>;

// The desktop clipboard (QClipboard); needs a running QGuiApplication.
std::unique_ptr<Clipboard> makeDesktopClipboard();
// A clipboard kept in this process, for runs without a desktop.
std::unique_ptr<Clipboard> makeProcessClipboard();

} // namespace platform
