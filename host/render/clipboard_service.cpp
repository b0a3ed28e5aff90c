#include "host/render/clipboard_service.h"

#include "host/render/clipboard.h"

#include <QMimeData>

namespace host::render {

namespace {

class HostClipboardService : public platform::Clipboard
{
public:
    explicit HostClipboardService(std::shared_ptr<HostClipboard> clipboard)
        : m_clipboard(std::move(clipboard))
    {
    }

    // What is there is told without rendering a pending copy.
    QStringList formats() const override
    {
        const auto source = m_clipboard->pasteSource();
        return source ? clipFormatsOf(*source) : QStringList();
    }
    bool hasImage() const override
    {
        const auto source = m_clipboard->pasteSource();
        return source && (!source->bitmap.isNull() || source->pending);
    }
    QImage image() const override
    {
        const auto content = m_clipboard->content();
        return content ? content->bitmap : QImage();
    }
    QByteArray data(const QString& mimeType) const override
    {
        namespace mime = platform::clip_mime;
        if (mimeType == mime::kHostCopy) {
            const auto source = m_clipboard->pasteSource();
            return source ? copyNoteOf(*source) : QByteArray();
        }
        if (mimeType == mime::kText) {
            const auto source = m_clipboard->pasteSource();
            return source ? source->text.toUtf8() : QByteArray();
        }
        if (mimeType == mime::kEnhMetafile) {
            const auto content = m_clipboard->content();
            return content ? content->emf : QByteArray();
        }
        return {};
    }
    void clear() override { m_clipboard->clear(); }
    void setMimeData(std::unique_ptr<QMimeData> data) override
    {
        const auto content = data ? clipContentOf(*data) : std::nullopt;
        if (content)
            m_clipboard->put(*content);
        else
            m_clipboard->clear();
    }

private:
    std::shared_ptr<HostClipboard> m_clipboard;
};

} // namespace

std::unique_ptr<platform::Clipboard> clipboardService(std::shared_ptr<HostClipboard> clipboard)
{
    return std::make_unique<HostClipboardService>(std::move(clipboard));
}

} // namespace host::render
