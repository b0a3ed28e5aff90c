#include "host/render/general_format.h"

#include "host/model/general_number.h"
#include "host/model/workbook.h"

namespace host::render {

QString displayText(const model::Cell& cell)
{
    switch (cell.kind) {
    case model::CellKind::Number:
        return model::generalNumber(cell.number);
    case model::CellKind::Text:
    case model::CellKind::Error:
        return cell.text;
    case model::CellKind::Boolean:
        return cell.boolean ? QStringLiteral("TRUE") : QStringLiteral("FALSE");
    case model::CellKind::Empty:
        break;
    }
    return {};
}

} // namespace host::render
