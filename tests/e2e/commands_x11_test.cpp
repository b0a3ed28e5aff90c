// The main program against the host application on a real X display with a window manager:
// the command words run their routines on the workbook in the host's window, the user's part
// played through keys typed into the windows (XTest) or, inside this process, on the dialog's
// own controls. Every effect is read back from the host through automation.
#include "host/automation/host_error.h"
#include "host/xl/range.h"
#include "host/xl/shape.h"
#include "host/xl/window.h"
#include "host/xl/workbook.h"
#include "host/xl/worksheet.h"
#include "main/commands/command_table.h"
#include "main/excluded_cells/frm_show_jogai_msg.h"
#include "main/insert_dialog/frm_get.h"
#include "main/insert_dialog/picture_list_view.h"
#include "main/reduce_dialog/frm_convert_pic.h"
#include "main/settings_dialog/frm_setting.h"
#include "main/startup/main_entry.h"
#include "main/startup/program_paths.h"
#include "main/template_dialogs/frm_template_get.h"
#include "main/template_dialogs/frm_template_save.h"
#include "main/trimming_dialog/frm_trimming.h"
#include "main/trimming_dialog/trimming_preview.h"
#include "platform/clipboard.h"
#include "platform/message_box.h"
#include "platform/shell.h"
#include "tests/e2e/desktop_session.h"
#include "tests/main/settings_dialog/dialog_driver.h"

#include <QCheckBox>
#include <QComboBox>
#include <QDir>
#include <QDropEvent>
#include <QFileInfo>
#include <QImage>
#include <QLineEdit>
#include <QMimeData>
#include <QPushButton>
#include <QSettings>
#include <QTemporaryDir>
#include <QTest>
#include <QTimer>
#include <QToolButton>
#include <QTreeWidget>
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

// The sheet's first cell in the host window, in pixels of the window's inside: below the
// menu, the tool bar, the formula bar and the column headers, right of the row headers.
constexpr int kGridLeft = 33;
constexpr int kGridTop = 88;

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

// Closes the excluded-cell list whenever a run shows it, as the user does, keeping its rows.
class ExclusionsCloser
{
public:
    ExclusionsCloser()
    {
        QObject::connect(&m_timer, &QTimer::timeout, [this] {
            auto* list = qobject_cast<picrows::frmShowJogaiMsg*>(picrows::currentModalDialog());
            if (!list || !list->isVisible())
                return;
            for (int i = 0; i < list->lstJogaiMsg()->topLevelItemCount(); ++i)
                rows << list->lstJogaiMsg()->topLevelItem(i)->text(0) + u' ' +
                            list->lstJogaiMsg()->topLevelItem(i)->text(1);
            list->close();
        });
        m_timer.start(50);
    }
    QStringList rows;

private:
    QTimer m_timer;
};

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
        // The album's frames hold a placeholder text: the user lets filled cells be used.
        for (const char* key : {"UnPaste_Value", "UnPaste_Size"})
            ASSERT_EQ(
                e2e::runTool(q(PICROWS_BATCH_PROGRAM), {q("settings"), q("set"), q(key), q("False"),
                                                        q("--config-dir"), config()}),
                0);
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

    // Selects cells in the host's window as a user does from the keyboard: Escape (the pictures
    // a run left selected give the selection back to the cells), home, then arrows.
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

    // Saves the workbook in the host and has LibreOffice convert it.
    void expectSavedBookOpensInLibreOffice()
    {
        app().ActiveWorkbook().Save();
        const QString pdf = m_dir.filePath(q("pdf"));
        const int soffice = e2e::runTool(
            q("soffice"),
            {q("--headless"), q("-env:UserInstallation=file://") + m_dir.filePath(q("lo")),
             q("--convert-to"), q("pdf"), q("--outdir"), pdf, m_book},
            120000);
        EXPECT_EQ(soffice, 0);
        EXPECT_GT(QFileInfo(pdf + q("/album.pdf")).size(), 0);
        QFile::remove(pdf + q("/album.pdf"));
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

    // The album's title B1:D1 is one merged cell: three steps right from A1 end at F1.
    selectFromKeyboard({q("Right"), q("Right"), q("Right"), q("Down")});
    EXPECT_TRUE(eventually([&] { return selection() == q("$F$2"); })) << selection().toStdString();
    EXPECT_EQ(main.state(), QProcess::Running);

    ASSERT_TRUE(DesktopSession::keys(windows.front(), {q("Escape")}));
    EXPECT_TRUE(eventually([&] { return main.state() == QProcess::NotRunning; }));
    EXPECT_EQ(main.exitStatus(), QProcess::NormalExit);
    EXPECT_EQ(main.exitCode(), 0);
    EXPECT_TRUE(QFile::exists(config() + q("/TORVA_PICROWS.ini")))
        << QDir(config()).entryList().join(u' ').toStdString();
}

