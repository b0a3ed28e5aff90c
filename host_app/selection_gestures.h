#pragma once

#include "host_app/commands/selection_commands.h"
#include "host_app/sheet_gesture.h"

#include <memory>
#include <vector>

namespace host_app {

// A click on a shape selects it (its group when it is in one); a click with Ctrl or Shift adds
// it to the selected shapes, or drops it when it was selected. A right click selects it unless
// it already is, for its context menu.
class ShapeClickGesture : public SheetGesture
{
public:
    explicit ShapeClickGesture(GestureContext& context) : m_context(context) {}
    bool press(const PointerEvent& event) override;

private:
    GestureContext& m_context;
};

// Cells selected by clicking and dragging: a click selects a cell (its merged area), a drag a
// block, Shift extends the selection from the active cell, Ctrl adds an area; clicks and drags
// on the headers select whole columns or rows, the corner the whole sheet. The selection shows
// as the drag goes; SheetSelectionChange is raised once, at the release.
class CellSelectionGesture : public SheetGesture
{
public:
    explicit CellSelectionGesture(GestureContext& context) : m_context(context) {}
    bool press(const PointerEvent& event) override;
    void move(const PointerEvent& event) override;
    void release(const PointerEvent& event) override;

private:
    enum class Mode
    {
        Cells,
        Columns,
        Rows
    };
    host::model::CellRect areaTo(const ViewHit& hit) const;
    void update(const ViewHit& hit);

    GestureContext& m_context;
    bool m_dragging = false;
    Mode m_mode = Mode::Cells;
    int m_anchorRow = 1;
    int m_anchorColumn = 1;
    host::model::CellRect m_active;
    std::vector<host::model::CellRect> m_kept; // areas that stay (Ctrl)
    commands::SelectionSnapshot m_before;
};

// Keys that move the active cell and the selection: arrows, Shift+arrows, Ctrl+arrows, Tab,
// Enter, Home, Ctrl+Home, Ctrl+End, Page Up/Down, Ctrl+A, and Escape leaving selected shapes
// for the cells.
class KeyboardNavigation : public SheetGesture
{
public:
    explicit KeyboardNavigation(GestureContext& context) : m_context(context) {}
    bool press(const PointerEvent&) override { return false; }
    bool key(QKeyEvent* event) override;

private:
    GestureContext& m_context;
};

} // namespace host_app
