#pragma once

#include "host/model/workbook.h"
#include "host_app/commands/shape_commands.h"
#include "host_app/sheet_gesture.h"

#include <QRectF>

#include <optional>
#include <utility>
#include <vector>

namespace host_app {

class EditHistory;
class SheetView;

// Selected shapes dragged: a press on one of a selected shape's handles resizes that shape
// (keeping its aspect with Shift or when its aspect is locked), a press on a shape without
// Ctrl or Shift selects it unless it is selected and moves every selected shape with the
// pointer. Delete deletes the selected shapes. Each drag is one step on the undo stack, taken
// at the release; a click that does not move leaves no step.
class ShapeDragGesture : public SheetGesture
{
public:
    ShapeDragGesture(SheetView& view, EditHistory& history) : m_view(view), m_history(history) {}
    bool press(const PointerEvent& event) override;
    void move(const PointerEvent& event) override;
    void release(const PointerEvent& event) override;
    bool key(QKeyEvent* event) override;

    // The handle of a selected shape at a view position: the shape's id and the handle.
    std::optional<std::pair<int, commands::Handle>> handleAt(QPointF pos) const;

    // How far (view pixels) the pointer travels before a press on a shape becomes a move.
    static constexpr double kSlop = 3;
    // How near a handle's centre (view pixels) a press takes it.
    static constexpr double kGrip = 5;

private:
    enum class Mode
    {
        None,
        Move,
        Resize,
    };
    void apply(QPointF pos, Qt::KeyboardModifiers modifiers);
    void tell(const QString& text);

    SheetView& m_view;
    EditHistory& m_history;
    Mode m_mode = Mode::None;
    QPointF m_start;
    bool m_moved = false;
    std::optional<host::model::Sheet> m_before;
    std::vector<std::pair<int, QPointF>> m_origins; // moved shapes and their starting corners
    int m_resized = 0;
    commands::Handle m_handle = commands::Handle::BottomRight;
    QRectF m_box;          // the resized shape's unturned box at the press
    double m_rotation = 0; // and its turn, degrees clockwise
    bool m_locked = false;
};

} // namespace host_app
