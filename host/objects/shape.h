#pragma once

#include "host/automation/member_table.h"
#include "host/objects/shape_set.h"

namespace host::objects {

// One shape of a sheet's drawing (a top-level shape or a group member). It holds the sheet and
// the shape's id and looks the shape up at every call; once the shape is deleted every member
// raises.
class Shape : public TableDispatch<Shape>
{
public:
    Shape(std::shared_ptr<Worksheet> sheet, int id) : m_set{std::move(sheet), {id}} {}

    static const MemberTable<Shape>& members();
    QString className() const override { return QStringLiteral("Shape"); }

    const ShapeSet& set() const { return m_set; }
    int id() const { return m_set.ids.front(); }

private:
    ShapeSet m_set;
};

// Several shapes of one sheet taken together, in the order they were named.
class ShapeRange : public TableDispatch<ShapeRange>
{
public:
    ShapeRange(std::shared_ptr<Worksheet> sheet, std::vector<int> ids)
        : m_set{std::move(sheet), std::move(ids)}
    {
    }

    static const MemberTable<ShapeRange>& members();
    QString className() const override { return QStringLiteral("ShapeRange"); }
    std::vector<Variant> enumerate() override;

    const ShapeSet& set() const { return m_set; }

private:
    ShapeSet m_set;
};

} // namespace host::objects
