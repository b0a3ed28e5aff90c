#include "host/xl/range.h"

#include "host/xl/worksheet.h"

namespace xl {

QString Range::Address() const
{
    return get(QStringLiteral("Address")).toString();
}

QString Range::Address(bool rowAbsolute, bool columnAbsolute) const
{
    return get(QStringLiteral("Address"), {rowAbsolute, columnAbsolute}).toString();
}

xl::Areas Range::Areas() const
{
    return xl::Areas(get(QStringLiteral("Areas")));
}

std::int32_t Range::Count() const
{
    return get(QStringLiteral("Count")).toInt32();
}

xl::Range Range::Item(std::int32_t index) const
{
    return xl::Range(get(QStringLiteral("Item"), {index}));
}

xl::Range Range::Item(std::int32_t row, std::int32_t column) const
{
    return xl::Range(get(QStringLiteral("Item"), {row, column}));
}

xl::Range Range::Cells() const
{
    return xl::Range(get(QStringLiteral("Cells")));
}

xl::Range Range::Cells(std::int32_t row, std::int32_t column) const
{
    return xl::Range(get(QStringLiteral("Cells"), {row, column}));
}

xl::Range Range::Rows() const
{
    return xl::Range(get(QStringLiteral("Rows")));
}

xl::Range Range::Columns() const
{
    return xl::Range(get(QStringLiteral("Columns")));
}

xl::Range Range::Offset(std::int32_t rowOffset, std::int32_t columnOffset) const
{
    return xl::Range(get(QStringLiteral("Offset"), {rowOffset, columnOffset}));
}

xl::Range Range::Resize(std::int32_t rows, std::int32_t columns) const
{
    return xl::Range(get(QStringLiteral("Resize"), {rows, columns}));
}

std::int32_t Range::Row() const
{
    return get(QStringLiteral("Row")).toInt32();
}

std::int32_t Range::Column() const
{
    return get(QStringLiteral("Column")).toInt32();
}

xl::Range Range::EntireRow() const
{
    return xl::Range(get(QStringLiteral("EntireRow")));
}

xl::Range Range::EntireColumn() const
{
    return xl::Range(get(QStringLiteral("EntireColumn")));
}

xl::Range Range::MergeArea() const
{
    return xl::Range(get(QStringLiteral("MergeArea")));
}

xl::Range Range::CurrentRegion() const
{
    return xl::Range(get(QStringLiteral("CurrentRegion")));
}

xl::Worksheet Range::Worksheet() const
{
    return xl::Worksheet(get(QStringLiteral("Worksheet")));
}

xl::Worksheet Range::Parent() const
{
    return xl::Worksheet(get(QStringLiteral("Parent")));
}

host::Variant Range::MergeCells() const
{
    return get(QStringLiteral("MergeCells"));
}

void Range::setMergeCells(bool merged) const
{
    let(QStringLiteral("MergeCells"), merged);
}

host::Variant Range::Hidden() const
{
    return get(QStringLiteral("Hidden"));
}

void Range::setHidden(bool hidden) const
{
    let(QStringLiteral("Hidden"), hidden);
}

host::Variant Range::Locked() const
{
    return get(QStringLiteral("Locked"));
}

void Range::setLocked(bool locked) const
{
    let(QStringLiteral("Locked"), locked);
}

host::Variant Range::Value() const
{
    return get(QStringLiteral("Value"));
}

void Range::setValue(const host::Variant& value) const
{
    let(QStringLiteral("Value"), value);
}

host::Variant Range::Formula() const
{
    return get(QStringLiteral("Formula"));
}

void Range::ClearContents() const
{
    call(QStringLiteral("ClearContents"));
}

void Range::Copy() const
{
    call(QStringLiteral("Copy"));
}

double Range::Left() const
{
    return get(QStringLiteral("Left")).toDouble();
}

double Range::Top() const
{
    return get(QStringLiteral("Top")).toDouble();
}

double Range::Width() const
{
    return get(QStringLiteral("Width")).toDouble();
}

double Range::Height() const
{
    return get(QStringLiteral("Height")).toDouble();
}

host::Variant Range::ColumnWidth() const
{
    return get(QStringLiteral("ColumnWidth"));
}

void Range::setColumnWidth(double characters) const
{
    let(QStringLiteral("ColumnWidth"), characters);
}

host::Variant Range::RowHeight() const
{
    return get(QStringLiteral("RowHeight"));
}

void Range::setRowHeight(double points) const
{
    let(QStringLiteral("RowHeight"), points);
}

void Range::Select() const
{
    call(QStringLiteral("Select"));
}

void Range::Activate() const
{
    call(QStringLiteral("Activate"));
}

std::int32_t Areas::Count() const
{
    return get(QStringLiteral("Count")).toInt32();
}

xl::Range Areas::Item(std::int32_t index) const
{
    return xl::Range(get(QStringLiteral("Item"), {index}));
}

std::vector<xl::Range> Areas::items() const
{
    std::vector<xl::Range> out;
    for (const host::Variant& v : host::deref(m_object).enumerate())
        out.emplace_back(v);
    return out;
}

} // namespace xl
