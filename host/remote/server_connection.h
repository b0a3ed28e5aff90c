#pragma once

#include "host/remote/frame.h"
#include "host/remote/handle_table.h"
#include "host/remote/messages.h"
#include "host/remote/variant_cbor.h"

#include <QObject>

#include <unordered_map>

class QLocalSocket;

namespace host::remote {

class Server;

// One client of a Server: its handles, its event sinks, its calls.
class ServerConnection : public QObject, private ObjectCodec
{
public:
    ServerConnection(Server& server, QLocalSocket* socket, int id);
    ~ServerConnection() override;

    void start();
    int id() const { return m_id; }
    // Ends the connection and lets go of what the client held; the Server forgets it.
    void end();

    // From the sinks advised for this client: sent without waiting for the client.
    void sendEvent(quint64 handle, const QString& name, const std::vector<Variant>& args);

private:
    void readIncoming();
    void processFrames();
    bool handle(const Message& message);
    void handleCall(const Message& message);
    void handleAdvise(const Message& message);
    void unadvise(quint64 handle);
    void unadviseAll();
    void send(const QByteArray& payload);
    void flush();

    QCborValue encodeObject(const ObjectRef& object) override;
    ObjectRef decodeObject(const QCborValue& value) override;

    Server& m_server;
    QLocalSocket* m_socket;
    int m_id;
    FrameReader m_reader;
    HandleTable m_handles;
    struct Advised
    {
        ObjectRef object;
        int cookie = 0;
    };
    std::unordered_map<quint64, Advised> m_advised;
    int m_busy = 0;        // depth of message handling on the stack
    bool m_ending = false; // the client went while a call was running
    bool m_ended = false;
    bool m_turnPosted = false;
};

} // namespace host::remote
