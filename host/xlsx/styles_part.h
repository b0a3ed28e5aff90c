#pragma once

#include <QByteArray>
#include <QString>

#include <pugixml.hpp>

#include <string_view>
#include <vector>

namespace host::model {
struct CellFormat;
struct Workbook;
} // namespace host::model

namespace host::xlsx {

// The schema's order of the style sheet's children.
inline constexpr std::string_view kStyleSheetOrder[] = {
    "numFmts",    "fonts", "fills",       "borders", "cellStyleXfs", "cellXfs",
    "cellStyles", "dxfs",  "tableStyles", "colors",  "extLst"};

// Reads what the model keeps of the styles part: each cell format's protection and look, the
// fonts, fills, borders and number formats they use, the default font (the first font) and
// the palette when the file brings its own.
void readStyles(pugi::xml_node root, model::Workbook& book);
std::vector<model::CellFormat> readCellFormats(pugi::xml_node root);

// Brings the styles part in line with the model: cell formats whose protection differs from
// `inPart` are patched, formats beyond it are appended (copies of their base format), and the
// palette is written when `writePalette`. Returns whether anything changed.
bool patchStyles(pugi::xml_node root, const model::Workbook& book,
                 const std::vector<model::CellFormat>& inPart, bool writePalette);

// Sets an <xf>'s protection child (and applyProtection) to the format's.
void setCellProtection(pugi::xml_node xf, const model::CellFormat& format);

// A styles part with one font, the two required fills, one border, one cell format and the
// "Normal" style; the model's own formats and palette are patched in afterwards.
QByteArray newStylesPart(const QString& fontName, double fontSize, bool strict);

} // namespace host::xlsx
