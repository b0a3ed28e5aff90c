#pragma once

#include "host/xl/object.h"

#include <cstdint>
#include <vector>

namespace xl {

class Pictures;
class Range;
class Shapes;
class Workbook;
class Worksheet;

// The Worksheets and Sheets collections of a workbook, and a window's SelectedSheets.
class Sheets : public Object
{
public:
    using Object::Object;

    std::int32_t Count() const;
    xl::Worksheet Item(std::int32_t index) const;
    xl::Worksheet Item(const QString& name) const;
    std::vector<xl::Worksheet> items() const; // For Each
    // A new empty sheet before or after the given sheet (Nothing: left out).
    xl::Worksheet Add(const Object& before = {}, const Object& after = {}) const;
};

class Worksheet : public Object
{
public:
    using Object::Object;

    QString Name() const;
    void setName(const QString& name) const;
    std::int32_t Index() const;
    std::int32_t Visible() const; // -1 visible, 0 hidden, 2 very hidden
    void setVisible(std::int32_t visible) const;
    bool ProtectContents() const;
    bool ProtectDrawingObjects() const;
    void Protect(bool drawingObjects = true, bool contents = true) const;
    void Unprotect() const;

    xl::Range Range(const QString& address) const;
    xl::Range Range(const xl::Range& cell1, const xl::Range& cell2) const;
    xl::Range Cells() const;
    xl::Range Cells(std::int32_t row, std::int32_t column) const;
    xl::Range Rows() const;
    xl::Range Columns() const;
    xl::Range UsedRange() const;
    xl::Shapes Shapes() const;
    xl::Pictures Pictures() const;

    // Copies the sheet before or after another sheet, also of another workbook; with neither,
    // into a new workbook.
    void Copy(const Object& before = {}, const Object& after = {}) const;
    void Delete() const;
    // Pastes the clipboard as a picture in a paste format the host names ("図 (JPEG)", …),
    // with the named arguments Format, Link and DisplayAsIcon.
    void PasteSpecial(const QString& format, bool link = false, bool displayAsIcon = false) const;
    void Activate() const;
    void Select(bool replace = true) const;
    xl::Workbook Parent() const;
};

} // namespace xl
