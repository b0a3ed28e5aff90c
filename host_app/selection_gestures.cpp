#include "host_app/selection_gestures.h"

#include "host/model/workbook.h"
#include "host/objects/worksheet.h"
#include "host_app/commands/view_commands.h"

#include <algorithm>

namespace host_app {

using host::model::CellRect;
using host::model::kMaxColumns;
using host::model::kMaxRows;

GestureContext::~GestureContext() = default;
SheetGesture::~SheetGesture() = default;

namespace {

CellRect spanning(int r1, int c1, int r2, int c2)
{
    return CellRect{std::min(r1, r2), std::min(c1, c2), std::max(r1, r2), std::max(c1, c2)};
}

} // namespace

bool ShapeClickGesture::press(const PointerEvent& event)
{
    if (event.hit.part != ViewHit::Part::Cells || event.hit.shapeId == 0 || event.hit.outside)
        return false;
    if (event.button != Qt::LeftButton && event.button != Qt::RightButton)
        return false;
    const auto sheet = m_context.sheet();
    if (!sheet)
        return false;
    const int id = event.hit.shapeId;
    const std::vector<int>& selected = sheet->sheet().drawing.selection;
    const bool isSelected = std::find(selected.begin(), selected.end(), id) != selected.end();
    const bool adding = event.modifiers & (Qt::ControlModifier | Qt::ShiftModifier);
    if (event.button == Qt::LeftButton && adding) {
        if (isSelected)
            commands::deselectShape(*sheet, id);
        else
            commands::selectShapes(*sheet, {id}, selected.empty());
    } else if (!isSelected) {
        commands::selectShapes(*sheet, {id}, true);
    }
    return true;
}

CellRect CellSelectionGesture::areaTo(const ViewHit& hit) const
{
    const auto sheet = m_context.sheet();
    switch (m_mode) {
    case Mode::Columns:
        return CellRect{1, std::min(m_anchorColumn, hit.column), kMaxRows,
                        std::max(m_anchorColumn, hit.column)};
    case Mode::Rows:
        return CellRect{std::min(m_anchorRow, hit.row), 1, std::max(m_anchorRow, hit.row),
                        kMaxColumns};
    case Mode::Cells:
        break;
    }
    return commands::withMerges(*sheet, spanning(m_anchorRow, m_anchorColumn, hit.row, hit.column));
}

void CellSelectionGesture::update(const ViewHit& hit)
{
    const auto sheet = m_context.sheet();
    std::vector<CellRect> areas = m_kept;
    areas.push_back(areaTo(hit));
    commands::selectCellsQuietly(*sheet, areas, m_active);
}

bool CellSelectionGesture::press(const PointerEvent& event)
{
    const auto sheet = m_context.sheet();
    if (!sheet || event.hit.outside)
        return false;
    const ViewHit& hit = event.hit;
    const CellRect active = commands::activeCell(sheet->sheet());
    const host::model::Sheet& s = sheet->sheet();
    const bool cellsSelected = s.drawing.selection.empty();

    if (event.button == Qt::RightButton) {
        // A right click inside the selection keeps it; elsewhere it selects the cell.
        const auto inside = [&](const CellRect& r) { return r.contains(hit.row, hit.column); };
        const bool inSelection =
            cellsSelected && std::any_of(s.view.selection.begin(), s.view.selection.end(), inside);
        if (hit.part == ViewHit::Part::ColumnHeader || hit.part == ViewHit::Part::RowHeader) {
            // A header's menu acts on the selected whole lines, or on the line clicked.
            const bool columns = hit.part == ViewHit::Part::ColumnHeader;
            const auto wholeLine = [&](const CellRect& r) {
                return columns ? r.top == 1 && r.bottom == kMaxRows && r.contains(1, hit.column)
                               : r.left == 1 && r.right == kMaxColumns && r.contains(hit.row, 1);
            };
            if (cellsSelected &&
                std::any_of(s.view.selection.begin(), s.view.selection.end(), wholeLine))
                return true;
            const CellRect line = columns ? CellRect{1, hit.column, kMaxRows, hit.column}
                                          : CellRect{hit.row, 1, hit.row, kMaxColumns};
            commands::selectCells(*sheet, {line},
                                  columns ? CellRect{1, hit.column, 1, hit.column}
                                          : CellRect{hit.row, 1, hit.row, 1});
            return true;
        }
        if (hit.part != ViewHit::Part::Cells || inSelection)
            return true;
        const CellRect cell =
            commands::withMerges(*sheet, CellRect{hit.row, hit.column, hit.row, hit.column});
        commands::selectCells(*sheet, {cell}, CellRect{hit.row, hit.column, hit.row, hit.column});
        return true;
    }
    if (event.button != Qt::LeftButton)
        return false;

    m_before = commands::snapshot(*sheet);
    if (hit.part == ViewHit::Part::Corner) {
        commands::selectCells(*sheet, {CellRect{1, 1, kMaxRows, kMaxColumns}}, active);
        return true;
    }
    m_mode = hit.part == ViewHit::Part::ColumnHeader ? Mode::Columns
             : hit.part == ViewHit::Part::RowHeader  ? Mode::Rows
                                                     : Mode::Cells;
    const bool extend = event.modifiers & Qt::ShiftModifier;
    const bool add = (event.modifiers & Qt::ControlModifier) && cellsSelected;
    m_kept.clear();
    if (extend && cellsSelected) {
        m_kept.assign(s.view.selection.begin(), s.view.selection.end() - 1);
        m_anchorRow = active.top;
        m_anchorColumn = active.left;
        m_active = active;
    } else {
        if (add)
            m_kept = s.view.selection;
        m_anchorRow = hit.row;
        m_anchorColumn = hit.column;
        m_active = CellRect{hit.row, hit.column, hit.row, hit.column};
        if (m_mode == Mode::Columns)
            m_active.top = m_active.bottom = hit.row;
        if (m_mode == Mode::Rows)
            m_active.left = m_active.right = hit.column;
    }
    m_dragging = true;
    update(hit);
    return true;
}

void CellSelectionGesture::move(const PointerEvent& event)
{
    if (!m_dragging || !m_context.sheet())
        return;
    if (event.hit.outside && m_mode == Mode::Cells) {
        // Dragged past the edge: the view follows the pointer a cell at a time.
        m_context.reveal(
            CellRect{event.hit.row, event.hit.column, event.hit.row, event.hit.column});
    }
    update(event.hit);
}

void CellSelectionGesture::release(const PointerEvent&)
{
    if (!m_dragging)
        return;
    m_dragging = false;
    if (const auto sheet = m_context.sheet())
        commands::endSelectionGesture(*sheet, m_before);
}

} // namespace host_app