// Lists the pictures in frmGet as a drop from a file manager does, and has the frames filled
// with automatic cropping ("びっしり（自動）"), without the trimming dialog.
void prepareRun(picrows::frmGet& dialog, const QStringList& paths)
{
    auto* size = dialog.findChild<QComboBox*>(q("icboResize"));
    ASSERT_NE(size, nullptr);
    size->setCurrentIndex(size->findData(2));
    ASSERT_EQ(dialog.runOptionsFromControls().glngPasteSize, 2);
    QMimeData data;
    QList<QUrl> urls;
    for (const QString& path : paths)
        urls << QUrl::fromLocalFile(path);
    data.setUrls(urls);
    QWidget* list = dialog.lstFiles()->viewport();
    QDragEnterEvent enter(QPoint(10, 10), Qt::CopyAction, &data, Qt::LeftButton, Qt::NoModifier);
    QCoreApplication::sendEvent(list, &enter);
    QDropEvent drop(QPointF(10, 10), Qt::CopyAction, &data, Qt::LeftButton, Qt::NoModifier);
    QCoreApplication::sendEvent(list, &drop);
    ASSERT_TRUE(eventually([&] { return dialog.pictureFiles().count() == paths.size(); }));
}

// Each picture on the sheet lies in its frame (the merged area at the cell named), in order.
void expectPicturesIn(const xl::Worksheet& sheet, const QStringList& cells)
{
    const xl::Shapes shapes = sheet.Shapes();
    ASSERT_EQ(shapes.Count(), cells.size());
    for (int i = 0; i < cells.size(); ++i) {
        const Rect frame = rectOf(sheet.Range(cells[i]).MergeArea());
        const Rect picture = rectOf(shapes.Item(i + 1));
        EXPECT_TRUE(inside(picture, frame))
            << cells[i].toStdString() << ": " << picture.left << "," << picture.top << " "
            << picture.width << "x" << picture.height << " in " << frame.left << "," << frame.top
            << " " << frame.width << "x" << frame.height;
        EXPECT_GT(picture.width * picture.height, 0.5 * frame.width * frame.height);
    }
}

// A run into the cells the user selected in the host window: the picture fills the frame;
// the saved workbook opens in LibreOffice.
TEST_F(CommandsX11, GetInsertsIntoTheCellsSelectedInTheHostWindow)
{
    ExclusionsCloser exclusions;
    whenShown<picrows::frmGet>([&](picrows::frmGet& dialog) {
        // However the steps end, the dialog closes and the command with it.
        const std::unique_ptr<picrows::frmGet, void (*)(picrows::frmGet*)> closing(
            &dialog, [](picrows::frmGet* d) { d->close(); });
        prepareRun(dialog, {photo(0), photo(1)});
        // The first frame, B3:B10, as the arrows reach it (the title B1:D1 is one cell).
        selectFromKeyboard({q("Down"), q("Down"), q("Right")});
        ASSERT_TRUE(eventually([&] { return selection().startsWith(q("$B$3")); }))
            << selection().toStdString();
        QTest::mouseClick(dialog.findChild<QToolButton*>(q("SELECTEDMODE")), Qt::LeftButton);
        EXPECT_TRUE(eventually([&] { return sheet().Shapes().Count() == 1; }));
        EXPECT_EQ(dialog.pictureFiles().count(), 1);
        EXPECT_EQ(dialog.pictureFiles().at(0), photo(1));
    });
    const auto messages = runHere("get");
    EXPECT_TRUE(messages.empty()) << messages.front().text.toStdString();
    EXPECT_TRUE(exclusions.rows.isEmpty()) << exclusions.rows.join(u' ').toStdString();
    expectPicturesIn(sheet(), {q("B3")});

    expectSavedBookOpensInLibreOffice();
}

