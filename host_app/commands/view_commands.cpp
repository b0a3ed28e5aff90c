#include "host_app/commands/view_commands.h"

#include "host/model/workbook.h"
#include "host/objects/workbook.h"
#include "host/objects/worksheet.h"
#include "host_app/sheet_layout.h"

#include <algorithm>

namespace host_app::commands {

using host::Variant;

void setZoom(host::objects::Workbook& book, int percent)
{
    book.window()->let(QStringLiteral("Zoom"), Variant(std::int32_t(std::clamp(percent, 10, 400))));
}

void scrollTo(host::objects::Workbook& book, int row, int column)
{
    const auto window = book.window();
    window->let(QStringLiteral("ScrollRow"),
                Variant(std::int32_t(std::clamp(row, 1, host::model::kMaxRows))));
    window->let(QStringLiteral("ScrollColumn"),
                Variant(std::int32_t(std::clamp(column, 1, host::model::kMaxColumns))));
}

void reveal(host::objects::Workbook& book, const host::model::CellRect& cell, QSize viewPixels)
{
    const auto sheet = book.activeSheet();
    if (!sheet || !sheet->hasCells())
        return;
    const host::model::Sheet& s = sheet->sheet();
    const SheetLayout layout(book.model(), s, viewPixels);
    const host::model::SheetGeometry& g = layout.geometry();
    const QRect area = layout.cellArea();
    const double perPoint = layout.scale();

    // The first row (column) from which `last` still shows whole in `room` pixels.
    const auto firstShowing = [perPoint](int last, double room, auto&& sizeOf) {
        int first = last;
        double used = sizeOf(last) * perPoint;
        while (first > 1 && used + sizeOf(first - 1) * perPoint <= room)
            used += sizeOf(--first) * perPoint;
        return first;
    };
    int row = s.view.topRow;
    int column = s.view.leftColumn;
    if (cell.top < row)
        row = cell.top;
    else if (g.rowTop(cell.bottom + 1) - g.rowTop(row) > area.height() / perPoint)
        row = std::min(cell.top, firstShowing(cell.bottom, area.height(),
                                              [&g](int r) { return g.rowHeight(r); }));
    if (cell.left < column)
        column = cell.left;
    else if (g.columnLeft(cell.right + 1) - g.columnLeft(column) > area.width() / perPoint)
        column = std::min(cell.left, firstShowing(cell.right, area.width(),
                                                  [&g](int c) { return g.columnWidth(c); }));
    if (row != s.view.topRow || column != s.view.leftColumn)
        scrollTo(book, row, column);
}

void activateSheet(host::objects::Worksheet& sheet)
{
    sheet.call(QStringLiteral("Activate"));
}

void activateWorkbook(host::objects::Workbook& book)
{
    book.call(QStringLiteral("Activate"));
}

} // namespace host_app::commands
