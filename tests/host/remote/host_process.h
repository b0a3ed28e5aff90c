#pragma once

#include <QProcess>
#include <QString>
#include <QStringList>

namespace remote_test {

// The test host (remote_test_host) in a process of its own, serving once constructed.
class HostProcess
{
public:
    explicit HostProcess(const QStringList& args);
    ~HostProcess();

    bool ready() const { return !m_socket.isEmpty(); }
    const QString& socketPath() const { return m_socket; }
    qint64 pid() const { return m_pid; }

    void kill();      // as a crash ends it
    void terminate(); // as the user closes it; answers whether it ended cleanly
    bool finishedCleanly() const;

private:
    QProcess m_process;
    QString m_socket;
    qint64 m_pid = 0;
};

} // namespace remote_test
