#pragma once

#include "host/automation/variant.h"

#include <QString>

#include <stdexcept>
#include <vector>

namespace xl {
class Range;
class Worksheet;
} // namespace xl

namespace cli {

// What the host answers about one cell.
struct CellReport
{
    QString address; // absolute: "$B$3"
    double left = 0; // points
    double top = 0;
    double width = 0;
    double height = 0;
    QString mergeArea;
    bool hidden = false; // its row or its column is hidden
    bool locked = true;
    host::Variant value;
};

struct SheetReport
{
    QString name;
    int visible = -1; // -1 visible, 0 hidden, 2 very hidden
    bool protectContents = false;
    bool protectDrawingObjects = false;
    std::vector<CellReport> cells; // area by area, row by row
};

// More cells than this are refused: the report would be too large to be of use.
inline constexpr long long kMaxReportedCells = 2'000'000;

struct RangeTooLarge : std::runtime_error
{
    using std::runtime_error::runtime_error;
};

// Asks the host about the sheet and about the cells of `range`, one of its ranges. Host
// errors propagate; a range of more than kMaxReportedCells cells raises RangeTooLarge.
SheetReport reportSheet(const xl::Worksheet& sheet, const xl::Range& range);

} // namespace cli
