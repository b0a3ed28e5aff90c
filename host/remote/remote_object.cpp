#include "host/remote/remote_object.h"

#include "host/automation/events.h"
#include "host/automation/host_error.h"
#include "host/remote/client.h"

namespace host::remote {

// The host learns of the first sink and of the last one going; the sinks themselves stay
// here and receive what the connection delivers.
class RemoteObject::Events : public EventSource
{
public:
    Events(Client& client, quint64 handle) : m_client(client), m_handle(handle) {}

    int advise(std::shared_ptr<EventSink> sink) override
    {
        const bool first = !hasSinks();
        const int cookie = EventSource::advise(std::move(sink));
        if (first) {
            try {
                m_client.advise(m_handle);
            } catch (...) {
                EventSource::unadvise(cookie);
                throw;
            }
        }
        return cookie;
    }

    void unadvise(int cookie) override
    {
        const bool had = hasSinks();
        EventSource::unadvise(cookie);
        if (had && !hasSinks())
            m_client.unadvise(m_handle);
    }

private:
    Client& m_client;
    quint64 m_handle;
};

RemoteObject::RemoteObject(std::shared_ptr<Client> client, quint64 handle, QString className,
                           bool hasEvents)
    : m_client(std::move(client)), m_handle(handle), m_className(std::move(className)),
      m_hasEvents(hasEvents)
{
}

RemoteObject::~RemoteObject()
{
    m_events.reset();
    m_client->release(m_handle, m_received);
}

Variant RemoteObject::invoke(const QString& member, CallKind kind, const Args& args)
{
    WireKind wire = WireKind::Get;
    switch (kind) {
    case CallKind::Get:
        wire = WireKind::Get;
        break;
    case CallKind::Let:
        wire = WireKind::Let;
        break;
    case CallKind::Set:
        wire = WireKind::Set;
        break;
    case CallKind::Method:
        wire = WireKind::Method;
        break;
    }
    return m_client->invoke(m_handle, member, wire, args);
}

std::vector<Variant> RemoteObject::enumerate()
{
    const Variant items = m_client->invoke(m_handle, QString(), WireKind::Enumerate, {});
    return items.toArray().items;
}

EventSource* RemoteObject::events()
{
    if (!m_hasEvents)
        return nullptr;
    if (!m_events)
        m_events = std::make_unique<Events>(*m_client, m_handle);
    return m_events.get();
}

} // namespace host::remote
