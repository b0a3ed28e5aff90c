#include "host/remote/server.h"

#include "host/remote/peer_identity.h"
#include "host/remote/server_connection.h"
#include "host/remote/switch_ledger.h"

#include <QFile>
#include <QLocalServer>
#include <QLocalSocket>

#include <sys/socket.h>
#include <sys/un.h>
#include <unistd.h>

#include <algorithm>
#include <cerrno>
#include <cstring>

namespace host::remote {

ServerOptions::ServerOptions() : allowedUid(geteuid()) {}

bool socketAnswers(const QString& path)
{
    const QByteArray native = QFile::encodeName(path);
    sockaddr_un address = {};
    address.sun_family = AF_UNIX;
    if (native.size() >= qsizetype(sizeof address.sun_path))
        return false;
    std::memcpy(address.sun_path, native.constData(), std::size_t(native.size()));
    // Without blocking: a host busy in a long call has a full backlog, and still runs.
    const int fd = socket(AF_UNIX, SOCK_STREAM | SOCK_CLOEXEC | SOCK_NONBLOCK, 0);
    if (fd < 0)
        return false;
    const bool answers =
        ::connect(fd, reinterpret_cast<const sockaddr*>(&address), sizeof address) == 0 ||
        errno == EAGAIN || errno == EINPROGRESS;
    ::close(fd);
    return answers;
}

Server::Server(ObjectRef root, ServerOptions options)
    : m_root(std::move(root)), m_options(options),
      m_switches(std::make_unique<SwitchLedger>(m_root))
{
}

Server::~Server()
{
    close();
}

bool Server::listen(const QString& socketPath, QString* error)
{
    close();
    if (QFile::exists(socketPath) && !socketAnswers(socketPath))
        QLocalServer::removeServer(socketPath);
    m_server = new QLocalServer(this);
    m_server->setSocketOptions(QLocalServer::UserAccessOption);
    if (!m_server->listen(socketPath)) {
        if (error)
            *error = m_server->errorString();
        delete m_server;
        m_server = nullptr;
        return false;
    }
    m_path = socketPath;
    connect(m_server, &QLocalServer::newConnection, this, &Server::accept);
    return true;
}

bool Server::isListening() const
{
    return m_server && m_server->isListening();
}

void Server::close()
{
    const auto connections = m_connections;
    for (ServerConnection* connection : connections)
        connection->end();
    m_connections.clear();
    if (m_server) {
        m_server->close();
        delete m_server;
        m_server = nullptr;
    }
    m_path.clear();
}

void Server::accept()
{
    while (QLocalSocket* socket = m_server->nextPendingConnection()) {
        if (!peerAllowed(peerIdentity(socket->socketDescriptor()), m_options.allowedUid)) {
            socket->abort();
            socket->deleteLater();
            continue;
        }
        auto* connection = new ServerConnection(*this, socket, m_nextClient++);
        m_connections.push_back(connection);
        connection->start();
    }
}

void Server::served()
{
    if (m_served)
        m_served();
}

void Server::connectionEnded(ServerConnection* connection)
{
    std::erase(m_connections, connection);
}

} // namespace host::remote
