#include "host/running/served_host.h"

#include "host/remote/user_folder.h"
#include "host/running/running_hosts.h"

#include <QDateTime>
#include <QFile>

#include <unistd.h>

namespace host::running {

namespace {

int nextServedNumber()
{
    static int number = 0;
    return ++number;
}

} // namespace

ServedHost::ServedHost(ObjectRef application, remote::ServerOptions options)
    : m_application(application), m_server(application, options),
      m_local(std::make_shared<InProcessHost>(application, 0))
{
    // Soon after a turn of calls, but once for a run of them.
    m_soon.setSingleShot(true);
    m_soon.setInterval(50);
    connect(&m_soon, &QTimer::timeout, this, &ServedHost::refresh);
    m_everySecond.setInterval(1000);
    connect(&m_everySecond, &QTimer::timeout, this, &ServedHost::refresh);
    m_server.setServedCallback([this] { scheduleRefresh(); });
}

ServedHost::~ServedHost()
{
    stop();
}

bool ServedHost::start(QString* error)
{
    const QString folder = remote::userSocketFolder(error);
    return !folder.isEmpty() && start(folder, error);
}

bool ServedHost::start(const QString& folder, QString* error)
{
    stop();
    m_registry = HostRegistry(folder);
    m_entry.id = QStringLiteral("host-%1-%2").arg(getpid()).arg(nextServedNumber());
    m_entry.socket = folder + u'/' + m_entry.id + QStringLiteral(".sock");
    m_entry.pid = getpid();
    m_entry.processStart = processStartTime(m_entry.pid);
    m_entry.registered = QDateTime::currentMSecsSinceEpoch();
    if (!m_server.listen(m_entry.socket, error))
        return false;
    m_entry.title = m_local->windowTitle();
    m_entry.files = m_local->openFiles();
    if (!m_registry.write(m_entry, error)) {
        m_server.close();
        return false;
    }
    m_registration = std::make_unique<Registration>(m_local);
    m_everySecond.start();
    return true;
}

void ServedHost::stop()
{
    m_soon.stop();
    m_everySecond.stop();
    m_registration.reset();
    if (m_server.isListening()) {
        m_registry.remove(m_entry);
        QFile::remove(m_entry.socket);
    }
    m_server.close();
}

void ServedHost::setWindowId(std::int32_t windowId)
{
    m_local->setWindowId(windowId);
    m_entry.windowId = windowId;
    refresh();
}

void ServedHost::setWindowTitle(const QString& title)
{
    if (title.isEmpty())
        m_local->useCaptionAsTitle();
    else
        m_local->setWindowTitle(title);
    refresh();
}

void ServedHost::scheduleRefresh()
{
    if (!m_soon.isActive())
        m_soon.start();
}

void ServedHost::refresh()
{
    if (!m_server.isListening())
        return;
    HostEntry next = m_entry;
    next.windowId = m_local->windowId();
    next.title = m_local->windowTitle();
    next.files = m_local->openFiles();
    if (next == m_entry)
        return;
    m_entry = next;
    m_registry.write(m_entry);
}

} // namespace host::running
