#include "tests/host/remote/host_process.h"

namespace remote_test {

HostProcess::HostProcess(const QStringList& args)
{
    m_process.setProcessChannelMode(QProcess::ForwardedErrorChannel);
    m_process.start(QStringLiteral(REMOTE_TEST_HOST), args);
    if (!m_process.waitForStarted(10000))
        return;
    m_pid = m_process.processId();
    while (m_process.waitForReadyRead(30000) || m_process.canReadLine()) {
        if (!m_process.canReadLine())
            continue;
        const QString line = QString::fromUtf8(m_process.readLine()).trimmed();
        if (line.startsWith(QStringLiteral("ready "))) {
            m_socket = line.mid(6);
            return;
        }
    }
}

HostProcess::~HostProcess()
{
    if (m_process.state() != QProcess::NotRunning)
        terminate();
}

void HostProcess::kill()
{
    m_process.kill();
    m_process.waitForFinished(10000);
}

void HostProcess::terminate()
{
    m_process.terminate();
    if (!m_process.waitForFinished(10000))
        kill();
}

bool HostProcess::finishedCleanly() const
{
    return m_process.state() == QProcess::NotRunning &&
           m_process.exitStatus() == QProcess::NormalExit && m_process.exitCode() == 0;
}

} // namespace remote_test
