#include "host/remote/server_connection.h"

#include "host/automation/dispatch.h"
#include "host/automation/events.h"
#include "host/automation/host_error.h"
#include "host/remote/remote_errors.h"
#include "host/remote/server.h"
#include "host/remote/switch_ledger.h"

#include <QLocalSocket>
#include <QPointer>

#include <unistd.h>

namespace host::remote {

namespace {

// Forwards an object's events to the client that advised, without waiting for it.
class ForwardingSink : public EventSink
{
public:
    ForwardingSink(ServerConnection* connection, quint64 handle)
        : m_connection(connection), m_handle(handle)
    {
    }
    void onEvent(const QString& name, const std::vector<Variant>& args) override
    {
        if (m_connection)
            m_connection->sendEvent(m_handle, name, args);
    }

private:
    QPointer<ServerConnection> m_connection;
    quint64 m_handle;
};

CallKind callKind(WireKind kind)
{
    switch (kind) {
    case WireKind::Let:
        return CallKind::Let;
    case WireKind::Set:
        return CallKind::Set;
    case WireKind::Method:
        return CallKind::Method;
    default:
        return CallKind::Get;
    }
}

} // namespace

ServerConnection::ServerConnection(Server& server, QLocalSocket* socket, int id)
    : QObject(&server), m_server(server), m_socket(socket), m_id(id),
      m_reader(server.options().maxFrame), m_handles(server.options().maxHandles)
{
    m_socket->setParent(this);
}

ServerConnection::~ServerConnection() = default;

void ServerConnection::start()
{
    connect(m_socket, &QLocalSocket::readyRead, this, &ServerConnection::readIncoming);
    connect(m_socket, &QLocalSocket::disconnected, this, &ServerConnection::end);
    const quint64 root = m_handles.add(m_server.root());
    const QCborValue rootValue(QCborArray{qint64(root), m_server.root()->className(),
                                          qint64(m_server.root()->events() ? 1 : 0)});
    send(encodeHello(qint64(getpid()), QCborValue(QCborTag(quint64(ValueTag::Object)), rootValue)));
    flush();
    // Bytes may have come with the connection itself.
    readIncoming();
}

void ServerConnection::end()
{
    if (m_ended)
        return;
    if (m_busy > 0) {
        // The client went while one of its calls runs: finish it first.
        m_ending = true;
        return;
    }
    m_ended = true;
    disconnect(m_socket, nullptr, this, nullptr);
    m_socket->abort();
    m_server.switches().clientGone(m_id);
    unadviseAll();
    m_handles.clear();
    m_server.connectionEnded(this);
    deleteLater();
}

void ServerConnection::readIncoming()
{
    if (m_ended)
        return;
    m_reader.append(m_socket->readAll());
    processFrames();
}

void ServerConnection::processFrames()
{
    m_turnPosted = false;
    if (m_ended)
        return;
    int handled = 0;
    bool servedCalls = false;
    ++m_busy;
    while (!m_ending && handled < m_server.options().framesPerTurn) {
        const std::optional<QByteArray> frame = m_reader.next();
        if (!frame) {
            m_ending = m_reader.failed(); // an oversized frame: nothing after it can be read
            break;
        }
        ++handled;
        const std::optional<Message> message = parseMessage(*frame);
        if (!message || !handle(*message)) {
            m_ending = true; // a client that breaks the protocol is not answered further
            break;
        }
        servedCalls = servedCalls || message->type == MessageType::Call;
        if (m_socket->bytesToWrite() > m_server.options().replyBacklog) {
            m_ending = true; // a client that sends without reading its replies
            break;
        }
    }
    --m_busy;
    flush();
    if (m_ending) {
        m_ending = false;
        end();
        return;
    }
    if (servedCalls)
        m_server.served();
    // More waiting: the rest in a later turn, so that other clients and the window go on.
    if (m_reader.hasFrame() && !m_turnPosted) {
        m_turnPosted = true;
        QMetaObject::invokeMethod(this, &ServerConnection::processFrames, Qt::QueuedConnection);
    }
}

bool ServerConnection::handle(const Message& message)
{
    switch (message.type) {
    case MessageType::Call:
        handleCall(message);
        return true;
    case MessageType::Release:
        for (const auto& [handle, count] : message.releases)
            if (m_handles.release(handle, count))
                unadvise(handle);
        return true;
    case MessageType::Advise:
        handleAdvise(message);
        return true;
    case MessageType::Unadvise:
        unadvise(message.handle);
        return true;
    default:
        return false; // what only a server sends
    }
}

void ServerConnection::handleCall(const Message& message)
{
    QByteArray reply;
    try {
        const ObjectRef target = m_handles.find(message.handle);
        if (!target)
            raiseDisconnected();
        Args args;
        args.positional.reserve(std::size_t(message.values.size()));
        for (const QCborValue& value : message.values)
            args.positional.push_back(decodeVariant(value, *this));
        for (const auto& [name, value] : message.named)
            args.add(name, decodeVariant(value, *this));
        for (const quint64 index : message.byRef)
            args.byRef.emplace_back(std::size_t(index),
                                    std::make_shared<Variant>(args.positional[std::size_t(index)]));

        m_server.switches().beforeCall(m_id, target.get(), message.name, message.kind);
        Variant result;
        if (message.kind == WireKind::Enumerate) {
            VariantArray items;
            items.items = target->enumerate();
            items.rows = int(items.items.size());
            result = Variant(std::move(items));
        } else {
            result = target->invoke(message.name, callKind(message.kind), args);
        }
        std::vector<std::pair<quint64, QCborValue>> written;
        for (const auto& [index, variable] : args.byRef)
            written.emplace_back(quint64(index), encodeVariant(*variable, *this));
        reply = encodeReply(message.id, encodeVariant(result, *this), written);
    } catch (const HostError& e) {
        reply = encodeError(message.id, e.number(), e.description());
    } catch (const MalformedMessage& e) {
        reply = encodeError(message.id, err::InvalidCall, QString::fromUtf8(e.what()));
    } catch (const std::exception& e) {
        // Whatever else the host throws ends this call, not the host.
        reply = encodeError(message.id, 440,
                            QStringLiteral("Automation error\n") + QString::fromUtf8(e.what()));
    }
    send(reply);
    flush();
}

void ServerConnection::handleAdvise(const Message& message)
{
    try {
        const ObjectRef target = m_handles.find(message.handle);
        if (!target)
            raiseDisconnected();
        if (!m_advised.contains(message.handle)) {
            EventSource* source = target->events();
            if (!source)
                raise(err::NotSupported);
            const int cookie =
                source->advise(std::make_shared<ForwardingSink>(this, message.handle));
            m_advised.emplace(message.handle, Advised{target, cookie});
        }
        send(encodeReply(message.id, QCborValue(QCborSimpleType::Undefined), {}));
    } catch (const HostError& e) {
        send(encodeError(message.id, e.number(), e.description()));
    }
    flush();
}

void ServerConnection::unadvise(quint64 handle)
{
    const auto it = m_advised.find(handle);
    if (it == m_advised.end())
        return;
    const Advised advised = it->second;
    m_advised.erase(it);
    if (EventSource* source = advised.object->events())
        source->unadvise(advised.cookie);
}

void ServerConnection::unadviseAll()
{
    while (!m_advised.empty())
        unadvise(m_advised.begin()->first);
}

void ServerConnection::sendEvent(quint64 handle, const QString& name,
                                 const std::vector<Variant>& args)
{
    if (m_ended || m_socket->state() != QLocalSocket::ConnectedState)
        return;
    if (m_socket->bytesToWrite() > m_server.options().eventBacklog) {
        // The client stopped reading: its sinks go rather than the host's memory.
        unadviseAll();
        return;
    }
    try {
        QCborArray values;
        for (const Variant& arg : args)
            values.append(encodeVariant(arg, *this));
        send(encodeEvent(handle, name, values));
        flush();
    } catch (const HostError&) {
        // No handle left for the event's objects: the client misses this one.
    }
}

void ServerConnection::send(const QByteArray& payload)
{
    if (m_socket->state() != QLocalSocket::ConnectedState)
        return;
    QByteArray frame;
    frame.reserve(payload.size() + kFrameHeader);
    appendFrame(frame, payload);
    m_socket->write(frame);
}

void ServerConnection::flush()
{
    if (m_socket->state() == QLocalSocket::ConnectedState)
        m_socket->flush();
}

QCborValue ServerConnection::encodeObject(const ObjectRef& object)
{
    if (!object)
        return QCborValue(qint64(0));
    const quint64 handle = m_handles.add(object);
    return QCborArray{qint64(handle), object->className(), qint64(object->events() ? 1 : 0)};
}

ObjectRef ServerConnection::decodeObject(const QCborValue& value)
{
    if (!value.isInteger() || value.toInteger() < 0)
        throw MalformedMessage("an object that is no handle");
    if (value.toInteger() == 0)
        return nullptr;
    ObjectRef object = m_handles.find(quint64(value.toInteger()));
    if (!object)
        raiseDisconnected();
    return object;
}

} // namespace host::remote
