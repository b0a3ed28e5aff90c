#pragma once

#include "host/automation/variant.h"
#include "host/remote/server.h"
#include "host/running/host_registry.h"

#include <QObject>
#include <QTimer>

#include <cstdint>
#include <memory>

namespace host::running {

class InProcessHost;
class Registration;

// Makes a host's Application reachable from the user's other processes: serves it on a socket
// in the user's socket folder and lists it in the registry of running hosts (its window id,
// title and open workbook files), kept current after every turn of calls and every second,
// and removed when it stops. The host is also listed for this process's own lookups.
class ServedHost : public QObject
{
public:
    explicit ServedHost(ObjectRef application, remote::ServerOptions options = {});
    ~ServedHost() override;

    // Serves in the user's socket folder, or in `folder`.
    bool start(QString* error = nullptr);
    bool start(const QString& folder, QString* error);
    void stop();

    void setWindowId(std::int32_t windowId);
    // The window's title; without one, the Application's Caption.
    void setWindowTitle(const QString& title);
    // Reads the title and the open workbooks again and rewrites the entry if they changed.
    void refresh();

    QString socketPath() const { return m_entry.socket; }
    const HostEntry& entry() const { return m_entry; }
    remote::Server& server() { return m_server; }

private:
    void scheduleRefresh();

    ObjectRef m_application;
    remote::Server m_server;
    std::shared_ptr<InProcessHost> m_local;
    std::unique_ptr<Registration> m_registration;
    HostRegistry m_registry{QString()};
    HostEntry m_entry;
    QTimer m_soon;
    QTimer m_everySecond;
};

} // namespace host::running
