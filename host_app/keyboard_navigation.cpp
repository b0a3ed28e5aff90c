#include "host/model/geometry.h"
#include "host/model/workbook.h"
#include "host/objects/worksheet.h"
#include "host_app/commands/selection_commands.h"
#include "host_app/selection_gestures.h"

#include <QKeyEvent>

#include <algorithm>

namespace host_app {

using host::model::CellRect;
using host::model::kMaxColumns;
using host::model::kMaxRows;
using host::objects::Worksheet;

namespace {

// Steps through a sheet's cells the way the keys do: over hidden rows and columns, a merged
// area as one cell.
class Stepper
{
public:
    explicit Stepper(Worksheet& sheet) : m_sheet(sheet), m_geometry(sheet.geometry()) {}

    CellRect mergeOf(int row, int column) const
    {
        return commands::withMerges(m_sheet, CellRect{row, column, row, column});
    }

    // The next row (column) from `from` in direction `step` that is shown; `from` when none.
    int nextRow(int from, int step) const
    {
        for (int r = from + step; r >= 1 && r <= kMaxRows; r += step)
            if (!m_geometry.rowHidden(r))
                return r;
        return from;
    }
    int nextColumn(int from, int step) const
    {
        for (int c = from + step; c >= 1 && c <= kMaxColumns; c += step)
            if (!m_geometry.columnHidden(c))
                return c;
        return from;
    }

    // One cell on from `cell` (a merged area leaves by its far side).
    QPoint step(const CellRect& cell, int dRow, int dColumn) const
    {
        const CellRect area = mergeOf(cell.top, cell.left);
        int row = cell.top;
        int column = cell.left;
        if (dRow > 0)
            row = nextRow(area.bottom, 1);
        else if (dRow < 0)
            row = nextRow(area.top, -1);
        if (dColumn > 0)
            column = nextColumn(area.right, 1);
        else if (dColumn < 0)
            column = nextColumn(area.left, -1);
        return QPoint(column, row);
    }

    bool filled(int row, int column) const
    {
        const host::model::Cell* cell = m_sheet.sheet().cell(row, column);
        return cell && cell->hasValue();
    }

    // Ctrl+arrow: to the edge of the block of filled cells, or to the next filled cell, or to
    // the sheet's edge.
    QPoint jump(int row, int column, int dRow, int dColumn) const
    {
        const auto next = [&](int r, int c) {
            return QPoint(dColumn ? nextColumn(c, dColumn) : c, dRow ? nextRow(r, dRow) : r);
        };
        QPoint at(column, row);
        QPoint ahead = next(row, column);
        if (ahead == at)
            return at;
        if (filled(row, column) && filled(ahead.y(), ahead.x())) {
            while (ahead != at && filled(ahead.y(), ahead.x())) {
                at = ahead;
                ahead = next(at.y(), at.x());
            }
            return at;
        }
        at = ahead;
        while (!filled(at.y(), at.x())) {
            ahead = next(at.y(), at.x());
            if (ahead == at)
                return at;
            at = ahead;
        }
        return at;
    }

