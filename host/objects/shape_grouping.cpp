// Grouping, ungrouping, naming and the z-order of shapes.
#include "host/automation/host_error.h"
#include "host/objects/shape_errors.h"
#include "host/objects/shape_geometry.h"
#include "host/objects/shape_members.h"

#include <algorithm>

namespace host::objects {

namespace {

// The list that holds the shape with `id` (the sheet's or a group's) and its place in it.
std::pair<std::vector<model::Shape>*, size_t> holderOf(model::Drawing& drawing, int id)
{
    model::Shape* group = drawing.parentOf(id);
    std::vector<model::Shape>& list = group ? group->members : drawing.shapes;
    for (size_t i = 0; i < list.size(); ++i)
        if (list[i].id == id)
            return {&list, i};
    raiseShapeDeleted();
}

void replaceInSelection(model::Drawing& drawing, const std::vector<int>& from,
                        const std::vector<int>& to)
{
    std::vector<int>& sel = drawing.selection;
    const auto hit = std::find_if(sel.begin(), sel.end(), [&from](int s) {
        return std::find(from.begin(), from.end(), s) != from.end();
    });
    if (hit == sel.end())
        return;
    const auto at = hit - sel.begin();
    std::erase_if(sel,
                  [&from](int s) { return std::find(from.begin(), from.end(), s) != from.end(); });
    sel.insert(sel.begin() + std::min<std::ptrdiff_t>(at, std::ssize(sel)), to.begin(), to.end());
}

} // namespace

int groupShapes(Worksheet& sheet, const std::vector<int>& ids)
{
    model::Drawing& drawing = drawingOf(sheet);
    std::vector<int> unique;
    for (int id : ids)
        if (std::find(unique.begin(), unique.end(), id) == unique.end())
            unique.push_back(id);
    if (unique.size() < 2)
        raiseOutOfRange();
    for (int id : unique) {
        const model::Shape* shape = topLevelShape(drawing, id);
        if (!shape || shape->kind == model::ShapeKind::Comment)
            raiseOutOfRange(); // members of groups and cell comments cannot be grouped
    }
    model::Shape group;
    group.kind = model::ShapeKind::Group;
    group.lockAspectRatio = false;
    group.placement = model::Placement::MoveAndSize;
    size_t top = 0;
    size_t taken = 0;
    for (size_t i = 0; i < drawing.shapes.size(); ++i)
        if (std::find(unique.begin(), unique.end(), drawing.shapes[i].id) != unique.end()) {
            top = i;
            ++taken;
        }
    // Members in z-order; the group stands where the topmost of them stood.
    for (auto it = drawing.shapes.begin(); it != drawing.shapes.end();) {
        if (std::find(unique.begin(), unique.end(), it->id) != unique.end()) {
            it->dirty = true;
            group.members.push_back(std::move(*it));
            it = drawing.shapes.erase(it);
        } else {
            ++it;
        }
    }
    group.id = drawing.takeId();
    group.name = hostShapeName(model::ShapeKind::Group, group.id);
    fitGroupBox(group);
    const int id = group.id;
    drawing.shapes.insert(drawing.shapes.begin() + std::ptrdiff_t(top + 1 - taken),
                          std::move(group));
    replaceInSelection(drawing, unique, {id});
    drawingChanged(sheet);
    return id;
}

std::vector<int> ungroupShape(Worksheet& sheet, int id)
{
    model::Drawing& drawing = drawingOf(sheet);
    auto [list, index] = holderOf(drawing, id);
    if ((*list)[index].kind != model::ShapeKind::Group)
        raiseGroupOnly();
    model::Shape group = std::move((*list)[index]);
    list->erase(list->begin() + std::ptrdiff_t(index));
    std::vector<int> members;
    for (model::Shape& m : group.members) {
        members.push_back(m.id);
        m.dirty = true;
    }
    list->insert(list->begin() + std::ptrdiff_t(index),
                 std::make_move_iterator(group.members.begin()),
                 std::make_move_iterator(group.members.end()));
    replaceInSelection(drawing, {id}, members);
    if (!members.empty())
        shapeChanged(sheet, members.front());
    drawingChanged(sheet);
    return members;
}

void setShapeName(Worksheet& sheet, int id, const QString& name)
{
    model::Drawing& drawing = drawingOf(sheet);
    model::Shape& shape = shapeOf(sheet, id);
    if (name.trimmed().isEmpty())
        raiseOutOfRange();
    const model::Shape* other = shapeNamed(drawing, name);
    if (other && other->id != id)
        raise(kPermissionDenied, QStringLiteral("Permission denied"));
    shape.name = name;
    shapeChanged(sheet, id);
}

int zOrderPosition(Worksheet& sheet, int id)
{
    model::Drawing& drawing = drawingOf(sheet);
    shapeOf(sheet, id);
    int top = id;
    while (const model::Shape* group = drawing.parentOf(top))
        top = group->id;
    for (size_t i = 0; i < drawing.shapes.size(); ++i)
        if (drawing.shapes[i].id == top)
            return int(i) + 1;
    return 0;
}

} // namespace host::objects
