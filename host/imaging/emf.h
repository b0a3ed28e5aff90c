#pragma once

#include <QByteArray>
#include <QImage>
#include <QSizeF>

#include <optional>

// Enhanced metafiles that hold a bitmap: what the host writes when a picture is copied as a
// metafile, and what it reads back when such a metafile is pasted.
//
// The records are written here, following the published EMF format, rather than through
// Debian's libEMF: that library's StretchDIBits and SetDIBitsToDevice are empty stubs (they
// return success and record nothing), so it cannot put a bitmap into a metafile. A bitmap
// metafile needs three records (header, EMR_STRETCHDIBITS, EMR_EOF), which is little code.
namespace host::imaging {

// The metafile's header: its bounds in device pixels and its frame, the picture's size.
struct EmfHeader
{
    QSize pixelSize; // from the bounds
    QSizeF points;   // the frame, in points
};

std::optional<EmfHeader> readEmfHeader(QByteArrayView emf);

// A metafile of one bitmap record drawing `image` at its pixel size. The frame is the image's
// size at its resolution (QImage::dotsPerMeterX/Y); transparent pixels become white, as the
// record has no alpha.
QByteArray writeEmf(const QImage& image);

// The bitmaps a metafile draws (EMR_STRETCHDIBITS, EMR_BITBLT, EMR_STRETCHBLT,
// EMR_SETDIBITSTODEVICE), composed at their places on a transparent canvas of the
// metafile's bounds. Vector records are ignored. Null when the metafile draws no bitmap or
// is damaged.
QImage readEmf(QByteArrayView emf);

} // namespace host::imaging
