#include "host_app/commands/edit_commands.h"

#include "host/model/workbook.h"
#include "host/objects/range.h"
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

void enterText(EditHistory& history, host::objects::Worksheet& sheet, const CellRect& cell,
               const QString& text)
{
    const CellRect one{cell.top, cell.left, cell.top, cell.left};
    history.record(sheet, EditTexts::tr("入力"),
                   [&] { rangeOf(sheet, {one})->setValue(host::Variant(text)); });
}

void clearContents(EditHistory& history, host::objects::Worksheet& sheet,
                   const std::vector<CellRect>& areas)
{
    history.record(sheet, EditTexts::tr("クリア"), [&] { rangeOf(sheet, areas)->clearContents(); });
}

QString formulaText(host::objects::Worksheet& sheet, const CellRect& cell)
{
    const CellRect one{cell.top, cell.left, cell.top, cell.left};
    const host::model::Cell* stored = sheet.sheet().cell(one.top, one.left);
    if (stored && stored->kind == host::model::CellKind::Number && stored->formula.isEmpty())
        return QString::number(stored->number, 'g', 15);
    return rangeOf(sheet, {one})->formula().toString();
}

bool cellChangeable(host::objects::Worksheet& sheet, const CellRect& cell)
{
    if (!sheet.sheet().protection.sheet)
        return true;
    const host::Variant locked =
        rangeOf(sheet, {CellRect{cell.top, cell.left, cell.top, cell.left}})->locked();
    return !locked.isNull() && !locked.toBool();
}

QString protectedCellMessage()
{
    return EditTexts::tr("変更しようとしているセルは保護されているシート上にあります。"
                         "変更するには、シートの保護を解除してください。");
}

} // namespace host_app::commands