// Click mode: each range the user selects with the mouse in the host window receives the next
// picture. (Keys will not do: every cell the arrows pass is a selection of its own, and each
// receives a picture.)
TEST_F(CommandsX11, GetInClickModeFillsEachRangeClickedInTheHostWindow)
{
    // Where the mouse finds a cell: the host draws the sheet at 96 pixels an inch at 100 %,
    // from the corner below the column headers and right of the row headers. Each place is
    // tried once before click mode, so that a wrong guess shows as such.
    const auto centreOf = [&](const char* cell) {
        const Rect r = rectOf(sheet().Range(q(cell)).MergeArea());
        const double pixels = app().ActiveWindow().get(q("Zoom")).toDouble() / 100 * 96 / 72;
        return QPoint(kGridLeft + int((r.left + r.width / 2) * pixels),
                      kGridTop + int((r.top + r.height / 2) * pixels));
    };
    const QPoint d3 = centreOf("D3");
    const QPoint b13 = centreOf("B13");
    for (const auto& [at, area] :
         {std::pair{d3, q("$D$3:$D$10")}, std::pair{b13, q("$B$13:$B$20")}}) {
        ASSERT_TRUE(DesktopSession::click(m_session->hostWindow(), at.x(), at.y()));
        ASSERT_TRUE(eventually([&] { return selection() == area; }, 5000))
            << selection().toStdString() << " at " << at.x() << "," << at.y();
    }

    ExclusionsCloser exclusions;
    whenShown<picrows::frmGet>([&](picrows::frmGet& dialog) {
        const std::unique_ptr<picrows::frmGet, void (*)(picrows::frmGet*)> closing(
            &dialog, [](picrows::frmGet* d) { d->close(); });
        prepareRun(dialog, {photo(0), photo(1)});
        auto* click = dialog.findChild<QToolButton*>(q("CLICKMODE"));
        ASSERT_NE(click, nullptr);
        QTest::mouseClick(click, Qt::LeftButton);
        ASSERT_TRUE(click->isChecked());
        for (const QPoint& at : {d3, b13}) {
            const int before = sheet().Shapes().Count();
            ASSERT_TRUE(DesktopSession::click(m_session->hostWindow(), at.x(), at.y()));
            EXPECT_TRUE(eventually([&] { return sheet().Shapes().Count() == before + 1; }));
            // The run leaves its picture selected, as it does in selected-cells mode.
            EXPECT_TRUE(
                eventually([&] { return app().Selection().TypeName().toUpper() == q("PICTURE"); }));
        }
        EXPECT_TRUE(dialog.pictureFiles().isEmpty());
        QTest::mouseClick(click, Qt::LeftButton);
    });
    const auto messages = runHere("get");
    EXPECT_TRUE(messages.empty()) << messages.front().text.toStdString();
    EXPECT_TRUE(exclusions.rows.isEmpty()) << exclusions.rows.join(u' ').toStdString();
    expectPicturesIn(sheet(), {q("D3"), q("B13")});
    expectSavedBookOpensInLibreOffice();
}

struct Crops
{
    double left, right, top, bottom;
};

Crops cropsOf(const xl::Shape& shape)
{
    const xl::PictureFormat format = shape.PictureFormat();
    return {format.CropLeft(), format.CropRight(), format.CropTop(), format.CropBottom()};
}

// Presses the left button on `from`, moves by `by` with it held and lets go, on the widget.
void dragOn(QWidget* widget, QPoint from, QPoint by)
{
    const auto send = [widget](QEvent::Type type, QPoint at, Qt::MouseButton button,
                               Qt::MouseButtons held) {
        QMouseEvent event(type, QPointF(at), widget->mapToGlobal(QPointF(at)), button, held,
                          Qt::NoModifier);
        QCoreApplication::sendEvent(widget, &event);
    };
    send(QEvent::MouseButtonPress, from, Qt::LeftButton, Qt::LeftButton);
    send(QEvent::MouseMove, from + by, Qt::NoButton, Qt::LeftButton);
    send(QEvent::MouseButtonRelease, from + by, Qt::LeftButton, Qt::NoButton);
}

