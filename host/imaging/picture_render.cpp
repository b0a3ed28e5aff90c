#include "host/imaging/picture_render.h"

#include "host/automation/host_error.h"
#include "host/imaging/decode_cache.h"
#include "host/imaging/encoded_image.h"
#include "host/imaging/lum_adjust.h"
#include "host/imaging/pending_picture.h"
#include "host/imaging/worker_pool.h"

#include <QCache>
#include <QMutex>
#include <QPainter>
#include <QSet>
#include <QThreadPool>
#include <QTransform>

#include <algorithm>
#include <cmath>

namespace host::imaging {

namespace {

// The largest JPEG scale denominator whose decode still has at least `needed` (a fraction of
// the full size) of the pixels; a hair of tolerance absorbs the rounding of the transforms.
// Pieces of pictures as drawn (cropped, reduced to about the size shown, colours adjusted),
// for drawing them again; thread-safe, up to 64 MB, least recently used dropped first.
constexpr qsizetype kPieceCacheKb = 64 * 1024;

struct PieceCache
{
    QMutex mutex;
    QCache<QByteArray, QImage> pieces{kPieceCacheKb};
};

PieceCache& pieceCache()
{
    static PieceCache instance;
    return instance;
}

QImage cachedPiece(const QByteArray& key)
{
    if (key.isEmpty())
        return {};
    PieceCache& c = pieceCache();
    QMutexLocker lock(&c.mutex);
    const QImage* found = c.pieces.object(key);
    return found ? *found : QImage();
}

void storePiece(const QByteArray& key, const QImage& piece)
{
    if (key.isEmpty())
        return;
    PieceCache& c = pieceCache();
    QMutexLocker lock(&c.mutex);
    c.pieces.insert(key, new QImage(piece), qMax<qsizetype>(1, piece.sizeInBytes() / 1024));
}

// The visible region in pixels of the whole picture; it reaches beyond the picture where a
// crop is negative.
QRectF sourceRect(const EncodedImage& image, const PictureLook& look)
{
    const QSizeF untouched = look.untouched;
    const double perPointX = image.pixelSize.width() / untouched.width();
    const double perPointY = image.pixelSize.height() / untouched.height();
    return QRectF(look.cropLeft * perPointX, look.cropTop * perPointY,
                  (untouched.width() - look.cropLeft - look.cropRight) * perPointX,
                  (untouched.height() - look.cropTop - look.cropBottom) * perPointY);
}

// Decodes being made ahead on the worker threads, by their cache keys.
struct Preparing
{
    QMutex mutex;
    QSet<QByteArray> keys;
};

Preparing& preparing()
{
    static Preparing instance;
    return instance;
}

int denominatorFor(double needed)
{
    for (int d : {8, 4, 2})
        if (1.0 / d >= needed - 1e-9)
            return d;
    return 1;
}

// `d` halved until every crop edge that falls on a whole source pixel inside the picture also
// falls on a whole pixel of the reduced decode; 1 for a pending copy cut so (it renders at any
// size, not by whole factors). A reduced read mixes neighbouring pixels, and an edge cut inside
// a reduced pixel would bring a shade of what was cropped away (a copy's white margin, say)
// back into the picture's outermost pixels.
int wholeEdgeDenominator(int d, const QRectF& source, QSize pixels, bool pending)
{
    const double edges[][2] = {{source.left(), double(pixels.width())},
                               {source.right(), double(pixels.width())},
                               {source.top(), double(pixels.height())},
                               {source.bottom(), double(pixels.height())}};
    for (const auto& [at, side] : edges) {
        const double whole = std::round(at);
        if (std::abs(at - whole) > 1e-6 || whole <= 0 || whole >= side)
            continue;
        if (pending)
            return 1;
        while (d > 1 && std::fmod(whole, d) != 0)
            d /= 2;
    }
    return d;
}

} // namespace

void prepareDecode(const EncodedImage& image, const PictureLook& look, QSizeF devicePixels)
{
    if (image.bytes.isEmpty() || image.key.isEmpty() || devicePixels.isEmpty() ||
        look.untouched.isEmpty() || image.pixelSize.isEmpty())
        return;
    const QRectF source = sourceRect(image, look);
    if (source.isEmpty())
        return;
    const int denominator = denominatorFor(
        std::max(devicePixels.width() / source.width(), devicePixels.height() / source.height()));
    if (isDecodeCached(image, denominator))
        return;
    const QByteArray key = image.key + char(denominator);
    {
        QMutexLocker lock(&preparing().mutex);
        if (preparing().keys.contains(key))
            return;
        preparing().keys.insert(key);
    }
    workerPool().start([image, denominator, key] {
        try {
            cachedDecode(image, denominator);
        } catch (const HostError&) {
            // Painting finds it refused in its turn.
        }
        QMutexLocker lock(&preparing().mutex);
        preparing().keys.remove(key);
    });
}

void clearPictureCaches()
{
    clearDecodeCache();
    PieceCache& c = pieceCache();
    QMutexLocker lock(&c.mutex);
    c.pieces.clear();
}

QRectF rotatedBounds(const QRectF& box, double rotation)
{
    QTransform turn;
    turn.translate(box.center().x(), box.center().y());
    turn.rotate(rotation);
    turn.translate(-box.center().x(), -box.center().y());
    return turn.mapRect(box);
}

void paintPicture(QPainter& painter, const QRectF& box, const EncodedImage& image,
                  const PictureLook& look)
{
    const QSizeF untouched = look.untouched;
    const double visibleWidth = untouched.width() - look.cropLeft - look.cropRight;
    const double visibleHeight = untouched.height() - look.cropTop - look.cropBottom;
    if (image.isNull() || box.isEmpty() || visibleWidth <= 0 || visibleHeight <= 0 ||
        untouched.isEmpty() || image.pixelSize.isEmpty())
        return;

    const QRectF source = sourceRect(image, look);

    // Device pixels along the box's sides, whatever the painter's rotation or scale.
    const QTransform device = painter.combinedTransform();
    const double deviceWidth = box.width() * std::hypot(device.m11(), device.m12());
    const double deviceHeight = box.height() * std::hypot(device.m21(), device.m22());
    const double needed = std::max(deviceWidth / source.width(), deviceHeight / source.height());

    QImage decoded;
    const bool pendingPaste = image.bytes.isEmpty() && image.pending && !image.pending->isMade();
    if (pendingPaste) {
        // A paste not encoded yet renders at just the size needed, no power of two.
        const bool whole = wholeEdgeDenominator(2, source, image.pixelSize, true) == 1;
        const auto side = [needed, whole](int pixels) {
            if (whole)
                return pixels;
            return std::clamp(int(std::ceil(pixels * std::min(needed, 1.0) - 1e-9)), 1, pixels);
        };
        decoded = image.pending->pixels(
            QSize(side(image.pixelSize.width()), side(image.pixelSize.height())));
        if (decoded.isNull())
            return;
    } else {
        try {
            decoded = cachedDecode(image, wholeEdgeDenominator(denominatorFor(needed), source,
                                                               image.pixelSize, false));
        } catch (const HostError&) {
            return;
        }
    }
    const double fx = double(decoded.width()) / image.pixelSize.width();
    const double fy = double(decoded.height()) / image.pixelSize.height();
    const QRectF scaledSource(source.x() * fx, source.y() * fy, source.width() * fx,
                              source.height() * fy);
    const QRectF shown = scaledSource.intersected(QRectF(decoded.rect()));
    if (shown.isEmpty())
        return;
    // Where the shown part lands in the box: margins stay empty where crops are negative.
    const double toBoxX = box.width() / scaledSource.width();
    const double toBoxY = box.height() / scaledSource.height();
    const QRectF target(box.x() + (shown.x() - scaledSource.x()) * toBoxX,
                        box.y() + (shown.y() - scaledSource.y()) * toBoxY, shown.width() * toBoxX,
                        shown.height() * toBoxY);

    // Copy out the whole pixels the shown part touches, so smoothing never reaches pixels
    // cropped away, and reduce it by area averaging when it is still well above the device
    // size; the painter's bilinear filter only has to bridge the last factor.
    const QRect whole = shown.toAlignedRect().intersected(decoded.rect());
    QRectF pieceSource = shown.translated(-whole.topLeft());
    const double targetPixelsX = shown.width() * toBoxX / box.width() * deviceWidth;
    const double targetPixelsY = shown.height() * toBoxY / box.height() * deviceHeight;
    const double reduce = std::max(targetPixelsX / shown.width(), targetPixelsY / shown.height());
    QSize smaller = whole.size();
    if (reduce < 0.5) {
        smaller = QSize(std::max(1, int(std::ceil(whole.width() * reduce))),
                        std::max(1, int(std::ceil(whole.height() * reduce))));
        const double sx = double(smaller.width()) / whole.width();
        const double sy = double(smaller.height()) / whole.height();
        pieceSource = QRectF(pieceSource.x() * sx, pieceSource.y() * sy, pieceSource.width() * sx,
                             pieceSource.height() * sy);
    }
    const int bright = lumAttribute(look.brightness);
    const int contrast = lumAttribute(look.contrast);
    // The piece depends on nothing but these; a view redrawn while it scrolls asks for the
    // same pieces again and gets exactly the pixels it got before.
    const QByteArray pieceKey =
        image.key.isEmpty() || pendingPaste
            ? QByteArray()
            : image.key + QByteArray::number(decoded.width()) + 'x' +
                  QByteArray::number(whole.x()) + ',' + QByteArray::number(whole.y()) + ',' +
                  QByteArray::number(whole.width()) + ',' + QByteArray::number(whole.height()) +
                  '>' + QByteArray::number(smaller.width()) + ',' +
                  QByteArray::number(smaller.height()) + '/' + QByteArray::number(bright) + ',' +
                  QByteArray::number(contrast);
    QImage piece = cachedPiece(pieceKey);
    if (piece.isNull()) {
        piece = whole == decoded.rect() ? decoded : decoded.copy(whole);
        if (smaller != whole.size())
            piece = piece.scaled(smaller, Qt::IgnoreAspectRatio, Qt::SmoothTransformation);
        if (!lumIsIdentity(bright, contrast))
            piece = applyLum(std::move(piece), bright, contrast);
        storePiece(pieceKey, piece);
    }

    painter.save();
    painter.translate(box.center());
    painter.rotate(look.rotation);
    painter.translate(-box.center());
    painter.setRenderHint(QPainter::SmoothPixmapTransform);
    painter.setRenderHint(QPainter::Antialiasing);
    painter.drawImage(target, piece, pieceSource);
    painter.restore();
}

QImage renderPicture(const EncodedImage& image, const PictureLook& look, QSizeF displayed,
                     QSize pixelSize)
{
    if (pixelSize.isEmpty() || displayed.isEmpty())
        return {};
    const QRectF box(QPointF(0, 0), displayed);
    const QRectF bounds = rotatedBounds(box, look.rotation);
    QImage out(pixelSize, QImage::Format_ARGB32_Premultiplied);
    out.fill(Qt::transparent);
    out.setDotsPerMeterX(int(std::lround(pixelSize.width() / (bounds.width() / 72.0 * 0.0254))));
    out.setDotsPerMeterY(int(std::lround(pixelSize.height() / (bounds.height() / 72.0 * 0.0254))));
    QPainter painter(&out);
    painter.scale(pixelSize.width() / bounds.width(), pixelSize.height() / bounds.height());
    painter.translate(-bounds.topLeft());
    paintPicture(painter, box, image, look);
    painter.end();
    return out;
}

} // namespace host::imaging
