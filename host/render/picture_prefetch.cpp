#include "host/render/picture_prefetch.h"

#include "host/imaging/picture_render.h"
#include "host/model/workbook.h"
#include "host/render/shape_paint.h"

namespace host::render {

namespace {

void prepare(const model::Shape& shape, const QRectF& points, double pixelsPerPoint,
             const QTransform& enclosing)
{
    if (shape.hidden || !displayedBounds(shape, enclosing).intersects(points))
        return;
    for (const model::Shape& member : shape.members)
        prepare(member, points, pixelsPerPoint, shapeTransform(shape) * enclosing);
    if (!shape.picture)
        return;
    const model::PictureData& picture = *shape.picture;
    imaging::PictureLook look;
    look.untouched = QSizeF(picture.untouchedWidth, picture.untouchedHeight);
    look.cropLeft = picture.cropLeft;
    look.cropTop = picture.cropTop;
    look.cropRight = picture.cropRight;
    look.cropBottom = picture.cropBottom;
    imaging::prepareDecode(picture.image, look,
                           QSizeF(shape.width * pixelsPerPoint, shape.height * pixelsPerPoint));
}

} // namespace

void preparePictures(const model::Sheet& sheet, const QRectF& points, double pixelsPerPoint)
{
    for (const model::Shape& shape : sheet.drawing.shapes)
        prepare(shape, points, pixelsPerPoint, QTransform());
}

} // namespace host::render
