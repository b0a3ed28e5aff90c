#pragma once

#include "host/remote/frame.h"
#include "host/remote/messages.h"

#include <QLocalSocket>

#include <optional>

namespace remote_test {

// A client that speaks the protocol by hand, to send what a proper client never would.
class RawClient
{
public:
    explicit RawClient(const QString& socketPath);

    // The root's handle from the host's greeting; 0 when there was none.
    quint64 rootHandle() const { return m_root; }

    void sendFrame(const QByteArray& payload);
    void sendBytes(const QByteArray& bytes);
    // Sends everything that is still waiting to go without reading the host's replies, as a
    // client that does not read: the host's replies pile up in the host.
    bool sendAllUnread(int timeoutMs);
    // The next message within the time, or none.
    std::optional<host::remote::Message> read(int timeoutMs = 2000);
    // Whether the host closed the connection within the time (reading and dropping whatever
    // arrives meanwhile).
    bool closedByHost(int timeoutMs = 2000);
    void abort() { m_socket.abort(); }

private:
    QLocalSocket m_socket;
    host::remote::FrameReader m_reader;
    quint64 m_root = 0;
};

} // namespace remote_test
