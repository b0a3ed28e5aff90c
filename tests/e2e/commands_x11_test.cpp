// The main program against the host application on a real X display with a window manager:
// the "get" command's dialog over the host window, runs into the cells selected there and
// click mode, the user's part played through keys and clicks typed into the windows (XTest)
// or, inside this process, on the dialog's own controls. Every effect is read back from the
// host through automation.
#include "tests/e2e/commands_fixture.h"

namespace {

using namespace e2e_commands;

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
    // Where the mouse finds a cell: the screen position the host's window states for its
    // centre, whatever bars the window shows above the sheet. Each place is tried once before
    // click mode, so that a wrong answer shows as such.
    const auto centreOf = [&](const char* cell) {
        const Rect r = rectOf(sheet().Range(q(cell)).MergeArea());
        const xl::Object window = app().ActiveWindow();
        return QPoint(window.call(q("PointsToScreenPixelsX"), {r.left + r.width / 2}).toInt32(),
                      window.call(q("PointsToScreenPixelsY"), {r.top + r.height / 2}).toInt32());
    };
    const QPoint d3 = centreOf("D3");
    const QPoint b13 = centreOf("B13");
    for (const auto& target : {std::pair{d3, q("$D$3:$D$10")}, std::pair{b13, q("$B$13:$B$20")}}) {
        // Named copies: a lambda may not capture a structured binding in clang's C++20.
        const QPoint at = target.first;
        const QString area = target.second;
        ASSERT_TRUE(DesktopSession::clickOnScreen(m_session->hostWindow(), at.x(), at.y()));
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
            ASSERT_TRUE(DesktopSession::clickOnScreen(m_session->hostWindow(), at.x(), at.y()));
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

} // namespace
