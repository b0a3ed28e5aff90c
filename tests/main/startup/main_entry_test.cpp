#include "main/startup/main_entry.h"

#include "host/automation/host_error.h"
#include "main/commands/command_table.h"
#include "main/settings/setting.h"
#include "main/startup/commands.h"
#include "main/startup/program_paths.h"
#include "main/startup/single_instance.h"
#include "main/startup/startup_context.h"
#include "platform/message_box.h"
#include "platform/settings_store.h"
#include "platform/shell.h"
#include "tests/main/startup/host_fixture.h"

#include <QFile>
#include <QFileInfo>
#include <QProcess>
#include <QTemporaryDir>

#include <gtest/gtest.h>

#include <optional>

using namespace picrows;
using platform::Message;
using platform::MsgButtons;
using platform::MsgIcon;

namespace {

const QString kTitle = QStringLiteral("ピクロウアドイン");

Message error(const QString& text)
{
    return {text, MsgButtons::OK, MsgIcon::Critical, kTitle};
}

const QString kNoHost = QStringLiteral("エクセルブックのインスタンスを見つけることができませんでし"
                                       "た。\r\n\r\nエクセルの修復インストール"
                                       "または再インストールが必要です。");
const QString kNotInHost = QStringLiteral(
    "エクセルのインスタンスを見つけることができませんでした。\r\nもし、複数のエクセルを起動している"
    "場"
    "合は、本アドインを開こうとしているブック以外のインスタンスを終了させてから、再度お試しください"
    "。");
const QString kStoreApp =
    QStringLiteral("このエクセルは「ストアアプリ版」です。「デスクトップアプリ版」のエクセルに入れ"
                   "直してから再度お試"
                   "しください。\r\n\r\n※Microsoft Excel (または "
                   "Office)には、デスクトップアプリ版とストアアプリ版の"
                   "２種類があります。本アドインは、デスクトップアプリ版にのみ対応しています。");

QString line(const QString& book, const QString& window, const QString& word)
{
    return book + QLatin1Char('\t') + window + QLatin1Char('\t') + word;
}

// What a command saw of the start-up context while it ran.
struct Seen
{
    QString word;
    std::int32_t window = 0;
    bool is64Bit = false;
    QString caption;
    std::int32_t pasteSize = -1;
};

class MainTest : public ::testing::Test
{
protected:
    void SetUp() override
    {
        ASSERT_TRUE(m_dir.isValid());
        m_options.configFolder = m_dir.filePath(QStringLiteral("config"));
        m_options.instanceLockPath = m_dir.filePath(QStringLiteral("main.lock"));
        m_options.commands = commandTable();
        m_options.runCommand = [this](const CommandEntry& command) {
            const StartupContext& c = startupContext();
            m_seen = Seen{QLatin1String(command.word), c.glngXlHwnd, c.gblnXl64bit,
                          c.gobjXlApp.Caption(), c.gobjSetting ? c.gobjSetting->PasteSize : -1};
        };
    }
    void TearDown() override { startupContext().clear(); }

    // Runs Main and answers the messages it showed.
    std::vector<Message> run(const QString& commandLine)
    {
        platform::ScriptedMessages messages;
        platform::ScopedMessageService scope(messages);
        m_seen.reset();
        Main(commandLine, m_options);
        EXPECT_TRUE(startupContext().gobjXlApp.isNothing()); // released in every case
        EXPECT_EQ(startupContext().gobjSetting, nullptr);
        return messages.shown();
    }

    QString iniPath() const
    {
        return m_options.configFolder + QStringLiteral("/TORVA_PICROWS.ini");
    }

