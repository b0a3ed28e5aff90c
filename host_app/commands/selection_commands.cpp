#include "host_app/commands/selection_commands.h"

#include "host/model/workbook.h"
#include "host/objects/application.h"
#include "host/objects/range.h"
#include "host/objects/shape_members.h"
#include "host/objects/shape_set.h"
#include "host/objects/workbook.h"
#include "host/objects/worksheet.h"

#include <algorithm>

namespace host_app::commands {

using host::objects::RangeKind;
using host::objects::Worksheet;

CellRect activeCell(const host::model::Sheet& sheet)
{
    const auto cell = host::model::parseA1(sheet.view.activeCell);
    return cell ? *cell : CellRect{};
}

SelectionSnapshot snapshot(Worksheet& sheet)
{
    const host::model::Sheet& s = sheet.sheet();
    return {s.view.selection, !s.drawing.selection.empty()};
}

void selectCellsQuietly(Worksheet& sheet, const std::vector<CellRect>& areas,
                        const CellRect& active)
{
    sheet.select(areas, active, false);
}

void endSelectionGesture(Worksheet& sheet, const SelectionSnapshot& before)
{
    const host::model::Sheet& s = sheet.sheet();
    if (!s.drawing.selection.empty())
        return; // shapes are selected: no cell selection to report
    if (!before.shapesSelected && before.areas == s.view.selection)
        return;
    sheet.book().app().raiseSheetSelectionChange(sheet.self(),
                                                 sheet.range(s.view.selection, RangeKind::Cells));
}

void selectCells(Worksheet& sheet, const std::vector<CellRect>& areas, const CellRect& active)
{
    const SelectionSnapshot before = snapshot(sheet);
    selectCellsQuietly(sheet, areas, active);
    endSelectionGesture(sheet, before);
}

void moveActiveCell(Worksheet& sheet, const CellRect& cell)
{
    std::static_pointer_cast<host::objects::Range>(sheet.range({cell}, RangeKind::Cells))
        ->activate();
}

void selectShapes(Worksheet& sheet, const std::vector<int>& ids, bool replace)
{
    host::objects::selectShapes(host::objects::ShapeSet{sheet.self(), ids}, replace,
                                QStringLiteral("Shape"));
}

void deselectShape(Worksheet& sheet, int id)
{
    std::vector<int> rest = sheet.sheet().drawing.selection;
    std::erase(rest, id);
    if (rest.empty())
        returnToCells(sheet);
    else
        selectShapes(sheet, rest, true);
}

void returnToCells(Worksheet& sheet)
{
    const host::model::Sheet& s = sheet.sheet();
    if (s.drawing.selection.empty())
        return;
    const std::vector<CellRect> areas = s.view.selection;
    selectCells(sheet, areas, activeCell(s));
}

CellRect withMerges(const Worksheet& sheet, CellRect area)
{
    return withMerges(sheet.sheet(), area);
}

CellRect withMerges(const host::model::Sheet& sheet, CellRect area)
{
    const auto& merges = sheet.merges;
    for (bool grown = true; grown;) {
        grown = false;
        for (const CellRect& m : merges) {
            if (!m.intersects(area) || area.contains(m))
                continue;
            area = CellRect{std::min(area.top, m.top), std::min(area.left, m.left),
                            std::max(area.bottom, m.bottom), std::max(area.right, m.right)};
            grown = true;
        }
    }
    return area;
}

} // namespace host_app::commands
