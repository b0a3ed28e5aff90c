#pragma once

#include <QCoreApplication>
#include <QPointF>
#include <QRectF>
#include <QString>

#include <vector>

namespace host::model {
struct Drawing;
}
namespace host::objects {
class Worksheet;
}

namespace host_app {
class EditHistory;
}

// The user's edits of shapes: moved, resized, deleted, grouped and ungrouped through the same
// shape rules automation's Left/Top/Width/Height, Delete, Group and Ungroup follow, each one
// step on the workbook's undo stack. A protected drawing refuses them with the host's error.
namespace host_app::commands {

class ShapeTexts
{
    Q_DECLARE_TR_FUNCTIONS(host_app::commands::ShapeTexts)
};

// The handles round a selected shape, in the order the view draws them: each corner followed
// by the middle of the side after it.
enum class Handle
{
    TopLeft,
    Top,
    TopRight,
    Right,
    BottomRight,
    Bottom,
    BottomLeft,
    Left,
};
inline constexpr int kHandleCount = 8;

// Which edges a handle moves: -1 the near one (left, top), 1 the far one, 0 neither.
int horizontalEdge(Handle h);
int verticalEdge(Handle h);

// The unturned box `box` after its handle was dragged by `delta` (sheet points, already turned
// into the box's own axes). Keeping the aspect, a corner scales both sides by the larger
// change and a side handle scales the other side about its middle. The side opposite the
// handle stays; a box never shrinks below a point.
QRectF resizedBox(const QRectF& box, Handle handle, QPointF delta, bool keepAspect);

// Puts a shape at `box` (its unturned box in points): the top-left corner and the size.
void placeShape(host::objects::Worksheet& sheet, int id, const QRectF& box);
// Moves shapes to the boxes' top-left corners, keeping their sizes.
void moveShapeTo(host::objects::Worksheet& sheet, int id, QPointF topLeft);
// Raises the host's error when the sheet's protection keeps its shapes as they are.
void checkShapesChangeable(host::objects::Worksheet& sheet);

// The selected shapes go.
void deleteSelectedShapes(EditHistory& history, host::objects::Worksheet& sheet);
// Group: two or more top-level shapes selected. Ungroup: a group among them.
bool canGroup(const host::model::Drawing& drawing);
bool canUngroup(const host::model::Drawing& drawing);
// The selected shapes become one group, which is selected; answers its id.
int groupSelectedShapes(EditHistory& history, host::objects::Worksheet& sheet);
// Every selected group gives way to its members, which are selected.
void ungroupSelectedShapes(EditHistory& history, host::objects::Worksheet& sheet);

} // namespace host_app::commands
