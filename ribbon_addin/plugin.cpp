#include "ribbon_addin/plugin.h"

#include "ribbon_addin/connect2.h"

namespace ribbon_addin {

QStringList RibbonAddinPlugin::progIds() const
{
    return {QStringLiteral("TORVA_PicrowsFor2007.Connect2")};
}

std::shared_ptr<host::ComAddInInstance> RibbonAddinPlugin::createInstance(const QString& progId)
{
    if (progId.compare(progIds().constFirst(), Qt::CaseInsensitive) != 0)
        return nullptr;
    return std::make_shared<Connect2>();
}

} // namespace ribbon_addin
