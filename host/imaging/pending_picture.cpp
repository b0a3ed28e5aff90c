#include "host/imaging/pending_picture.h"

#include "host/automation/host_error.h"
#include "host/imaging/picture_codecs.h"
#include "host/imaging/worker_pool.h"

#include <QThreadPool>

namespace host::imaging {

namespace {

QByteArray uniqueKey()
{
    static std::atomic<quint64> next{1};
    return QByteArrayLiteral("pending:") + QByteArray::number(next++);
}

bool hasTransparency(ImageFormat format)
{
    return format == ImageFormat::Png || format == ImageFormat::Gif;
}

} // namespace

QThreadPool& workerPool()
{
    static QThreadPool* pool = [] {
        auto* p = new QThreadPool;
        p->setMaxThreadCount(QThread::idealThreadCount());
        p->setExpiryTimeout(2000);
        return p;
    }();
    return *pool;
}

PendingPicture::PendingPicture(ImageFormat format, QSize pixelSize)
    : m_format(format), m_pixelSize(pixelSize), m_key(uniqueKey())
{
}

PendingPicture::~PendingPicture() = default;

QByteArray PendingPicture::bytes() const
{
    std::call_once(m_once, [this] {
        try {
            m_bytes = encodePicture(render(m_pixelSize), m_format);
        } catch (const HostError&) {
            m_bytes.clear();
        }
        m_made.store(true, std::memory_order_release);
        dropSource();
    });
    return m_bytes;
}

QImage PendingPicture::pixels(QSize size) const
{
    // Rendered straight unless the format's own loss shows: a GIF's palette does.
    if (!isMade() && m_format != ImageFormat::Gif) {
        QImage image = render(size);
        if (!image.isNull())
            return hasTransparency(m_format) ? image : onWhite(image);
    }
    // Made meanwhile (its source gone), or the rendering failed: from the encoded picture.
    const QByteArray made = bytes();
    QImage decoded;
    try {
        decoded = made.isEmpty() ? QImage() : decodeImage(made);
    } catch (const HostError&) {
        return {};
    }
    if (!decoded.isNull() && decoded.size() != size)
        decoded = decoded.scaled(size, Qt::IgnoreAspectRatio, Qt::SmoothTransformation);
    return decoded;
}

void makeInBackground(const std::shared_ptr<PendingPicture>& picture)
{
    if (!picture || picture->isMade() || !picture->claim())
        return;
    workerPool().start([picture] { picture->bytes(); });
}

void makeAll(const std::vector<std::shared_ptr<PendingPicture>>& pictures)
{
    for (const auto& picture : pictures)
        makeInBackground(picture);
    // This thread works along too: a picture no worker has started yet is made here, one a
    // worker is making is waited for.
    for (const auto& picture : pictures)
        picture->bytes();
}

} // namespace host::imaging
