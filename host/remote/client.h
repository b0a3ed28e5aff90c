#pragma once

#include "host/automation/dispatch.h"
#include "host/remote/frame.h"
#include "host/remote/messages.h"
#include "host/remote/variant_cbor.h"

#include <QObject>
#include <QString>

#include <deque>
#include <memory>
#include <unordered_map>
#include <vector>

class QLocalSocket;

namespace host::remote {

class RemoteObject;

struct ClientOptions
{
    int connectTimeoutMs = 1000;
    qsizetype maxFrame = kMaxFrame;
};

// One connection to a host in another process, used from the thread that made it. Calls
// block until the host answers, or fail within a fraction of a second of the host's end;
// events the host sends are delivered from this thread's event loop, never inside a call.
// The connection lives as long as any object that stands in for one of the host's.
class Client : public QObject, public std::enable_shared_from_this<Client>
{
public:
    // The root object (the Application) of the host serving at `socketPath`. A host that
    // does not answer, or runs for another user, raises kServerUnavailable.
    static ObjectRef connect(const QString& socketPath, const ClientOptions& options = {});
    ~Client() override;

    bool isConnected() const { return m_connected; }
    qint64 hostPid() const { return m_hostPid; }
    QString socketPath() const { return m_path; }

    // For the stand-ins.
    Variant invoke(quint64 handle, const QString& member, WireKind kind, const Args& args);
    void advise(quint64 handle);
    void unadvise(quint64 handle);
    void release(quint64 handle, quint64 count);

private:
    explicit Client(const ClientOptions& options);
    static void dispose(Client* client);

    class Codec;
    struct PendingEvent
    {
        quint64 handle = 0;
        QString name;
        std::vector<Variant> args;
    };

    Message await(quint64 id);
    void take(const Message& message);
    void readWhileIdle();
    void fail();
    void send(QByteArray frames);
    void appendReleases(QByteArray& out);
    void postFlush();
    void postDelivery();
    void deliverEvents();
    ObjectRef proxy(quint64 handle, const QString& className, bool hasEvents);

    QLocalSocket* m_socket;
    QString m_path;
    ClientOptions m_options;
    FrameReader m_reader;
    bool m_connected = false;
    qint64 m_hostPid = 0;
    quint64 m_nextId = 0;
    int m_inCall = 0;
    int m_inSlot = 0;
    bool m_flushPosted = false;
    bool m_deliveryPosted = false;
    std::unordered_map<quint64, std::weak_ptr<RemoteObject>> m_proxies;
    std::vector<std::pair<quint64, quint64>> m_releases;
    std::deque<PendingEvent> m_events;

    friend class RemoteObject;
};

// The connection behind an object of another process; none for an object of this one.
std::shared_ptr<Client> clientOf(const ObjectRef& object);

} // namespace host::remote
