#include "host_app/shape_hit.h"

#include "host/model/drawing.h"
#include "host/render/shape_paint.h"

namespace host_app {

namespace {

using host::model::Shape;
using host::model::ShapeKind;

QRectF boxOf(const Shape& shape)
{
    return QRectF(shape.left, shape.top, shape.width, shape.height);
}

bool hits(const Shape& shape, const QTransform& enclosing, QPointF points)
{
    if (shape.hidden || shape.kind == ShapeKind::Comment)
        return false;
    const QTransform placed = host::render::shapeTransform(shape) * enclosing;
    if (shape.kind == ShapeKind::Group) {
        for (const Shape& member : shape.members)
            if (hits(member, placed, points))
                return true;
        return false;
    }
    bool invertible = false;
    const QTransform back = placed.inverted(&invertible);
    // A thin shape still takes a click a pixel or two from its line.
    const QRectF box = boxOf(shape).adjusted(-1.5, -1.5, 1.5, 1.5);
    return invertible && box.contains(back.map(points));
}

} // namespace

int shapeAt(const host::model::Drawing& drawing, QPointF points)
{
    for (auto it = drawing.shapes.rbegin(); it != drawing.shapes.rend(); ++it)
        if (hits(*it, QTransform(), points))
            return it->id;
    return 0;
}

std::vector<QPolygonF> shapeOutlines(const host::model::Drawing& drawing,
                                     const std::vector<int>& ids)
{
    std::vector<QPolygonF> out;
    for (const host::render::PlacedShape& placed : host::render::placeShapes(drawing, ids)) {
        const QTransform t = host::render::shapeTransform(*placed.shape) * placed.enclosing;
        out.push_back(t.map(QPolygonF(boxOf(*placed.shape))));
    }
    return out;
}

} // namespace host_app
