#pragma once

#include "host/model/cell_ref.h"

#include <QPointF>
#include <QSize>

#include <memory>

class QInputMethodEvent;
class QKeyEvent;
class QPainter;

namespace host::objects {
class Workbook;
class Worksheet;
} // namespace host::objects

namespace host_app {

class SheetLayout;

// What is under the pointer in a sheet view.
struct ViewHit
{
    enum class Part
    {
        Cells,
        ColumnHeader,
        RowHeader,
        Corner,
    };
    Part part = Part::Cells;
    int row = 1;          // the cell's row (for a column header, the top row shown)
    int column = 1;       // the cell's column (for a row header, the left column shown)
    int shapeId = 0;      // the top-level shape shown there, 0 for none
    bool outside = false; // beyond the cell area (a drag that left the view)
};

struct PointerEvent
{
    QPointF pos; // view pixels
    ViewHit hit;
    Qt::MouseButton button = Qt::LeftButton;
    Qt::KeyboardModifiers modifiers;
};

// What a gesture works with: the sheet the view shows, and the view's own services.
class GestureContext
{
public:
    virtual ~GestureContext();
    // The workbook shown and its active sheet; none while the sheet has no cells.
    virtual host::objects::Workbook& book() = 0;
    virtual std::shared_ptr<host::objects::Worksheet> sheet() = 0;
    virtual ViewHit hitAt(QPointF pos) const = 0;
    virtual QSize viewPixels() const = 0;
    // Scrolls so that `cell` shows.
    virtual void reveal(const host::model::CellRect& cell) = 0;
    // The rows (or columns) a page scrolls by: those the cell area shows.
    virtual host::model::CellRect visibleCells() const = 0;
};

// One way of handling the user's pointer and keys in a sheet view. The view offers each press
// to its gestures in order; the one that takes it receives the moves and the release. Keys go
// to each gesture in order until one takes them. Gestures change the workbook only through the
// command layer.
class SheetGesture
{
public:
    virtual ~SheetGesture();
    virtual bool press(const PointerEvent& event) = 0;
    virtual void move(const PointerEvent&) {}
    virtual void release(const PointerEvent&) {}
    virtual bool key(QKeyEvent*) { return false; }
    // A double click, offered before the press it also is.
    virtual bool doubleClick(const PointerEvent&) { return false; }
    // The desktop's input method composing or committing text while the view has the focus.
    virtual bool inputMethod(QInputMethodEvent*) { return false; }
    // Draws what the gesture shows over the sheet (a mode's own marks), after the sheet.
    virtual void paint(QPainter&, const SheetLayout&) {}
};

} // namespace host_app
