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

// The size an image states through its resolution (96 dpi when it states none).
QSizeF pointsOf(const QImage& image)
{
    const auto points = [](int pixels, int dotsPerMetre) {
        const double dpi = dotsPerMetre > 0 ? dotsPerMetre * 0.0254 : 96.0;
        return pixels * 72.0 / dpi;
    };
    return QSizeF(points(image.width(), image.dotsPerMeterX()),
                  points(image.height(), image.dotsPerMeterY()));
}

class DesktopClipboard : public HostClipboard
{
public:
    void put(const ClipContent& pendingOrNot) override
    {
        const ClipContent content = materialized(pendingOrNot);
        auto* data = new QMimeData;
        if (!content.bitmap.isNull())
            data->setImageData(content.bitmap);
        if (!content.emf.isEmpty())
            data->setData(kEmfType, content.emf);
        if (!content.text.isEmpty())
            data->setText(content.text);
        QJsonObject copy;
        copy[QStringLiteral("width")] = content.points.width();
        copy[QStringLiteral("height")] = content.points.height();
        copy[QStringLiteral("margin")] = content.margin;
        copy[QStringLiteral("cells")] = content.cells;
        data->setData(kCopyType, QJsonDocument(copy).toJson(QJsonDocument::Compact));
        QGuiApplication::clipboard()->setMimeData(data);
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
};

} // namespace

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
