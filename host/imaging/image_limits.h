#pragma once

#include <QSize>

namespace host::imaging {

// The largest picture the host decodes. Dimensions come from a file's header before anything
// is decoded, so a small file that claims a huge size (a decompression bomb) is refused
// without allocating: 100 megapixels is 400 MB as 32-bit pixels, beyond any camera a
// spreadsheet picture comes from.
inline constexpr qint64 MaxPixels = 100'000'000;
inline constexpr int MaxSide = 65'535;

inline bool withinLimits(qint64 width, qint64 height)
{
    return width > 0 && height > 0 && width <= MaxSide && height <= MaxSide &&
           width * height <= MaxPixels;
}

inline bool withinLimits(QSize size)
{
    return withinLimits(size.width(), size.height());
}

} // namespace host::imaging
