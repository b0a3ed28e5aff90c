// A real host in a process of its own: the registry of running hosts, a client killed while
// it held switches, a host killed during a call, and events from the host's "user".
#include "host/automation/host_error.h"
#include "host/remote/client.h"
#include "host/remote/remote_errors.h"
#include "host/running/host_registry.h"
#include "host/running/running_hosts.h"
#include "host/xl/application.h"
#include "host/xl/com_addins.h"
#include "host/xl/range.h"
#include "host/xl/workbook.h"
#include "host/xl/worksheet.h"
#include "tests/host/remote/host_process.h"

#include <QCoreApplication>
#include <QDir>
#include <QElapsedTimer>
#include <QEventLoop>
#include <QFile>
#include <QProcess>
#include <QTemporaryDir>
#include <QThread>
#include <QTimer>

#include <gtest/gtest.h>

#include <signal.h>

#include <thread>

namespace {

using host::running::RunningHosts;

bool eventually(const std::function<bool()>& done, int ms = 3000)
{
    QElapsedTimer clock;
    clock.start();
    while (clock.elapsed() < ms) {
        if (done())
            return true;
        QCoreApplication::processEvents(QEventLoop::AllEvents, 10);
        QThread::msleep(10);
    }
    return done();
}

// Every test gets a runtime folder of its own, so that no other host is found.
class HostProcessTest : public ::testing::Test
{
protected:
    void SetUp() override
    {
        ASSERT_TRUE(m_runtime.isValid());
        m_oldRuntime = qgetenv("XDG_RUNTIME_DIR");
        qputenv("XDG_RUNTIME_DIR", QFile::encodeName(m_runtime.path()));
        m_book = m_runtime.filePath(QStringLiteral("album.xlsx"));
        ASSERT_TRUE(
            QFile::copy(QStringLiteral(PICROWS_FIXTURE_DIR "/openpyxl_layout.xlsx"), m_book));
    }
    void TearDown() override { qputenv("XDG_RUNTIME_DIR", m_oldRuntime); }

    QString registryFolder() const { return m_runtime.filePath(QStringLiteral("picrows")); }
    QStringList entryFiles() const
    {
        return QDir(registryFolder()).entryList({QStringLiteral("*.host")}, QDir::Files);
    }

