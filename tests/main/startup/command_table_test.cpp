// The command table of the main program: every command whose routine exists runs it through
// Main, as far as it goes without the dialogs that are still to come.
#include "host/xl/application.h"
#include "host/xl/workbook.h"
#include "host/xl/worksheet.h"
#include "main/commands/command_table.h"
#include "main/startup/main_entry.h"
#include "platform/message_box.h"
#include "tests/main/startup/host_fixture.h"

#include <QDir>
#include <QFile>
#include <QTemporaryDir>

#include <gtest/gtest.h>

using namespace picrows;
using platform::Message;
using platform::MsgButtons;
using platform::MsgIcon;

namespace {

const QString kTitle = QStringLiteral("ピクロウアドイン");
const QString kBook = QStringLiteral("/books/album.xlsx");

Message error(const QString& text)
{
    return {text, MsgButtons::OK, MsgIcon::Critical, kTitle};
}

// A host with one open workbook of two sheets, its save dialog recorded, and settings whose
// template folder exists.
class CommandTableTest : public ::testing::Test
{
protected:
    CommandTableTest() : m_host(hostOptions(m_saveTitles), 7)
    {
        m_host.openBook(kBook, 2);
        m_options.configFolder = m_dir.filePath(QStringLiteral("config"));
        m_options.instanceLockPath = m_dir.filePath(QStringLiteral("main.lock"));
        m_options.commands = commandTable();
        const QString templates = m_dir.filePath(QStringLiteral("templates"));
        QDir().mkpath(templates);
        QDir().mkpath(m_options.configFolder);
        QFile ini(m_options.configFolder + QStringLiteral("/TORVA_PICROWS.ini"));
        if (ini.open(QIODevice::WriteOnly))
            ini.write("[setting]\nMyDocPath=" + templates.toUtf8() + "\n");
    }

    static host::objects::HostOptions hostOptions(QStringList& titles)
    {
        host::objects::HostOptions options;
        options.saveAsDialog = [&titles](const host::objects::SaveAsQuestion& question) {
            titles << question.title;
            return QString(); // cancelled
        };
        return options;
    }

    std::vector<Message> run(const char* word)
    {
        platform::ScriptedMessages messages;
        platform::ScopedMessageService scope(messages);
        Main(kBook + QStringLiteral("\t7\t") + QLatin1String(word), m_options);
        return messages.shown();
    }

    xl::Application app() const { return xl::Application(m_host.host.application()); }

    QStringList m_saveTitles;
    TestHost m_host;
    QTemporaryDir m_dir;
    MainOptions m_options;
};

TEST_F(CommandTableTest, SavepicConfirmsTheOneCellThenAsksTheHostsSaveDialog)
{
    // savepic needs no dialog of its own: it asks the host's save dialog (here cancelled),
    // after confirming the one selected cell.
    const Message oneCell{QStringLiteral("選択セルが１つだけの状態です。続行しますか？"),
                          MsgButtons::OKCancel, MsgIcon::Question, kTitle};
    EXPECT_EQ(run("savepic"), std::vector<Message>{oneCell});
    EXPECT_EQ(m_saveTitles, QStringList{kTitle + QStringLiteral(" - 画像の保存")});
}

TEST_F(CommandTableTest, TheHostStateChecksComeBeforeAnyDialog)
{
    // Each command's own switches: a protected drawing stops the reduction tool only.
    app().ActiveSheet().call(QStringLiteral("Protect"),
                             host::Args{}
                                 .add(QStringLiteral("DrawingObjects"), true)
                                 .add(QStringLiteral("Contents"), false));
    EXPECT_EQ(run("tool_resmall"),
              std::vector<Message>{error(
                  QStringLiteral("描画オブジェクトが保護されている状態では実行できません。"))});

    // Two sheets selected: every one of them refuses.
    m_host.lastModel().sheets[1]->view.tabSelected = true;
    for (const char* word : {"savepic", "tool_resmall", "tool_temsave", "tool_temload"})
        EXPECT_EQ(run(word),
                  std::vector<Message>{error(QStringLiteral("串刺し状態では実行できません。"))})
            << word;
    EXPECT_TRUE(m_saveTitles.isEmpty());
}

} // namespace
