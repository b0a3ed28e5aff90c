#include "host_app/host_publication.h"

#include "host/objects/application.h"
#include "host/objects/workbook.h"
#include "host_app/model_signals.h"

namespace host_app {

HostPublication::HostPublication(host::objects::Application& app, ModelSignals& signals,
                                 QObject* parent)
    : QObject(parent), m_app(app), m_refresh([this](unsigned) { check(); })
{
    connect(&signals, &ModelSignals::workbooksChanged, this, [this] { m_refresh.request(1); });
    connect(&signals, &ModelSignals::switchesChanged, this, [this] { m_refresh.request(1); });
    check();
}

void HostPublication::check()
{
    PublishedHost now;
    now.windowId = m_app.mainWindowId();
    now.title = m_app.caption();
    for (const auto& book : m_app.workbooks())
        if (!book->isAddin() && !book->path().isEmpty())
            now.openFiles << book->fullName();
    if (now == m_current)
        return;
    m_current = now;
    Q_EMIT changed(m_current);
}

} // namespace host_app
