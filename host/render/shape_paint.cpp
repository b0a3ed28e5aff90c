#include "host/render/shape_paint.h"

#include "host/imaging/picture_render.h"
#include "host/model/workbook.h"
#include "host/render/text_paint.h"

#include <QPainter>

#include <algorithm>
#include <cmath>

namespace host::render {

namespace {

using model::Shape;
using model::ShapeKind;

QRectF boxOf(const Shape& shape)
{
    return QRectF(shape.left, shape.top, shape.width, shape.height);
}

bool drawsAsBox(const Shape& shape)
{
    switch (shape.kind) {
    case ShapeKind::Picture:
    case ShapeKind::TextBox:
    case ShapeKind::Group:
        return true;
    case ShapeKind::AutoShape:
        return shape.autoShapeType == 1;
    default:
        return false;
    }
}

void paintPictureOf(QPainter& painter, const QRectF& box, const model::PictureData& picture)
{
    imaging::PictureLook look;
    look.untouched = QSizeF(picture.untouchedWidth, picture.untouchedHeight);
    // A crop that lands within a hair of a whole source pixel is taken as that pixel: crops
    // stated in single precision (the edge margin 20 / 15 points, say) then cut exactly where
    // they were meant to instead of resampling the whole picture by a millionth of a pixel.
    const QSize pixels = picture.image.pixelSize;
    const auto snapped = [](double crop, int pixelCount, double untouched) {
        if (pixelCount <= 0 || untouched <= 0)
            return crop;
        const double perPoint = pixelCount / untouched;
        const double at = crop * perPoint;
        return std::abs(at - std::round(at)) < 1e-3 ? std::round(at) / perPoint : crop;
    };
    look.cropLeft = snapped(picture.cropLeft, pixels.width(), picture.untouchedWidth);
    look.cropTop = snapped(picture.cropTop, pixels.height(), picture.untouchedHeight);
    look.cropRight = snapped(picture.cropRight, pixels.width(), picture.untouchedWidth);
    look.cropBottom = snapped(picture.cropBottom, pixels.height(), picture.untouchedHeight);
    look.brightness = picture.brightness;
    look.contrast = picture.contrast;
    // The painter already holds the shape's rotation and flips.
    imaging::paintPicture(painter, box, picture.image, look);
}

void paintTextOf(QPainter& painter, const model::Workbook& book, const QRectF& box,
                 const model::TextBody& body)
{
    const QRectF inner =
        box.adjusted(body.marginLeft, body.marginTop, -body.marginRight, -body.marginBottom);
    TextPlacement placement;
    placement.horizontal = body.horizontalAlignment;
    placement.vertical = body.verticalAlignment;
    placement.wrap = true;
    placement.lineSpacing = body.lineSpacing;
    painter.save();
    painter.setRenderHint(QPainter::TextAntialiasing);
    paintText(painter, inner, body.text, textFont(body.font, book), textColor(body.font, book),
              placement);
    painter.restore();
}

void collect(const std::vector<Shape>& shapes, const QTransform& enclosing,
             const std::vector<int>& ids, std::vector<PlacedShape>& out)
{
    for (const Shape& shape : shapes) {
        if (std::find(ids.begin(), ids.end(), shape.id) != ids.end())
            out.push_back({&shape, enclosing});
        if (!shape.members.empty())
            collect(shape.members, shapeTransform(shape) * enclosing, ids, out);
    }
}

} // namespace

QTransform shapeTransform(const Shape& shape)
{
    const QPointF centre = boxOf(shape).center();
    const bool flips = shape.kind == ShapeKind::Picture || shape.kind == ShapeKind::Group;
    QTransform t;
    t.translate(centre.x(), centre.y());
    t.rotate(shape.rotation);
    if (flips)
        t.scale(shape.flipH ? -1 : 1, shape.flipV ? -1 : 1);
    t.translate(-centre.x(), -centre.y());
    return t;
}

QRectF displayedBounds(const Shape& shape, const QTransform& enclosing)
{
    return (shapeTransform(shape) * enclosing).mapRect(boxOf(shape));
}

std::vector<PlacedShape> placeShapes(const model::Drawing& drawing, const std::vector<int>& ids)
{
    std::vector<PlacedShape> out;
    collect(drawing.shapes, QTransform(), ids, out);
    return out;
}

void paintShape(QPainter& painter, const model::Workbook& book, const Shape& shape)
{
    if (shape.hidden || !drawsAsBox(shape))
        return;
    const QRectF box = boxOf(shape);
    painter.save();
    painter.setTransform(shapeTransform(shape), true);
    if (shape.kind == ShapeKind::Group) {
        for (const Shape& member : shape.members)
            paintShape(painter, book, member);
        painter.restore();
        return;
    }
    painter.setRenderHint(QPainter::Antialiasing);
    if (shape.fillVisible)
        painter.fillRect(box, QColor::fromRgba(shape.fillColor));
    if (shape.kind == ShapeKind::Picture && shape.picture)
        paintPictureOf(painter, box, *shape.picture);
    if (shape.text)
        paintTextOf(painter, book, box, *shape.text);
    if (shape.lineVisible && shape.lineWeight > 0) {
        QPen pen(QColor::fromRgba(shape.lineColor));
        pen.setWidthF(shape.lineWeight);
        pen.setJoinStyle(Qt::MiterJoin);
        painter.setPen(pen);
        painter.setBrush(Qt::NoBrush);
        painter.drawRect(box);
    }
    painter.restore();
}

void paintPlaced(QPainter& painter, const model::Workbook& book,
                 const std::vector<PlacedShape>& shapes)
{
    for (const PlacedShape& placed : shapes) {
        painter.save();
        painter.setTransform(placed.enclosing, true);
        paintShape(painter, book, *placed.shape);
        painter.restore();
    }
}

} // namespace host::render
