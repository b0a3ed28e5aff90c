#include "host/running/remote_host.h"

#include "host/automation/host_error.h"
#include "host/remote/client.h"

namespace host::running {

RemoteHost::RemoteHost(HostEntry entry, HostRegistry registry)
    : m_entry(std::move(entry)), m_registry(std::move(registry))
{
}

ObjectRef RemoteHost::application() const
{
    if (ObjectRef known = m_application.lock()) {
        const auto client = remote::clientOf(known);
        if (client && client->isConnected())
            return known;
    }
    try {
        ObjectRef app = remote::Client::connect(m_entry.socket);
        m_application = app;
        return app;
    } catch (const HostError&) {
        if (!HostRegistry::isLive(m_entry))
            m_registry.remove(m_entry);
        return nullptr;
    }
}

} // namespace host::running
