#pragma once

#include "host/model/cell_ref.h"

#include <QCoreApplication>
#include <QString>

#include <vector>

namespace host::objects {
class Worksheet;
}

namespace host_app {
class EditHistory;
}

// The user's edits of cells: each goes through the object model, as automation's would, and
// onto the workbook's undo stack as one step. Host errors (a protected sheet) reach the
// caller, with the sheet left as it was.
namespace host_app::commands {

using host::model::CellRect;

class EditTexts
{
    Q_DECLARE_TR_FUNCTIONS(host_app::commands::EditTexts)
};

// What the user typed, as the cell takes it: a number, TRUE/FALSE, "=…" a formula, "'…" text,
// anything else text; empty text empties the cell. `cell` is the merged area's top-left.
void enterText(EditHistory& history, host::objects::Worksheet& sheet, const CellRect& cell,
               const QString& text);
// Delete: the cells' values and formulas go, their formats stay.
void clearContents(EditHistory& history, host::objects::Worksheet& sheet,
                   const std::vector<CellRect>& areas);

// What a cell shows in the formula bar and the editor: its formula, or its value as typed.
QString formulaText(host::objects::Worksheet& sheet, const CellRect& cell);
// Whether the user may change the cell: not a locked cell of a protected sheet.
bool cellChangeable(host::objects::Worksheet& sheet, const CellRect& cell);
// The message the user sees when a protected cell is touched.
QString protectedCellMessage();

} // namespace host_app::commands
