#pragma once

class QPainter;

namespace host::model {
struct Workbook;
}

namespace host_app {

class SheetLayout;

// Paints a sheet view as the layout places it: the cells and shapes through the host's
// renderer (the same drawing as `picrows render`, with grid lines), the selected cells or the
// selected shapes' handles over them, and the column and row headers.
void paintSheetView(QPainter& painter, const host::model::Workbook& book,
                    const SheetLayout& layout);

// Paints only the renderer's drawing of the visible cells into the cell area.
void paintCells(QPainter& painter, const host::model::Workbook& book, const SheetLayout& layout);

} // namespace host_app
