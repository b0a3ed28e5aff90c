#pragma once

#include <QByteArray>
#include <QImage>
#include <QSizeF>
#include <QString>
#include <QStringList>

#include <memory>
#include <optional>

class QMimeData;

// The host's clipboard. What Copy puts there is a rendering in several formats, as the
// platform's host offers them: a bitmap, an enhanced metafile, and for cells their text and a
// marker that says cells were copied. On a desktop it is the desktop clipboard (so it crosses
// processes); without one it is kept in the process.
namespace host::render {

class ShapeCopy;

struct ClipContent
{
    QImage bitmap;      // the rendering; its dots per metre give its size in points
    QByteArray emf;     // the same rendering as an enhanced metafile
    QString text;       // cells only: their values, tab- and newline-separated
    bool cells = false; // copied cells (the link format)
    QSizeF points;      // the rendering's size in points, margins included
    double margin = 0;  // points of empty margin the copy has on each side
    // A copy of shapes not rendered yet: bitmap and metafile are made from it when asked for
    // (materialized); a paste takes it as it is.
    std::shared_ptr<const ShapeCopy> pending;

    bool isEmpty() const { return bitmap.isNull() && emf.isEmpty() && text.isEmpty() && !pending; }
};

// The content with its bitmap and metafile made, when it was a pending copy.
ClipContent materialized(ClipContent content);

class HostClipboard
{
public:
    virtual ~HostClipboard() = default;
    virtual void put(const ClipContent& content) = 0;
    // What the clipboard holds now, in the formats this host understands; none when it holds
    // nothing the host can paste.
    virtual std::optional<ClipContent> content() const = 0;
    virtual void clear() = 0;

    // Whether it can hold a copy of shapes not rendered yet (it renders it when its content is
    // asked for); one that cannot is given rendered copies only.
    virtual bool keepsPending() const { return false; }
    // What PasteSpecial takes: the content, a pending copy left unrendered.
    virtual std::optional<ClipContent> pasteSource() const { return content(); }
};

// The size an image states through its resolution, in points (96 dpi when it states none).
QSizeF pointsOf(const QImage& image);

// How a content travels on a clipboard, under the MIME types of platform/clipboard.h: the
// types it offers (a pending copy offers the bitmap and metafile it will render), and the
// host's note on it (size, margin, cells).
QStringList clipFormatsOf(const ClipContent& content);
QByteArray copyNoteOf(const ClipContent& content);
// What a set of clipboard formats holds that this host can paste; none when nothing.
std::optional<ClipContent> clipContentOf(const QMimeData& data);

// The desktop clipboard when a QGuiApplication runs, else one kept in this process.
std::shared_ptr<HostClipboard> makeDefaultClipboard();
// A clipboard kept in this process only (tests, the batch command).
std::shared_ptr<HostClipboard> makeProcessClipboard();

} // namespace host::render
