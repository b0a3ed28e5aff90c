#pragma once

#include "host/xl/object.h"

#include <cstdint>
#include <vector>

namespace xl {

class Areas;
class Worksheet;

class Range : public Object
{
public:
    using Object::Object;

    QString Address() const; // absolute form: "$B$3", "$B$3:$D$5", "$B$2:$C$3,$E$5"
    QString Address(bool rowAbsolute, bool columnAbsolute) const;
    xl::Areas Areas() const;
    std::int32_t Count() const;
    xl::Range Item(std::int32_t index) const; // row by row through the first area
    xl::Range Item(std::int32_t row, std::int32_t column) const;
    xl::Range Cells() const;
    xl::Range Cells(std::int32_t row, std::int32_t column) const;
    xl::Range Rows() const;
    xl::Range Columns() const;
    xl::Range Offset(std::int32_t rowOffset, std::int32_t columnOffset) const;
    xl::Range Resize(std::int32_t rows, std::int32_t columns) const;
    std::int32_t Row() const;    // of the first cell
    std::int32_t Column() const; // of the first cell
    xl::Range EntireRow() const;
    xl::Range EntireColumn() const;
    xl::Range MergeArea() const;
    xl::Range CurrentRegion() const;
    xl::Worksheet Worksheet() const;
    xl::Worksheet Parent() const;

    // True, False, or Null when the cells disagree.
    host::Variant MergeCells() const;
    void setMergeCells(bool merged) const;
    host::Variant Hidden() const; // of whole rows or columns
    void setHidden(bool hidden) const;
    host::Variant Locked() const;
    void setLocked(bool locked) const;

    // Empty for an empty cell; a rows × columns array for several cells.
    host::Variant Value() const;
    void setValue(const host::Variant& value) const;
    host::Variant Formula() const; // "=…" for a formula, else the value as text
    void ClearContents() const;
    // Copies the cells to the host's clipboard (CutCopyMode becomes 1).
    void Copy() const;

    // Points.
    double Left() const;
    double Top() const;
    double Width() const;
    double Height() const;
    host::Variant ColumnWidth() const; // characters; Null when the columns differ
    void setColumnWidth(double characters) const;
    host::Variant RowHeight() const; // points; Null when the rows differ
    void setRowHeight(double points) const;

    void Select() const;
    void Activate() const;
};

class Areas : public Object
{
public:
    using Object::Object;

    std::int32_t Count() const;
    xl::Range Item(std::int32_t index) const;
    std::vector<xl::Range> items() const;
};

} // namespace xl
