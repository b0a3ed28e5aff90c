#pragma once

#include <QImage>

namespace host::imaging {

struct EncodedImage;

// Decoded pictures kept for repeated renders (a sheet redrawn, thumbnails of the same picture),
// keyed by the picture's content and the decoding scale. Process-wide and thread-safe; holds
// up to 48 MB of pixels, dropping the least recently used.
//
// The picture decoded at about 1/denominator of its pixel size (1, 2, 4 or 8), from the cache
// or by decoding; raises what decodePicture raises. A JPEG is decoded at that scale; a picture
// in another format is decoded whole and, when it is over two megapixels, reduced by area
// averaging, the reduction being cached too. The result's size tells the scale obtained.
QImage cachedDecode(const EncodedImage& image, int denominator = 1);

// Whether cachedDecode would answer from the cache (counts neither a hit nor a miss).
bool isDecodeCached(const EncodedImage& image, int denominator);

// Adds a picture decoded elsewhere (the check a picture gets when inserted).
void storeDecoded(const EncodedImage& image, int denominator, const QImage& decoded);

struct DecodeCacheStats
{
    qint64 hits = 0;
    qint64 misses = 0;
};
DecodeCacheStats decodeCacheStats();
void clearDecodeCache();

} // namespace host::imaging
