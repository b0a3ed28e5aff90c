#include "host/remote/messages.h"

namespace host::remote {

namespace {

bool unsignedAt(const QCborArray& a, qsizetype i, quint64* out)
{
    const QCborValue v = a.at(i);
    if (!v.isInteger() || v.toInteger() < 0)
        return false;
    *out = quint64(v.toInteger());
    return true;
}

bool parseCall(const QCborArray& a, Message& m)
{
    if (a.size() != 8 || !unsignedAt(a, 1, &m.id) || !unsignedAt(a, 2, &m.handle) ||
        !a.at(3).isString() || !a.at(4).isInteger() || !a.at(5).isArray() || !a.at(6).isArray() ||
        !a.at(7).isArray())
        return false;
    m.name = a.at(3).toString();
    const qint64 kind = a.at(4).toInteger();
    if (kind < 0 || kind > qint64(WireKind::Enumerate))
        return false;
    m.kind = WireKind(kind);
    m.values = a.at(5).toArray();
    for (const QCborValue& pair : a.at(6).toArray()) {
        const QCborArray p = pair.toArray();
        if (!pair.isArray() || p.size() != 2 || !p.at(0).isString())
            return false;
        m.named.emplace_back(p.at(0).toString(), p.at(1));
    }
    for (const QCborValue& index : a.at(7).toArray()) {
        if (!index.isInteger() || index.toInteger() < 0 || index.toInteger() >= m.values.size())
            return false;
        m.byRef.push_back(quint64(index.toInteger()));
    }
    return true;
}

bool parseReply(const QCborArray& a, Message& m)
{
    if (a.size() != 4 || !unsignedAt(a, 1, &m.id) || !a.at(3).isArray())
        return false;
    m.value = a.at(2);
    for (const QCborValue& pair : a.at(3).toArray()) {
        const QCborArray p = pair.toArray();
        quint64 index = 0;
        if (!pair.isArray() || p.size() != 2 || !unsignedAt(p, 0, &index))
            return false;
        m.written.emplace_back(index, p.at(1));
    }
    return true;
}

bool parseRelease(const QCborArray& a, Message& m)
{
    if (a.size() != 2 || !a.at(1).isArray())
        return false;
    const QCborArray list = a.at(1).toArray();
    if (list.size() % 2 != 0)
        return false;
    for (qsizetype i = 0; i < list.size(); i += 2) {
        quint64 handle = 0;
        quint64 count = 0;
        if (!unsignedAt(list, i, &handle) || !unsignedAt(list, i + 1, &count))
            return false;
        m.releases.emplace_back(handle, count);
    }
    return true;
}

QByteArray cbor(const QCborArray& message)
{
    return QCborValue(message).toCbor();
}

QCborArray namedPairs(const std::vector<std::pair<QString, QCborValue>>& named)
{
    QCborArray list;
    for (const auto& [name, value] : named)
        list.append(QCborArray{name, value});
    return list;
}

} // namespace

std::optional<Message> parseMessage(const QByteArray& payload)
{
    QCborParserError error;
    const QCborValue root = QCborValue::fromCbor(payload, &error);
    if (error.error != QCborError::NoError || !root.isArray())
        return std::nullopt;
    const QCborArray a = root.toArray();
    if (a.isEmpty() || !a.at(0).isInteger())
        return std::nullopt;
    Message m;
    const qint64 type = a.at(0).toInteger();
    bool ok = false;
    switch (type) {
    case qint64(MessageType::Hello):
        ok = a.size() == 4 && a.at(1).isInteger() && a.at(2).isInteger();
        if (ok) {
            m.number = a.at(1).toInteger();
            m.pid = a.at(2).toInteger();
            m.value = a.at(3);
        }
        break;
    case qint64(MessageType::Call):
        ok = parseCall(a, m);
        break;
    case qint64(MessageType::Reply):
        ok = parseReply(a, m);
        break;
    case qint64(MessageType::Error):
        ok = a.size() == 4 && unsignedAt(a, 1, &m.id) && a.at(2).isInteger() && a.at(3).isString();
        if (ok) {
            m.number = a.at(2).toInteger();
            m.name = a.at(3).toString();
        }
        break;
    case qint64(MessageType::Release):
        ok = parseRelease(a, m);
        break;
    case qint64(MessageType::Advise):
        ok = a.size() == 3 && unsignedAt(a, 1, &m.id) && unsignedAt(a, 2, &m.handle);
        break;
    case qint64(MessageType::Unadvise):
        ok = a.size() == 2 && unsignedAt(a, 1, &m.handle);
        break;
    case qint64(MessageType::Event):
        ok =
            a.size() == 4 && unsignedAt(a, 1, &m.handle) && a.at(2).isString() && a.at(3).isArray();
        if (ok) {
            m.name = a.at(2).toString();
            m.values = a.at(3).toArray();
        }
        break;
    default:
        return std::nullopt;
    }
    if (!ok)
        return std::nullopt;
    m.type = MessageType(type);
    return m;
}

QByteArray encodeHello(qint64 pid, const QCborValue& root)
{
    return cbor({qint64(MessageType::Hello), qint64(kProtocolVersion), pid, root});
}

QByteArray encodeCall(quint64 id, quint64 handle, const QString& member, WireKind kind,
                      const QCborArray& positional,
                      const std::vector<std::pair<QString, QCborValue>>& named,
                      const std::vector<quint64>& byRef)
{
    QCborArray indices;
    for (const quint64 index : byRef)
        indices.append(qint64(index));
    return cbor({qint64(MessageType::Call), qint64(id), qint64(handle), member, qint64(kind),
                 positional, namedPairs(named), indices});
}

QByteArray encodeReply(quint64 id, const QCborValue& value,
                       const std::vector<std::pair<quint64, QCborValue>>& written)
{
    QCborArray list;
    for (const auto& [index, v] : written)
        list.append(QCborArray{qint64(index), v});
    return cbor({qint64(MessageType::Reply), qint64(id), value, list});
}

QByteArray encodeError(quint64 id, qint64 number, const QString& description)
{
    return cbor({qint64(MessageType::Error), qint64(id), number, description});
}

QByteArray encodeRelease(const std::vector<std::pair<quint64, quint64>>& releases)
{
    QCborArray list;
    for (const auto& [handle, count] : releases) {
        list.append(qint64(handle));
        list.append(qint64(count));
    }
    return cbor({qint64(MessageType::Release), list});
}

QByteArray encodeAdvise(quint64 id, quint64 handle)
{
    return cbor({qint64(MessageType::Advise), qint64(id), qint64(handle)});
}

QByteArray encodeUnadvise(quint64 handle)
{
    return cbor({qint64(MessageType::Unadvise), qint64(handle)});
}

QByteArray encodeEvent(quint64 handle, const QString& name, const QCborArray& args)
{
    return cbor({qint64(MessageType::Event), qint64(handle), name, args});
}

} // namespace host::remote
