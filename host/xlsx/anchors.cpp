#include "host/xlsx/anchors.h"

#include "host/model/digit_width.h"
#include "host/model/workbook.h"
#include "host/xlsx/xml_util.h"

#include <algorithm>
#include <cmath>

namespace host::xlsx {

namespace {

// Offsets beyond this (about 78 km) are malformed; clamping keeps the arithmetic finite.
constexpr long long kMaxEmu = 1'000'000'000'000LL;

long long emuValue(pugi::xml_node element)
{
    const auto v = xml::doubleValue(xml::text(element).trimmed().toUtf8().constData());
    if (!v || !std::isfinite(*v))
        return 0;
    return std::llround(std::clamp(*v, double(-kMaxEmu), double(kMaxEmu)));
}

int indexValue(pugi::xml_node element, int count)
{
    const auto v = xml::doubleValue(xml::text(element).trimmed().toUtf8().constData());
    if (!v || !std::isfinite(*v))
        return 0;
    return int(std::clamp(*v, 0.0, double(count - 1)));
}

// The largest index in [1, count] whose leading edge is at or before `position`: with hidden
// lines of no size, that is the visible one.
template <typename Edge> int lineAt(double position, int count, Edge edge)
{
    int low = 1;
    int high = count;
    while (low < high) {
        const int mid = low + (high - low + 1) / 2;
        if (edge(mid) <= position)
            low = mid;
        else
            high = mid - 1;
    }
    return low;
}

} // namespace

int digitWidthOf(const model::Workbook& book)
{
    return model::maximumDigitWidth(book.defaultFontName, book.defaultFontSize);
}

AnchorGeometry::AnchorGeometry(const model::Sheet& sheet, int digitWidth)
    : m_geometry(sheet, digitWidth),
      m_defaultTwips(sheet.rowsHiddenByDefault ? 0 : std::lround(sheet.defaultRowHeight * 20))
{
    long long top = 0;
    int next = 1; // the first row not yet counted
    m_rows.reserve(sheet.rows.size());
    for (const auto& [row, info] : sheet.rows) {
        if (row < 1 || row > model::kMaxRows)
            continue;
        top += (long long)(row - next) * m_defaultTwips;
        const long long height = std::llround(m_geometry.rowHeight(row) * 20);
        m_rows.push_back(StatedRow{row, top, height});
        top += height;
        next = row + 1;
    }
}

int AnchorGeometry::rowAt(double y) const
{
    // The last row whose top is at or above y: with hidden rows of no height, the visible one.
    const double twips = y * 20;
    auto after = std::upper_bound(m_rows.begin(), m_rows.end(), twips,
                                  [](double t, const StatedRow& r) { return t < double(r.top); });
    int first = 1;    // of the default-height rows that follow
    double start = 0; // their top
    int limit = model::kMaxRows;
    if (after != m_rows.begin()) {
        const StatedRow& r = *(after - 1);
        if (twips < double(r.top + r.height))
            return r.row;
        first = r.row + 1;
        start = double(r.top + r.height);
    }
    if (after != m_rows.end())
        limit = after->row - 1;
    if (first > limit)
        return limit;
    if (m_defaultTwips == 0)
        return limit;
    const double k = std::floor((twips - start) / double(m_defaultTwips));
    return int(std::min<double>(limit, first + k));
}

double AnchorGeometry::x(const CellMarker& marker) const
{
    return m_geometry.columnLeft(marker.column + 1) + marker.columnOffset / kEmuPerPoint;
}

double AnchorGeometry::y(const CellMarker& marker) const
{
    return m_geometry.rowTop(marker.row + 1) + marker.rowOffset / kEmuPerPoint;
}

CellMarker AnchorGeometry::marker(double x, double y) const
{
    x = std::max(0.0, x);
    y = std::max(0.0, y);
    const int column =
        lineAt(x, model::kMaxColumns, [&](int c) { return m_geometry.columnLeft(c); });
    const int row = rowAt(y);
    CellMarker m;
    m.column = column - 1;
    m.row = row - 1;
    m.columnOffset = pointsToEmu(x - m_geometry.columnLeft(column));
    m.rowOffset = pointsToEmu(y - m_geometry.rowTop(row));
    return m;
}

bool readMarker(pugi::xml_node element, CellMarker* marker)
{
    if (!element)
        return false;
    marker->column = indexValue(xml::child(element, "col"), model::kMaxColumns);
    marker->row = indexValue(xml::child(element, "row"), model::kMaxRows);
    marker->columnOffset = emuValue(xml::child(element, "colOff"));
    marker->rowOffset = emuValue(xml::child(element, "rowOff"));
    return true;
}

void writeMarker(pugi::xml_node element, const CellMarker& marker)
{
    auto put = [&](std::string_view name, long long value) {
        xml::setText(xml::appendChild(element, name), QString::number(value));
    };
    put("col", marker.column);
    put("colOff", marker.columnOffset);
    put("row", marker.row);
    put("rowOff", marker.rowOffset);
}

double emuPoints(pugi::xml_attribute a, double fallback)
{
    const auto v = xml::doubleValue(a);
    if (!v || !std::isfinite(*v))
        return fallback;
    return std::clamp(*v, double(-kMaxEmu), double(kMaxEmu)) / kEmuPerPoint;
}

long long pointsToEmu(double points)
{
    if (!std::isfinite(points))
        return 0;
    return std::llround(std::clamp(points * kEmuPerPoint, double(-kMaxEmu), double(kMaxEmu)));
}

} // namespace host::xlsx
