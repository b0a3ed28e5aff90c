#pragma once

#include <QByteArray>
#include <QString>

#include <vector>

namespace cli {

struct SheetReport;

// {"sheets":[{"name","visible","protect_contents","protect_drawing_objects","cells":[{"address",
// "left","top","width","height","merge_area","hidden","locked","value"}],"shapes":[{"name",
// "type","left","top","width","height","rotation","placement", and for pictures
// "untouched_width","untouched_height","crop_left","crop_top","crop_right","crop_bottom",
// "brightness","contrast"}]}]}, numbers in points. A value is "" for an empty cell, a number,
// true/false, text, or null.
QByteArray reportJson(const std::vector<SheetReport>& sheets);

// The same as lines for people: a heading per sheet, then one tab-separated line per cell, and
// when the sheet has shapes a heading and one line per shape, each starting with "shape" ("-"
// where a field is only for pictures).
QString reportText(const std::vector<SheetReport>& sheets);

} // namespace cli
