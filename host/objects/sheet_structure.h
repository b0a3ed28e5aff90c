#pragma once

namespace host::objects {

class Worksheet;

// Whole rows or columns inserted or deleted, the way spreadsheet programs move what is on
// the sheet: cells, row heights and column widths, merged areas and cell comments beyond the
// place move along; a merged area the place cuts grows or shrinks; shapes move with the cells
// under them (placement 1 also sizes with them, placement 3 stays). Every cell, row and
// column moved is marked changed so that saving writes the new layout. Refused (1004) on a
// protected sheet. Formulas keep their text.
enum class SheetAxis
{
    Rows,
    Columns
};

void insertLines(Worksheet& sheet, SheetAxis axis, int first, int count);
void deleteLines(Worksheet& sheet, SheetAxis axis, int first, int count);

} // namespace host::objects