// Re-trimming the selected picture: the frame made smaller from its lower right corner in the
// dialog crops more of the picture's right and bottom, and the picture keeps the place and
// size it had on the sheet.
TEST_F(CommandsX11, RetrimmingCropsTheSelectedPictureInPlace)
{
    insertWithBatchCommand(q("B3:B10"), {q("--size"), q("fill"), photo(0)});
    xl::Shape picture = sheet().Shapes().Item(1);
    const Rect before = rectOf(picture);
    const Crops cropsBefore = cropsOf(picture);
    picture.Select();
    bool shown = false;
    whenShown<picrows::frmTrimming>([&](picrows::frmTrimming& dialog) {
        shown = true;
        // Turning belongs to insertion: re-trimming changes the crop only.
        EXPECT_FALSE(dialog.button(q("ROTATE_RIGHT")) &&
                     dialog.button(q("ROTATE_RIGHT"))->isVisibleTo(&dialog) &&
                     dialog.button(q("ROTATE_RIGHT"))->isEnabled());
        const QPoint corner =
            dialog.picMain()->handleRect(picrows::Corner::RightBottom).center().toPoint();
        dragOn(dialog.picMain(), corner, QPoint(-60, -60));
        QTest::mouseClick(dialog.cmdOK(), Qt::LeftButton);
    });
    const auto messages = runHere("retrimming");
    EXPECT_TRUE(messages.empty()) << messages.front().text.toStdString();
    EXPECT_TRUE(shown);
    ASSERT_EQ(sheet().Shapes().Count(), 1);
    picture = sheet().Shapes().Item(1);
    const Crops after = cropsOf(picture);
    EXPECT_GT(after.right, cropsBefore.right + 1);
    EXPECT_GT(after.bottom, cropsBefore.bottom + 1);
    EXPECT_NEAR(after.left, cropsBefore.left, 0.5);
    EXPECT_NEAR(after.top, cropsBefore.top, 0.5);
    const Rect now = rectOf(picture);
    EXPECT_NEAR(now.left, before.left, 0.5);
    EXPECT_NEAR(now.top, before.top, 0.5);
    EXPECT_NEAR(now.width, before.width, 0.5);
    EXPECT_NEAR(now.height, before.height, 0.5);
    expectSavedBookOpensInLibreOffice();
}

// A photograph of `size` pixels whose grain a JPEG cannot squeeze much: large on the sheet
// until the reduction tool takes it down to the size it is shown at.
QString largePhotograph(const QString& path, QSize size, quint32 seed)
{
    QImage image(size, QImage::Format_RGB32);
    quint32 state = seed;
    for (int y = 0; y < size.height(); ++y) {
        auto* line = reinterpret_cast<QRgb*>(image.scanLine(y));
        for (int x = 0; x < size.width(); ++x) {
            state = state * 1664525u + 1013904223u;
            line[x] =
                qRgb(int(x * 255 / size.width()) ^ int(state >> 27),
                     int(y * 255 / size.height()) ^ int((state >> 19) & 31), int(state >> 24));
        }
    }
    return image.save(path, "JPG", 92) ? path : QString();
}

