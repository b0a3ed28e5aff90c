#pragma once

#include "host/objects/change_notifier.h"

#include <QObject>

namespace host::objects {
class Application;
}

namespace host_app {

// The object model's change notifications as Qt signals, for the windows that show the model
// (the way a document signals its views). Signals are emitted as the model changes, in the
// middle of the call that changed it: receivers note what to refresh and refresh once when
// the event loop comes round, reading the model again.
class ModelSignals : public QObject, public host::objects::ChangeObserver
{
    Q_OBJECT

public:
    explicit ModelSignals(host::objects::Application& app, QObject* parent = nullptr);
    ~ModelSignals() override;

    host::objects::Application& app() const { return *m_app; }

    void changed(const host::objects::Change& change) override;

Q_SIGNALS:
    // Every change, whatever its kind: what follows the host's state (enabled commands)
    // listens here.
    void anyChanged();
    void sheetChanged(const host::model::Sheet* sheet, host::objects::ChangeKind kind);
    void sheetsChanged(const host::objects::Workbook* book);
    void workbooksChanged();
    void viewChanged(const host::objects::Workbook* book);
    void switchesChanged();
    void commandBarsChanged();

private:
    host::objects::Application* m_app;
};

} // namespace host_app
