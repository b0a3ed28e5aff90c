#include "host_app/model_signals.h"

#include "host/objects/application.h"

namespace host_app {

using host::objects::ChangeKind;

ModelSignals::ModelSignals(host::objects::Application& app, QObject* parent)
    : QObject(parent), m_app(&app)
{
    m_app->changes().add(this);
}

ModelSignals::~ModelSignals()
{
    m_app->changes().remove(this);
}

void ModelSignals::changed(const host::objects::Change& change)
{
    switch (change.kind) {
    case ChangeKind::Cells:
    case ChangeKind::Shapes:
    case ChangeKind::Selection:
        Q_EMIT sheetChanged(change.sheet, change.kind);
        break;
    case ChangeKind::Sheets:
        Q_EMIT sheetsChanged(change.book);
        break;
    case ChangeKind::Workbooks:
        Q_EMIT workbooksChanged();
        break;
    case ChangeKind::View:
        Q_EMIT viewChanged(change.book);
        break;
    case ChangeKind::Switches:
        Q_EMIT switchesChanged();
        break;
    case ChangeKind::CommandBars:
        Q_EMIT commandBarsChanged();
        break;
    }
    Q_EMIT anyChanged();
}

} // namespace host_app
