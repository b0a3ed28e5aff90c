#include "main/save_picture/clip_formats.h"

#include "platform/clipboard.h"

#include <QImage>
#include <QMimeData>

#include <exception>

namespace picrows {

namespace {

namespace mime = platform::clip_mime;

// The order in which the user's clipboard is saved.
constexpr int kSaveOrder[] = {kClipBitmap, kClipMetafilePicture, kClipDib, kClipPalette, kClipLink,
                              kClipText};

bool isTextFormat(int code)
{
    return code == kClipText || code == kClipLink;
}

class PlatformClipFormats : public ClipFormats
{
public:
    explicit PlatformClipFormats(platform::Clipboard& clipboard) : m_clipboard(clipboard) {}

    bool offers(int code) const override
    {
        if (code == kClipBitmap)
            return m_clipboard.hasImage();
        const QString type = clipFormatMime(code);
        return !type.isEmpty() && m_clipboard.hasFormat(type);
    }

    QVariant data(int code) const override
    {
        if (!offers(code))
            return {};
        if (code == kClipBitmap)
            return QVariant(m_clipboard.image());
        const QByteArray bytes = m_clipboard.data(clipFormatMime(code));
        if (isTextFormat(code))
            return QVariant(QString::fromUtf8(bytes));
        return QVariant(bytes);
    }

    void clear() override { m_clipboard.clear(); }
    quint64 changeCount() const override { return m_clipboard.changeCount(); }
    bool awaitChangeAfter(quint64 count, int ms) override
    {
        return m_clipboard.awaitChangeAfter(count, ms);
    }

    void setData(int code, const QVariant& value) override
    {
        const QString type = clipFormatMime(code);
        if (type.isEmpty())
            return;
        // A clipboard takes whole sets of formats: copy what is there and add the new one.
        auto next = std::make_unique<QMimeData>();
        for (const QString& format : m_clipboard.formats()) {
            if (format == mime::kImage)
                next->setImageData(m_clipboard.image());
            else
                next->setData(format, m_clipboard.data(format));
        }
        if (code == kClipBitmap)
            next->setImageData(value.value<QImage>());
        else if (isTextFormat(code))
            next->setData(type, value.toString().toUtf8());
        else
            next->setData(type, value.toByteArray());
        m_clipboard.setMimeData(std::move(next));
    }

private:
    platform::Clipboard& m_clipboard;
};

} // namespace

ClipFormats::~ClipFormats() = default;

QString clipFormatMime(int code)
{
    switch (code) {
    case kClipText:
        return mime::kText;
    case kClipBitmap:
        return mime::kImage;
    case kClipMetafilePicture:
        return mime::kMetafilePicture;
    case kClipDib:
        return mime::kDib;
    case kClipLink:
        return mime::kHostCopy;
    case kClipEnhMetafile:
        return mime::kEnhMetafile;
    default:
        return {};
    }
}

std::unique_ptr<ClipFormats> clipFormatsOf(platform::Clipboard& clipboard)
{
    return std::make_unique<PlatformClipFormats>(clipboard);
}

SavedClipboard saveClipboard(const ClipFormats& clipboard)
{
    SavedClipboard saved;
    for (int code : kSaveOrder) {
        try {
            if (!clipboard.offers(code))
                continue;
            QVariant value = clipboard.data(code);
            saved.data.push_back(std::move(value));
            saved.codes.push_back(code);
        } catch (const std::exception&) {
            // this format stays behind; the others are still saved
        }
    }
    return saved;
}

void restoreClipboard(ClipFormats& clipboard, const SavedClipboard& saved)
{
    try {
        clipboard.clear();
    } catch (const std::exception&) {
    }
    for (size_t i = 0; i < saved.codes.size() && i < saved.data.size(); ++i) {
        try {
            clipboard.setData(saved.codes[i], saved.data[i]);
        } catch (const std::exception&) {
        }
    }
}

} // namespace picrows
