#pragma once

#include <QVariant>

#include <memory>
#include <vector>

namespace platform {
class Clipboard;
}

namespace picrows {

// The clipboard as the save-as-picture command sees it: a set of formats named by the codes
// the command was designed around, each stored here under a MIME type.
//
//   Code    Format                      MIME type on this platform           Value
//   1       text                        text/plain                           QString
//   2       bitmap                      application/x-qt-image (Qt's image;  QImage
//                                       desktops offer it as image/png,
//                                       image/bmp, …)
//   3       metafile picture            image/x-wmf                          QByteArray
//   8       device-independent bitmap   image/bmp                            QByteArray
//   9       palette                     none: desktops have no palette       —
//                                       format, so it is never offered
//   −16640  link                        application/x-picrows-copy (the      QString
//                                       host's note on its copy: size,
//                                       margin and the cells flag, as JSON)
//   14      enhanced metafile           image/x-emf                          QByteArray
enum ClipFormat : int
{
    kClipText = 1,
    kClipBitmap = 2,
    kClipMetafilePicture = 3,
    kClipDib = 8,
    kClipPalette = 9,
    kClipLink = -16640,
    kClipEnhMetafile = 14,
};

// The MIME type of a format code; empty for a code with no counterpart here.
QString clipFormatMime(int code);

class ClipFormats
{
public:
    virtual ~ClipFormats();
    virtual bool offers(int code) const = 0;
    // The value of an offered format (see the table); an invalid value when it is not offered.
    virtual QVariant data(int code) const = 0;
    virtual void clear() = 0;
    // Adds one format to what the clipboard holds, replacing that format if it was there.
    virtual void setData(int code, const QVariant& value) = 0;
    // Another program's copy is read once this process has been told of it.
    virtual quint64 changeCount() const { return 0; }
    virtual bool awaitChangeAfter(quint64 count, int ms)
    {
        (void)count;
        (void)ms;
        return true;
    }
};

// The formats of a clipboard of the platform (the desktop's, or a host's in this process,
// which knows the bitmap, the enhanced metafile, the text and the link and holds nothing else).
std::unique_ptr<ClipFormats> clipFormatsOf(platform::Clipboard& clipboard);

// The user's clipboard kept aside while the command borrows the clipboard: two parallel lists
// of values and format codes, in the order they were saved.
struct SavedClipboard
{
    std::vector<QVariant> data;
    std::vector<int> codes;
};

// Saves the formats 2, 3, 8, 9, link and 1, in that order, each that the clipboard offers.
// Errors are ignored format by format. The enhanced metafile is not saved.
SavedClipboard saveClipboard(const ClipFormats& clipboard);

// Clears the clipboard and puts the saved entries back from the first to the last, ignoring
// errors entry by entry.
void restoreClipboard(ClipFormats& clipboard, const SavedClipboard& saved);

} // namespace picrows
