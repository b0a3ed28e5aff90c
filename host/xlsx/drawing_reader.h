#pragma once

#include <QString>

#include <pugixml.hpp>

#include <string_view>

namespace host::model {
struct PackageState;
struct Sheet;
struct Workbook;
} // namespace host::model

namespace host::xlsx {

// Fills `sheet.drawing` from the sheet's drawing part (pictures, text boxes, groups, and the
// shapes only kept) and its comments, in points. Every shape read is clean and remembers its
// element, so that saving copies it unchanged. What cannot be read (a missing picture, a
// malformed part) is kept as far as it can be or left out; it never refuses the workbook.
// Needs the workbook's default font and palette, so styles must be read first.
void readSheetDrawing(const model::PackageState& package, const model::Workbook& book,
                      const QString& sheetPart, pugi::xml_node sheetRoot, model::Sheet& sheet);

// The part the sheet's <drawing r:id> (`element` "drawing") or <legacyDrawing r:id> refers
// to; "" when there is none or it is not in the package.
QString linkedPart(const model::PackageState& package, const QString& sheetPart,
                   pugi::xml_node sheetRoot, std::string_view element);

} // namespace host::xlsx
