// The channel against a small served object tree: what the suite sees of an object must not
// depend on whether it lives in this process or in another one.
#include "host/automation/events.h"
#include "host/automation/host_error.h"
#include "host/remote/client.h"
#include "host/remote/remote_errors.h"
#include "tests/host/remote/served_root.h"
#include "tests/host/remote/test_objects.h"

#include <QCoreApplication>
#include <QElapsedTimer>
#include <QEventLoop>
#include <QThread>
#include <QTimer>

#include <gtest/gtest.h>

#include <cmath>
#include <limits>

namespace {

using host::Args;
using host::ObjectRef;
using host::Variant;

// Polls `done` while this thread's events run, for up to two seconds.
bool eventually(const std::function<bool()>& done)
{
    QElapsedTimer clock;
    clock.start();
    while (clock.elapsed() < 2000) {
        if (done())
            return true;
        QCoreApplication::processEvents(QEventLoop::AllEvents, 10);
        QThread::msleep(5);
    }
    return done();
}

// The same checks on the object itself and on its stand-in across a connection.
class BothSides : public ::testing::TestWithParam<bool>
{
protected:
    void SetUp() override
    {
        if (GetParam()) {
            m_served = std::make_unique<remote_test::ServedRoot>();
            root = host::remote::Client::connect(m_served->socketPath());
        } else {
            root = std::make_shared<remote_test::TestRoot>();
        }
    }

    std::unique_ptr<remote_test::ServedRoot> m_served;
    ObjectRef root;
};

INSTANTIATE_TEST_SUITE_P(Channel, BothSides, ::testing::Values(false, true),
                         [](const auto& info) { return info.param ? "across" : "in_process"; });

TEST_P(BothSides, EveryValueKindComesBackAsItWent)
{
    host::VariantArray row;
    row.rows = 3;
    row.items = {Variant(std::int32_t(1)), Variant(QStringLiteral("二")), Variant::null()};
    host::VariantArray grid;
    grid.rows = 2;
    grid.columns = 3;
    grid.items = {Variant(1.5), Variant(true),      Variant(),
                  Variant(row), Variant::missing(), Variant(std::int16_t(-7))};
    const std::vector<Variant> values = {
        Variant(),
        Variant::null(),
        Variant(true),
        Variant(false),
        Variant(std::int16_t(-32768)),
        Variant(std::int16_t(32767)),
        Variant(std::numeric_limits<std::int32_t>::min()),
        Variant(std::numeric_limits<std::int32_t>::max()),
        Variant(0.1),
        Variant(-1e300),
        Variant(std::numeric_limits<double>::denorm_min()),
        Variant(host::CurrencyValue{std::numeric_limits<std::int64_t>::max()}),
        Variant(host::CurrencyValue{-12345678}),
        Variant(host::DateValue{45123.75}),
        Variant(QString()),
        Variant(QStringLiteral("ピクロウ\t\"quoted\"\r\n")),
        Variant(QString(QChar(0)) + QStringLiteral("after a NUL")),
        Variant(grid),
        Variant(host::VariantArray{}),
        Variant(ObjectRef()),
        Variant::missing(),
    };
    for (const Variant& value : values) {
        const Variant back = root->call(QStringLiteral("Echo"), {value});
        EXPECT_EQ(back.type(), value.type()) << value.typeName().toStdString();
        EXPECT_TRUE(back == value) << value.typeName().toStdString();
    }
    const Variant nan =
        root->call(QStringLiteral("Echo"), {Variant(std::numeric_limits<double>::quiet_NaN())});
    EXPECT_TRUE(nan.type() == host::VarType::Double && std::isnan(nan.toDouble()));
    // Left out entirely, the argument is Missing on the other side too.
    EXPECT_TRUE(root->call(QStringLiteral("Echo")).isMissing());
}

TEST_P(BothSides, ObjectsKeepTheirIdentityClassAndMembers)
{
    const ObjectRef child = root->call(QStringLiteral("Child"), {QStringLiteral("a")}).toObject();
    ASSERT_TRUE(child);
    EXPECT_EQ(Variant(child).typeName(), QStringLiteral("TestChild"));
    EXPECT_EQ(child->get(QStringLiteral("Name")).toString(), QStringLiteral("a"));
    // The same object twice is the same reference, as `Is` compares them.
    EXPECT_EQ(root->call(QStringLiteral("Child"), {QStringLiteral("a")}).toObject(), child);
    EXPECT_NE(root->call(QStringLiteral("Child"), {QStringLiteral("b")}).toObject(), child);
    // An object given back to its host is the host's own object again.
    EXPECT_EQ(root->call(QStringLiteral("Echo"), {Variant(child)}).toObject(), child);
    EXPECT_EQ(root->call(QStringLiteral("Echo"), {Variant(root)}).toObject(), root);
    EXPECT_EQ(Variant(root).typeName(), QStringLiteral("TestRoot"));
}

TEST_P(BothSides, ForEachWalksTheCollection)
{
    const ObjectRef items = root->get(QStringLiteral("Items")).toObject();
    QStringList names;
    for (const Variant& item : items->enumerate()) {
        EXPECT_EQ(item.typeName(), QStringLiteral("TestChild"));
        names << item.toObject()->get(QStringLiteral("Name")).toString();
    }
    EXPECT_EQ(names,
              QStringList({QStringLiteral("one"), QStringLiteral("two"), QStringLiteral("three")}));
    // An object that is no collection says so in either place.
    try {
        root->enumerate();
        FAIL() << "no error";
    } catch (const host::HostError& e) {
        EXPECT_EQ(e.number(), host::err::NotSupported);
    }
}

TEST_P(BothSides, HostErrorsKeepNumberAndDescription)
{
    struct Case
    {
        int number;
        QString description;
    };
    const Case cases[] = {
        {1004, QStringLiteral("Application-defined or object-defined error")},
        {host::remote::kDisconnected, QStringLiteral("Automation error\nThe object invoked has "
                                                     "disconnected from its clients.")},
        {5, QStringLiteral("ファイルが見つかりません：C:\\写真\\a.jpg")},
        {0, QString()},
    };
    for (const Case& c : cases) {
        try {
            root->call(QStringLiteral("Raise"), {std::int32_t(c.number), c.description});
            ADD_FAILURE() << "no error for " << c.number;
        } catch (const host::HostError& e) {
            EXPECT_EQ(e.number(), c.number);
            EXPECT_EQ(e.description(), c.description);
        }
    }
    // The member table's own errors cross the same way.
    try {
        root->call(QStringLiteral("NoSuchMember"));
        FAIL() << "no error";
    } catch (const host::HostError& e) {
        EXPECT_EQ(e.number(), host::err::NotSupported);
        EXPECT_EQ(e.description(), host::standardDescription(host::err::NotSupported));
    }
    try {
        root->call(QStringLiteral("Pair"), Args{}.add(QStringLiteral("Third"), 1.0));
        FAIL() << "no error";
    } catch (const host::HostError& e) {
        EXPECT_EQ(e.number(), host::err::NamedNotFound);
    }
}

TEST_P(BothSides, NamedArgumentsReachTheirParameters)
{
    Args args{Variant(QStringLiteral("first"))};
    args.add(QStringLiteral("second"), Variant(std::int32_t(2)));
    const host::VariantArray pair = root->call(QStringLiteral("Pair"), args).toArray();
    EXPECT_TRUE(pair.items.at(0) == Variant(QStringLiteral("first")));
    EXPECT_TRUE(pair.items.at(1) == Variant(std::int32_t(2)));
}

TEST_P(BothSides, ByReferenceArgumentsAreWrittenBack)
{
    auto number = std::make_shared<Variant>(21.0);
    Args args;
    args.addByRef(number);
    EXPECT_EQ(root->call(QStringLiteral("Twice"), args).toString(), QStringLiteral("done"));
    EXPECT_TRUE(*number == Variant(42.0));
    // Passed by value, the caller's value stays.
    const Variant byValue(21.0);
    root->call(QStringLiteral("Twice"), {byValue});
    EXPECT_TRUE(byValue == Variant(21.0));
}

// --- across processes only -----------------------------------------------------------------

class Across : public ::testing::Test
{
protected:
    remote_test::ServedRoot served;
    ObjectRef root = host::remote::Client::connect(served.socketPath());

