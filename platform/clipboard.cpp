#include "platform/clipboard.h"

#include <QClipboard>
#include <QElapsedTimer>
#include <QEventLoop>
#include <QGuiApplication>
#include <QJsonDocument>
#include <QJsonObject>
#include <QMimeData>
#include <QPointer>
#include <QThread>

#include <utility>

namespace platform {

namespace {

class DesktopClipboard : public Clipboard
{
public:
    QStringList formats() const override
    {
        const QMimeData* mime = current();
        return mime ? mime->formats() : QStringList();
    }
    bool hasImage() const override
    {
        const QMimeData* mime = current();
        return mime && mime->hasImage();
    }
    QImage image() const override
    {
        const QMimeData* mime = current();
        return mime ? qvariant_cast<QImage>(mime->imageData()) : QImage();
    }
    QByteArray data(const QString& mimeType) const override
    {
        const QMimeData* mime = current();
        return mime ? mime->data(mimeType) : QByteArray();
    }
    void clear() override { QGuiApplication::clipboard()->clear(); }
    void setMimeData(std::unique_ptr<QMimeData> data) override
    {
        QGuiApplication::clipboard()->setMimeData(data.release());
    }
    quint64 changeCount() const override
    {
        follow();
        return m_changes;
    }
    bool awaitChangeAfter(quint64 count, int ms) override
    {
        follow();
        QElapsedTimer clock;
        clock.start();
        while (m_changes == count && clock.elapsed() < ms) {
            QCoreApplication::processEvents(QEventLoop::ExcludeUserInputEvents, 20);
            if (m_changes == count)
                QThread::msleep(5);
        }
        return m_changes != count;
    }

private:
    static const QMimeData* current() { return QGuiApplication::clipboard()->mimeData(); }
    // The application object, and its clipboard with it, may be made again (tests do).
    void follow() const
    {
        QClipboard* clipboard = QGuiApplication::clipboard();
        if (m_followed == clipboard)
            return;
        m_followed = clipboard;
        QObject::connect(clipboard, &QClipboard::dataChanged, clipboard, [this] { ++m_changes; });
    }

    mutable QPointer<QClipboard> m_followed;
    mutable quint64 m_changes = 0;
};

class ProcessClipboard : public Clipboard
{
public:
    QStringList formats() const override { return m_data ? m_data->formats() : QStringList(); }
    bool hasImage() const override { return m_data && m_data->hasImage(); }
    QImage image() const override
    {
        return m_data ? qvariant_cast<QImage>(m_data->imageData()) : QImage();
    }
    QByteArray data(const QString& mimeType) const override
    {
        return m_data ? m_data->data(mimeType) : QByteArray();
    }
    void clear() override { m_data.reset(); }
    void setMimeData(std::unique_ptr<QMimeData> data) override { m_data = std::move(data); }

private:
    std::unique_ptr<QMimeData> m_data;
};

Clipboard*& installed()
{
    static Clipboard* clipboard = nullptr;
    return clipboard;
}

} // namespace

Clipboard::~Clipboard() = default;

std::optional<CopyNote> Clipboard::copyNote() const
{
    if (!hasFormat(clip_mime::kHostCopy))
        return std::nullopt;
    return CopyNote::fromJson(data(clip_mime::kHostCopy));
}

QByteArray CopyNote::toJson() const
{
    QJsonObject note;
    note[QStringLiteral("width")] = points.width();
    note[QStringLiteral("height")] = points.height();
    note[QStringLiteral("margin")] = margin;
    note[QStringLiteral("cells")] = cells;
    return QJsonDocument(note).toJson(QJsonDocument::Compact);
}

std::optional<CopyNote> CopyNote::fromJson(const QByteArray& json)
{
    const QJsonDocument document = QJsonDocument::fromJson(json);
    if (!document.isObject())
        return std::nullopt;
    const QJsonObject note = document.object();
    CopyNote parsed;
    parsed.points = QSizeF(note.value(QStringLiteral("width")).toDouble(),
                           note.value(QStringLiteral("height")).toDouble());
    parsed.margin = note.value(QStringLiteral("margin")).toDouble();
    parsed.cells = note.value(QStringLiteral("cells")).toBool();
    return parsed;
}

QSizeF imagePoints(const QImage& image)
{
    const auto points = [](int pixels, int dotsPerMetre) {
        const double dpi = dotsPerMetre > 0 ? dotsPerMetre * 0.0254 : 96.0;
        return pixels * 72.0 / dpi;
    };
    return QSizeF(points(image.width(), image.dotsPerMeterX()),
                  points(image.height(), image.dotsPerMeterY()));
}

Clipboard& clipboard()
{
    if (Clipboard* c = installed())
        return *c;
    if (qobject_cast<QGuiApplication*>(QCoreApplication::instance())) {
        static DesktopClipboard desktop;
        return desktop;
    }
    static ProcessClipboard local;
    return local;
}

Clipboard* exchangeClipboard(Clipboard* clipboard)
{
    return std::exchange(installed(), clipboard);
}

std::unique_ptr<Clipboard> makeDesktopClipboard()
{
    return std::make_unique<DesktopClipboard>();
}

std::unique_ptr<Clipboard> makeProcessClipboard()
{
    return std::make_unique<ProcessClipboard>();
}

} // namespace platform
