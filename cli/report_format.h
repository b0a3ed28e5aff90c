#pragma once

#include <QByteArray>
#include <QString>

#include <vector>

namespace cli {

struct SheetReport;

// {"sheets":[{"name","visible","protect_contents","protect_drawing_objects","cells":[{"address",
// "left","top","width","height","merge_area","hidden","locked","value"}]}]}, numbers in points.
// A value is "" for an empty cell, a number, true/false, text, or null.
QByteArray reportJson(const std::vector<SheetReport>& sheets);

// The same as lines for people: a heading per sheet, then one tab-separated line per cell.
QString reportText(const std::vector<SheetReport>& sheets);

} // namespace cli
