#include "host/render/clipboard.h"

#include <QClipboard>
#include <QGuiApplication>
#include <QJsonDocument>
#include <QJsonObject>
#include <QMimeData>

namespace host::render {

namespace {

// The enhanced metafile, under the MIME type desktops use for it.
const QString kEmfType = QStringLiteral("image/x-emf");
const QString kImageType = QStringLiteral("application/x-qt-image");
const QString kTextType = QStringLiteral("text/plain");
// What only this host understands: the copy's size in points, its margin, and whether it
// was cells (the link format of the platform's host).
const QString kCopyType = QStringLiteral("application/x-picrows-copy");

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

    QStringList formats() const override
    {
        QStringList list;
        if (!m_content.bitmap.isNull() || m_content.pending)
            list << kImageType << kEmfType;
        else if (!m_content.emf.isEmpty())
            list << kEmfType;
        if (!m_content.text.isEmpty())
            list << kTextType;
        list << kCopyType;
        return list;
    }

protected:
    QVariant retrieveData(const QString& type, QMetaType) const override
    {
        if (type == kCopyType) {
            QJsonObject copy;
            copy[QStringLiteral("width")] = m_content.points.width();
            copy[QStringLiteral("height")] = m_content.points.height();
            copy[QStringLiteral("margin")] = m_content.margin;
            copy[QStringLiteral("cells")] = m_content.cells;
            return QJsonDocument(copy).toJson(QJsonDocument::Compact);
        }
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
        ClipContent content;
        if (data->hasImage())
            content.bitmap = qvariant_cast<QImage>(data->imageData());
        if (data->hasFormat(kEmfType))
            content.emf = data->data(kEmfType);
        if (data->hasText())
            content.text = data->text();
        if (content.isEmpty())
            return std::nullopt;
        content.points = pointsOf(content.bitmap);
        if (data->hasFormat(kCopyType)) {
            const QJsonObject copy = QJsonDocument::fromJson(data->data(kCopyType)).object();
            const QSizeF points(copy.value(QStringLiteral("width")).toDouble(),
                                copy.value(QStringLiteral("height")).toDouble());
            if (!points.isEmpty())
                content.points = points;
            content.margin = copy.value(QStringLiteral("margin")).toDouble();
            content.cells = copy.value(QStringLiteral("cells")).toBool();
        }
        return content;
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
    const auto points = [](int pixels, int dotsPerMetre) {
        const double dpi = dotsPerMetre > 0 ? dotsPerMetre * 0.0254 : 96.0;
        return pixels * 72.0 / dpi;
    };
    return QSizeF(points(image.width(), image.dotsPerMeterX()),
                  points(image.height(), image.dotsPerMeterY()));
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
