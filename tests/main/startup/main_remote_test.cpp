// Start-up attaching to a host in another process (the test host, standing in for the host
// application with its window id and title): the same steps, messages and clean-up as with a
// host in this process.
#include "host/automation/host_error.h"
#include "host/remote/remote_errors.h"
#include "host/xl/workbook.h"
#include "main/startup/commands.h"
#include "main/startup/main_entry.h"
#include "main/startup/startup_context.h"
#include "platform/message_box.h"
#include "tests/host/remote/host_process.h"

#include <QElapsedTimer>
#include <QFile>
#include <QTemporaryDir>

#include <gtest/gtest.h>

#include <signal.h>

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

QString line(const QString& book, std::int32_t window, const char* word)
{
    return book + u'\t' + QString::number(window) + u'\t' + QLatin1String(word);
}

class MainRemote : public ::testing::Test
{
protected:
    void SetUp() override
    {
        m_oldRuntime = qgetenv("XDG_RUNTIME_DIR");
        qputenv("XDG_RUNTIME_DIR", QFile::encodeName(m_dir.path()));
        m_book = m_dir.filePath(QStringLiteral("album.xlsx"));
        ASSERT_TRUE(
            QFile::copy(QStringLiteral(PICROWS_FIXTURE_DIR "/openpyxl_layout.xlsx"), m_book));
        m_options.configFolder = m_dir.filePath(QStringLiteral("config"));
        m_options.instanceLockPath = m_dir.filePath(QStringLiteral("main.lock"));
        static constexpr CommandEntry kWords[] = {{"get", "s_Command_Get", nullptr},
                                                  {"help", "s_Command_Help", nullptr}};
        m_options.commands = kWords;
    }
    void TearDown() override
    {
        startupContext().clear();
        qputenv("XDG_RUNTIME_DIR", m_oldRuntime);
    }

    std::vector<Message> run(const QString& commandLine)
    {
        platform::ScriptedMessages messages;
        platform::ScopedMessageService scope(messages);
        Main(commandLine, m_options);
        EXPECT_TRUE(startupContext().gobjXlApp.isNothing()); // released in every case
        return messages.shown();
    }

    QTemporaryDir m_dir;
    QByteArray m_oldRuntime;
    QString m_book;
    MainOptions m_options;
};

TEST_F(MainRemote, AttachesByTheBookAndChecksTheWindowThroughTheRegistry)
{
    remote_test::HostProcess host({QStringLiteral("--window-id"), QStringLiteral("31337"),
                                   QStringLiteral("--title"), QStringLiteral("album - ホスト"),
                                   m_book});
    ASSERT_TRUE(host.ready());
    std::optional<QString> caption;
    std::int32_t window = 0;
    m_options.runCommand = [&](const CommandEntry&) {
        caption = startupContext().gobjXlApp.Caption();
        window = startupContext().glngXlHwnd;
    };
    EXPECT_TRUE(run(line(m_book, 31337, "get")).empty());
    EXPECT_EQ(caption, QStringLiteral("album - ホスト"));
    EXPECT_EQ(window, 31337);

    caption.reset();
    EXPECT_EQ(run(line(m_book, 31338, "get")),
              std::vector<Message>{error(QStringLiteral("不明なエラー(XlHandle is not found.)"))});
    EXPECT_FALSE(caption);
    // A book the running host does not hold.
    EXPECT_EQ(run(line(m_dir.filePath(QStringLiteral("other.xlsx")), 31337, "get")),
              std::vector<Message>{error(QStringLiteral(
                  "エクセルのインスタンスを見つけることができませんでした。\r\nもし、複数のエクセ"
                  "ルを起動している場合は、本アドインを開こうとしているブック以外のインスタンスを"
                  "終了させてから、再度お試しください。"))});
    host.kill();
    EXPECT_EQ(run(line(m_book, 31337, "get")),
              std::vector<Message>{error(QStringLiteral(
                  "エクセルブックのインスタンスを見つけることができませんでした。\r\n\r\nエクセル"
                  "の修復インストールまたは再インストールが必要です。"))});
}

TEST_F(MainRemote, AHostKilledDuringTheCommandGivesAHostErrorWithinASecond)
{
    remote_test::HostProcess host({QStringLiteral("--window-id"), QStringLiteral("5"),
                                   QStringLiteral("--title"), QStringLiteral("Picrows Host"),
                                   m_book});
    ASSERT_TRUE(host.ready());
    int number = 0;
    qint64 waited = -1;
    m_options.runCommand = [&](const CommandEntry&) {
        ::kill(pid_t(host.pid()), SIGKILL);
        QElapsedTimer clock;
        clock.start();
        try {
            startupContext().gobjXlApp.ActiveWorkbook().FullName();
        } catch (const host::HostError& e) {
            number = e.number();
        }
        waited = clock.elapsed();
    };
    QElapsedTimer whole;
    whole.start();
    EXPECT_TRUE(run(line(m_book, 5, "help")).empty());
    EXPECT_EQ(number, host::remote::kCallFailed);
    EXPECT_GE(waited, 0);
    EXPECT_LT(waited, 1000);
    EXPECT_LT(whole.elapsed(), 5000); // and the settings are saved, the rest released
    EXPECT_TRUE(QFile::exists(m_options.configFolder + QStringLiteral("/TORVA_PICROWS.ini")));
}

} // namespace
