#include "menu_addin/plugin.h"

#include "menu_addin/connect.h"

namespace menu_addin {

QStringList MenuAddinPlugin::progIds() const
{
    return {QStringLiteral("TORVA_Picrows.Connect")};
}

std::shared_ptr<host::ComAddInInstance> MenuAddinPlugin::createInstance(const QString& progId)
{
    if (progId.compare(progIds().constFirst(), Qt::CaseInsensitive) != 0)
        return nullptr;
    return std::make_shared<Connect>();
}

} // namespace menu_addin
