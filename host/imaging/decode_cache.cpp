#include "host/imaging/decode_cache.h"

#include "host/imaging/encoded_image.h"
#include "host/imaging/picture_decoder.h"

#include <QCache>
#include <QCryptographicHash>
#include <QMutex>

namespace host::imaging {

namespace {

constexpr qsizetype MaxCostKb = 96 * 1024;

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

} // namespace

QImage cachedDecode(const EncodedImage& image, int denominator)
{
    denominator = effectiveDenominator(image, denominator);
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
    QImage decoded = decodePicture(image, denominator);
    insert(c, key, decoded);
    return decoded;
}

void storeDecoded(const EncodedImage& image, int denominator, const QImage& decoded)
{
    denominator = effectiveDenominator(image, denominator);
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