    QTemporaryDir m_dir;
    MainOptions m_options;
    std::optional<Seen> m_seen;
};

TEST(CommandLine, FieldsAreSplitAtTabsWithQuotesRemoved)
{
    struct Case
    {
        QString text;
        QString book;
        std::int32_t window;
        QString word;
    };
    const Case cases[] = {
        {QStringLiteral("Book1"), QStringLiteral("Book1"), 0, QString()},
        {QStringLiteral("\"/home/u/写真帳.xlsx\"\t\"123\"\t\"GET\""),
         QStringLiteral("/home/u/写真帳.xlsx"), 123, QStringLiteral("GET")},
        {QStringLiteral("a\t 12.5px\tget\textra"), QStringLiteral("a"), 12, QStringLiteral("get")},
        {QStringLiteral("a\t13.5\thelp"), QStringLiteral("a"), 14, QStringLiteral("help")},
        {QStringLiteral("a\t-7\thelp"), QStringLiteral("a"), -7, QStringLiteral("help")},
        {QStringLiteral("a\t99999999999\thelp"), QStringLiteral("a"), 0, QStringLiteral("help")},
        {QStringLiteral("a\thwnd\thelp"), QStringLiteral("a"), 0, QStringLiteral("help")},
        {QStringLiteral("\t5\thelp"), QString(), 5, QStringLiteral("help")},
        {QString(), QString(), 0, QString()},
    };
    for (const Case& c : cases) {
        const CommandLine split = splitCommandLine(c.text);
        EXPECT_EQ(split.bookFullName, c.book) << c.text.toStdString();
        EXPECT_EQ(split.windowId, c.window) << c.text.toStdString();
        EXPECT_EQ(split.commandWord, c.word) << c.text.toStdString();
    }
}

TEST(CommandTable, NamesAllNineRoutinesAndEachRuns)
{
    const char* const words[] = {"get",          "setting",      "help",
                                 "about",        "savepic",      "retrimming",
                                 "tool_resmall", "tool_temload", "tool_temsave"};
    ASSERT_EQ(commandTable().size(), 9u);
    QStringList unavailable;
    for (size_t i = 0; i < commandTable().size(); ++i) {
        EXPECT_STREQ(commandTable()[i].word, words[i]);
        EXPECT_TRUE(QByteArray(commandTable()[i].routine).startsWith("s_Command_"));
        if (!commandTable()[i].run)
            unavailable << QLatin1String(commandTable()[i].word);
    }
    EXPECT_TRUE(unavailable.isEmpty()) << unavailable.join(u' ').toStdString();
    EXPECT_EQ(findCommand(commandTable(), QStringLiteral("HeLp")), &commandTable()[2]);
    EXPECT_EQ(findCommand(commandTable(), QStringLiteral("help ")), nullptr);
}

TEST_F(MainTest, CommandWordsAreComparedWithoutRegardToCase)
{
    TestHost h({}, 4242);
    h.openBook(QStringLiteral("/books/album.xlsx"));
    for (const char* word : {"GET", "Get", "get"}) {
        EXPECT_TRUE(run(line(QStringLiteral("/books/album.xlsx"), QStringLiteral("4242"),
                             QString::fromUtf8(word)))
                        .empty());
        ASSERT_TRUE(m_seen) << word;
        EXPECT_EQ(m_seen->word, QStringLiteral("get"));
        EXPECT_EQ(m_seen->window, 4242);
    }
}

TEST_F(MainTest, RefusalsBeforeAttachingShowOneMessageAndLoadNoSettings)
{
    TestHost h({}, 124);
    h.openBook(QStringLiteral("/books/album.xlsx"));
    const QString book = QStringLiteral("/books/album.xlsx");
    struct Case
    {
        const char* name;
        QString commandLine;
        std::vector<Message> expected;
    };
    const Case cases[] = {
        {"no field 0", line(QString(), QStringLiteral("124"), QStringLiteral("get")), {}},
        {"empty command line", QString(), {}},
        {"no tabs", book, {error(QStringLiteral("不明なエラー"))}},
        {"unknown word",
         line(book, QStringLiteral("124"), QStringLiteral("print")),
         {error(QStringLiteral("不明なエラー"))}},
        {"window id of another window",
         line(book, QStringLiteral("123"), QStringLiteral("get")),
         {error(QStringLiteral("不明なエラー(XlHandle is not found.)"))}},
        {"book in no host",
         line(QStringLiteral("/books/other.xlsx"), QStringLiteral("124"), QStringLiteral("get")),
         {error(kNotInHost)}},
    };
    for (const Case& c : cases) {
        EXPECT_EQ(run(c.commandLine), c.expected) << c.name;
        EXPECT_FALSE(m_seen) << c.name;
    }
    EXPECT_FALSE(QFileInfo::exists(iniPath()));
}

TEST_F(MainTest, WithoutAnyHostTheInstallationIsBlamed)
{
    EXPECT_EQ(run(line(QStringLiteral("Book1"), QStringLiteral("1"), QStringLiteral("get"))),
              std::vector<Message>{error(kNoHost)});
}

TEST_F(MainTest, TheHostIsFoundByItsFileFirstThenTheFirstHostsBooks)
{
    host::objects::HostOptions first;
    first.caption = QStringLiteral("Host A");
    host::objects::HostOptions second;
    second.caption = QStringLiteral("Host B");
    TestHost a(first, 10);
    TestHost b(second, 20);
    a.openBook(QStringLiteral("/books/in_a.xlsx"));
    b.openBook(QStringLiteral("/books/in_b.xlsx"));
    b.openBook(QStringLiteral("Book2")); // never saved: no file to find it by

    // A saved book of the second host is found through its file.
    EXPECT_TRUE(
        run(line(QStringLiteral("/books/in_b.xlsx"), QStringLiteral("20"), QStringLiteral("get")))
            .empty());
    ASSERT_TRUE(m_seen);
    EXPECT_EQ(m_seen->caption, QStringLiteral("Host B"));

    // An unsaved book of the second host: binding by file fails and the first host lacks it.
    EXPECT_EQ(run(line(QStringLiteral("Book2"), QStringLiteral("20"), QStringLiteral("get"))),
              std::vector<Message>{error(kNotInHost)});

    // A name that differs only in letter case is no file, but the first host's books match it.
    EXPECT_TRUE(
        run(line(QStringLiteral("/BOOKS/IN_A.xlsx"), QStringLiteral("10"), QStringLiteral("get")))
            .empty());
    ASSERT_TRUE(m_seen);
    EXPECT_EQ(m_seen->caption, QStringLiteral("Host A"));
}

TEST_F(MainTest, TheWindowMustCarryTheHostsCaption)
{
    TestHost h({}, 55);
    h.openBook(QStringLiteral("/books/album.xlsx"));
    h.entry->setWindowTitle(QStringLiteral("another title"));
    EXPECT_EQ(
        run(line(QStringLiteral("/books/album.xlsx"), QStringLiteral("55"), QStringLiteral("get"))),
        std::vector<Message>{error(QStringLiteral("不明なエラー(XlHandle is not found.)"))});
}

TEST_F(MainTest, HostVersionDecidesThe64BitRuleAndRefusesStorePackages)
{
    struct Case
    {
        const char* version;
        bool is64Bit;
        const char* path;
        std::optional<bool> seen64; // none: refused
        std::vector<Message> expected;
    };
    const Case cases[] = {
        {"16.0", false, "/opt/host", false, {}},
        {"16.0", true, "/opt/host", true, {}},
        {"14.0", true, "/opt/host", true, {}},
        {"12.0", true, "/opt/host", false, {}},
        {"9.0", true, "/opt/host", false, {}},
        {"16.0", false, "/Program Files/windows/apps/Office", std::nullopt, {error(kStoreApp)}},
        {"99999",
         false,
         "/opt/host",
         std::nullopt,
         {{QStringLiteral("OnConnection-Err:6\r\nOverflow"), MsgButtons::OK, MsgIcon::None,
           kTitle}}},
    };
    for (const Case& c : cases) {
        host::objects::HostOptions options;
        options.version = QString::fromUtf8(c.version);
        options.is64Bit = c.is64Bit;
        options.path = QString::fromUtf8(c.path);
        TestHost h(options, 7);
        h.openBook(QStringLiteral("/books/album.xlsx"));
        QFile::remove(iniPath());
        EXPECT_EQ(run(line(QStringLiteral("/books/album.xlsx"), QStringLiteral("7"),
                           QStringLiteral("help"))),
                  c.expected)
            << c.version << ' ' << c.path;
        EXPECT_EQ(m_seen.has_value(), c.seen64.has_value()) << c.version;
        if (m_seen && c.seen64) {
            EXPECT_EQ(m_seen->is64Bit, *c.seen64) << c.version << ' ' << c.is64Bit;
        }
        // Settings are loaded and saved only for a host that was accepted.
        EXPECT_EQ(QFileInfo::exists(iniPath()), c.seen64.has_value()) << c.version;
    }
}

// An Application whose Path cannot be read.
class PathFails : public host::Dispatch
{
public:
    explicit PathFails(host::ObjectRef real) : m_real(std::move(real)) {}
    QString className() const override { return QStringLiteral("Application"); }
    host::Variant invoke(const QString& member, host::CallKind kind,
                         const host::Args& args) override
    {
        if (member.compare(QStringLiteral("Path"), Qt::CaseInsensitive) == 0)
            host::raise(1004, QStringLiteral("Application-defined or object-defined error"));
        return m_real->invoke(member, kind, args);
    }

private:
    host::ObjectRef m_real;
};

TEST_F(MainTest, AnErrorWhileAskingTheHostIsReportedWithItsNumber)
{
    host::objects::Host real;
    auto book = makeBook(1);
    real.adoptWorkbook(std::move(book), QStringLiteral("/books/album.xlsx"));
    host::running::Registration registration(std::make_shared<host::running::InProcessHost>(
        std::make_shared<PathFails>(real.application()), 9));
    EXPECT_EQ(
        run(line(QStringLiteral("/books/album.xlsx"), QStringLiteral("9"), QStringLiteral("get"))),
        (std::vector<Message>{{QStringLiteral("OnConnection-Err:1004\r\nApplication-defined or "
                                              "object-defined error"),
                               MsgButtons::OK, MsgIcon::None, kTitle}}));
    EXPECT_FALSE(m_seen);
}

TEST_F(MainTest, SettingsAreLoadedForTheCommandAndSavedAfterIt)
{
    QDir().mkpath(m_options.configFolder);
    QFile ini(iniPath());
    ASSERT_TRUE(ini.open(QIODevice::WriteOnly));
    ini.write("[setting]\nPasteSize=7\n[position]\nfrmGet_Left=15\n");
    ini.close();
    TestHost h({}, 3);
    h.openBook(QStringLiteral("/books/album.xlsx"));
    EXPECT_TRUE(run(line(QStringLiteral("/books/album.xlsx"), QStringLiteral("3"),
                         QStringLiteral("savepic")))
                    .empty());
    ASSERT_TRUE(m_seen);
    EXPECT_EQ(m_seen->pasteSize, 3);

    platform::SettingsStore store(m_options.configFolder);
    EXPECT_EQ(store.value(QStringLiteral("setting"), QStringLiteral("PasteSize")),
              QStringLiteral("3"));
    for (const c_Setting::Key& key : c_Setting::keys())
        EXPECT_TRUE(store.value(QStringLiteral("setting"), QLatin1String(key.name))) << key.name;
    EXPECT_EQ(store.value(QStringLiteral("position"), QStringLiteral("frmGet_Left")),
              QStringLiteral("15"));
}

TEST_F(MainTest, ARoutineNotInThisBuildSaysSoAndTheRunStillCleansUp)
{
    // A program built with a table whose entry has no routine (none of the shipped ones).
    static const CommandEntry table[] = {{"about", "s_Command_About", nullptr}};
    m_options.commands = table;
    m_options.runCommand = {}; // the table's routines
    TestHost h({}, 3);
    h.openBook(QStringLiteral("/books/album.xlsx"));
    EXPECT_EQ(run(line(QStringLiteral("/books/album.xlsx"), QStringLiteral("3"),
                       QStringLiteral("About"))),
              std::vector<Message>{error(QStringLiteral(
                  "このコマンド（about）は、このバージョンではまだ使用できません。"))});
    EXPECT_TRUE(QFileInfo::exists(iniPath()));
}

TEST_F(MainTest, HelpOpensTheHelpFileOrSaysWhereItLooked)
{
    m_options.runCommand = {};
    TestHost h({}, 3);
    h.openBook(QStringLiteral("/books/album.xlsx"));
    const QString root = m_dir.filePath(QStringLiteral("install"));
    const QString mainDir = root + QStringLiteral("/製品_メイン実行EXE");
    QDir().mkpath(mainDir);
    QDir().mkpath(root + QStringLiteral("/製品_ヘルプ"));
    setMainFolder(mainDir);
    platform::RecordingShell shell;
    platform::ScopedShell shellScope(shell);
    const QString help =
        line(QStringLiteral("/books/album.xlsx"), QStringLiteral("3"), QStringLiteral("help"));

    EXPECT_EQ(run(help), std::vector<Message>{
                             error(QStringLiteral("ヘルプファイル ") + root +
                                   QStringLiteral("/製品_ヘルプ/Help.pdf が見つかりません。"))});
    EXPECT_TRUE(shell.opened.empty());

    for (const QString& place :
         {root + QStringLiteral("/製品_ヘルプ/Help.pdf"), mainDir + QStringLiteral("/Help.pdf")}) {
        QFile f(place);
        ASSERT_TRUE(f.open(QIODevice::WriteOnly));
        f.close();
        EXPECT_TRUE(run(help).empty());
        ASSERT_FALSE(shell.opened.empty());
        EXPECT_EQ(shell.opened.back(), place); // beside the main program wins once it is there
    }
    setMainFolder({});
}

TEST_F(MainTest, ASecondInstanceIsRefusedAndLeavesTheFirstAlone)
{
    TestHost h({}, 3);
    h.openBook(QStringLiteral("/books/album.xlsx"));
    const QString get =
        line(QStringLiteral("/books/album.xlsx"), QStringLiteral("3"), QStringLiteral("get"));
    const Message busy{QStringLiteral("起動中のメイン画面を閉じてください。"), MsgButtons::OK,
                       MsgIcon::Information, kTitle};

    // The first instance is another process holding the lock.
    QProcess first;
    first.start(QStringLiteral(LOCK_HOLDER), {m_options.instanceLockPath});
    ASSERT_TRUE(first.waitForReadyRead(10000));
    EXPECT_EQ(first.readAllStandardOutput().trimmed(), QByteArray("locked"));
    EXPECT_EQ(run(get), std::vector<Message>{busy});
    EXPECT_FALSE(m_seen);
    EXPECT_EQ(first.state(), QProcess::Running);

    // A first instance that died without cleaning up leaves a lock that is taken over.
    first.kill();
    ASSERT_TRUE(first.waitForFinished(10000));
    ASSERT_TRUE(QFileInfo::exists(m_options.instanceLockPath));
    EXPECT_TRUE(run(get).empty());
    EXPECT_TRUE(m_seen);

    // Within one process a held lock refuses as well.
    InstanceLock held(m_options.instanceLockPath);
    ASSERT_TRUE(held.acquired());
    EXPECT_EQ(run(get), std::vector<Message>{busy});
}

} // namespace
