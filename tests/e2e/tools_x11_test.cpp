// The picture tools, templates, settings, about and help command words of the main program
// against the host application on a real X display: each runs on the workbook in the host's
// window, its dialogs answered as a user would, and its effect is read back from the host,
// the files it writes and LibreOffice opening the saved workbook.
#include "tests/e2e/commands_fixture.h"

namespace {

using namespace e2e_commands;

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
