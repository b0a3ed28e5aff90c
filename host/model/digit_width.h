#pragma once

#include <QString>

namespace host::model {

// The maximum digit width in pixels at 96 dpi of a workbook's default font, the unit in
// which column widths are stated. Common default fonts come from a table; others are
// measured with Qt's font metrics when a GUI application exists and the font is installed;
// otherwise the answer is 7, the width of the most common default font.
int maximumDigitWidth(const QString& fontName, double pointSize);

} // namespace host::model
