#pragma once

#include <QByteArray>
#include <QCborArray>
#include <QCborValue>
#include <QString>

#include <optional>
#include <utility>
#include <vector>

// The messages of a host connection, each a CBOR array whose first item names its type. The
// values inside stay CBOR here: only the side that owns the objects can turn them into
// Variants (variant_cbor.h).
namespace host::remote {

inline constexpr int kProtocolVersion = 1;

enum class MessageType
{
    Hello = 0,    // server: [0, version, pid, root object]
    Call = 1,     // client: [1, id, handle, member, kind, [positional], [[name, value]], [byref]]
    Reply = 2,    // server: [2, id, value, [[index, value written back]]]
    Error = 3,    // server: [3, id, number, description]
    Release = 4,  // client: [4, [handle, count, handle, count, …]]
    Advise = 5,   // client: [5, id, handle], answered by Reply or Error
    Unadvise = 6, // client: [6, handle]
    Event = 7,    // server: [7, handle, name, [args]]
};

// How a call reaches its member: the automation's four kinds, and the items of For Each.
enum class WireKind
{
    Get = 0,
    Let = 1,
    Set = 2,
    Method = 3,
    Enumerate = 4
};

struct Message
{
    MessageType type = MessageType::Hello;
    quint64 id = 0;     // Call, Reply, Error, Advise
    quint64 handle = 0; // Call, Advise, Unadvise, Event
    QString name;       // Call: the member; Event: the event; Error: the description
    WireKind kind = WireKind::Get;
    QCborArray values; // Call: positional arguments; Event: the event's arguments
    std::vector<std::pair<QString, QCborValue>> named;
    std::vector<quint64> byRef;                          // Call: indices into `values`
    QCborValue value;                                    // Reply: the result; Hello: the root
    std::vector<std::pair<quint64, QCborValue>> written; // Reply
    qint64 number = 0;                                   // Error; Hello: the version
    qint64 pid = 0;                                      // Hello
    std::vector<std::pair<quint64, quint64>> releases;   // Release: handle and count
};

// Reads one frame's payload; none for anything that is not a message of this protocol.
std::optional<Message> parseMessage(const QByteArray& payload);

QByteArray encodeHello(qint64 pid, const QCborValue& root);
QByteArray encodeCall(quint64 id, quint64 handle, const QString& member, WireKind kind,
                      const QCborArray& positional,
                      const std::vector<std::pair<QString, QCborValue>>& named,
                      const std::vector<quint64>& byRef);
QByteArray encodeReply(quint64 id, const QCborValue& value,
                       const std::vector<std::pair<quint64, QCborValue>>& written);
QByteArray encodeError(quint64 id, qint64 number, const QString& description);
QByteArray encodeRelease(const std::vector<std::pair<quint64, quint64>>& releases);
QByteArray encodeAdvise(quint64 id, quint64 handle);
QByteArray encodeUnadvise(quint64 handle);
QByteArray encodeEvent(quint64 handle, const QString& name, const QCborArray& args);

} // namespace host::remote
