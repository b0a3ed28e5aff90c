#pragma once

#include "host/model/cell_ref.h"

namespace host::model {
struct Sheet;
}

// Cell geometry in points from a sheet's column widths and row heights, converted the way
// spreadsheet programs do at 96 dpi: column widths are characters of the default font's
// maximum digit width (ECMA-376 column width rule), row heights are points kept in twips.
// Hidden columns and rows take no room. Positions are sums over the sheet's stated spans,
// never loops over every row or column.
namespace host::model {

inline constexpr double kPointsPerPixel = 0.75;
inline constexpr int kColumnPadding = 5; // pixels: two of margin on each side and a grid line

// A stated width (characters, padding included) in pixels.
int columnWidthToPixels(double width, int digitWidth);
// The sheet's default column width in pixels.
int defaultColumnPixels(const model::Sheet& sheet, int digitWidth);
// Pixels as the characters a ColumnWidth property shows (two decimals).
double pixelsToCharacters(int pixels, int digitWidth);
// Characters of a ColumnWidth assignment as a width to store.
double charactersToWidth(double characters, int digitWidth);

class SheetGeometry
{
public:
    SheetGeometry(const model::Sheet& sheet, int digitWidth);

    int columnPixels(int column) const;
    double columnWidth(int column) const { return columnPixels(column) * kPointsPerPixel; }
    double rowHeight(int row) const;
    bool columnHidden(int column) const;
    bool rowHidden(int row) const;

    // Left edge of a column and top edge of a row; column kMaxColumns + 1 and row
    // kMaxRows + 1 give the far edges of the sheet.
    double columnLeft(int column) const;
    double rowTop(int row) const;

    double left(const model::CellRect& r) const { return columnLeft(r.left); }
    double top(const model::CellRect& r) const { return rowTop(r.top); }
    double width(const model::CellRect& r) const;
    double height(const model::CellRect& r) const;

private:
    long long rowTopTwips(int row) const;
    int rowTwips(int row) const;

    const model::Sheet& m_sheet;
    int m_digitWidth;
    int m_defaultPixels;
};

} // namespace host::model
