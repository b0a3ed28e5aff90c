#include "host/objects/shape_geometry.h"

#include "host/model/drawing.h"
#include "host/objects/shape_errors.h"

#include <QTransform>

#include <algorithm>
#include <cmath>

namespace host::objects {

namespace {

bool finite(double v)
{
    return std::isfinite(v);
}

// The box, members scaled about the group's top-left corner.
void resizeTree(model::Shape& shape, double width, double height)
{
    if (shape.kind == model::ShapeKind::Group) {
        const double sx = shape.width > 0 ? width / shape.width : 1;
        const double sy = shape.height > 0 ? height / shape.height : 1;
        for (model::Shape& m : shape.members) {
            moveShape(m, shape.left + (m.left - shape.left) * sx,
                      shape.top + (m.top - shape.top) * sy);
            resizeTree(m, m.width * sx, m.height * sy);
        }
    }
    shape.width = width;
    shape.height = height;
}

double visibleWidth(const model::PictureData& p)
{
    return p.untouchedWidth - p.cropLeft - p.cropRight;
}

double visibleHeight(const model::PictureData& p)
{
    return p.untouchedHeight - p.cropTop - p.cropBottom;
}

double anchorShift(double change, ScaleAnchor anchor)
{
    switch (anchor) {
    case ScaleAnchor::Middle:
        return change / 2;
    case ScaleAnchor::BottomRight:
        return change;
    default:
        return 0;
    }
}

void scale(model::Shape& shape, double factor, bool relative, ScaleAnchor anchor, bool horizontal)
{
    if (!finite(factor) || factor <= 0)
        raiseOutOfRange();
    if (relative && !shape.picture)
        raisePictureOnly();
    double target;
    if (relative)
        target =
            factor * (horizontal ? visibleWidth(*shape.picture) : visibleHeight(*shape.picture));
    else
        target = factor * (horizontal ? shape.width : shape.height);
    const double old = horizontal ? shape.width : shape.height;
    const double ratio = old > 0 ? target / old : 1;
    double width = horizontal ? target : shape.width;
    double height = horizontal ? shape.height : target;
    if (shape.lockAspectRatio) {
        if (horizontal)
            height = shape.height * ratio;
        else
            width = shape.width * ratio;
    }
    const double left = shape.left - anchorShift(width - shape.width, anchor);
    const double top = shape.top - anchorShift(height - shape.height, anchor);
    resizeShape(shape, width, height);
    moveShape(shape, left, top);
}

} // namespace

double normalisedRotation(double degrees)
{
    if (!finite(degrees))
        raiseOutOfRange();
    double r = std::fmod(degrees, 360.0);
    if (r < 0)
        r += 360.0;
    if (r >= 360.0)
        r = 0;
    return r + 0.0; // never -0
}

void moveShape(model::Shape& shape, double left, double top)
{
    if (!finite(left) || !finite(top))
        raiseOutOfRange();
    const double dx = left - shape.left;
    const double dy = top - shape.top;
    for (model::Shape& m : shape.members)
        moveShape(m, m.left + dx, m.top + dy);
    shape.left = left;
    shape.top = top;
}

void resizeShape(model::Shape& shape, double width, double height)
{
    if (!finite(width) || !finite(height) || width < 0 || height < 0)
        raiseOutOfRange();
    resizeTree(shape, width, height);
}

void setShapeWidth(model::Shape& shape, double width)
{
    if (!finite(width) || width < 0)
        raiseOutOfRange();
    double height = shape.height;
    if (shape.lockAspectRatio && shape.width > 0)
        height = shape.height * width / shape.width;
    resizeShape(shape, width, height);
}

void setShapeHeight(model::Shape& shape, double height)
{
    if (!finite(height) || height < 0)
        raiseOutOfRange();
    double width = shape.width;
    if (shape.lockAspectRatio && shape.height > 0)
        width = shape.width * height / shape.height;
    resizeShape(shape, width, height);
}

double crop(const model::Shape& shape, CropSide side)
{
    if (!shape.picture)
        raisePictureOnly();
    const model::PictureData& p = *shape.picture;
    switch (side) {
    case CropSide::Left:
        return p.cropLeft;
    case CropSide::Top:
        return p.cropTop;
    case CropSide::Right:
        return p.cropRight;
    default:
        return p.cropBottom;
    }
}

void setCrop(model::Shape& shape, CropSide side, double points)
{
    if (!shape.picture)
        raisePictureOnly();
    if (!finite(points))
        raiseOutOfRange();
    model::PictureData& p = *shape.picture;
    const bool horizontal = side == CropSide::Left || side == CropSide::Right;
    const double visible = horizontal ? visibleWidth(p) : visibleHeight(p);
    const double size = horizontal ? shape.width : shape.height;
    const double scale = visible > 0 ? size / visible : 1;
    double& value = side == CropSide::Left    ? p.cropLeft
                    : side == CropSide::Top   ? p.cropTop
                    : side == CropSide::Right ? p.cropRight
                                              : p.cropBottom;
    const double change = points - value;
    if (visible - change <= 0)
        raiseOutOfRange(); // nothing would be left to show
    value = points;
    p.imageChanged = true;
    if (horizontal) {
        shape.width = (visible - change) * scale;
        if (side == CropSide::Left)
            shape.left += change * scale;
    } else {
        shape.height = (visible - change) * scale;
        if (side == CropSide::Top)
            shape.top += change * scale;
    }
}

void scaleWidth(model::Shape& shape, double factor, bool relativeToOriginal, ScaleAnchor anchor)
{
    scale(shape, factor, relativeToOriginal, anchor, true);
}

void scaleHeight(model::Shape& shape, double factor, bool relativeToOriginal, ScaleAnchor anchor)
{
    scale(shape, factor, relativeToOriginal, anchor, false);
}

void resetPicture(model::Shape& picture)
{
    if (!picture.picture)
        raisePictureOnly();
    model::PictureData& p = *picture.picture;
    p.cropLeft = p.cropTop = p.cropRight = p.cropBottom = 0;
    p.brightness = 0.5;
    p.contrast = 0.5;
    p.colorType = 1;
    p.transparentBackground = false;
    p.imageChanged = true;
    picture.rotation = 0;
    picture.flipH = picture.flipV = false;
    picture.width = p.untouchedWidth;
    picture.height = p.untouchedHeight;
}

QRectF rotatedBounds(const model::Shape& shape)
{
    const QRectF box(shape.left, shape.top, shape.width, shape.height);
    if (shape.rotation == 0)
        return box;
    const QPointF c = box.center();
    QTransform t;
    t.translate(c.x(), c.y());
    t.rotate(shape.rotation);
    t.translate(-c.x(), -c.y());
    return t.mapRect(box);
}

void fitGroupBox(model::Shape& group)
{
    if (group.members.empty())
        return;
    double left = INFINITY, top = INFINITY, right = -INFINITY, bottom = -INFINITY;
    for (const model::Shape& m : group.members) {
        const QRectF r = rotatedBounds(m);
        left = std::min(left, r.left());
        top = std::min(top, r.top());
        right = std::max(right, r.right());
        bottom = std::max(bottom, r.bottom());
    }
    group.left = left;
    group.top = top;
    group.width = right - left;
    group.height = bottom - top;
}

} // namespace host::objects
