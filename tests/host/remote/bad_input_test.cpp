// What a careless or hostile client can send: the host closes the connection or answers with
// a host error, and goes on serving everybody else.
#include "host/automation/host_error.h"
#include "host/remote/client.h"
#include "host/remote/peer_identity.h"
#include "host/remote/remote_errors.h"
#include "host/remote/variant_cbor.h"
#include "tests/host/remote/raw_client.h"
#include "tests/host/remote/served_root.h"

#include <QCborArray>
#include <QElapsedTimer>
#include <QThread>

#include <gtest/gtest.h>

#include <sys/socket.h>
#include <unistd.h>

namespace {

using host::ObjectRef;
using host::Variant;
using host::remote::Message;
using host::remote::MessageType;

QByteArray cbor(const QCborValue& value)
{
    return value.toCbor();
}

QCborValue tagged(host::remote::ValueTag tag, const QCborValue& content)
{
    return QCborValue(QCborTag(quint64(tag)), content);
}

QByteArray call(quint64 id, quint64 handle, const QString& member, const QCborArray& args = {})
{
    return host::remote::encodeCall(id, handle, member, host::remote::WireKind::Method, args, {},
                                    {});
}

// Whether the host still answers a proper client.
bool stillServes(const QString& socketPath)
{
    const ObjectRef root = host::remote::Client::connect(socketPath);
    return root->call(QStringLiteral("Echo"), {QStringLiteral("ok")}).toString() ==
           QStringLiteral("ok");
}

int clients(const QString& socketPath)
{
    const ObjectRef root = host::remote::Client::connect(socketPath);
    // Counting the asking connection itself.
    QElapsedTimer clock;
    clock.start();
    int count = root->get(QStringLiteral("Clients")).toInt32();
    while (count > 1 && clock.elapsed() < 2000) {
        QThread::msleep(10);
        count = root->get(QStringLiteral("Clients")).toInt32();
    }
    return count - 1;
}

struct ClosingCase
{
    const char* name;
    QByteArray bytes; // sent as they are
};

class ConnectionClosed : public ::testing::TestWithParam<ClosingCase>
{
};

QByteArray framed(const QByteArray& payload)
{
    QByteArray out;
    host::remote::appendFrame(out, payload);
    return out;
}

INSTANTIATE_TEST_SUITE_P(
    BadInput, ConnectionClosed,
    ::testing::Values(
        ClosingCase{"oversized", QByteArray::fromHex("7fffffff") + QByteArray(64, 'x')},
        ClosingCase{"just_over_the_limit",
                    QByteArray::fromHex("04000001") + QByteArray(1024, '\0')},
        ClosingCase{"not_cbor", framed(QByteArray::fromHex("ffffffff"))},
        ClosingCase{"truncated_cbor", framed(QByteArray::fromHex("8501"))},
        ClosingCase{"not_an_array", framed(cbor(QCborValue(5)))},
        ClosingCase{"empty_array", framed(cbor(QCborArray{}))},
        ClosingCase{"unknown_type", framed(cbor(QCborArray{99, 1}))},
        ClosingCase{"reply_from_a_client", framed(host::remote::encodeReply(1, QCborValue(1), {}))},
        ClosingCase{"event_from_a_client",
                    framed(host::remote::encodeEvent(1, QStringLiteral("X"), {}))},
        ClosingCase{"call_with_a_text_id",
                    framed(cbor(QCborArray{1, QStringLiteral("id"), 1, QStringLiteral("Echo"), 3,
                                           QCborArray{}, QCborArray{}, QCborArray{}}))},
        ClosingCase{"call_with_an_unknown_kind",
                    framed(cbor(QCborArray{1, 1, 1, QStringLiteral("Echo"), 9, QCborArray{},
                                           QCborArray{}, QCborArray{}}))},
        ClosingCase{"by_reference_index_past_the_arguments",
                    framed(cbor(QCborArray{1, 1, 1, QStringLiteral("Echo"), 3, QCborArray{1},
                                           QCborArray{}, QCborArray{1}}))},
        ClosingCase{"release_with_an_odd_list", framed(cbor(QCborArray{4, QCborArray{1}}))}),
    [](const auto& info) { return std::string(info.param.name); });

TEST_P(ConnectionClosed, AndTheHostServesOthers)
{
    host::remote::ServerOptions options;
    options.maxFrame = 64 * 1024 * 1024;
    remote_test::ServedRoot served(options);
    remote_test::RawClient raw(served.socketPath());
    ASSERT_NE(raw.rootHandle(), 0u);
    raw.sendBytes(GetParam().bytes);
    EXPECT_TRUE(raw.closedByHost());
    EXPECT_TRUE(stillServes(served.socketPath()));
    EXPECT_EQ(clients(served.socketPath()), 0);
}

struct AnsweredCase
{
    const char* name;
    QCborArray args; // of a call to Echo on the root
};

class AnsweredWithError : public ::testing::TestWithParam<AnsweredCase>
{
};

QCborValue nested(int depth)
{
    QCborValue value(1);
    for (int i = 0; i < depth; ++i)
        value = tagged(host::remote::ValueTag::Array, QCborArray{1, 0, QCborArray{value}});
    return value;
}

INSTANTIATE_TEST_SUITE_P(
    BadInput, AnsweredWithError,
    ::testing::Values(
        AnsweredCase{"long_out_of_range", QCborArray{qint64(1) << 40}},
        AnsweredCase{"integer_out_of_range",
                     QCborArray{tagged(host::remote::ValueTag::Integer, 40000)}},
        AnsweredCase{"array_items_short_of_dimensions",
                     QCborArray{tagged(host::remote::ValueTag::Array,
                                       QCborArray{2, 2, QCborArray{1, 2, 3}})}},
        AnsweredCase{"array_of_negative_rows", QCborArray{tagged(host::remote::ValueTag::Array,
                                                                 QCborArray{-1, 0, QCborArray{}})}},
        AnsweredCase{"arrays_nested_too_deep", QCborArray{nested(100)}},
        AnsweredCase{"unknown_tag", QCborArray{QCborValue(QCborTag(40199), 1)}},
        AnsweredCase{"object_as_text",
                     QCborArray{tagged(host::remote::ValueTag::Object, QStringLiteral("root"))}},
        AnsweredCase{"byte_string", QCborArray{QCborValue(QByteArray("bytes"))}}),
    [](const auto& info) { return std::string(info.param.name); });

TEST_P(AnsweredWithError, AndTheConnectionGoesOn)
{
    remote_test::ServedRoot served;
    remote_test::RawClient raw(served.socketPath());
    raw.sendFrame(call(7, raw.rootHandle(), QStringLiteral("Echo"), GetParam().args));
    const std::optional<Message> answer = raw.read();
    ASSERT_TRUE(answer);
    EXPECT_EQ(answer->type, MessageType::Error);
    EXPECT_EQ(answer->id, 7u);
    raw.sendFrame(call(8, raw.rootHandle(), QStringLiteral("Echo"), {QCborValue(5)}));
    const std::optional<Message> next = raw.read();
    ASSERT_TRUE(next);
    EXPECT_EQ(next->type, MessageType::Reply);
    EXPECT_EQ(next->value, QCborValue(5));
}

TEST(BadInput, UnknownAndReleasedHandlesAreAnsweredAsDisconnected)
{
    remote_test::ServedRoot served;
    remote_test::RawClient raw(served.socketPath());
    const auto expectDisconnected = [&](quint64 id) {
        const std::optional<Message> answer = raw.read();
        ASSERT_TRUE(answer);
        EXPECT_EQ(answer->type, MessageType::Error);
        EXPECT_EQ(answer->id, id);
        EXPECT_EQ(answer->number, host::remote::kDisconnected);
    };
    raw.sendFrame(call(1, 987654, QStringLiteral("Echo")));
    expectDisconnected(1);
    // An object argument naming a handle the host never gave.
    raw.sendFrame(call(2, raw.rootHandle(), QStringLiteral("Echo"),
                       {tagged(host::remote::ValueTag::Object, 4242)}));
    expectDisconnected(2);

    raw.sendFrame(call(3, raw.rootHandle(), QStringLiteral("Child"), {QStringLiteral("a")}));
    const std::optional<Message> child = raw.read();
    ASSERT_TRUE(child && child->type == MessageType::Reply);
    const quint64 handle = quint64(child->value.taggedValue().toArray().at(0).toInteger());
    // Released more often than it was sent: gone, and nothing else with it.
    raw.sendFrame(host::remote::encodeRelease({{handle, 5}, {999, 1}}));
    raw.sendFrame(call(4, handle, QStringLiteral("Name")));
    expectDisconnected(4);
    raw.sendFrame(host::remote::encodeAdvise(5, handle));
    expectDisconnected(5);
    raw.sendFrame(call(6, raw.rootHandle(), QStringLiteral("Echo"), {QCborValue(1)}));
    const std::optional<Message> alive = raw.read();
    ASSERT_TRUE(alive);
    EXPECT_EQ(alive->type, MessageType::Reply);
}

TEST(BadInput, AClientThatVanishesMidCallOrMidFrameLeavesNothingBehind)
{
    remote_test::ServedRoot served;
    {
        remote_test::RawClient raw(served.socketPath());
        raw.sendFrame(call(1, raw.rootHandle(), QStringLiteral("Sleep"), {200}));
        raw.abort();
    }
    {
        remote_test::RawClient raw(served.socketPath());
        raw.sendBytes(QByteArray::fromHex("00000100") + QByteArray(10, 'x'));
        raw.abort();
    }
    EXPECT_EQ(clients(served.socketPath()), 0);
    EXPECT_TRUE(stillServes(served.socketPath()));
}

TEST(BadInput, AFloodOfCallsWithoutReadingEndsThatConnectionOnly)
{
    host::remote::ServerOptions options;
    options.replyBacklog = 256 * 1024;
    remote_test::ServedRoot served(options);
    remote_test::RawClient flood(served.socketPath());
    const QCborArray payload{QString(1000, QLatin1Char('x'))};
    QByteArray calls;
    for (int i = 1; i <= 4000; ++i)
        host::remote::appendFrame(
            calls, call(quint64(i), flood.rootHandle(), QStringLiteral("Echo"), payload));
    flood.sendBytes(calls);
    flood.sendAllUnread(5000); // the host may end the connection before it has read them all
    // Meanwhile everybody else is answered.
    QElapsedTimer clock;
    clock.start();
    EXPECT_TRUE(stillServes(served.socketPath()));
    EXPECT_LT(clock.elapsed(), 2000);
    EXPECT_TRUE(flood.closedByHost(5000));
}

TEST(BadInput, ASinkThatStopsReadingIsDroppedAndTheHostGoesOn)
{
    host::remote::ServerOptions options;
    options.eventBacklog = 64 * 1024;
    remote_test::ServedRoot served(options);
    remote_test::RawClient deaf(served.socketPath());
    deaf.sendFrame(host::remote::encodeAdvise(1, deaf.rootHandle()));
    const std::optional<Message> advised = deaf.read();
    ASSERT_TRUE(advised && advised->type == MessageType::Reply);
    // From here on the deaf client reads nothing.
    const ObjectRef root = host::remote::Client::connect(served.socketPath());
    QElapsedTimer clock;
    clock.start();
    EXPECT_EQ(root->call(QStringLiteral("Flood"), {20000}).toInt32(), 20000);
    EXPECT_LT(clock.elapsed(), 5000);
    EXPECT_FALSE(root->get(QStringLiteral("HasSinks")).toBool());
}

TEST(BadInput, TooManyObjectsHeldAtOnceAreRefused)
{
    host::remote::ServerOptions options;
    options.maxHandles = 10;
    remote_test::ServedRoot served(options);
    const ObjectRef root = host::remote::Client::connect(served.socketPath());
    std::vector<ObjectRef> held;
    try {
        for (int i = 0; i < 20; ++i)
            held.push_back(root->call(QStringLiteral("NewChild"), {QString::number(i)}).toObject());
        FAIL() << "no limit";
    } catch (const host::HostError& e) {
        EXPECT_EQ(e.number(), 7);
    }
    EXPECT_EQ(held.size(), 9u); // the root holds the tenth handle
    held.clear();
    EXPECT_EQ(root->call(QStringLiteral("NewChild"), {QStringLiteral("again")}).typeName(),
              QStringLiteral("TestChild"));
}

TEST(PeerCheck, OnlyTheHostsOwnUserIsAllowed)
{
    const uid_t self = geteuid();
    EXPECT_TRUE(host::remote::peerAllowed({true, self, 1}, self));
    EXPECT_FALSE(host::remote::peerAllowed({true, self + 1, 1}, self));
    EXPECT_FALSE(host::remote::peerAllowed({true, 0, 1}, 1000));
    EXPECT_FALSE(host::remote::peerAllowed({false, self, 0}, self));

    int pair[2];
    ASSERT_EQ(socketpair(AF_UNIX, SOCK_STREAM, 0, pair), 0);
    const host::remote::PeerIdentity peer = host::remote::peerIdentity(pair[0]);
    EXPECT_TRUE(peer.known);
    EXPECT_EQ(peer.uid, self);
    EXPECT_EQ(peer.pid, getpid());
    close(pair[0]);
    close(pair[1]);
    EXPECT_FALSE(host::remote::peerIdentity(-1).known);
}

TEST(PeerCheck, AHostForAnotherUserRefusesThisOne)
{
    host::remote::ServerOptions options;
    options.allowedUid = geteuid() + 1;
    remote_test::ServedRoot served(options);
    try {
        host::remote::Client::connect(served.socketPath());
        FAIL() << "connected";
    } catch (const host::HostError& e) {
        EXPECT_EQ(e.number(), host::remote::kServerUnavailable);
    }
    remote_test::RawClient raw(served.socketPath());
    EXPECT_EQ(raw.rootHandle(), 0u); // no greeting
    EXPECT_TRUE(raw.closedByHost());
}

TEST(Frames, ComeWholeHoweverTheBytesArrive)
{
    QByteArray stream;
    host::remote::appendFrame(stream, QByteArray("first"));
    host::remote::appendFrame(stream, QByteArray());
    host::remote::appendFrame(stream, QByteArray(70000, 'z'));
    host::remote::FrameReader reader(100000);
    QList<QByteArray> frames;
    for (qsizetype i = 0; i < stream.size(); i += 7) {
        reader.append(stream.mid(i, 7));
        while (const auto frame = reader.next())
            frames << *frame;
    }
    ASSERT_EQ(frames.size(), 3);
    EXPECT_EQ(frames[0], QByteArray("first"));
    EXPECT_TRUE(frames[1].isEmpty());
    EXPECT_EQ(frames[2], QByteArray(70000, 'z'));
    EXPECT_EQ(reader.buffered(), 0);

    host::remote::FrameReader limited(10);
    limited.append(QByteArray::fromHex("0000000b") + QByteArray(11, 'a'));
    EXPECT_FALSE(limited.next());
    EXPECT_TRUE(limited.failed());
    limited.append(framed(QByteArray("later")));
    EXPECT_FALSE(limited.next()); // nothing after a refused frame is read
}

} // namespace
