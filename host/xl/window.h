#pragma once

#include "host/xl/object.h"

#include <cstdint>

namespace xl {

class Range;
class Sheets;
class Window;
class Worksheet;

class Windows : public Object
{
public:
    using Object::Object;

    std::int32_t Count() const;
    xl::Window Item(std::int32_t index) const;
};

class Window : public Object
{
public:
    using Object::Object;

    QString Caption() const;
    bool Visible() const;
    void setVisible(bool visible) const;
    std::int32_t WindowState() const; // -4140 minimised, -4143 normal, -4137 maximised
    void setWindowState(std::int32_t state) const;
    std::int32_t Zoom() const;
    void setZoom(std::int32_t percent) const;
    std::int32_t ScrollRow() const;
    void setScrollRow(std::int32_t row) const;
    std::int32_t ScrollColumn() const;
    void setScrollColumn(std::int32_t column) const;
    xl::Sheets SelectedSheets() const;
    xl::Worksheet ActiveSheet() const;
    xl::Range ActiveCell() const;
    void Activate() const;
};

} // namespace xl
