#include "host/objects/shape_site.h"

#include "host/model/workbook.h"
#include "host/objects/shape_errors.h"
#include "host/objects/shape_geometry.h"
#include "host/objects/worksheet.h"

#include <algorithm>

namespace host::objects {

namespace {

model::Shape* namedIn(std::vector<model::Shape>& shapes, const QString& name)
{
    for (model::Shape& shape : shapes) {
        if (shape.name.compare(name, Qt::CaseInsensitive) == 0)
            return &shape;
        if (model::Shape* found = namedIn(shape.members, name))
            return found;
    }
    return nullptr;
}

void collectIds(const model::Shape& shape, std::vector<int>& out)
{
    out.push_back(shape.id);
    for (const model::Shape& m : shape.members)
        collectIds(m, out);
}

// New ids and names for a copied tree; what the copy was read from no longer describes it.
void renumber(model::Drawing& drawing, model::Shape& shape)
{
    shape.id = drawing.takeId();
    shape.name = hostShapeName(shape.kind, shape.id);
    shape.dirty = true;
    if (shape.picture)
        shape.picture->imageChanged = true;
    for (model::Shape& m : shape.members)
        renumber(drawing, m);
}

void insertOnTop(model::Drawing& drawing, model::Shape shape)
{
    auto at = drawing.shapes.end();
    while (at != drawing.shapes.begin() && std::prev(at)->kind == model::ShapeKind::Comment)
        --at;
    drawing.shapes.insert(at, std::move(shape));
}

} // namespace

model::Drawing& drawingOf(Worksheet& sheet)
{
    return sheet.sheet().drawing;
}

model::Shape& shapeOf(Worksheet& sheet, int id)
{
    model::Shape* shape = drawingOf(sheet).find(id);
    if (!shape)
        raiseShapeDeleted();
    return *shape;
}

const model::Shape* topLevelShape(const model::Drawing& drawing, int id)
{
    for (const model::Shape& shape : drawing.shapes)
        if (shape.id == id)
            return &shape;
    return nullptr;
}

model::Shape* shapeNamed(model::Drawing& drawing, const QString& name)
{
    return namedIn(drawing.shapes, name);
}

bool drawingProtected(Worksheet& sheet)
{
    const model::SheetProtection& p = sheet.sheet().protection;
    return p.sheet && p.objects;
}

void checkMethodAllowed(Worksheet& sheet, const QString& member, const QString& className)
{
    if (drawingProtected(sheet))
        raiseMethodFailed(member, className);
}

void checkPropertyAllowed(Worksheet& sheet, const QString& property, const QString& className)
{
    if (drawingProtected(sheet))
        raiseCannotSet(property, className);
}

void shapeChanged(Worksheet& sheet, int id)
{
    model::Drawing& drawing = drawingOf(sheet);
    if (model::Shape* shape = drawing.find(id))
        shape->dirty = true;
    for (model::Shape* group = drawing.parentOf(id); group; group = drawing.parentOf(group->id)) {
        fitGroupBox(*group);
        group->dirty = true;
    }
    drawingChanged(sheet);
}

void drawingChanged(Worksheet& sheet)
{
    drawingOf(sheet).dirty = true;
    sheet.markChanged(ChangeKind::Shapes);
}

QString hostShapeName(model::ShapeKind kind, int id)
{
    QString stem;
    switch (kind) {
    case model::ShapeKind::Picture:
        stem = QStringLiteral("図 ");
        break;
    case model::ShapeKind::TextBox:
        stem = QStringLiteral("テキスト ボックス ");
        break;
    case model::ShapeKind::Group:
        stem = QStringLiteral("グループ化 ");
        break;
    case model::ShapeKind::Chart:
        stem = QStringLiteral("グラフ ");
        break;
    case model::ShapeKind::Comment:
        stem = QStringLiteral("コメント ");
        break;
    default:
        stem = QStringLiteral("正方形/長方形 ");
        break;
    }
    return stem + QString::number(id);
}

QString drawingObjectClass(const model::Shape& shape)
{
    switch (shape.kind) {
    case model::ShapeKind::Picture:
        return QStringLiteral("Picture");
    case model::ShapeKind::TextBox:
        return QStringLiteral("TextBox");
    case model::ShapeKind::Group:
        return QStringLiteral("GroupObject");
    case model::ShapeKind::Chart:
        return QStringLiteral("ChartObject");
    case model::ShapeKind::AutoShape:
        return shape.autoShapeType == 9 ? QStringLiteral("Oval") : QStringLiteral("Rectangle");
    default:
        return QStringLiteral("Drawing");
    }
}

int addShapeOnTop(Worksheet& sheet, model::Shape shape)
{
    model::Drawing& drawing = drawingOf(sheet);
    renumber(drawing, shape);
    const int id = shape.id;
    insertOnTop(drawing, std::move(shape));
    drawingChanged(sheet);
    return id;
}

void deleteShape(Worksheet& sheet, int id)
{
    model::Drawing& drawing = drawingOf(sheet);
    model::Shape& shape = shapeOf(sheet, id);
    std::vector<int> gone;
    collectIds(shape, gone);
    std::erase_if(drawing.selection,
                  [&gone](int s) { return std::find(gone.begin(), gone.end(), s) != gone.end(); });

    model::Shape* group = drawing.parentOf(id);
    std::vector<model::Shape>& list = group ? group->members : drawing.shapes;
    std::erase_if(list, [id](const model::Shape& s) { return s.id == id; });
    if (group && group->members.size() == 1) {
        // A group of one is no group: its member takes its place.
        const int groupId = group->id;
        model::Shape* outer = drawing.parentOf(groupId);
        std::vector<model::Shape>& holder = outer ? outer->members : drawing.shapes;
        auto at = std::find_if(holder.begin(), holder.end(),
                               [groupId](const model::Shape& s) { return s.id == groupId; });
        model::Shape survivor = std::move(at->members.front());
        survivor.dirty = true;
        const int survivorId = survivor.id;
        *at = std::move(survivor);
        std::erase(drawing.selection, groupId);
        shapeChanged(sheet, survivorId);
    } else if (group) {
        fitGroupBox(*group);
        shapeChanged(sheet, group->id);
    }
    drawingChanged(sheet);
}

int duplicateShape(Worksheet& sheet, int id)
{
    model::Shape copy = shapeOf(sheet, id);
    moveShape(copy, copy.left + kDuplicateOffset, copy.top + kDuplicateOffset);
    return addShapeOnTop(sheet, std::move(copy));
}

} // namespace host::objects
