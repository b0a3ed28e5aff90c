#pragma once

#include <QRectF>

namespace host::model {
struct Shape;
}

// The host's geometry rules for one shape of the drawing model, in points. The box is the
// unrotated one; rotation turns it about its centre. A picture's displayed size is its visible
// part (the untouched size less the crops) times its scale, so crops and sizes move together
// the way the host moves them. Invalid values raise the host's "out of range" error and change
// nothing.
namespace host::objects {

enum class CropSide
{
    Left,
    Top,
    Right,
    Bottom
};
// Which point stays where it is when a shape is scaled.
enum class ScaleAnchor
{
    TopLeft = 0,
    Middle = 1,
    BottomRight = 2
};

// 0 ≤ r < 360.
double normalisedRotation(double degrees);

// The box moves; a group's members move with it.
void moveShape(model::Shape& shape, double left, double top);
// A new width or height keeping the top-left corner; with the aspect ratio locked the other
// side follows in proportion. A group scales its members.
void setShapeWidth(model::Shape& shape, double width);
void setShapeHeight(model::Shape& shape, double height);
// The box as given, regardless of the lock.
void resizeShape(model::Shape& shape, double width, double height);

// A crop in points of the untouched size. The scale stays: the box shrinks or grows by the
// change times the scale, and a left or top crop moves the box's left or top edge with it.
void setCrop(model::Shape& shape, CropSide side, double points);
double crop(const model::Shape& shape, CropSide side);

// ScaleWidth / ScaleHeight: `factor` times the current size, or for a picture with
// `relativeToOriginal` times its untouched visible size; the anchor stays in place. With the
// aspect ratio locked the other side scales by the same ratio.
void scaleWidth(model::Shape& shape, double factor, bool relativeToOriginal, ScaleAnchor anchor);
void scaleHeight(model::Shape& shape, double factor, bool relativeToOriginal, ScaleAnchor anchor);

// The picture as inserted: no crop, no rotation or flip, 100 % of its untouched size with its
// top-left corner kept, colours unadjusted.
void resetPicture(model::Shape& picture);

// The axis-aligned bounds of the shape as turned.
QRectF rotatedBounds(const model::Shape& shape);
// A group's box made the joint bounds of its members.
void fitGroupBox(model::Shape& group);

} // namespace host::objects
