// The main program against the host application on a real X display with a window manager:
// the command words run their routines on the workbook in the host's window, the user's part
// played through keys typed into the windows (XTest) or, inside this process, on the dialog's
// own controls. Every effect is read back from the host through automation.
#include "host/automation/host_error.h"
#include "host/xl/range.h"
#include "host/xl/shape.h"
#include "host/xl/workbook.h"
#include "host/xl/worksheet.h"
#include "main/commands/command_table.h"
#include "main/insert_dialog/frm_get.h"
#include "main/insert_dialog/picture_list_view.h"
#include "main/reduce_dialog/frm_convert_pic.h"
#include "main/settings_dialog/frm_setting.h"
#include "main/startup/main_entry.h"
#include "main/template_dialogs/frm_template_get.h"
#include "main/template_dialogs/frm_template_save.h"
#include "main/trimming_dialog/frm_trimming.h"
#include "platform/message_box.h"
#include "platform/shell.h"
#include "tests/e2e/desktop_session.h"
#include "tests/main/settings_dialog/dialog_driver.h"

#include <QCheckBox>
#include <QDir>
#include <QDropEvent>
#include <QFileInfo>
#include <QLineEdit>
#include <QMimeData>
#include <QPushButton>
#include <QSettings>
#include <QTemporaryDir>
#include <QTest>
#include <QToolButton>
#include <QUrl>

#include <gtest/gtest.h>

#include <cmath>

namespace {

using dialogs_test::whenShown;
using e2e::DesktopSession;

QString q(const char* text)
{
    return QString::fromUtf8(text);
}

QString photo(int index)
{
    const QDir photos(q(PICROWS_SOURCE_DIR "/samples/photos"));
    return photos.filePath(photos.entryList({q("*.jpg")}, QDir::Files, QDir::Name).at(index));
}

// Waits, with the event loop running, until `done` holds; false after `ms`.
template <class F> bool eventually(F done, int ms = 15000)
{
    QElapsedTimer clock;
    clock.start();
    while (clock.elapsed() < ms) {
        try {
            if (done())
                return true;
        } catch (const host::HostError&) {
        }
        QTest::qWait(50);
    }
    return false;
}

struct Rect
{
    double left, top, width, height;
};

Rect rectOf(const xl::Object& object)
{
    return {object.get(q("Left")).toDouble(), object.get(q("Top")).toDouble(),
            object.get(q("Width")).toDouble(), object.get(q("Height")).toDouble()};
}

bool inside(const Rect& inner, const Rect& outer)
{
    constexpr double slack = 0.75;
    return inner.left >= outer.left - slack && inner.top >= outer.top - slack &&
           inner.left + inner.width <= outer.left + outer.width + slack &&
           inner.top + inner.height <= outer.top + outer.height + slack;
}

class CommandsX11 : public ::testing::Test
{
protected:
    static void SetUpTestSuite() { ASSERT_TRUE(DesktopSession::startWindowManager()); }
    static void TearDownTestSuite() { DesktopSession::stopWindowManager(); }

    void SetUp() override
    {
        ASSERT_TRUE(m_dir.isValid());
        m_book = m_dir.filePath(q("album.xlsx"));
        ASSERT_TRUE(QFile::copy(q(PICROWS_SOURCE_DIR "/samples/photo_album.xlsx"), m_book));
        QFile::setPermissions(m_book, QFileDevice::ReadOwner | QFileDevice::WriteOwner);
        m_session = std::make_unique<DesktopSession>(m_dir.filePath(q("runtime")), config());
        ASSERT_TRUE(m_session->startHost(m_book)) << m_session->hostErrors().toStdString();
        m_options.commands = picrows::commandTable();
        m_options.configFolder = config();
        m_options.instanceLockPath = m_dir.filePath(q("main.lock"));
    }
    void TearDown() override { m_session.reset(); }

    QString config() const { return m_dir.filePath(q("config")); }
    xl::Application& app() { return m_session->app(); }
    xl::Worksheet sheet() { return app().ActiveSheet(); }
    QString line(const char* word) const
    {
        return m_book + u'\t' + QString::number(m_session->hostWindow()) + u'\t' +
               QLatin1String(word);
    }

    // The command run by the main program's start-up in this process, its dialogs answered
    // by `whenShown` set up beforehand; the messages it showed.
    std::vector<platform::Message> runHere(const char* word)
    {
        platform::ScopedMessageService scope(m_messages);
        picrows::Main(line(word), m_options);
        return m_messages.shown();
    }

