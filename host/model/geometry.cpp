#include "host/model/geometry.h"

#include "host/model/workbook.h"

#include <algorithm>
#include <cmath>

namespace host::model {

namespace {

int pointsToTwips(double points)
{
    return int(std::lround(points * 20));
}

} // namespace

int columnWidthToPixels(double width, int digitWidth)
{
    // ECMA-376 Part 1, 18.3.1.13: Truncate(((256 * width + Truncate(128 / mdw)) / 256) * mdw).
    const double scaled = std::trunc(256 * width + std::trunc(128.0 / digitWidth));
    return int(std::trunc(scaled / 256 * digitWidth));
}

int defaultColumnPixels(const model::Sheet& sheet, int digitWidth)
{
    if (sheet.defaultColumnWidth)
        return columnWidthToPixels(*sheet.defaultColumnWidth, digitWidth);
    // From the base width: its digits plus the padding, rounded up to a multiple of 8 pixels
    // as spreadsheet programs lay the default column out.
    const int pixels = sheet.baseColumnWidth * digitWidth + kColumnPadding;
    return (pixels + 7) / 8 * 8;
}

double pixelsToCharacters(int pixels, int digitWidth)
{
    if (pixels <= 0)
        return 0;
    const double chars = double(std::max(0, pixels - kColumnPadding)) / digitWidth;
    return std::round(chars * 100) / 100;
}

double charactersToWidth(double characters, int digitWidth)
{
    if (characters <= 0)
        return 0;
    const double pixels = std::trunc(characters * digitWidth + 0.5) + kColumnPadding;
    return std::trunc(pixels / digitWidth * 256) / 256;
}

SheetGeometry::SheetGeometry(const model::Sheet& sheet, int digitWidth)
    : m_sheet(sheet), m_digitWidth(digitWidth),
      m_defaultPixels(defaultColumnPixels(sheet, digitWidth))
{
}

bool SheetGeometry::columnHidden(int column) const
{
    const model::ColumnSpan* span = m_sheet.column(column);
    return span && span->hidden;
}

int SheetGeometry::columnPixels(int column) const
{
    const model::ColumnSpan* span = m_sheet.column(column);
    if (!span)
        return m_defaultPixels;
    if (span->hidden)
        return 0;
    return span->width ? columnWidthToPixels(*span->width, m_digitWidth) : m_defaultPixels;
}

double SheetGeometry::columnLeft(int column) const
{
    long long pixels = (long long)(column - 1) * m_defaultPixels;
    for (const model::ColumnSpan& span : m_sheet.columns) {
        if (span.first >= column)
            break;
        const int last = std::min(span.last, column - 1);
        const int count = last - span.first + 1;
        pixels += (long long)count * (columnPixels(span.first) - m_defaultPixels);
    }
    return double(pixels) * kPointsPerPixel;
}

bool SheetGeometry::rowHidden(int row) const
{
    const model::RowInfo* info = m_sheet.row(row);
    return info ? info->hidden : m_sheet.rowsHiddenByDefault;
}

int SheetGeometry::rowTwips(int row) const
{
    const model::RowInfo* info = m_sheet.row(row);
    if (!info)
        return m_sheet.rowsHiddenByDefault ? 0 : pointsToTwips(m_sheet.defaultRowHeight);
    if (info->hidden)
        return 0;
    return pointsToTwips(info->height.value_or(m_sheet.defaultRowHeight));
}

double SheetGeometry::rowHeight(int row) const
{
    return rowTwips(row) / 20.0;
}

long long SheetGeometry::rowTopTwips(int row) const
{
    const int defaultTwips =
        m_sheet.rowsHiddenByDefault ? 0 : pointsToTwips(m_sheet.defaultRowHeight);
    long long twips = (long long)(row - 1) * defaultTwips;
    for (auto it = m_sheet.rows.begin(); it != m_sheet.rows.end() && it->first < row; ++it)
        twips += rowTwips(it->first) - defaultTwips;
    return twips;
}

double SheetGeometry::rowTop(int row) const
{
    return double(rowTopTwips(row)) / 20.0;
}

double SheetGeometry::width(const model::CellRect& r) const
{
    return columnLeft(r.right + 1) - columnLeft(r.left);
}

double SheetGeometry::height(const model::CellRect& r) const
{
    // Only the stated rows inside the block, so that heights far down a sheet cost no more.
    const int defaultTwips =
        m_sheet.rowsHiddenByDefault ? 0 : pointsToTwips(m_sheet.defaultRowHeight);
    long long twips = (long long)r.rows() * defaultTwips;
    for (auto it = m_sheet.rows.lower_bound(r.top);
         it != m_sheet.rows.end() && it->first <= r.bottom; ++it)
        twips += rowTwips(it->first) - defaultTwips;
    return double(twips) / 20.0;
}

} // namespace host::model
