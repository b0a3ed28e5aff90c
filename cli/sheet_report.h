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

// What the host answers about one shape of the sheet's Shapes collection.
struct ShapeReport
{
    QString name;
    int type = 0;    // the host's shape type: 13 picture, 17 text box, 6 group, 4 comment, …
    double left = 0; // points, the unrotated box
    double top = 0;
    double width = 0;
    double height = 0;
    double rotation = 0;
    int placement = 1;
    bool picture = false; // the fields below are set for pictures only
    double untouchedWidth = 0;
    double untouchedHeight = 0;
    double cropLeft = 0;
    double cropTop = 0;
    double cropRight = 0;
    double cropBottom = 0;
    double brightness = 0.5;
    double contrast = 0.5;
};

struct SheetReport
{
    QString name;
    int visible = -1; // -1 visible, 0 hidden, 2 very hidden
    bool protectContents = false;
    bool protectDrawingObjects = false;
    std::vector<CellReport> cells;   // area by area, row by row
    std::vector<ShapeReport> shapes; // in z-order, bottom first
};

// More cells than this are refused: the report would be too large to be of use.
inline constexpr long long kMaxReportedCells = 2'000'000;

struct RangeTooLarge : std::runtime_error
{
    using std::runtime_error::runtime_error;
};

// Asks the host about the sheet, its shapes and the cells of `range`, one of its ranges. Host
// errors propagate; a range of more than kMaxReportedCells cells raises RangeTooLarge.
SheetReport reportSheet(const xl::Worksheet& sheet, const xl::Range& range);

} // namespace cli