    QTemporaryDir m_runtime;
    QByteArray m_oldRuntime;
    QString m_book;
};

TEST_F(HostProcessTest, AServingHostIsFoundByItsBookAndWindowAndKeptCurrent)
{
    remote_test::HostProcess host({QStringLiteral("--window-id"), QStringLiteral("4242"),
                                   QStringLiteral("--title"),
                                   QStringLiteral("album.xlsx - ピクロウ ホスト"), m_book});
    ASSERT_TRUE(host.ready());
    auto& table = RunningHosts::instance();
    const xl::Application app(table.bindToFile(m_book));
    ASSERT_FALSE(app.isNothing());
    EXPECT_TRUE(host::remote::clientOf(app.ref()));
    EXPECT_EQ(app.ActiveWorkbook().FullName(), m_book);
    EXPECT_EQ(table.activeApplication(), app.ref()); // one connection, one Application
    EXPECT_EQ(table.findWindow(host::running::kHostWindowClass, app.Caption()), 4242);
    EXPECT_EQ(table.findWindow(host::running::kHostWindowClass, QStringLiteral("other")), 0);
    EXPECT_TRUE(table.bindToFile(m_runtime.filePath(QStringLiteral("other.xlsx"))) == nullptr);

    // Saved under a new name and closed: the registry follows.
    const QString renamed = m_runtime.filePath(QStringLiteral("renamed.xlsx"));
    app.ActiveWorkbook().SaveAs(renamed);
    EXPECT_TRUE(eventually([&] { return table.bindToFile(renamed) == app.ref(); }));
    EXPECT_TRUE(table.bindToFile(m_book) == nullptr);
    app.ActiveWorkbook().Close(false);
    EXPECT_TRUE(eventually([&] { return table.bindToFile(renamed) == nullptr; }));
    EXPECT_EQ(table.activeApplication(), app.ref()); // still running, with no book

    host.terminate();
    EXPECT_TRUE(host.finishedCleanly());
    EXPECT_TRUE(entryFiles().isEmpty()); // removed as it ended
    EXPECT_TRUE(QDir(registryFolder()).entryList(QDir::System | QDir::Files).isEmpty());
}

TEST_F(HostProcessTest, StaleEntriesAreIgnoredAndCleaned)
{
    remote_test::HostProcess crashed({QStringLiteral("--window-id"), QStringLiteral("1"), m_book});
    ASSERT_TRUE(crashed.ready());
    crashed.kill();
    ASSERT_EQ(entryFiles().size(), 1);

    const host::running::HostRegistry registry(registryFolder());
    // A process that has ended, and a process that runs but does not serve.
    QProcess ended;
    ended.start(QStringLiteral("true"));
    ASSERT_TRUE(ended.waitForStarted());
    const qint64 endedPid = ended.processId();
    ended.waitForFinished();
    QProcess sleeper;
    sleeper.start(QStringLiteral("sleep"), {QStringLiteral("30")});
    ASSERT_TRUE(sleeper.waitForStarted());
    const struct
    {
        const char* id;
        qint64 pid;
    } fakes[] = {{"host-ended", endedPid}, {"host-silent", sleeper.processId()}};
    for (const auto& fake : fakes) {
        host::running::HostEntry entry;
        entry.id = QString::fromLatin1(fake.id);
        entry.socket = registryFolder() + u'/' + entry.id + QStringLiteral(".sock");
        entry.pid = fake.pid;
        entry.windowId = 7;
        entry.title = QStringLiteral("stale");
        entry.files = {m_book};
        ASSERT_TRUE(registry.write(entry));
    }
    ASSERT_EQ(entryFiles().size(), 3);

    auto& table = RunningHosts::instance();
    QElapsedTimer clock;
    clock.start();
    EXPECT_TRUE(table.bindToFile(m_book) == nullptr);
    EXPECT_TRUE(table.activeApplication() == nullptr);
    EXPECT_EQ(table.findWindow(host::running::kHostWindowClass, QStringLiteral("stale")), 0);
    EXPECT_LT(clock.elapsed(), 1000);
    EXPECT_TRUE(entryFiles().isEmpty());

    // A live host registered after the dead ones is found.
    remote_test::HostProcess live({m_book});
    ASSERT_TRUE(live.ready());
    EXPECT_FALSE(table.bindToFile(m_book) == nullptr);
    sleeper.kill();
    sleeper.waitForFinished();
}

TEST_F(HostProcessTest, AKilledClientsSwitchesAndPendingCopyArePutBack)
{
    remote_test::HostProcess host({m_book});
    ASSERT_TRUE(host.ready());
    const xl::Application app(host::remote::Client::connect(host.socketPath()));
    QProcess client;
    client.setProcessChannelMode(QProcess::ForwardedErrorChannel);
    client.start(QStringLiteral(REMOTE_TEST_CLIENT), {host.socketPath()});
    ASSERT_TRUE(client.waitForReadyRead(30000));
    ASSERT_EQ(client.readLine().trimmed(), QByteArray("changed"));
    EXPECT_FALSE(app.ScreenUpdating());
    EXPECT_FALSE(app.EnableEvents());
    EXPECT_FALSE(app.Interactive());
    EXPECT_FALSE(app.DisplayAlerts());
    EXPECT_EQ(app.get(QStringLiteral("Cursor")).toInt32(), 2);
    EXPECT_EQ(app.CutCopyMode(), host::Variant(std::int32_t(1)));

    kill(pid_t(client.processId()), SIGKILL);
    client.waitForFinished();
    EXPECT_TRUE(eventually([&] { return app.ScreenUpdating(); }));
    EXPECT_TRUE(app.EnableEvents());
    EXPECT_TRUE(app.Interactive());
    EXPECT_TRUE(app.DisplayAlerts());
    EXPECT_EQ(app.get(QStringLiteral("Cursor")).toInt32(), -4143);
    EXPECT_EQ(app.CutCopyMode(), host::Variant(false));
}

TEST_F(HostProcessTest, AHostKilledDuringACallAnswersWithinASecond)
{
    remote_test::HostProcess host({m_book});
    ASSERT_TRUE(host.ready());
    const xl::Application app(host::remote::Client::connect(host.socketPath()));
    const host::ObjectRef helper = app.COMAddIns(QStringLiteral("PicrowsTest.Helper"))
                                       .get(QStringLiteral("Object"))
                                       .toObject();
    QElapsedTimer sinceKill;
    std::thread killer([&] {
        QThread::msleep(300);
        sinceKill.start();
        ::kill(pid_t(host.pid()), SIGKILL);
    });
    int number = 0;
    try {
        helper->call(QStringLiteral("Sleep"), {std::int32_t(20000)});
    } catch (const host::HostError& e) {
        number = e.number();
    }
    const qint64 waited = sinceKill.elapsed();
    killer.join();
    EXPECT_EQ(number, host::remote::kCallFailed);
    EXPECT_LT(waited, 1000);
    try {
        app.Caption();
        FAIL() << "answered";
    } catch (const host::HostError& e) {
        EXPECT_EQ(e.number(), host::remote::kServerUnavailable);
    }
}

TEST_F(HostProcessTest, TheUsersSelectionReachesASinkThatCallsBack)
{
    remote_test::HostProcess host({m_book});
    ASSERT_TRUE(host.ready());
    const xl::Application app(host::remote::Client::connect(host.socketPath()));
    const host::ObjectRef helper = app.COMAddIns(QStringLiteral("PicrowsTest.Helper"))
                                       .get(QStringLiteral("Object"))
                                       .toObject();
    QStringList seen;
    QEventLoop dialog;
    const int cookie = app.onSheetSelectionChange([&](xl::Worksheet sheet, xl::Range target) {
        seen << sheet.Name() + u'!' + target.Address();
        if (seen.size() == 2)
            dialog.quit();
    });
    helper->call(QStringLiteral("SelectLater"), {QStringLiteral("B2:C3"), std::int32_t(50)});
    helper->call(QStringLiteral("SelectLater"), {QStringLiteral("D4"), std::int32_t(100)});
    QTimer::singleShot(5000, &dialog, &QEventLoop::quit);
    dialog.exec();
    const QString sheet = app.ActiveSheet().Name();
    EXPECT_EQ(seen,
              QStringList({sheet + QStringLiteral("!$B$2:$C$3"), sheet + QStringLiteral("!$D$4")}));
    app.unadvise(cookie);
}

} // namespace
