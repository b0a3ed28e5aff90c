#pragma once

#include "host/automation/member_table.h"

#include <memory>
#include <vector>

namespace host::objects {

class Worksheet;

// Worksheet.Shapes (every top-level shape in z-order, cell comments last) or a group's
// GroupItems (its members). Items are found by 1-based index or by name, letter case ignored.
class Shapes : public TableDispatch<Shapes>
{
public:
    // groupId 0: the sheet's shapes.
    Shapes(std::shared_ptr<Worksheet> sheet, int groupId)
        : m_sheet(std::move(sheet)), m_group(groupId)
    {
    }

    static const MemberTable<Shapes>& members();
    QString className() const override
    {
        return m_group ? QStringLiteral("GroupShapes") : QStringLiteral("Shapes");
    }
    std::vector<Variant> enumerate() override;

private:
    std::vector<int> ids() const;
    int idOf(const Variant& index) const;
    ObjectRef range(const Variant& index) const;
    ObjectRef addTextbox(const BoundArgs& args);

    std::shared_ptr<Worksheet> m_sheet;
    int m_group;
};

} // namespace host::objects