    int liveChildren() const { return root->get(QStringLiteral("LiveChildren")).toInt32(); }
};

TEST_F(Across, ObjectsLiveUntilTheClientReleasesThem)
{
    const int before = liveChildren();
    ObjectRef child = root->call(QStringLiteral("NewChild"), {QStringLiteral("kept")}).toObject();
    ObjectRef same = root->call(QStringLiteral("Echo"), {Variant(child)}).toObject();
    EXPECT_EQ(liveChildren(), before + 1); // the host keeps it for us
    child.reset();
    EXPECT_EQ(liveChildren(), before + 1); // a second copy is still held
    EXPECT_EQ(same->get(QStringLiteral("Name")).toString(), QStringLiteral("kept"));
    same.reset();
    EXPECT_EQ(liveChildren(), before); // released with the next call
}

TEST_F(Across, ADisconnectedClientsObjectsAreReleased)
{
    const int before = liveChildren();
    {
        const ObjectRef other = host::remote::Client::connect(served.socketPath());
        const ObjectRef kept =
            other->call(QStringLiteral("NewChild"), {QStringLiteral("theirs")}).toObject();
        EXPECT_EQ(liveChildren(), before + 1);
        EXPECT_EQ(root->get(QStringLiteral("Clients")).toInt32(), 2);
    }
    EXPECT_TRUE(eventually([&] { return liveChildren() == before; }));
    EXPECT_EQ(root->get(QStringLiteral("Clients")).toInt32(), 1);
}

TEST_F(Across, EventsReachASinkWaitingInItsOwnEventLoopWhichMayCallBack)
{
    std::vector<int> ticks;
    QStringList echoed;
    QEventLoop dialog; // as a modal dialog waits
    const int cookie = root->events()->advise(std::make_shared<host::CallbackSink>(
        [&](const QString& name, const std::vector<Variant>& args) {
            ASSERT_EQ(name, QStringLiteral("Tick"));
            ticks.push_back(args.at(0).toInt32());
            // A call from inside the handler, while the host goes on raising events.
            echoed << root->call(QStringLiteral("Echo"), {args.at(0)}).toString();
            if (ticks.size() == 3)
                dialog.quit();
        }));
    root->call(QStringLiteral("FireLater"), {std::int32_t(3), std::int32_t(20)});
    QTimer::singleShot(3000, &dialog, &QEventLoop::quit);
    dialog.exec();
    EXPECT_EQ(ticks, std::vector<int>({1, 2, 3}));
    EXPECT_EQ(echoed, QStringList({QStringLiteral("1"), QStringLiteral("2"), QStringLiteral("3")}));
    root->events()->unadvise(cookie);
    EXPECT_TRUE(eventually([&] { return !root->get(QStringLiteral("HasSinks")).toBool(); }));
}

TEST_F(Across, AnEventRaisedDuringACallWaitsForTheEventLoop)
{
    QStringList received;
    ObjectRef sender;
    const int cookie = root->events()->advise(std::make_shared<host::CallbackSink>(
        [&](const QString& name, const std::vector<Variant>& args) {
            received << name;
            sender = args.at(1).toObject();
        }));
    root->call(QStringLiteral("Fire"), {QStringLiteral("During")});
    EXPECT_TRUE(received.isEmpty()); // never inside the blocking call
    root->call(QStringLiteral("Echo"), {1.0});
    EXPECT_TRUE(received.isEmpty());
    EXPECT_TRUE(eventually([&] { return !received.isEmpty(); }));
    EXPECT_EQ(received, QStringList{QStringLiteral("During")});
    EXPECT_EQ(sender, root); // the event's objects are the client's stand-ins
    root->events()->unadvise(cookie);
}

TEST_F(Across, AHandlerMayLetGoOfTheConnectionsLastObject)
{
    auto other = std::make_shared<ObjectRef>(host::remote::Client::connect(served.socketPath()));
    int calls = 0;
    (*other)->events()->advise(
        std::make_shared<host::CallbackSink>([&](const QString&, const std::vector<Variant>&) {
            ++calls;
            other->reset(); // the connection ends with its last object, inside its own delivery
        }));
    root->call(QStringLiteral("FireLater"), {std::int32_t(2), std::int32_t(10)});
    EXPECT_TRUE(eventually([&] { return root->get(QStringLiteral("Clients")).toInt32() == 1; }));
    EXPECT_EQ(calls, 1);
}

TEST_F(Across, AnObjectWithoutEventsRefusesASink)
{
    const ObjectRef child = root->call(QStringLiteral("Child"), {QStringLiteral("a")}).toObject();
    EXPECT_EQ(child->events(), nullptr);
}

TEST_F(Across, SwitchesComeBackWhenTheLastClientThatSetThemGoes)
{
    const auto value = [&](const char* name) { return root->get(QString::fromLatin1(name)); };
    auto first = std::make_unique<ObjectRef>(host::remote::Client::connect(served.socketPath()));
    auto second = std::make_unique<ObjectRef>(host::remote::Client::connect(served.socketPath()));
    (*first)->let(QStringLiteral("ScreenUpdating"), false);
    (*first)->let(QStringLiteral("Cursor"), std::int32_t(2));
    (*first)->call(QStringLiteral("Copy"));
    (*second)->let(QStringLiteral("screenupdating"), false);
    (*second)->let(QStringLiteral("DisplayAlerts"), false);
    first.reset();
    EXPECT_TRUE(eventually([&] { return value("Cursor") == Variant(std::int32_t(-4143)); }));
    EXPECT_TRUE(value("CutCopyMode") == Variant(false));
    // The other client still holds screen updating off.
    EXPECT_TRUE(value("ScreenUpdating") == Variant(false));
    EXPECT_TRUE(value("DisplayAlerts") == Variant(false));
    second.reset();
    EXPECT_TRUE(eventually([&] { return value("ScreenUpdating") == Variant(true); }));
    EXPECT_TRUE(value("DisplayAlerts") == Variant(true));
    EXPECT_TRUE(value("EnableEvents") == Variant(true));
}

TEST_F(Across, ACallAfterTheHostEndedFailsAtOnce)
{
    auto served2 = std::make_unique<remote_test::ServedRoot>();
    const ObjectRef other = host::remote::Client::connect(served2->socketPath());
    served2.reset();
    QElapsedTimer clock;
    clock.start();
    int number = 0;
    for (int attempt = 0; attempt < 2; ++attempt) {
        try {
            other->call(QStringLiteral("Echo"), {1.0});
        } catch (const host::HostError& e) {
            number = e.number();
        }
    }
    EXPECT_LT(clock.elapsed(), 1000);
    EXPECT_EQ(number, host::remote::kServerUnavailable);
    try {
        host::remote::Client::connect(QStringLiteral("/nonexistent/host.sock"));
        FAIL() << "connected to nothing";
    } catch (const host::HostError& e) {
        EXPECT_EQ(e.number(), host::remote::kServerUnavailable);
    }
}

} // namespace
