#pragma once

#include "host/model/workbook.h"

namespace host::model {

// Visits the stored cells inside `r` without walking empty rows or columns.
template <class F>
void forStoredCells(const model::Sheet& sheet, const model::CellRect& r, F&& visit)
{
    const model::CellKey last{r.bottom, r.right};
    auto it = sheet.cells.lower_bound({r.top, r.left});
    while (it != sheet.cells.end() && it->first <= last) {
        const auto [row, column] = it->first;
        if (column < r.left) {
            it = sheet.cells.lower_bound({row, r.left});
        } else if (column > r.right) {
            it = sheet.cells.lower_bound({row + 1, r.left});
        } else {
            visit(row, column, it->second);
            ++it;
        }
    }
}

// The format a cell without an entry of its own shows: its row's, else its column's.
inline int backgroundStyle(const model::Sheet& sheet, int row, int column)
{
    if (const model::RowInfo* info = sheet.row(row); info && info->style)
        return *info->style;
    const model::ColumnSpan* span = sheet.column(column);
    return span ? span->style : 0;
}

} // namespace host::model
