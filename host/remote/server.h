#pragma once

#include "host/automation/variant.h"
#include "host/remote/frame.h"

#include <QObject>
#include <QString>

#include <sys/types.h>

#include <cstddef>
#include <functional>
#include <memory>
#include <vector>

class QLocalServer;

namespace host::remote {

class ServerConnection;
class SwitchLedger;

struct ServerOptions
{
    uid_t allowedUid;                       // peers of any other user id are refused
    qsizetype maxFrame = kMaxFrame;         // a longer frame closes the connection
    qint64 eventBacklog = 1024 * 1024;      // unread bytes after which a client's sinks go
    qint64 replyBacklog = 64 * 1024 * 1024; // unread bytes after which a client is dropped
    int framesPerTurn = 64;                 // then other clients and the window get their turn
    std::size_t maxHandles = 1u << 20;      // objects one client may hold at once

    ServerOptions();
};

// Serves one root object (a host's Application) to clients on a local socket: their calls by
// member name run on this thread, in the event loop, one message at a time. What a client
// holds is released, and the Application switches it changed are put back, when it goes.
class Server : public QObject
{
public:
    explicit Server(ObjectRef root, ServerOptions options = {});
    ~Server() override;

    // Listens at `socketPath`; a socket file there that nobody answers at is a crashed
    // server's and is replaced.
    bool listen(const QString& socketPath, QString* error = nullptr);
    // Stops listening and ends every connection.
    void close();
    bool isListening() const;
    QString socketPath() const { return m_path; }
    std::size_t connectionCount() const { return m_connections.size(); }

    // Called after a turn in which clients were served, for state published elsewhere.
    void setServedCallback(std::function<void()> callback) { m_served = std::move(callback); }

    // For connections.
    const ServerOptions& options() const { return m_options; }
    const ObjectRef& root() const { return m_root; }
    SwitchLedger& switches() { return *m_switches; }
    void served();
    void connectionEnded(ServerConnection* connection);

private:
    void accept();

    ObjectRef m_root;
    ServerOptions m_options;
    std::unique_ptr<SwitchLedger> m_switches;
    QLocalServer* m_server = nullptr;
    QString m_path;
    std::vector<ServerConnection*> m_connections;
    int m_nextClient = 1;
    std::function<void()> m_served;
};

// Whether something accepts connections at the socket `path` (a crashed server's file does
// not).
bool socketAnswers(const QString& path);

} // namespace host::remote
