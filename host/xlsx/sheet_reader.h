#pragma once

#include <QString>

#include <pugixml.hpp>

#include <string>
#include <vector>

namespace host::model {
struct Sheet;
}

namespace host::xlsx {

struct SheetReadContext
{
    const std::vector<QString>* sharedStrings = nullptr;
    bool date1904 = false;
};

// Fills `sheet` from a worksheet, dialog sheet or macro sheet part (they share the layout of
// cells, rows, columns and views). Raises a PackageError for references off the sheet.
void readWorksheet(pugi::xml_node root, model::Sheet& sheet, const SheetReadContext& context);
// A chart sheet has no cells: only its view and protection.
void readChartsheet(pugi::xml_node root, model::Sheet& sheet);

// The name of a sheet view's active pane ("" when the view has no pane) and that pane's
// <selection>, or none when the view has no selection for it.
std::string activePaneName(pugi::xml_node view);
pugi::xml_node activeSelection(pugi::xml_node view);

// The plain text of a rich text element (<si>, <is>): its runs joined, phonetic runs left out,
// _xHHHH_ escapes decoded.
QString richText(pugi::xml_node element);
// An ISO 8601 date-time as a serial number of the workbook's date system.
double dateSerial(const QString& iso, bool date1904, bool* ok);

} // namespace host::xlsx
