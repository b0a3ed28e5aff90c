#include "host/running/running_hosts.h"

#include "host/automation/dispatch.h"
#include "host/automation/host_error.h"
#include "host/running/host_registry.h"
#include "host/running/remote_host.h"

#include <QDir>

#include <unistd.h>

namespace host::running {

RunningHost::~RunningHost() = default;

InProcessHost::InProcessHost(ObjectRef application, std::int32_t windowId)
    : m_application(std::move(application)), m_windowId(windowId)
{
}

QString InProcessHost::windowTitle() const
{
    if (m_hasTitle)
        return m_title;
    try {
        return deref(m_application).get(QStringLiteral("Caption")).toString();
    } catch (const HostError&) {
        return {};
    }
}

QStringList InProcessHost::openFiles() const
{
    QStringList files;
    try {
        Dispatch& books = *deref(m_application).get(QStringLiteral("Workbooks")).toObject();
        const int count = books.get(QStringLiteral("Count")).toInt32();
        for (int i = 1; i <= count; ++i) {
            const QString name = deref(books.get(QStringLiteral("Item"), Args{i}).toObject())
                                     .get(QStringLiteral("FullName"))
                                     .toString();
            if (QDir::isAbsolutePath(name))
                files.append(name);
        }
    } catch (const HostError&) {
        // A host that cannot list its books holds no file the desktop knows of.
    }
    return files;
}

RunningHosts& RunningHosts::instance()
{
    static RunningHosts table;
    return table;
}

int RunningHosts::add(std::shared_ptr<RunningHost> host)
{
    std::lock_guard lock(m_mutex);
    const int cookie = m_nextCookie++;
    m_hosts.emplace_back(cookie, std::move(host));
    return cookie;
}

void RunningHosts::remove(int cookie)
{
    std::lock_guard lock(m_mutex);
    std::erase_if(m_hosts, [cookie](const auto& entry) { return entry.first == cookie; });
}

std::vector<std::shared_ptr<RunningHost>> RunningHosts::hosts() const
{
    std::vector<std::shared_ptr<RunningHost>> list;
    {
        std::lock_guard lock(m_mutex);
        for (const auto& entry : m_hosts)
            list.push_back(entry.second);
    }
    for (auto& host : otherProcesses())
        list.push_back(std::move(host));
    return list;
}

std::vector<std::shared_ptr<RunningHost>> RunningHosts::otherProcesses() const
{
    std::vector<std::shared_ptr<RunningHost>> list;
    const HostRegistry registry = HostRegistry::forUser();
    // This process's own hosts are in the table already, and are never called through a
    // socket: the call would wait on this very thread.
    const qint64 self = getpid();
    std::lock_guard lock(m_mutex);
    std::map<QString, std::shared_ptr<RemoteHost>> seen;
    for (const HostEntry& entry : registry.entries()) {
        if (entry.pid == self)
            continue;
        std::shared_ptr<RemoteHost> host;
        const auto known = m_remote.find(entry.id);
        if (known != m_remote.end() && known->second->entry().socket == entry.socket) {
            host = known->second;
            host->update(entry);
        } else {
            host = std::make_shared<RemoteHost>(entry, registry);
        }
        seen.emplace(entry.id, host);
        list.push_back(host);
    }
    m_remote = std::move(seen);
    return list;
}

ObjectRef RunningHosts::bindToFile(const QString& fullName) const
{
    if (fullName.isEmpty())
        return {};
    for (const auto& host : hosts())
        if (host->openFiles().contains(fullName, Qt::CaseSensitive))
            if (ObjectRef app = host->application())
                return app;
    return {};
}

ObjectRef RunningHosts::activeApplication() const
{
    for (const auto& host : hosts())
        if (ObjectRef app = host->application())
            return app;
    return {};
}

std::int32_t RunningHosts::findWindow(const QString& windowClass, const QString& title) const
{
    for (const auto& host : hosts())
        if (host->windowClass() == windowClass && host->windowTitle() == title)
            return host->windowId();
    return 0;
}

} // namespace host::running
