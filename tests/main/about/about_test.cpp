// The about dialog's rows for both variants, the program's version texts, and the "about"
// command around the dialog.
#include "main/about/about_command.h"
#include "main/about/frm_about.h"
#include "main/about/program_version.h"
#include "main/controls/modal_loop.h"
#include "main/settings/setting.h"
#include "main/startup/program_paths.h"
#include "main/startup/startup_context.h"
#include "platform/message_box.h"
#include "platform/settings_store.h"
#include "platform/shell.h"
#include "tests/host/objects/objects_support.h"

#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QLabel>
#include <QPushButton>
#include <QTemporaryDir>
#include <QTest>
#include <QTimer>

namespace {

using objects_test::q;
using picrows::frmAbout;

class AboutTest : public objects_test::HostTest
{
protected:
    AboutTest()
    {
        picrows::setMainFolder(dir.filePath(q("製品_メイン実行EXE")));
        QDir().mkpath(picrows::mainFolder());
    }
    ~AboutTest() override { picrows::setMainFolder({}); }

    // A file of the suite with the probe's version record (2.5.1.0).
    QString place(const QString& relative)
    {
        const QString path = dir.filePath(relative);
        QDir().mkpath(QFileInfo(path).path());
        QFile::copy(q(PROBE_LIBRARY), path);
        return path;
    }

    static QString text(const QWidget& dialog, const char* name)
    {
        auto* label = dialog.findChild<QLabel*>(q(name));
        return label ? label->text() : q("<none>");
    }

    QTemporaryDir dir;
};

TEST_F(AboutTest, TheProgramsVersionComesFromItsRecord)
{
    // This test program carries the record 3.7.0.12.
    EXPECT_EQ(picrows::programVersion(), (platform::VersionNumbers{3, 7, 0, 12}));
    EXPECT_EQ(picrows::statusVersionText(picrows::programVersion()), q("Ver.3.07.0.12"));
    EXPECT_EQ(picrows::aboutDateText(QDateTime(QDate(2024, 3, 5), QTime(9, 0))), q("2024/3/5"));
}

TEST_F(AboutTest, The32BitVariantShowsEveryDeliverableOrSaysItIsNotFound)
{
    const QString base = place(q("製品_旧アドイン/TORVA_Picrows.so"));
    frmAbout dialog(frmAbout::Bits::Host32);
    EXPECT_EQ(dialog.windowTitle(), q("ピクロウアドイン - バージョン情報 (32bitモード)"));
    EXPECT_EQ(text(dialog, "lblName_Main"), q("メインプログラム"));
    EXPECT_EQ(text(dialog, "lblVersion_Main"), q("3.07.0.12"));
    EXPECT_EQ(
        text(dialog, "lblDate_Main"),
        QFileInfo(QCoreApplication::applicationFilePath()).lastModified().toString(q("yyyy/M/d")));
    EXPECT_EQ(text(dialog, "lblName_Base"), q("ベースアドイン"));
    EXPECT_EQ(text(dialog, "lblVersion_Base"), q("2.05.1.0"));
    EXPECT_EQ(text(dialog, "lblDate_Base"), QFileInfo(base).lastModified().toString(q("yyyy/M/d")));
    EXPECT_EQ(text(dialog, "lblName_Ribbon"), q("リボン用アドイン"));
    EXPECT_EQ(text(dialog, "lblVersion_Ribbon"), q("見つかりません"));
    EXPECT_EQ(text(dialog, "lblDate_Ribbon"), q("----/--/--"));

    platform::RecordingShell shell;
    const platform::ScopedShell scope(shell);
    Q_EMIT dialog.findChild<QLabel*>(q("lblHomePage"))->linkActivated(frmAbout::homePage());
    EXPECT_EQ(shell.opened, std::vector<QString>{frmAbout::homePage()});
}

TEST_F(AboutTest, The64BitVariantShowsTheMacroWorkbooksDateOnly)
{
    {
        frmAbout dialog(frmAbout::Bits::Host64);
        EXPECT_EQ(dialog.windowTitle(), q("ピクロウアドイン - バージョン情報 (64bitモード)"));
        EXPECT_EQ(text(dialog, "lblName_Base"), q("<none>"));
        EXPECT_EQ(text(dialog, "lblVersion_Ribbon"), QString());
        EXPECT_EQ(text(dialog, "lblDate_Ribbon"), q("----/--/--"));
    }
    QFile workbook(dir.filePath(q("@TORVA_Picrows.xlam"))); // the parent folder
    ASSERT_TRUE(workbook.open(QIODevice::WriteOnly));
    workbook.close();
    frmAbout dialog(frmAbout::Bits::Host64);
    EXPECT_EQ(text(dialog, "lblDate_Ribbon"),
              QFileInfo(workbook.fileName()).lastModified().toString(q("yyyy/M/d")));
}

TEST_F(AboutTest, TheCommandHoldsTheHostsInputWhileTheDialogIsOpen)
{
    platform::ScriptedMessages messages;
    const platform::ScopedMessageService scope(messages);
    picrows::StartupContext& context = picrows::startupContext();
    context.gobjXlApp = app;
    context.gblnXl64bit = true;
    bool seen = false;
    QTimer::singleShot(0, [&] {
        auto* dialog = qobject_cast<frmAbout*>(picrows::currentModalDialog());
        ASSERT_NE(dialog, nullptr);
        seen = true;
        EXPECT_FALSE(app.Interactive());
        EXPECT_TRUE(dialog->windowTitle().endsWith(q("(64bitモード)")));
        QTest::mouseClick(dialog->findChild<QPushButton*>(q("cmdOK")), Qt::LeftButton);
    });
    picrows::s_Command_About();
    EXPECT_TRUE(seen);
    EXPECT_TRUE(app.Interactive());
    EXPECT_TRUE(messages.shown().empty());
    context.clear();
}

} // namespace
