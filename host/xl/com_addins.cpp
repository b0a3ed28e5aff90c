#include "host/xl/com_addins.h"

namespace xl {

std::int32_t COMAddIns::Count() const
{
    return get(QStringLiteral("Count")).toInt32();
}

xl::COMAddIn COMAddIns::Item(const QString& progId) const
{
    return xl::COMAddIn(get(QStringLiteral("Item"), {progId}));
}

QString COMAddIn::ProgId() const
{
    return get(QStringLiteral("ProgId")).toString();
}

QString COMAddIn::Description() const
{
    return get(QStringLiteral("Description")).toString();
}

bool COMAddIn::Connect() const
{
    return get(QStringLiteral("Connect")).toBool();
}

xl::Object COMAddIn::Object() const
{
    return xl::Object(get(QStringLiteral("Object")));
}

} // namespace xl
