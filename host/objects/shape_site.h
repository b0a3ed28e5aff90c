#pragma once

#include "host/model/drawing.h"

#include <QString>

#include <vector>

// Shapes of one worksheet reached by id, as the shape objects reach them at every call: a
// lookup of a deleted shape raises, and every change marks the shape, the groups holding it,
// the drawing and the workbook as changed.
namespace host::objects {

class Worksheet;

model::Drawing& drawingOf(Worksheet& sheet);
// The shape with `id` anywhere in the drawing; raises when it was deleted.
model::Shape& shapeOf(Worksheet& sheet, int id);
// The top-level shape with `id`, or null when it is a group member or gone.
const model::Shape* topLevelShape(const model::Drawing& drawing, int id);
// The shape of that name anywhere in the drawing, letter case ignored; null when none.
model::Shape* shapeNamed(model::Drawing& drawing, const QString& name);

// Drawing objects are protected: the sheet is protected with its drawing objects.
bool drawingProtected(Worksheet& sheet);
// A change the sheet's protection forbids raises 1004, naming the member that failed.
void checkMethodAllowed(Worksheet& sheet, const QString& member, const QString& className);
void checkPropertyAllowed(Worksheet& sheet, const QString& property, const QString& className);

// After a change to the shape with `id`: the groups holding it take their members' bounds.
void shapeChanged(Worksheet& sheet, int id);
// After shapes were added, removed or reordered.
void drawingChanged(Worksheet& sheet);

// The name the host gives a new shape: "図 7", "テキスト ボックス 7", "グループ化 7".
QString hostShapeName(model::ShapeKind kind, int id);
// The class name of a shape's drawing object: "Picture", "TextBox", "GroupObject", …
QString drawingObjectClass(const model::Shape& shape);

// Adds `shape` on top of the other shapes (under the cell comments, which stay last), taking a
// new id and the host's name for it. Answers the id.
int addShapeOnTop(Worksheet& sheet, model::Shape shape);
// Removes a shape (a top-level one or a group member) and drops it from the selection; a group
// left with one member gives way to that member.
void deleteShape(Worksheet& sheet, int id);
// A copy of the shape (members too) with new ids and names, offset from it, on top.
int duplicateShape(Worksheet& sheet, int id);
// Where a duplicate lands relative to its original, in points right and down.
inline constexpr double kDuplicateOffset = 7.5;

} // namespace host::objects
