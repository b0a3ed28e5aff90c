#pragma once

#include "host/running/host_registry.h"
#include "host/running/running_hosts.h"

#include <memory>

namespace host::running {

// A host of another process as its registry entry describes it. Its Application is reached
// through a connection made when first asked for, and shared while anybody holds it.
class RemoteHost : public RunningHost
{
public:
    RemoteHost(HostEntry entry, HostRegistry registry);

    std::int32_t windowId() const override { return m_entry.windowId; }
    QString windowTitle() const override { return m_entry.title; }
    // None when the host no longer answers; its entry is then removed if it has gone.
    ObjectRef application() const override;
    QStringList openFiles() const override { return m_entry.files; }

    const HostEntry& entry() const { return m_entry; }
    void update(const HostEntry& entry) { m_entry = entry; }

private:
    HostEntry m_entry;
    HostRegistry m_registry;
    mutable std::weak_ptr<Dispatch> m_application;
};

} // namespace host::running
