#pragma once

#include "host/model/cell_ref.h"

#include <QCoreApplication>

#include <vector>

namespace host::objects {
class Worksheet;
}

namespace host_app {
class EditHistory;
}

// The user's edits of rows and columns and of merged areas, each one step on the workbook's
// undo stack, through the object model (Range.Insert and Delete of whole rows or columns,
// ColumnWidth, RowHeight, Hidden, MergeCells). Host errors reach the caller with the sheet
// left as it was.
namespace host_app::commands {

using host::model::CellRect;

class LineTexts
{
    Q_DECLARE_TR_FUNCTIONS(host_app::commands::LineTexts)
};

enum class Lines
{
    Rows,
    Columns
};

// The rows (or columns) the selection covers, as whole lines: one area per selected area.
std::vector<CellRect> wholeLines(const std::vector<CellRect>& areas, Lines lines);

void insertLines(EditHistory& history, host::objects::Worksheet& sheet, const CellRect& area,
                 Lines lines);
void deleteLines(EditHistory& history, host::objects::Worksheet& sheet, const CellRect& area,
                 Lines lines);
void hideLines(EditHistory& history, host::objects::Worksheet& sheet,
               const std::vector<CellRect>& areas, Lines lines, bool hide);
// A column's width in the sheet's pixels at 100 % (0 hides it), a row's height in points.
// The apply… forms change the sheet without a step on the stack: a drag under way.
void applyColumnPixels(host::objects::Worksheet& sheet, int first, int last, int pixels);
void applyRowPoints(host::objects::Worksheet& sheet, int first, int last, double points);
void setColumnPixels(EditHistory& history, host::objects::Worksheet& sheet, int first, int last,
                     int pixels);
void setRowPoints(EditHistory& history, host::objects::Worksheet& sheet, int first, int last,
                  double points);
void mergeCells(EditHistory& history, host::objects::Worksheet& sheet,
                const std::vector<CellRect>& areas, bool merge);

} // namespace host_app::commands
