#pragma once

#include "host/automation/dispatch.h"

#include <memory>

namespace host::remote {

class Client;

// Stands in for an object of a host in another process: every member call crosses the
// connection by name, so typed wrappers and the suite work on it as on the host's own
// objects. The host keeps the object while any stand-in for it lives.
class RemoteObject : public Dispatch
{
public:
    RemoteObject(std::shared_ptr<Client> client, quint64 handle, QString className, bool hasEvents);
    ~RemoteObject() override;

    QString className() const override { return m_className; }
    Variant invoke(const QString& member, CallKind kind, const Args& args) override;
    std::vector<Variant> enumerate() override;
    EventSource* events() override;

    quint64 handle() const { return m_handle; }
    const std::shared_ptr<Client>& client() const { return m_client; }
    // Another copy of the handle arrived for this stand-in; all are released with it.
    void receivedAgain() { ++m_received; }

private:
    class Events;

    std::shared_ptr<Client> m_client;
    quint64 m_handle;
    QString m_className;
    bool m_hasEvents;
    quint64 m_received = 1;
    std::unique_ptr<Events> m_events;
};

} // namespace host::remote
