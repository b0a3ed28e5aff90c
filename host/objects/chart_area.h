#pragma once

#include "host/automation/member_table.h"

#include <memory>

namespace host::objects {

class Worksheet;

// What a chart sheet has selected when it is the active sheet: its chart area. The chart
// itself is not modelled.
class ChartArea : public TableDispatch<ChartArea>
{
public:
    explicit ChartArea(std::shared_ptr<Worksheet> sheet) : m_sheet(std::move(sheet)) {}

    static const MemberTable<ChartArea>& members();
    QString className() const override { return QStringLiteral("ChartArea"); }

private:
    std::shared_ptr<Worksheet> m_sheet;
};

} // namespace host::objects
