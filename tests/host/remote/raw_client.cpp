#include "tests/host/remote/raw_client.h"

#include <QCborArray>
#include <QElapsedTimer>

namespace remote_test {

RawClient::RawClient(const QString& socketPath)
{
    m_socket.connectToServer(socketPath);
    m_socket.waitForConnected(2000);
    if (const auto hello = read(); hello && hello->type == host::remote::MessageType::Hello)
        m_root = quint64(hello->value.taggedValue().toArray().at(0).toInteger());
}

void RawClient::sendFrame(const QByteArray& payload)
{
    QByteArray frame;
    host::remote::appendFrame(frame, payload);
    sendBytes(frame);
}

void RawClient::sendBytes(const QByteArray& bytes)
{
    m_socket.write(bytes);
    m_socket.waitForBytesWritten(2000);
}

bool RawClient::sendAllUnread(int timeoutMs)
{
    // With a full read buffer the socket takes nothing more from the connection.
    m_socket.setReadBufferSize(1);
    QElapsedTimer clock;
    clock.start();
    while (m_socket.bytesToWrite() > 0 && clock.elapsed() < timeoutMs &&
           m_socket.state() == QLocalSocket::ConnectedState)
        m_socket.waitForBytesWritten(50);
    m_socket.setReadBufferSize(0);
    return m_socket.bytesToWrite() == 0;
}

std::optional<host::remote::Message> RawClient::read(int timeoutMs)
{
    QElapsedTimer clock;
    clock.start();
    for (;;) {
        if (const auto frame = m_reader.next())
            return host::remote::parseMessage(*frame);
        const qint64 left = timeoutMs - clock.elapsed();
        if (left <= 0 || (m_socket.bytesAvailable() == 0 && !m_socket.waitForReadyRead(int(left))))
            return std::nullopt;
        m_reader.append(m_socket.readAll());
    }
}

bool RawClient::closedByHost(int timeoutMs)
{
    QElapsedTimer clock;
    clock.start();
    while (clock.elapsed() < timeoutMs) {
        if (m_socket.state() != QLocalSocket::ConnectedState)
            return true;
        if (m_socket.waitForReadyRead(50))
            m_socket.readAll();
    }
    return m_socket.state() != QLocalSocket::ConnectedState;
}

} // namespace remote_test