// The reduction tool on the sheet: photographs far larger than their frames are stored at the
// size they are shown at, keep their place and size, the result list says so picture by
// picture, and the saved workbook shrinks and still opens in LibreOffice.
TEST_F(CommandsX11, ToolResmallReducesTheSheetsPictures)
{
    const QString first = largePhotograph(m_dir.filePath(q("big1.jpg")), {2400, 1800}, 1);
    const QString second = largePhotograph(m_dir.filePath(q("big2.jpg")), {1800, 2400}, 2);
    ASSERT_FALSE(first.isEmpty());
    ASSERT_FALSE(second.isEmpty());
    insertWithBatchCommand(q("B3:B10,D3:D10"), {q("--no-reduce"), first, second});
    ASSERT_EQ(sheet().Shapes().Count(), 2);
    const Rect places[] = {rectOf(sheet().Shapes().Item(1)), rectOf(sheet().Shapes().Item(2))};
    app().ActiveWorkbook().Save();
    const qint64 full = QFileInfo(m_book).size();

    std::vector<picrows::ReduceRow> rows;
    whenShown<picrows::frmConvertPic>([&](picrows::frmConvertPic& dialog) {
        dialog.chkSyukusyou->setChecked(true);
        QTest::mouseClick(dialog.cmdOK, Qt::LeftButton);
        // The run goes on from the dialog's own event loop; the button reads "キャンセル"
        // meanwhile.
        EXPECT_TRUE(eventually([&] { return !dialog.isRunning(); }, 60000));
        rows = dialog.rows();
        QTest::mouseClick(dialog.cmdCancel, Qt::LeftButton);
    });
    const auto messages = runHere("tool_resmall");
    EXPECT_TRUE(messages.empty()) << messages.front().text.toStdString();
    ASSERT_EQ(rows.size(), 2u);
    for (const picrows::ReduceRow& row : rows) {
        EXPECT_EQ(row.mark, q("○")) << row.description.toStdString();
        EXPECT_EQ(row.icon, q("SEIKOU"));
        EXPECT_TRUE(row.description.startsWith(q("成功:"))) << row.description.toStdString();
    }
    ASSERT_EQ(sheet().Shapes().Count(), 2);
    for (int i = 0; i < 2; ++i) {
        const Rect now = rectOf(sheet().Shapes().Item(i + 1));
        EXPECT_NEAR(now.left, places[i].left, 0.75) << i;
        EXPECT_NEAR(now.top, places[i].top, 0.75) << i;
        EXPECT_NEAR(now.width, places[i].width, 0.75) << i;
        EXPECT_NEAR(now.height, places[i].height, 0.75) << i;
    }
    app().ActiveWorkbook().Save();
    EXPECT_LT(QFileInfo(m_book).size(), full / 4) << full;
    expectSavedBookOpensInLibreOffice();
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
    const QString title = sheet().Range(q("B1")).get(q("Value")).toString();
    ASSERT_FALSE(title.isEmpty());
    const auto saved = runHere("tool_temsave");
    QSettings ini(config() + q("/TORVA_PICROWS.ini"), QSettings::IniFormat);
    const int sheetsBefore = app().ActiveWorkbook().Worksheets().Count();
    m_messages.clear();
    whenShown<picrows::frmTemplateGet>([&](picrows::frmTemplateGet& dialog) {
        QTest::mouseClick(dialog.findChild<QPushButton*>(q("cmdOK")), Qt::LeftButton);
    });
    const auto loaded = runHere("tool_temload");
    EXPECT_TRUE(loaded.empty()) << loaded.front().text.toStdString();
    EXPECT_EQ(app().ActiveWorkbook().Worksheets().Count(), sheetsBefore + 1) << saved.size();
    EXPECT_EQ(app().ActiveSheet().Name(), q("アルバム型"));
    // The sheet comes back as it was saved: the title, the frames merged as they were.
    EXPECT_EQ(sheet().Range(q("B1")).get(q("Value")).toString(), title);
    EXPECT_EQ(sheet().Range(q("B3")).MergeArea().get(q("Address")).toString(), q("$B$3:$B$10"));
    expectSavedBookOpensInLibreOffice();
}

// Cells saved as a picture through the host window's own save dialog, the name typed there by
// the user; the host's input is off meanwhile for everything but that dialog.
TEST_F(CommandsX11, SavepicWritesTheFileTheHostsSaveDialogNames)
{
    app().Range(q("B1:D2")).Select();
    const QString target = m_dir.filePath(q("cells.bmp"));
    // The host's dialog belongs to the host's process, and this process waits for the host's
    // answer: the user's part is played from another process.
    QProcess user;
    user.start(q("bash"),
               {q("-c"), q("for i in $(seq 200); do w=$(xdotool search --onlyvisible --name "
                           "'画像の保存' | head -1); [ -n \"$w\" ] && break; sleep 0.1; done; "
                           "[ -n \"$w\" ] || exit 3; sleep 0.5; xdotool windowactivate --sync $w; "
                           "sleep 0.3; xdotool key ctrl+a; xdotool type --delay 20 '%1'; "
                           "sleep 0.3; xdotool key Return")
                             .arg(target)});
    const auto shown = runHere("savepic");
    if (user.state() != QProcess::NotRunning)
        user.waitForFinished(20000);
    EXPECT_EQ(user.state(), QProcess::NotRunning);
    EXPECT_EQ(user.exitCode(), 0);
    EXPECT_TRUE(shown.empty()) << (shown.empty() ? "" : shown.front().text.toStdString());
    QFile file(target);
    ASSERT_TRUE(file.open(QIODevice::ReadOnly));
    const QImage cells = QImage::fromData(file.readAll(), "BMP");
    ASSERT_FALSE(cells.isNull());
    // The title row B1:D2 is wider than high.
    EXPECT_GT(cells.width(), 2 * cells.height()) << cells.width() << "x" << cells.height();
    // The host takes the user's input again.
    EXPECT_TRUE(app().get(q("Interactive")).toBool());
}

