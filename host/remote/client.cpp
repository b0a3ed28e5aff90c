#include "host/remote/client.h"

#include "host/automation/events.h"
#include "host/automation/host_error.h"
#include "host/remote/peer_identity.h"
#include "host/remote/remote_errors.h"
#include "host/remote/remote_object.h"

#include <QElapsedTimer>
#include <QLocalSocket>
#include <QThread>

#include <signal.h>
#include <unistd.h>

#include <algorithm>
#include <cerrno>
#include <climits>
#include <cstdio>

namespace host::remote {

namespace {

// How long a blocking call waits between looks at whether the host still runs.
constexpr int kAliveCheckMs = 200;
// Releases sent together once this many are waiting.
constexpr std::size_t kReleaseBatch = 256;
// Events kept for an event loop that may never run (a batch command).
constexpr std::size_t kMaxQueuedEvents = 10000;

int errorNumber(qint64 number)
{
    return int(std::clamp<qint64>(number, INT_MIN, INT_MAX));
}

bool processGone(qint64 pid)
{
    return pid > 0 && kill(pid_t(pid), 0) != 0 && errno == ESRCH;
}

} // namespace

// Objects cross as handles: ours go as their number, the host's arrive as stand-ins.
class Client::Codec : public ObjectCodec
{
public:
    explicit Codec(Client& client) : m_client(client) {}

    QCborValue encodeObject(const ObjectRef& object) override
    {
        if (!object)
            return QCborValue(qint64(0));
        const auto* remote = dynamic_cast<const RemoteObject*>(object.get());
        if (!remote || remote->client().get() != &m_client)
            raise(err::TypeMismatch,
                  QStringLiteral("Type mismatch: only the host's own objects can be passed to it"));
        return QCborValue(qint64(remote->handle()));
    }

