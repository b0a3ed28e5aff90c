#include "host/imaging/decode_cache.h"

#include "host/imaging/encoded_image.h"
#include "host/imaging/picture_decoder.h"

#include <QCache>
#include <QCryptographicHash>
#include <QMutex>

namespace host::imaging {

namespace {

constexpr qsizetype MaxCostKb = 48 * 1024;

struct Cache
{
    QMutex mutex;
    QCache<QByteArray, QImage> images{MaxCostKb};
    DecodeCacheStats stats;
};

Cache& cache()
{
    static Cache instance;
    return instance;
}

QByteArray cacheKey(const EncodedImage& image, int denominator)
{
    const QByteArray contentKey =
        image.key.isEmpty() ? QCryptographicHash::hash(image.bytes, QCryptographicHash::Sha1)
                            : image.key;
    return contentKey + char(denominator);
}

void insert(Cache& c, const QByteArray& key, const QImage& decoded)
{
    QMutexLocker lock(&c.mutex);
    c.images.insert(key, new QImage(decoded), qMax<qsizetype>(1, decoded.sizeInBytes() / 1024));
}

// Formats that cannot decode smaller are reduced from their whole decode, and the reduction
// kept, once they are big enough for the reduction to cost more than a copy.
constexpr qint64 ReduceAbovePixels = 2'000'000;

int cachedDenominator(const EncodedImage& image, int wanted)
{
    if (image.format == ImageFormat::Jpeg)
        return effectiveDenominator(image, wanted);
    if (qint64(image.pixelSize.width()) * image.pixelSize.height() <= ReduceAbovePixels)
        return 1;
    for (int d : {8, 4, 2})
        if (wanted >= d)
            return d;
    return 1;
}

QImage reduce(const QImage& whole, int denominator)
{
    const QSize size((whole.width() + denominator - 1) / denominator,
                     (whole.height() + denominator - 1) / denominator);
    return whole.scaled(size, Qt::IgnoreAspectRatio, Qt::SmoothTransformation);
}

} // namespace

QImage cachedDecode(const EncodedImage& image, int denominator)
{
    denominator = cachedDenominator(image, denominator);
    const QByteArray key = cacheKey(image, denominator);
    Cache& c = cache();
    {
        QMutexLocker lock(&c.mutex);
        if (const QImage* found = c.images.object(key)) {
            ++c.stats.hits;
            return *found;
        }
        ++c.stats.misses;
    }
    // Decoded outside the lock: two threads asking for the same picture may both decode it,
    // which is cheaper than making every other render wait.
    QImage decoded = image.format == ImageFormat::Jpeg || denominator == 1
                         ? decodePicture(image, denominator)
                         : reduce(cachedDecode(image, 1), denominator);
    insert(c, key, decoded);
    return decoded;
}

bool isDecodeCached(const EncodedImage& image, int denominator)
{
    denominator = cachedDenominator(image, denominator);
    const QByteArray key = cacheKey(image, denominator);
    QMutexLocker lock(&cache().mutex);
    return cache().images.contains(key);
}

void storeDecoded(const EncodedImage& image, int denominator, const QImage& decoded)
{
    denominator = cachedDenominator(image, denominator);
    insert(cache(), cacheKey(image, denominator), decoded);
}

DecodeCacheStats decodeCacheStats()
{
    QMutexLocker lock(&cache().mutex);
    return cache().stats;
}

void clearDecodeCache()
{
    QMutexLocker lock(&cache().mutex);
    cache().images.clear();
    cache().stats = {};
}

} // namespace host::imaging
