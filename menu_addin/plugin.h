#pragma once

#include "host/automation/com_add_in.h"

#include <QObject>

namespace menu_addin {

// The library's root object: serves the ProgID "TORVA_Picrows.Connect".
class MenuAddinPlugin : public QObject, public host::ComAddInPlugin
{
    Q_OBJECT
    Q_PLUGIN_METADATA(IID PICROWS_COM_ADDIN_PLUGIN_IID)
    Q_INTERFACES(host::ComAddInPlugin)

public:
    QStringList progIds() const override;
    std::shared_ptr<host::ComAddInInstance> createInstance(const QString& progId) override;
};

} // namespace menu_addin
