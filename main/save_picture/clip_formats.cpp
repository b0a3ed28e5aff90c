#include "main/save_picture/clip_formats.h"

#include "host/render/clipboard.h"

#include <QClipboard>
#include <QGuiApplication>
#include <QImage>
#include <QJsonDocument>
#include <QJsonObject>
#include <QMimeData>

#include <exception>

namespace picrows {

namespace {

const QString kQtImage = QStringLiteral("application/x-qt-image");
const QString kHostCopy = QStringLiteral("application/x-picrows-copy");

// The order in which the user's clipboard is saved.
constexpr int kSaveOrder[] = {kClipBitmap, kClipMetafilePicture, kClipDib, kClipPalette, kClipLink,
                              kClipText};

bool isTextFormat(int code)
{
    return code == kClipText || code == kClipLink;
}

class DesktopClipFormats : public ClipFormats
{
public:
    bool offers(int code) const override
    {
        const QMimeData* mime = current();
        if (!mime)
            return false;
        if (code == kClipBitmap)
            return mime->hasImage();
        if (code == kClipText)
            return mime->hasText();
        const QString type = clipFormatMime(code);
        return !type.isEmpty() && mime->hasFormat(type);
    }

    QVariant data(int code) const override
    {
        if (!offers(code))
            return {};
        const QMimeData* mime = current();
        if (code == kClipBitmap)
            return QVariant(qvariant_cast<QImage>(mime->imageData()));
        if (code == kClipText)
            return QVariant(mime->text());
        const QByteArray bytes = mime->data(clipFormatMime(code));
        if (isTextFormat(code))
            return QVariant(QString::fromUtf8(bytes));
        return QVariant(bytes);
    }

    void clear() override { QGuiApplication::clipboard()->clear(); }

    void setData(int code, const QVariant& value) override
    {
        const QString type = clipFormatMime(code);
        if (type.isEmpty())
            return;
        // QClipboard takes whole sets of formats: copy what is there and add the new one.
        auto* next = new QMimeData;
        if (const QMimeData* held = current()) {
            for (const QString& format : held->formats()) {
                if (format == kQtImage)
                    next->setImageData(held->imageData());
                else
                    next->setData(format, held->data(format));
            }
        }
        if (code == kClipBitmap)
            next->setImageData(value.value<QImage>());
        else if (code == kClipText)
            next->setText(value.toString());
        else if (isTextFormat(code))
            next->setData(type, value.toString().toUtf8());
        else
            next->setData(type, value.toByteArray());
        QGuiApplication::clipboard()->setMimeData(next);
    }

private:
    static const QMimeData* current() { return QGuiApplication::clipboard()->mimeData(); }
};

QString linkText(const host::render::ClipContent& content)
{
    QJsonObject copy;
    copy[QStringLiteral("width")] = content.points.width();
    copy[QStringLiteral("height")] = content.points.height();
    copy[QStringLiteral("margin")] = content.margin;
    copy[QStringLiteral("cells")] = content.cells;
    return QString::fromUtf8(QJsonDocument(copy).toJson(QJsonDocument::Compact));
}

void applyLinkText(host::render::ClipContent& content, const QString& text)
{
    const QJsonObject copy = QJsonDocument::fromJson(text.toUtf8()).object();
    const QSizeF points(copy.value(QStringLiteral("width")).toDouble(),
                        copy.value(QStringLiteral("height")).toDouble());
    if (!points.isEmpty())
        content.points = points;
    content.margin = copy.value(QStringLiteral("margin")).toDouble();
    content.cells = copy.value(QStringLiteral("cells")).toBool();
}

class HostClipFormats : public ClipFormats
{
public:
    explicit HostClipFormats(std::shared_ptr<host::render::HostClipboard> clip)
        : m_clip(std::move(clip))
    {
    }

    bool offers(int code) const override
    {
        const auto content = m_clip->content();
        if (!content)
            return false;
        switch (code) {
        case kClipBitmap:
            return !content->bitmap.isNull();
        case kClipEnhMetafile:
            return !content->emf.isEmpty();
        case kClipText:
            return !content->text.isEmpty();
        case kClipLink:
            return content->cells;
        default:
            return false;
        }
    }

    QVariant data(int code) const override
    {
        if (!offers(code))
            return {};
        const host::render::ClipContent content = *m_clip->content();
        switch (code) {
        case kClipBitmap:
            return QVariant(content.bitmap);
        case kClipEnhMetafile:
            return QVariant(content.emf);
        case kClipText:
            return QVariant(content.text);
        default:
            return QVariant(linkText(content));
        }
    }

    void clear() override { m_clip->clear(); }

    void setData(int code, const QVariant& value) override
    {
        host::render::ClipContent content = m_clip->content().value_or(host::render::ClipContent{});
        switch (code) {
        case kClipBitmap:
            content.bitmap = value.value<QImage>();
            if (content.points.isEmpty())
                content.points = host::render::pointsOf(content.bitmap);
            break;
        case kClipEnhMetafile:
            content.emf = value.toByteArray();
            break;
        case kClipText:
            content.text = value.toString();
            break;
        case kClipLink:
            applyLinkText(content, value.toString());
            break;
        default:
            return; // a format this clipboard cannot hold
        }
        m_clip->put(content);
    }

private:
    std::shared_ptr<host::render::HostClipboard> m_clip;
};

} // namespace

ClipFormats::~ClipFormats() = default;

QString clipFormatMime(int code)
{
    switch (code) {
    case kClipText:
        return QStringLiteral("text/plain");
    case kClipBitmap:
        return kQtImage;
    case kClipMetafilePicture:
        return QStringLiteral("image/x-wmf");
    case kClipDib:
        return QStringLiteral("image/bmp");
    case kClipLink:
        return kHostCopy;
    case kClipEnhMetafile:
        return QStringLiteral("image/x-emf");
    default:
        return {};
    }
}

std::unique_ptr<ClipFormats> desktopClipFormats()
{
    return std::make_unique<DesktopClipFormats>();
}

std::unique_ptr<ClipFormats> hostClipFormats(std::shared_ptr<host::render::HostClipboard> clip)
{
    return std::make_unique<HostClipFormats>(std::move(clip));
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
