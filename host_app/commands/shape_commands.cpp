#include "host_app/commands/shape_commands.h"

#include "host/model/workbook.h"
#include "host/objects/shape_geometry.h"
#include "host/objects/shape_members.h"
#include "host/objects/shape_site.h"
#include "host/objects/worksheet.h"
#include "host_app/edit_history.h"

#include <algorithm>
#include <cmath>

namespace host_app::commands {

using host::model::ShapeKind;

namespace {

constexpr double kSmallest = 1; // points

// One side of a box after its edge `edge` moved by `by`: the opposite edge stays.
void moveEdge(double& start, double& length, int edge, double by)
{
    if (edge < 0) {
        const double end = start + length;
        length = std::max(kSmallest, length - by);
        start = end - length;
    } else if (edge > 0) {
        length = std::max(kSmallest, length + by);
    }
}

} // namespace

int horizontalEdge(Handle h)
{
    switch (h) {
    case Handle::TopLeft:
    case Handle::BottomLeft:
    case Handle::Left:
        return -1;
    case Handle::TopRight:
    case Handle::Right:
    case Handle::BottomRight:
        return 1;
    default:
        return 0;
    }
}

int verticalEdge(Handle h)
{
    switch (h) {
    case Handle::TopLeft:
    case Handle::Top:
    case Handle::TopRight:
        return -1;
    case Handle::BottomLeft:
    case Handle::Bottom:
    case Handle::BottomRight:
        return 1;
    default:
        return 0;
    }
}

QRectF resizedBox(const QRectF& box, Handle handle, QPointF delta, bool keepAspect)
{
    const int hx = horizontalEdge(handle);
    const int hy = verticalEdge(handle);
    double left = box.left();
    double top = box.top();
    double width = box.width();
    double height = box.height();
    moveEdge(left, width, hx, delta.x());
    moveEdge(top, height, hy, delta.y());
    if (!keepAspect || box.width() <= 0 || box.height() <= 0)
        return QRectF(left, top, width, height);

    const double fx = width / box.width();
    const double fy = height / box.height();
    // The larger change wins at a corner; a side handle drives the other side.
    const double f = hx != 0 && hy != 0 ? (std::abs(fx - 1) >= std::abs(fy - 1) ? fx : fy)
                     : hx != 0          ? fx
                                        : fy;
    width = std::max(kSmallest, box.width() * f);
    height = std::max(kSmallest, box.height() * f);
    const auto place = [](double start, double length, double newLength, int edge) {
        if (edge < 0)
            return start + length - newLength;
        if (edge > 0)
            return start;
        return start + (length - newLength) / 2;
    };
    return QRectF(place(box.left(), box.width(), width, hx),
                  place(box.top(), box.height(), height, hy), width, height);
}

void checkShapesChangeable(host::objects::Worksheet& sheet)
{
    host::objects::checkPropertyAllowed(sheet, QStringLiteral("Left"), QStringLiteral("Shape"));
}

void placeShape(host::objects::Worksheet& sheet, int id, const QRectF& box)
{
    checkShapesChangeable(sheet);
    host::model::Shape& shape = host::objects::shapeOf(sheet, id);
    host::objects::resizeShape(shape, box.width(), box.height());
    host::objects::moveShape(shape, box.left(), box.top());
    host::objects::shapeChanged(sheet, id);
}

void moveShapeTo(host::objects::Worksheet& sheet, int id, QPointF topLeft)
{
    checkShapesChangeable(sheet);
    host::model::Shape& shape = host::objects::shapeOf(sheet, id);
    host::objects::moveShape(shape, topLeft.x(), topLeft.y());
    host::objects::shapeChanged(sheet, id);
}

void deleteSelectedShapes(EditHistory& history, host::objects::Worksheet& sheet)
{
    const std::vector<int> ids = sheet.sheet().drawing.selection;
    if (ids.empty())
        return;
    history.record(sheet, ShapeTexts::tr("削除"), [&] {
        host::objects::checkMethodAllowed(sheet, QStringLiteral("Delete"), QStringLiteral("Shape"));
        for (int id : ids)
            // A member of a group deleted with it is gone already.
            if (sheet.sheet().drawing.find(id))
                host::objects::deleteShape(sheet, id);
    });
}

bool canGroup(const host::model::Drawing& drawing)
{
    if (drawing.selection.size() < 2)
        return false;
    return std::all_of(drawing.selection.begin(), drawing.selection.end(), [&](int id) {
        const host::model::Shape* shape = host::objects::topLevelShape(drawing, id);
        return shape && shape->kind != ShapeKind::Comment;
    });
}

bool canUngroup(const host::model::Drawing& drawing)
{
    return std::any_of(drawing.selection.begin(), drawing.selection.end(), [&](int id) {
        const host::model::Shape* shape = drawing.find(id);
        return shape && shape->kind == ShapeKind::Group;
    });
}

int groupSelectedShapes(EditHistory& history, host::objects::Worksheet& sheet)
{
    int group = 0;
    const std::vector<int> ids = sheet.sheet().drawing.selection;
    history.record(sheet, ShapeTexts::tr("グループ化"), [&] {
        host::objects::checkMethodAllowed(sheet, QStringLiteral("Group"),
                                          QStringLiteral("ShapeRange"));
        group = host::objects::groupShapes(sheet, ids);
    });
    return group;
}

void ungroupSelectedShapes(EditHistory& history, host::objects::Worksheet& sheet)
{
    const std::vector<int> ids = sheet.sheet().drawing.selection;
    history.record(sheet, ShapeTexts::tr("グループ解除"), [&] {
        host::objects::checkMethodAllowed(sheet, QStringLiteral("Ungroup"),
                                          QStringLiteral("ShapeRange"));
        for (int id : ids) {
            const host::model::Shape* shape = sheet.sheet().drawing.find(id);
            if (shape && shape->kind == ShapeKind::Group)
                host::objects::ungroupShape(sheet, id);
        }
    });
}

} // namespace host_app::commands
