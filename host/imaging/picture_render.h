#pragma once

#include <QImage>
#include <QRectF>
#include <QSizeF>

class QPainter;

namespace host::imaging {

struct EncodedImage;

// How a picture shape shows its picture, in points, as the shape's properties state it.
struct PictureLook
{
    QSizeF untouched; // the picture's untouched size (EncodedImage::untouchedSize)
    // Crops in points of the untouched size; a negative crop adds an empty margin.
    double cropLeft = 0;
    double cropTop = 0;
    double cropRight = 0;
    double cropBottom = 0;
    double rotation = 0;     // degrees clockwise, about the centre of the box
    double brightness = 0.5; // 0–1, 0.5 unchanged (see lum_adjust.h)
    double contrast = 0.5;
};

// Paints the visible part of the picture into `box`, the shape's unrotated box in the
// painter's coordinates, turned by the look's rotation about the box's centre. Only as many
// pixels are decoded as the painter's transform needs (a JPEG at 1/2, 1/4 or 1/8 while
// decoding), and decoded pictures are cached. A picture that cannot be decoded paints nothing.
void paintPicture(QPainter& painter, const QRectF& box, const EncodedImage& image,
                  const PictureLook& look);

// Decodes the picture on the worker threads as paintPicture would decode it for a box of
// `devicePixels`, so that it is ready when painted (a view prepares what is about to scroll in).
// Returns at once; does nothing for a picture already decoded so, or being decoded.
void prepareDecode(const EncodedImage& image, const PictureLook& look, QSizeF devicePixels);

// Drops the decoded pictures and the pieces of them drawn (for measuring drawing without them).
void clearPictureCaches();

// The bounding rectangle of `box` turned by `rotation` degrees about its centre.
QRectF rotatedBounds(const QRectF& box, double rotation);

// The picture alone as an image of `pixelSize`, covering rotatedBounds of a box of `displayed`
// points (the box itself when not rotated); transparent where the picture is not. The image's
// resolution (dots per metre) is set so that it measures `displayed`'s bounds in points.
QImage renderPicture(const EncodedImage& image, const PictureLook& look, QSizeF displayed,
                     QSize pixelSize);

} // namespace host::imaging