    // Selects cells in the host's window as a user does from the keyboard: home, then arrows.
    void selectFromKeyboard(const QStringList& moves)
    {
        ASSERT_TRUE(
            DesktopSession::keys(m_session->hostWindow(), QStringList{q("ctrl+Home")} + moves));
    }
    QString selection() { return app().Selection().get(q("Address")).toString(); }

    void insertWithBatchCommand(const QString& range, const QStringList& more = {})
    {
        QProcess picrows;
        picrows.setProcessEnvironment(m_session->environment());
        picrows.start(q(PICROWS_BATCH_PROGRAM),
                      QStringList{q("insert"), q("--attach"), m_book, q("--range"), range,
                                  q("--no-exclude"), q("--config-dir"), config()} +
                          more);
        ASSERT_TRUE(picrows.waitForFinished(60000));
        ASSERT_EQ(picrows.exitCode(), 0) << picrows.readAllStandardError().toStdString();
    }

    QTemporaryDir m_dir;
    QString m_book;
    std::unique_ptr<DesktopSession> m_session;
    picrows::MainOptions m_options;
    platform::ScriptedMessages m_messages;
};

// The program itself, started as the add-ins start it: its dialog comes up owned by the host
// window, the host window stays usable while it is open, and Escape ends the program.
TEST_F(CommandsX11, TheMainProgramShowsFrmGetOverAUsableHostWindow)
{
    QProcess main;
    main.setProcessEnvironment(m_session->environment());
    main.start(q(MAIN_PROGRAM), {line("get")});
    ASSERT_TRUE(main.waitForStarted());
    const QList<std::int64_t> windows = DesktopSession::windowsOf(main.processId());
    ASSERT_EQ(windows.size(), 1) << main.readAllStandardError().toStdString();
    EXPECT_EQ(DesktopSession::ownerOf(windows.front()), m_session->hostWindow());

    selectFromKeyboard({q("Right"), q("Right"), q("Right"), q("Down")});
    EXPECT_TRUE(eventually([&] { return selection() == q("$D$2"); })) << selection().toStdString();
    EXPECT_EQ(main.state(), QProcess::Running);

    ASSERT_TRUE(DesktopSession::keys(windows.front(), {q("Escape")}));
    ASSERT_TRUE(main.waitForFinished(15000));
    EXPECT_EQ(main.exitStatus(), QProcess::NormalExit);
    EXPECT_EQ(main.exitCode(), 0);
    EXPECT_TRUE(QFile::exists(config() + q("/TORVA_PICROWS.ini")))
        << QDir(config()).entryList().join(u' ').toStdString();
}

// A run into the cells the user selected in the host window, then click mode with two more
// selections, each receiving the next picture where its cells are; the saved workbook opens
// in LibreOffice.
TEST_F(CommandsX11, GetInsertsIntoSelectedCellsAndInClickMode)
{
    std::vector<Rect> targets;
    whenShown<picrows::frmGet>([&](picrows::frmGet& dialog) {
        QMimeData data;
        data.setUrls({QUrl::fromLocalFile(photo(0)), QUrl::fromLocalFile(photo(1)),
                      QUrl::fromLocalFile(photo(2))});
        QWidget* list = dialog.lstFiles()->viewport();
        QDragEnterEvent enter(QPoint(10, 10), Qt::CopyAction, &data, Qt::LeftButton,
                              Qt::NoModifier);
        QCoreApplication::sendEvent(list, &enter);
        QDropEvent drop(QPointF(10, 10), Qt::CopyAction, &data, Qt::LeftButton, Qt::NoModifier);
        QCoreApplication::sendEvent(list, &drop);
        ASSERT_TRUE(eventually([&] { return dialog.pictureFiles().count() == 3; }));

        // B3, as the arrows reach it.
        selectFromKeyboard({q("Right"), q("Down"), q("Down")});
        ASSERT_TRUE(eventually([&] { return selection().startsWith(q("$B$3")); }))
            << selection().toStdString();
        targets.push_back(rectOf(app().Range(selection())));
        QTest::mouseClick(dialog.findChild<QToolButton*>(q("SELECTEDMODE")), Qt::LeftButton);
        EXPECT_TRUE(eventually([&] { return sheet().Shapes().Count() == 1; }));
        EXPECT_EQ(dialog.pictureFiles().count(), 2);

        auto* click = dialog.findChild<QToolButton*>(q("CLICKMODE"));
        ASSERT_NE(click, nullptr);
        QTest::mouseClick(click, Qt::LeftButton);
        ASSERT_TRUE(click->isChecked());
        for (const auto& moves :
             {QStringList{q("Right"), q("Right"), q("Right"), q("Down"), q("Down")},
              QStringList{q("Right"), q("Down"), q("Down"), q("Down"), q("Down"), q("Down"),
                          q("Down"), q("Down"), q("Down"), q("Down"), q("Down"), q("Down"),
                          q("Down")}}) {
            const int before = sheet().Shapes().Count();
            selectFromKeyboard(moves);
            EXPECT_TRUE(eventually([&] { return sheet().Shapes().Count() == before + 1; }))
                << selection().toStdString();
            targets.push_back(rectOf(app().Range(selection())));
        }
        EXPECT_TRUE(dialog.pictureFiles().isEmpty());
        QTest::mouseClick(click, Qt::LeftButton);
        dialog.close();
    });
    EXPECT_TRUE(runHere("get").empty());

    const xl::Shapes shapes = sheet().Shapes();
    ASSERT_EQ(shapes.Count(), 3);
    for (int i = 0; i < 3; ++i) {
        const Rect picture = rectOf(shapes.Item(i + 1));
        EXPECT_TRUE(inside(picture, targets[size_t(i)]))
            << i << ": " << picture.left << "," << picture.top << " in " << targets[size_t(i)].left
            << "," << targets[size_t(i)].top;
        EXPECT_GT(picture.width * picture.height,
                  0.25 * targets[size_t(i)].width * targets[size_t(i)].height);
    }

    app().ActiveWorkbook().Save();
    const QString pdf = m_dir.filePath(q("pdf"));
    const int soffice =
        e2e::runTool(q("soffice"),
                     {q("--headless"), q("-env:UserInstallation=file://") + m_dir.filePath(q("lo")),
                      q("--convert-to"), q("pdf"), q("--outdir"), pdf, m_book},
                     120000);
    EXPECT_EQ(soffice, 0);
    EXPECT_GT(QFileInfo(pdf + q("/album.pdf")).size(), 0);
}

// Re-trimming the selected picture: a quarter turn in the dialog turns the picture on the
// sheet, keeping the place and size it had.
TEST_F(CommandsX11, RetrimmingTurnsTheSelectedPictureInPlace)
{
    insertWithBatchCommand(q("B3:B10"), {q("--size"), q("fill"), photo(0)});
    xl::Shape picture = sheet().Shapes().Item(1);
    const Rect before = rectOf(picture);
    picture.Select();
    bool shown = false;
    whenShown<picrows::frmTrimming>([&](picrows::frmTrimming& dialog) {
        shown = true;
        QTest::mouseClick(dialog.findChild<QToolButton*>(q("ROTATE_RIGHT")), Qt::LeftButton);
        QTest::mouseClick(dialog.findChild<QPushButton*>(q("cmdOK")), Qt::LeftButton);
    });
    EXPECT_TRUE(runHere("retrimming").empty());
    EXPECT_TRUE(shown);
    ASSERT_EQ(sheet().Shapes().Count(), 1);
    picture = sheet().Shapes().Item(1);
    const double rotation = picture.Rotation();
    EXPECT_TRUE(std::abs(rotation - 90) < 0.01 || std::abs(rotation - 270) < 0.01) << rotation;
    // Turned a quarter, the picture's unrotated box has width and height exchanged around the
    // same centre; the box the sheet shows is the one it had.
    const Rect after = rectOf(picture);
    EXPECT_NEAR(after.left + after.width / 2, before.left + before.width / 2, 1.0);
    EXPECT_NEAR(after.top + after.height / 2, before.top + before.height / 2, 1.0);
    EXPECT_NEAR(after.width, before.height, 1.0);
    EXPECT_NEAR(after.height, before.width, 1.0);
}

// The reduction tool on the sheet: pictures inserted at their full size are stored smaller,
// and the saved workbook shrinks with them.
TEST_F(CommandsX11, ToolResmallReducesTheSheetsPictures)
{
    insertWithBatchCommand(q("B3:B10,D3:D10"), {q("--no-reduce"), photo(0), photo(1)});
    app().ActiveWorkbook().Save();
    const qint64 full = QFileInfo(m_book).size();
    whenShown<picrows::frmConvertPic>([&](picrows::frmConvertPic& dialog) {
        auto* reduce = dialog.findChild<QCheckBox*>(q("chkSyukusyou"));
        ASSERT_NE(reduce, nullptr);
        reduce->setChecked(true);
        QTest::mouseClick(dialog.findChild<QPushButton*>(q("cmdOK")), Qt::LeftButton);
        QTest::qWait(200);
        QTest::mouseClick(dialog.findChild<QPushButton*>(q("cmdCancel")), Qt::LeftButton);
    });
    runHere("tool_resmall");
    ASSERT_EQ(sheet().Shapes().Count(), 2);
    app().ActiveWorkbook().Save();
    EXPECT_LT(QFileInfo(m_book).size(), full / 2) << full;
}

// A sheet saved as a template, then opened from the templates into the workbook.
TEST_F(CommandsX11, TemplateSaveThenOpen)
{
    QDir().mkpath(m_dir.filePath(q("docs")));
    m_messages.answerNext(platform::MsgAnswer::Yes);
    whenShown<picrows::frmTemplateSave>([&](picrows::frmTemplateSave& dialog) {
        dialog.findChild<QLineEdit*>(q("txtName1"))->setText(q("e2e_book"));
        dialog.findChild<QLineEdit*>(q("txtName2"))->setText(q("アルバム型"));
        QTest::mouseClick(dialog.findChild<QPushButton*>(q("cmdOK")), Qt::LeftButton);
    });
    const auto saved = runHere("tool_temsave");
    QSettings ini(config() + q("/TORVA_PICROWS.ini"), QSettings::IniFormat);
    const int sheetsBefore = app().ActiveWorkbook().Worksheets().Count();
    m_messages.clear();
    whenShown<picrows::frmTemplateGet>([&](picrows::frmTemplateGet& dialog) {
        QTest::mouseClick(dialog.findChild<QPushButton*>(q("cmdOK")), Qt::LeftButton);
    });
    runHere("tool_temload");
    EXPECT_EQ(app().ActiveWorkbook().Worksheets().Count(), sheetsBefore + 1) << saved.size();
    EXPECT_EQ(app().ActiveSheet().Name(), q("アルバム型"));
}

// Cells saved as a picture through the host window's own save dialog, answered there.
TEST_F(CommandsX11, SavepicWritesTheFileTheHostsSaveDialogNames)
{
    app().Range(q("B1:D2")).Select();
    const QString target = m_dir.filePath(q("cells.bmp"));
    // The host's dialog belongs to the host's process; it is answered from outside while this
    // process waits for the host's answer.
    QProcess answer;
    answer.start(q("bash"),
                 {q("-c"), q("for i in $(seq 100); do w=$(xdotool search --onlyvisible --pid %1 "
                             "| grep -vx %2 | head -1); [ -n \"$w\" ] && break; sleep 0.1; "
                             "done; xdotool windowactivate --sync $w; sleep 0.3; "
                             "xdotool key ctrl+a; xdotool type --delay 20 '%3'; "
                             "xdotool key Return")
                               .arg(m_session->hostPid())
                               .arg(m_session->hostWindow())
                               .arg(target)});
    const auto shown = runHere("savepic");
    answer.waitForFinished(20000);
    EXPECT_TRUE(shown.empty()) << (shown.empty() ? "" : shown.front().text.toStdString());
    QFile file(target);
    ASSERT_TRUE(file.open(QIODevice::ReadOnly));
    EXPECT_EQ(file.read(2), QByteArray("BM"));
}

// The remaining words: each opens its dialog (or the help) for the workbook and ends cleanly.
TEST_F(CommandsX11, SettingAboutAndHelp)
{
    whenShown<picrows::frmSetting>([&](picrows::frmSetting& dialog) {
        auto* lock = dialog.findChild<QCheckBox*>(q("chkUnPaste_Lock"));
        ASSERT_NE(lock, nullptr);
        lock->setChecked(!lock->isChecked());
        QTest::mouseClick(dialog.findChild<QPushButton*>(q("cmdOK")), Qt::LeftButton);
    });
    EXPECT_TRUE(runHere("setting").empty());

    // About, in the program of its own, closed with Return.
    QProcess main;
    main.setProcessEnvironment(m_session->environment());
    main.start(q(MAIN_PROGRAM), {line("about")});
    const QList<std::int64_t> windows = DesktopSession::windowsOf(main.processId());
    ASSERT_EQ(windows.size(), 1);
    EXPECT_EQ(DesktopSession::ownerOf(windows.front()), m_session->hostWindow());
    ASSERT_TRUE(DesktopSession::keys(windows.front(), {q("Return")}));
    ASSERT_TRUE(main.waitForFinished(15000));
    EXPECT_EQ(main.exitCode(), 0);

    platform::RecordingShell shell;
    platform::ScopedShell scope(shell);
    const auto help = runHere("help");
    EXPECT_TRUE(help.empty() || help.front().text.contains(q("ヘルプファイル")));
}

} // namespace
