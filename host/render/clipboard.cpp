#include "host/render/clipboard.h"

#include "platform/clipboard.h"

#include <QClipboard>
#include <QGuiApplication>
#include <QMimeData>

namespace host::render {

namespace {

// The types every program of the suite reads the clipboard by, in this process or another.
const QString& kEmfType = platform::clip_mime::kEnhMetafile;
const QString& kImageType = platform::clip_mime::kImage;
const QString& kTextType = platform::clip_mime::kText;
const QString& kCopyType = platform::clip_mime::kHostCopy;

class ProcessClipboard : public HostClipboard
{
public:
    void put(const ClipContent& content) override { m_content = content; }
    std::optional<ClipContent> content() const override
    {
        if (m_content.isEmpty())
            return std::nullopt;
        m_content = materialized(std::move(m_content)); // rendered once, on first demand
        return m_content;
    }
    void clear() override { m_content = {}; }
    bool keepsPending() const override { return true; }
    std::optional<ClipContent> pasteSource() const override
    {
        if (m_content.isEmpty())
            return std::nullopt;
        return m_content;
    }

private:
    mutable ClipContent m_content;
};

// What a copy puts on the desktop clipboard: its formats are offered at once and rendered
// only when somebody asks for them (the desktop's delayed rendering), so a copy that is only
// pasted back into this host is never rendered.
class CopyMimeData : public QMimeData
{
public:
    explicit CopyMimeData(ClipContent content) : m_content(std::move(content)) {}

    const ClipContent& content() const { return m_content; }

    QStringList formats() const override { return clipFormatsOf(m_content); }

protected:
    QVariant retrieveData(const QString& type, QMetaType) const override
    {
        if (type == kCopyType)
            return copyNoteOf(m_content);
        if (type == kTextType)
            return m_content.text.isEmpty() ? QVariant() : QVariant(m_content.text);
        if (m_content.pending)
            m_content = materialized(std::move(m_content));
        if (type == kImageType && !m_content.bitmap.isNull())
            return m_content.bitmap;
        if (type == kEmfType && !m_content.emf.isEmpty())
            return m_content.emf;
        return {};
    }

private:
    mutable ClipContent m_content;
};

class DesktopClipboard : public HostClipboard
{
public:
    void put(const ClipContent& content) override
    {
        QGuiApplication::clipboard()->setMimeData(new CopyMimeData(content));
    }

    std::optional<ClipContent> content() const override
    {
        const QMimeData* data = QGuiApplication::clipboard()->mimeData();
        if (!data)
            return std::nullopt;
        return clipContentOf(*data);
    }

    void clear() override { QGuiApplication::clipboard()->clear(); }

    bool keepsPending() const override { return true; }

    // Our own copy, while the clipboard still holds it, is pasted as it was put there.
    std::optional<ClipContent> pasteSource() const override
    {
        const auto* ours =
            dynamic_cast<const CopyMimeData*>(QGuiApplication::clipboard()->mimeData());
        if (ours && !ours->content().isEmpty())
            return ours->content();
        return content();
    }
};

} // namespace

QSizeF pointsOf(const QImage& image)
{
    return platform::imagePoints(image);
}

QStringList clipFormatsOf(const ClipContent& content)
{
    QStringList list;
    if (!content.bitmap.isNull() || content.pending)
        list << kImageType << kEmfType;
    else if (!content.emf.isEmpty())
        list << kEmfType;
    if (!content.text.isEmpty())
        list << kTextType;
    list << kCopyType;
    return list;
}

QByteArray copyNoteOf(const ClipContent& content)
{
    return platform::CopyNote{content.points, content.margin, content.cells}.toJson();
}

std::optional<ClipContent> clipContentOf(const QMimeData& data)
{
    ClipContent content;
    if (data.hasImage())
        content.bitmap = qvariant_cast<QImage>(data.imageData());
    if (data.hasFormat(kEmfType))
        content.emf = data.data(kEmfType);
    if (data.hasText())
        content.text = data.text();
    if (content.isEmpty())
        return std::nullopt;
    content.points = pointsOf(content.bitmap);
    if (data.hasFormat(kCopyType)) {
        if (const auto note = platform::CopyNote::fromJson(data.data(kCopyType))) {
            if (!note->points.isEmpty())
                content.points = note->points;
            content.margin = note->margin;
            content.cells = note->cells;
        }
    }
    return content;
}

std::shared_ptr<HostClipboard> makeDefaultClipboard()
{
    if (qobject_cast<QGuiApplication*>(QCoreApplication::instance()))
        return std::make_shared<DesktopClipboard>();
    return makeProcessClipboard();
}

std::shared_ptr<HostClipboard> makeProcessClipboard()
{
    return std::make_shared<ProcessClipboard>();
}

} // namespace host::render
