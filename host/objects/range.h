#pragma once

#include "host/automation/member_table.h"
#include "host/model/cell_ref.h"

#include <memory>
#include <vector>

namespace host::model {
struct Cell;
}

namespace host::objects {

class Worksheet;

// What a range counts and walks: its cells, its rows (Rows, EntireRow) or its columns
// (Columns, EntireColumn).
enum class RangeKind
{
    Cells,
    Rows,
    Columns
};

// Cells of one sheet in one or more rectangular areas. A range is a value: it names cells and
// keeps its sheet object alive; it never holds cell data itself.
class Range : public TableDispatch<Range>
{
public:
    Range(std::shared_ptr<Worksheet> sheet, std::vector<model::CellRect> areas, RangeKind kind);

    static const MemberTable<Range>& members();
    QString className() const override { return QStringLiteral("Range"); }
    std::vector<Variant> enumerate() override;

    Worksheet& worksheet() const;
    const std::vector<model::CellRect>& areas() const { return m_areas; }
    RangeKind kind() const { return m_kind; }

    // Navigation (range.cpp).
    ObjectRef make(std::vector<model::CellRect> areas, RangeKind kind) const;
    QString address(bool rowAbsolute, bool columnAbsolute, bool external) const;
    long long cellCount() const;
    std::int32_t count() const;
    ObjectRef item(const Variant& row, const Variant& column, RangeKind kind) const;
    ObjectRef offset(int rows, int columns) const;
    ObjectRef resize(const Variant& rows, const Variant& columns) const;
    ObjectRef entire(RangeKind kind) const;
    ObjectRef mergeArea() const;
    ObjectRef currentRegion() const;
    void select();
    void activate();

    // Cell contents and formats (range_cells.cpp).
    Variant value() const;
    void setValue(const Variant& value);
    Variant formula() const;
    void clearContents();
    Variant mergeCells() const;
    void setMergeCells(bool merged);
    Variant hidden() const;
    void setHidden(bool hidden);
    Variant locked() const;
    void setLocked(bool locked);
    // Inserts or deletes the range's whole rows or columns (sheet_structure.h); a range of
    // part of the cells is refused.
    void insertLines();
    void deleteLines();

    // Sizes (range_sizes.cpp).
    double left() const;
    double top() const;
    double width() const;
    double height() const;
    Variant columnWidth() const;
    void setColumnWidth(double characters);
    Variant rowHeight() const;
    void setRowHeight(double points);

private:
    const model::CellRect& first() const { return m_areas.front(); }
    void checkUnprotected(const char* property) const;

    std::shared_ptr<Worksheet> m_sheet;
    std::vector<model::CellRect> m_areas;
    RangeKind m_kind;
};

// The areas of a range, each a range of its own.
class Areas : public TableDispatch<Areas>
{
public:
    explicit Areas(std::shared_ptr<Range> range) : m_range(std::move(range)) {}

    static const MemberTable<Areas>& members();
    QString className() const override { return QStringLiteral("Areas"); }
    std::vector<Variant> enumerate() override;

private:
    std::shared_ptr<Range> m_range;
};

// A cell's value as a range answers it: Empty for an empty cell (and for a formula whose
// value was never calculated), Double, String, Boolean, or the error's text.
Variant cellValue(const model::Cell* cell);

} // namespace host::objects
