#pragma once

#include "host/automation/com_add_in.h"

#include <QObject>

namespace ribbon_addin {

// The library's root object: serves the ProgID "TORVA_PicrowsFor2007.Connect2".
class RibbonAddinPlugin : public QObject, public host::ComAddInPlugin
{
    Q_OBJECT
    Q_PLUGIN_METADATA(IID PICROWS_COM_ADDIN_PLUGIN_IID)
    Q_INTERFACES(host::ComAddInPlugin)

public:
    QStringList progIds() const override;
    std::shared_ptr<host::ComAddInInstance> createInstance(const QString& progId) override;
};

} // namespace ribbon_addin
