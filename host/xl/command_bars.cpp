#include "host/xl/command_bars.h"

namespace xl {

xl::CommandBarControl CommandBars::FindControl(std::int32_t id) const
{
    return xl::CommandBarControl(
        call(QStringLiteral("FindControl"), host::Args().add(QStringLiteral("Id"), id)));
}

void CommandBars::ExecuteMso(const QString& idMso) const
{
    call(QStringLiteral("ExecuteMso"), {idMso});
}

host::ObjectRef CommandBars::GetImageMso(const QString& idMso, std::int32_t width,
                                         std::int32_t height) const
{
    return call(QStringLiteral("GetImageMso"), {idMso, width, height}).toObject();
}

QString CommandBars::GetLabelMso(const QString& idMso) const
{
    return call(QStringLiteral("GetLabelMso"), {idMso}).toString();
}

bool CommandBars::GetEnabledMso(const QString& idMso) const
{
    return call(QStringLiteral("GetEnabledMso"), {idMso}).toBool();
}

QString CommandBarControl::List(std::int32_t index) const
{
    return get(QStringLiteral("List"), {index}).toString();
}

std::int32_t CommandBarControl::ListCount() const
{
    return get(QStringLiteral("ListCount")).toInt32();
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