    ObjectRef decodeObject(const QCborValue& value) override
    {
        if (value.isInteger() && value.toInteger() == 0)
            return nullptr;
        const QCborArray parts = value.toArray();
        if (!value.isArray() || parts.size() != 3 || !parts.at(0).isInteger() ||
            parts.at(0).toInteger() <= 0 || !parts.at(1).isString() || !parts.at(2).isInteger())
            throw MalformedMessage("an object without handle and class");
        return m_client.proxy(quint64(parts.at(0).toInteger()), parts.at(1).toString(),
                              parts.at(2).toInteger() != 0);
    }

private:
    Client& m_client;
};

Client::Client(const ClientOptions& options)
    : m_socket(new QLocalSocket(this)), m_options(options), m_reader(options.maxFrame)
{
}

Client::~Client() = default;

void Client::dispose(Client* client)
{
    // Deleting the socket inside one of its own signals would pull it from under Qt.
    if (client->m_inSlot > 0)
        client->deleteLater();
    else
        delete client;
}

ObjectRef Client::connect(const QString& socketPath, const ClientOptions& options)
{
    std::shared_ptr<Client> client(new Client(options), &Client::dispose);
    client->m_path = socketPath;
    QLocalSocket& socket = *client->m_socket;
    socket.connectToServer(socketPath);
    if (!socket.waitForConnected(options.connectTimeoutMs))
        raiseServerUnavailable();
    const PeerIdentity peer = peerIdentity(socket.socketDescriptor());
    if (!peerAllowed(peer, geteuid())) {
        socket.abort();
        raiseServerUnavailable();
    }
    client->m_hostPid = peer.pid;

    // The host greets first, naming its root object.
    QElapsedTimer clock;
    clock.start();
    std::optional<QByteArray> frame;
    while (!(frame = client->m_reader.next())) {
        const qint64 left = options.connectTimeoutMs - clock.elapsed();
        if (client->m_reader.failed() || left <= 0 ||
            (socket.bytesAvailable() == 0 && !socket.waitForReadyRead(int(left))))
            break;
        client->m_reader.append(socket.readAll());
    }
    const std::optional<Message> hello = frame ? parseMessage(*frame) : std::nullopt;
    if (!hello || hello->type != MessageType::Hello || hello->number != kProtocolVersion ||
        !hello->value.isTag()) {
        socket.abort();
        raiseServerUnavailable();
    }
    client->m_connected = true;
    ObjectRef root;
    try {
        Codec codec(*client);
        root = decodeVariant(hello->value, codec).toObject();
    } catch (const std::exception&) {
        root = nullptr;
    }
    if (!root) {
        client->fail();
        raiseServerUnavailable();
    }
    QObject::connect(&socket, &QLocalSocket::readyRead, client.get(), &Client::readWhileIdle);
    QObject::connect(&socket, &QLocalSocket::disconnected, client.get(), &Client::readWhileIdle);
    return root;
}

ObjectRef Client::proxy(quint64 handle, const QString& className, bool hasEvents)
{
    std::weak_ptr<RemoteObject>& slot = m_proxies[handle];
    if (std::shared_ptr<RemoteObject> known = slot.lock()) {
        known->receivedAgain();
        return known;
    }
    auto object = std::make_shared<RemoteObject>(shared_from_this(), handle, className, hasEvents);
    slot = object;
    return object;
}

Variant Client::invoke(quint64 handle, const QString& member, WireKind kind, const Args& args)
{
    if (!m_connected)
        raiseServerUnavailable();
    const std::shared_ptr<Client> self = shared_from_this();
    Codec codec(*this);
    QCborArray positional;
    for (const Variant& value : args.positional)
        positional.append(encodeVariant(value, codec));
    std::vector<std::pair<QString, QCborValue>> named;
    named.reserve(args.named.size());
    for (const auto& [name, value] : args.named)
        named.emplace_back(name, encodeVariant(value, codec));
    std::vector<quint64> byRef;
    for (const auto& [index, variable] : args.byRef)
        if (variable && index < args.positional.size())
            byRef.push_back(index);

    const quint64 id = ++m_nextId;
    QByteArray out;
    appendReleases(out);
    appendFrame(out, encodeCall(id, handle, member, kind, positional, named, byRef));
    send(std::move(out));
    const Message reply = await(id);
    if (reply.type == MessageType::Error)
        raise(errorNumber(reply.number), reply.name);
    try {
        for (const auto& [index, value] : reply.written)
            args.writeBack(std::size_t(index), decodeVariant(value, codec));
        return decodeVariant(reply.value, codec);
    } catch (const MalformedMessage&) {
        fail();
        raiseCallFailed();
    }
}

void Client::advise(quint64 handle)
{
    if (!m_connected)
        raiseServerUnavailable();
    const std::shared_ptr<Client> self = shared_from_this();
    const quint64 id = ++m_nextId;
    QByteArray out;
    appendReleases(out);
    appendFrame(out, encodeAdvise(id, handle));
    send(std::move(out));
    const Message reply = await(id);
    if (reply.type == MessageType::Error)
        raise(errorNumber(reply.number), reply.name);
}

void Client::unadvise(quint64 handle)
{
    if (!m_connected)
        return;
    QByteArray out;
    appendFrame(out, encodeUnadvise(handle));
    send(std::move(out));
}

void Client::release(quint64 handle, quint64 count)
{
    const auto it = m_proxies.find(handle);
    if (it != m_proxies.end() && it->second.expired())
        m_proxies.erase(it);
    if (!m_connected)
        return;
    m_releases.emplace_back(handle, count);
    if (m_releases.size() >= kReleaseBatch && m_inCall == 0) {
        QByteArray out;
        appendReleases(out);
        send(std::move(out));
    } else if (QThread::currentThread()->loopLevel() > 0) {
        // Idle in an event loop, the host gets them soon; otherwise with the next call.
        postFlush();
    }
}

void Client::appendReleases(QByteArray& out)
{
    if (m_releases.empty())
        return;
    appendFrame(out, encodeRelease(m_releases));
    m_releases.clear();
}

void Client::postFlush()
{
    if (m_flushPosted)
        return;
    m_flushPosted = true;
    QMetaObject::invokeMethod(
        this,
        [this] {
            m_flushPosted = false;
            if (!m_connected || m_inCall > 0 || m_releases.empty())
                return;
            QByteArray out;
            appendReleases(out);
            send(std::move(out));
        },
        Qt::QueuedConnection);
}

void Client::send(QByteArray frames)
{
    if (!m_connected || frames.isEmpty())
        return;
    m_socket->write(frames);
    m_socket->flush();
}

Message Client::await(quint64 id)
{
    struct InCall
    {
        int& depth;
        explicit InCall(int& d) : depth(d) { ++depth; }
        ~InCall() { --depth; }
    } inCall(m_inCall);

    for (;;) {
        while (const std::optional<QByteArray> frame = m_reader.next()) {
            const std::optional<Message> message = parseMessage(*frame);
            if (!message) {
                fail();
                raiseCallFailed();
            }
            if ((message->type == MessageType::Reply || message->type == MessageType::Error) &&
                message->id == id) {
                postDelivery();
                return *message;
            }
            take(*message);
        }
        if (m_reader.failed() || !m_connected) {
            fail();
            raiseCallFailed();
        }
        if (m_socket->bytesAvailable() > 0) {
            m_reader.append(m_socket->readAll());
            continue;
        }
        if (m_socket->state() != QLocalSocket::ConnectedState) {
            fail();
            raiseCallFailed();
        }
        if (!m_socket->waitForReadyRead(kAliveCheckMs) && m_socket->bytesAvailable() == 0 &&
            (m_socket->state() != QLocalSocket::ConnectedState || processGone(m_hostPid))) {
            fail();
            raiseCallFailed();
        }
    }
}

// A message that is not the awaited answer: an event to deliver later, or a stray answer.
void Client::take(const Message& message)
{
    if (message.type != MessageType::Event)
        return;
    PendingEvent event;
    event.handle = message.handle;
    event.name = message.name;
    try {
        Codec codec(*this);
        for (const QCborValue& value : message.values)
            event.args.push_back(decodeVariant(value, codec));
    } catch (const std::exception&) {
        return; // an event whose arguments cannot be read is not delivered
    }
    if (m_events.size() >= kMaxQueuedEvents)
        m_events.pop_front();
    m_events.push_back(std::move(event));
}

void Client::readWhileIdle()
{
    if (m_inCall > 0 || !m_connected)
        return;
    // Counted before the reference is taken and after it is dropped: whatever drops the last
    // object here leaves the deletion to the event loop.
    ++m_inSlot;
    {
        const std::shared_ptr<Client> self = shared_from_this();
        m_reader.append(m_socket->readAll());
        while (const std::optional<QByteArray> frame = m_reader.next()) {
            const std::optional<Message> message = parseMessage(*frame);
            if (!message) {
                fail();
                break;
            }
            take(*message);
        }
        if (m_reader.failed() || m_socket->state() != QLocalSocket::ConnectedState)
            fail();
        postDelivery();
    }
    --m_inSlot;
}

void Client::postDelivery()
{
    if (m_deliveryPosted || m_events.empty())
        return;
    m_deliveryPosted = true;
    QMetaObject::invokeMethod(this, &Client::deliverEvents, Qt::QueuedConnection);
}

void Client::deliverEvents()
{
    m_deliveryPosted = false;
    ++m_inSlot; // see readWhileIdle
    {
        const std::shared_ptr<Client> self = weak_from_this().lock();
        // One at a time: a handler may call the host, wait in a dialog of its own, or end the
        // connection's last object.
        while (self && !m_events.empty() && m_inCall == 0) {
            PendingEvent event = std::move(m_events.front());
            m_events.pop_front();
            const auto it = m_proxies.find(event.handle);
            const std::shared_ptr<RemoteObject> target =
                it == m_proxies.end() ? nullptr : it->second.lock();
            EventSource* source = target ? target->events() : nullptr;
            if (!source)
                continue;
            try {
                source->fire(event.name, event.args);
            } catch (const std::exception& e) {
                std::fprintf(stderr, "host event %s: %s\n", qPrintable(event.name), e.what());
            }
        }
        if (self && !m_events.empty())
            postDelivery();
    }
    --m_inSlot;
}

void Client::fail()
{
    if (!m_connected)
        return;
    m_connected = false;
    m_releases.clear();
    m_socket->abort();
}

std::shared_ptr<Client> clientOf(const ObjectRef& object)
{
    const auto* remote = dynamic_cast<const RemoteObject*>(object.get());
    return remote ? remote->client() : nullptr;
}

} // namespace host::remote
