#include "host_app/commands/line_commands.h"

#include "host/model/geometry.h"
#include "host/model/workbook.h"
#include "host/objects/range.h"
#include "host/objects/workbook.h"
#include "host/objects/worksheet.h"
#include "host_app/edit_history.h"

namespace host_app::commands {

using host::objects::Range;
using host::objects::RangeKind;

namespace {

std::shared_ptr<Range> rangeOf(host::objects::Worksheet& sheet, std::vector<CellRect> areas)
{
    return std::static_pointer_cast<Range>(sheet.range(std::move(areas), RangeKind::Cells));
}

} // namespace

std::vector<CellRect> wholeLines(const std::vector<CellRect>& areas, Lines lines)
{
    std::vector<CellRect> out;
    for (const CellRect& a : areas)
        out.push_back(lines == Lines::Rows ? CellRect{a.top, 1, a.bottom, host::model::kMaxColumns}
                                           : CellRect{1, a.left, host::model::kMaxRows, a.right});
    return out;
}

void insertLines(EditHistory& history, host::objects::Worksheet& sheet, const CellRect& area,
                 Lines lines)
{
    const QString text =
        lines == Lines::Rows ? LineTexts::tr("行の挿入") : LineTexts::tr("列の挿入");
    history.record(sheet, text, [&] { rangeOf(sheet, wholeLines({area}, lines))->insertLines(); });
}

void deleteLines(EditHistory& history, host::objects::Worksheet& sheet, const CellRect& area,
                 Lines lines)
{
    const QString text =
        lines == Lines::Rows ? LineTexts::tr("行の削除") : LineTexts::tr("列の削除");
    history.record(sheet, text, [&] { rangeOf(sheet, wholeLines({area}, lines))->deleteLines(); });
}

void hideLines(EditHistory& history, host::objects::Worksheet& sheet,
               const std::vector<CellRect>& areas, Lines lines, bool hide)
{
    const QString text = hide ? LineTexts::tr("非表示") : LineTexts::tr("再表示");
    history.record(sheet, text, [&] { rangeOf(sheet, wholeLines(areas, lines))->setHidden(hide); });
}

void applyColumnPixels(host::objects::Worksheet& sheet, int first, int last, int pixels)
{
    const double characters =
        pixels <= 0 ? 0.0 : host::model::pixelsToCharacters(pixels, sheet.book().digitWidth());
    rangeOf(sheet, {CellRect{1, first, host::model::kMaxRows, last}})->setColumnWidth(characters);
}

void applyRowPoints(host::objects::Worksheet& sheet, int first, int last, double points)
{
    rangeOf(sheet, {CellRect{first, 1, last, host::model::kMaxColumns}})
        ->setRowHeight(std::max(0.0, points));
}

void setColumnPixels(EditHistory& history, host::objects::Worksheet& sheet, int first, int last,
                     int pixels)
{
    history.record(sheet, LineTexts::tr("列幅の変更"),
                   [&] { applyColumnPixels(sheet, first, last, pixels); });
}

void setRowPoints(EditHistory& history, host::objects::Worksheet& sheet, int first, int last,
                  double points)
{
    history.record(sheet, LineTexts::tr("行の高さの変更"),
                   [&] { applyRowPoints(sheet, first, last, points); });
}

void mergeCells(EditHistory& history, host::objects::Worksheet& sheet,
                const std::vector<CellRect>& areas, bool merge)
{
    history.record(sheet, merge ? LineTexts::tr("セルの結合") : LineTexts::tr("セル結合の解除"),
                   [&] { rangeOf(sheet, areas)->setMergeCells(merge); });
}

} // namespace host_app::commands
