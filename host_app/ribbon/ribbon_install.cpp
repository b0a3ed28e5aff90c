#include "host_app/ribbon/ribbon_install.h"

#include "host/automation/ribbon_extensibility.h"
#include "host/objects/application.h"
#include "host/objects/com_addins.h"
#include "host_app/add_ins/add_in_loader.h"
#include "host_app/command_bar_view.h"
#include "host_app/main_window.h"
#include "host_app/ribbon/ribbon_widget.h"

#include <QPointer>
#include <QVBoxLayout>

namespace host_app {

RibbonWidget* installRibbon(MainWindow& window, AddInLoader& addIns)
{
    host::objects::Application& app = window.app();
    if (app.options().version.section(u'.', 0, 0).toInt() < 12)
        return nullptr;
    auto* ribbon = new RibbonWidget(app, window.modelSignals());
    window.commandBars().hideBars();
    // The ribbon stands above the workbook windows.
    QWidget* workbooks = window.takeCentralWidget();
    auto* central = new QWidget(&window);
    auto* layout = new QVBoxLayout(central);
    layout->setContentsMargins(0, 0, 0, 0);
    layout->setSpacing(0);
    layout->addWidget(ribbon);
    layout->addWidget(workbooks, 1);
    window.setCentralWidget(central);
    const auto show = [ribbon](const QString& progId,
                               const std::shared_ptr<host::ComAddInInstance>& instance,
                               const host::ObjectRef& object) {
        auto* extensible = dynamic_cast<host::RibbonExtensibility*>(instance.get());
        if (extensible && object)
            ribbon->addCustomUI(progId, object,
                                extensible->GetCustomUI(QStringLiteral("Picrows.Workbook")));
    };
    for (const auto& record : app.comAddIns().addIns())
        if (record->connected())
            show(record->progId(), addIns.instance(record->progId()), record->object());
    // Add-ins connected or disconnected later (COMAddIns(...).Connect, the add-ins dialog).
    addIns.setConnectionWatch([ribbon = QPointer<RibbonWidget>(ribbon),
                               show](const QString& progId,
                                     const std::shared_ptr<host::ComAddInInstance>& instance,
                                     const host::ObjectRef& object, bool connected) {
        if (!ribbon)
            return;
        ribbon->removeCustomUI(progId);
        if (connected)
            show(progId, instance, object);
    });
    return ribbon;
}

} // namespace host_app