// The stored value of one setting, as the batch command reads it.
QString storedSetting(const QString& config, const char* key)
{
    QByteArray out;
    e2e::runTool(q(PICROWS_BATCH_PROGRAM),
                 {q("settings"), q("get"), q(key), q("--config-dir"), config}, 15000, &out);
    return QString::fromUtf8(out).trimmed();
}

// The settings dialog: a change made on its controls is stored by OK for the next command.
TEST_F(CommandsX11, SettingStoresWhatTheUserChanged)
{
    const QString before = storedSetting(config(), "UnPaste_Lock");
    ASSERT_TRUE(before == q("True") || before == q("False")) << before.toStdString();
    whenShown<picrows::frmSetting>([&](picrows::frmSetting& dialog) {
        auto* lock = dialog.findChild<QCheckBox*>(q("chkUnPaste_Lock"));
        ASSERT_NE(lock, nullptr);
        lock->setChecked(!lock->isChecked());
        QTest::mouseClick(dialog.findChild<QPushButton*>(q("cmdOK")), Qt::LeftButton);
    });
    const auto messages = runHere("setting");
    EXPECT_TRUE(messages.empty()) << messages.front().text.toStdString();
    EXPECT_EQ(storedSetting(config(), "UnPaste_Lock"),
              before == q("True") ? q("False") : q("True"));
}

// The about dialog in the program of its own, over the host window, closed with Return.
TEST_F(CommandsX11, AboutShowsItsDialogOverTheHostWindow)
{
    QProcess main;
    main.setProcessEnvironment(m_session->environment());
    main.start(q(MAIN_PROGRAM), {line("about")});
    const QList<std::int64_t> windows = DesktopSession::windowsOf(main.processId());
    ASSERT_EQ(windows.size(), 1) << main.readAllStandardError().toStdString();
    EXPECT_EQ(DesktopSession::ownerOf(windows.front()), m_session->hostWindow());
    QByteArray title;
    e2e::runTool(q("xdotool"), {q("getwindowname"), QString::number(windows.front())}, 5000,
                 &title);
    EXPECT_TRUE(QString::fromUtf8(title).contains(q("バージョン情報"))) << title.toStdString();
    ASSERT_TRUE(DesktopSession::keys(windows.front(), {q("Return")}));
    EXPECT_TRUE(eventually([&] { return main.state() == QProcess::NotRunning; }));
    EXPECT_EQ(main.exitCode(), 0);
}

// Help opens the help file where the product installs it beside the program, else names the
// file it misses.
TEST_F(CommandsX11, HelpOpensTheHelpFileOrSaysItIsMissing)
{
    const QString product = m_dir.filePath(q("product"));
    const QString program = product + q("/製品_メイン実行EXE");
    QDir().mkpath(program);
    picrows::setMainFolder(program);
    const std::unique_ptr<void, void (*)(void*)> back(
        this, [](void*) { picrows::setMainFolder(QString()); });
    platform::RecordingShell shell;
    platform::ScopedShell scope(shell);

    const auto missing = runHere("help");
    ASSERT_EQ(missing.size(), 1u);
    EXPECT_TRUE(missing.front().text.contains(q("が見つかりません")))
        << missing.front().text.toStdString();
    EXPECT_TRUE(shell.opened.empty());

    QDir().mkpath(product + q("/製品_ヘルプ"));
    QFile help(product + q("/製品_ヘルプ/Help.pdf"));
    ASSERT_TRUE(help.open(QIODevice::WriteOnly));
    help.write("%PDF-1.4\n");
    help.close();
    m_messages.clear();
    EXPECT_TRUE(runHere("help").empty());
    ASSERT_EQ(shell.opened.size(), 1u);
    EXPECT_EQ(QFileInfo(shell.opened.front()).canonicalFilePath(),
              QFileInfo(help.fileName()).canonicalFilePath());
}

} // namespace
