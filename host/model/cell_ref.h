#pragma once

#include <QString>

#include <optional>
#include <vector>

namespace host::model {

inline constexpr int kMaxRows = 1048576;
inline constexpr int kMaxColumns = 16384;

// One rectangular block of cells, 1-based and inclusive.
struct CellRect
{
    int top = 1;
    int left = 1;
    int bottom = 1;
    int right = 1;

    int rows() const { return bottom - top + 1; }
    int columns() const { return right - left + 1; }
    long long count() const { return (long long)rows() * columns(); }
    bool contains(int row, int column) const
    {
        return row >= top && row <= bottom && column >= left && column <= right;
    }
    bool contains(const CellRect& o) const
    {
        return o.top >= top && o.bottom <= bottom && o.left >= left && o.right <= right;
    }
    bool intersects(const CellRect& o) const
    {
        return !(o.bottom < top || o.top > bottom || o.right < left || o.left > right);
    }
    bool isSingleCell() const { return top == bottom && left == right; }
    friend bool operator==(const CellRect&, const CellRect&) = default;
};

QString columnName(int column);              // 1 → "A", 27 → "AA"
int columnNumber(const QString& letters);    // "AA" → 27, 0 when not a column name

// Parses one A1 reference ("B2", "$B$2", "B2:C3", "A:C", "3:5") into a rectangle.
std::optional<CellRect> parseA1(const QString& text);
// Parses a list of areas separated by commas ("B2:C3,E5").
std::optional<std::vector<CellRect>> parseA1List(const QString& text);

// The absolute default form: "$B$3", "$B$3:$D$5", "$A:$C" for whole columns, "$3:$5" for
// whole rows.
QString formatA1(const CellRect& rect, bool absolute = true);
QString formatA1List(const std::vector<CellRect>& areas, bool absolute = true);

} // namespace host::model
