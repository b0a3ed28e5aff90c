#include "host/xl/command_bars.h"

namespace xl {

xl::CommandBarControl CommandBars::FindControl(std::int32_t id) const
{
    return xl::CommandBarControl(
        call(QStringLiteral("FindControl"), host::Args().add(QStringLiteral("Id"), id)));
}

std::int32_t CommandBarControl::Id() const
{
    return get(QStringLiteral("Id")).toInt32();
}

QString CommandBarControl::Caption() const
{
    return get(QStringLiteral("Caption")).toString();
}

bool CommandBarControl::Enabled() const
{
    return get(QStringLiteral("Enabled")).toBool();
}

void CommandBarControl::Execute() const
{
    call(QStringLiteral("Execute"));
}

} // namespace xl