    CellRect lastUsed() const
    {
        CellRect used{1, 1, 1, 1};
        for (const auto& [key, cell] : m_sheet.sheet().cells)
            if (cell.hasValue()) {
                used.bottom = std::max(used.bottom, key.first);
                used.right = std::max(used.right, key.second);
            }
        return CellRect{used.bottom, used.right, used.bottom, used.right};
    }

private:
    Worksheet& m_sheet;
    host::model::SheetGeometry m_geometry;
};

CellRect single(QPoint at)
{
    return CellRect{at.y(), at.x(), at.y(), at.x()};
}

// Tab and Enter inside a selection of several cells: the next cell of the areas, by rows
// (Tab) or by columns (Enter), wrapping to the next area.
CellRect nextInside(const std::vector<CellRect>& areas, const CellRect& active, bool byRows,
                    bool backwards)
{
    // The cells of every area, in order; selections this key works on are small.
    std::vector<CellRect> cells;
    for (const CellRect& a : areas) {
        if (a.count() > 100000)
            return active;
        if (byRows) {
            for (int r = a.top; r <= a.bottom; ++r)
                for (int c = a.left; c <= a.right; ++c)
                    cells.push_back(CellRect{r, c, r, c});
        } else {
            for (int c = a.left; c <= a.right; ++c)
                for (int r = a.top; r <= a.bottom; ++r)
                    cells.push_back(CellRect{r, c, r, c});
        }
    }
    const auto at = std::find(cells.begin(), cells.end(), active);
    if (at == cells.end() || cells.empty())
        return active;
    const auto index = at - cells.begin();
    const auto n = std::ssize(cells);
    return cells[size_t(((index + (backwards ? -1 : 1)) % n + n) % n)];
}

} // namespace

bool KeyboardNavigation::key(QKeyEvent* event)
{
    const auto sheet = m_context.sheet();
    if (!sheet)
        return false;
    const host::model::Sheet& s = sheet->sheet();
    const bool shapesSelected = !s.drawing.selection.empty();
    const Qt::KeyboardModifiers mods = event->modifiers();
    const bool shift = mods & Qt::ShiftModifier;
    const bool ctrl = mods & Qt::ControlModifier;
    const CellRect active = commands::activeCell(s);
    const Stepper stepper(*sheet);

    if (event->key() == Qt::Key_Escape) {
        if (!shapesSelected)
            return false;
        commands::returnToCells(*sheet);
        return true;
    }
    if (ctrl && event->key() == Qt::Key_A) {
        commands::selectCells(*sheet, {CellRect{1, 1, kMaxRows, kMaxColumns}}, active);
        return true;
    }
    if (shapesSelected)
        return false; // keys move shapes, which is the editing's business

    const auto moveTo = [&](QPoint at) {
        const CellRect area = stepper.mergeOf(at.y(), at.x());
        commands::selectCells(*sheet, {area}, single(at));
        m_context.reveal(area);
    };
    int dRow = 0;
    int dColumn = 0;
    switch (event->key()) {
    case Qt::Key_Up:
        dRow = -1;
        break;
    case Qt::Key_Down:
        dRow = 1;
        break;
    case Qt::Key_Left:
        dColumn = -1;
        break;
    case Qt::Key_Right:
        dColumn = 1;
        break;
    case Qt::Key_Tab:
    case Qt::Key_Backtab:
    case Qt::Key_Return:
    case Qt::Key_Enter: {
        const bool tab = event->key() == Qt::Key_Tab || event->key() == Qt::Key_Backtab;
        const bool backwards = shift || event->key() == Qt::Key_Backtab;
        const bool several =
            s.view.selection.size() > 1 || !s.view.selection.front().isSingleCell();
        if (several && !(s.view.selection.size() == 1 &&
                         stepper.mergeOf(active.top, active.left) == s.view.selection.front())) {
            const CellRect next = nextInside(s.view.selection, active, tab, backwards);
            commands::moveActiveCell(*sheet, next);
            m_context.reveal(next);
            return true;
        }
        moveTo(tab ? stepper.step(active, 0, backwards ? -1 : 1)
                   : stepper.step(active, backwards ? -1 : 1, 0));
        return true;
    }
    case Qt::Key_Home:
        moveTo(ctrl ? QPoint(stepper.nextColumn(0, 1), stepper.nextRow(0, 1))
                    : QPoint(stepper.nextColumn(0, 1), active.top));
        return true;
    case Qt::Key_End:
        if (!ctrl)
            return false;
        moveTo(QPoint(stepper.lastUsed().left, stepper.lastUsed().top));
        return true;
    case Qt::Key_PageDown:
    case Qt::Key_PageUp: {
        const CellRect shown = m_context.visibleCells();
        const int page = std::max(1, shown.rows() - 1);
        const int step = event->key() == Qt::Key_PageDown ? page : -page;
        const int row = std::clamp(active.top + step, 1, kMaxRows);
        moveTo(QPoint(active.left, row));
        return true;
    }
    default:
        return false;
    }

    if (!shift) {
        moveTo(ctrl ? stepper.jump(active.top, active.left, dRow, dColumn)
                    : stepper.step(active, dRow, dColumn));
        return true;
    }
    // Shift+arrow moves the far corner of the last area; the active cell stays.
    const CellRect last = s.view.selection.back();
    QPoint end(active.left == last.left ? last.right : last.left,
               active.top == last.top ? last.bottom : last.top);
    end = ctrl ? stepper.jump(end.y(), end.x(), dRow, dColumn)
               : stepper.step(single(end), dRow, dColumn);
    const CellRect area = commands::withMerges(
        *sheet, CellRect{std::min(active.top, end.y()), std::min(active.left, end.x()),
                         std::max(active.top, end.y()), std::max(active.left, end.x())});
    std::vector<CellRect> areas(s.view.selection.begin(), s.view.selection.end() - 1);
    areas.push_back(area);
    commands::selectCells(*sheet, areas, active);
    m_context.reveal(single(end));
    return true;
}

} // namespace host_app
