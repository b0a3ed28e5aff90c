// The runs of frmGet on the in-process host with the sample album: each mode button, click
// mode through the host's selection events, progress, cancel, the excluded-cell list.
#include "host/xl/picture.h"
#include "host/xl/shape.h"
#include "host/xl/workbook.h"
#include "host/xl/worksheet.h"
#include "main/excluded_cells/frm_show_jogai_msg.h"
#include "main/insert_dialog/app_with_events.h"
#include "main/insert_dialog/picture_list_view.h"
#include "main/trimming_dialog/frm_trimming.h"
#include "tests/main/insert_dialog/dialog_test_support.h"
#include "tests/main/settings_dialog/dialog_driver.h"

#include <QFile>
#include <QLabel>
#include <QPushButton>
#include <QTest>
#include <QTimer>
#include <QToolButton>
#include <QTreeWidget>

#include <cmath>
#include <functional>

namespace {

using namespace dialog_test;
using platform::MsgAnswer;
using platform::MsgButtons;
using platform::MsgIcon;

const QString kSamples = QStringLiteral(PICROWS_SAMPLES_DIR);

class RunTest : public DialogTest
{
protected:
    RunTest()
    {
        // A copy: the host may write beside the file it opened.
        const QString copy = dir.filePath(q("album.xlsx"));
        QFile::copy(kSamples + q("/photo_album.xlsx"), copy);
        album = app.Workbooks().Open(copy);
        for (const char* name :
             {"01_sakura.jpg", "02_nyugakushiki.jpg", "03_ensoku.jpg", "04_undokai.jpg"})
            photos << kSamples + q("/photos/") + q(name);
        setting().PasteSize = 2; // fill, cropped automatically
    }

    xl::Worksheet sheet() const { return album.Worksheets(1); }
    xl::Range cells(const char* address) const { return sheet().Range(q(address)); }

    std::unique_ptr<picrows::frmGet> dialogWithPhotos(int count)
    {
        auto dialog = openDialog();
        auto sink = std::make_unique<picrows::c_AppWithEvents>();
        sink->setGobjApp(app);
        dialog->setEventSink(std::move(sink));
        for (int i = 0; i < count; ++i)
            dialog->pictureFiles().append(photos[i % photos.size()]);
        return dialog;
    }

    std::vector<xl::Shape> pictures() const
    {
        std::vector<xl::Shape> found;
        for (const xl::Shape& s : sheet().Shapes().items())
            if (s.Type() == 13)
                found.push_back(s);
        return found;
    }

    static void expectCovers(const xl::Shape& shape, const xl::Range& area)
    {
        EXPECT_NEAR(shape.Left(), area.Left(), 0.01);
        EXPECT_NEAR(shape.Top(), area.Top(), 0.01);
        EXPECT_NEAR(shape.Width(), area.Width(), 0.01);
        EXPECT_NEAR(shape.Height(), area.Height(), 0.01);
    }

    static QString panel1(const picrows::frmGet& dialog)
    {
        return dialog.findChild<QLabel*>(q("stbMain_Panel1"))->text();
    }

    xl::Workbook album;
    QStringList photos;
};

TEST_F(RunTest, ModeButtonsWithAnEmptyListSayThereIsNothingToInsert)
{
    auto dialog = openDialog();
    QTest::mouseClick(control<QToolButton>(*dialog, q("EXCELMODE")), Qt::LeftButton);
    QTest::mouseClick(control<QToolButton>(*dialog, q("SELECTEDMODE")), Qt::LeftButton);
    const platform::Message none =
        message(q("挿入する図がありません。"), MsgButtons::OK, MsgIcon::Critical);
    EXPECT_EQ(messages.shown(), (std::vector<platform::Message>{none, none}));
    EXPECT_TRUE(pictures().empty());
}

TEST_F(RunTest, SelectedCellsFillTheFramesWhileTheListShrinksFromTheTop)
{
    setting().UnPaste_Value = false; // the frames hold the word （写真）
    setting().PasteSize = 2;         // fill, cropped at the centre
    setting().PastePoint = 2;
    setting().PasteInfo = true;
    setting().PasteInfo_Value = q("[FILENAME1]");
    setting().PasteInfo_Type = 0;
    setting().PasteInfo_X = 0;
    setting().PasteInfo_Y = -1;
    auto dialog = dialogWithPhotos(4);
    cells("B3:B10,D3:D10,B13:B20,D13:D20").Select();

    QList<int> counts;
    QStringList texts;
    bool inputHeld = true;
    pump.step = [&] {
        if (!dialog->isRunning())
            return;
        counts << dialog->pictureFiles().count();
        texts << panel1(*dialog);
        inputHeld = inputHeld && !dialog->lstFiles()->isEnabled() &&
                    !control<QToolButton>(*dialog, q("SELECTEDMODE"))->isEnabled();
        dialog->close(); // refused while the run goes
    };
    QTest::mouseClick(control<QToolButton>(*dialog, q("SELECTEDMODE")), Qt::LeftButton);
    pump.step = nullptr;

    EXPECT_TRUE(messages.shown().empty());
    EXPECT_TRUE(dialog->isVisible());
    EXPECT_TRUE(inputHeld);
    EXPECT_EQ(counts, QList<int>({3, 2, 1, 0}));
    EXPECT_EQ(texts,
              QStringList({q("取得中...1 (ESCでキャンセル)"), q("取得中...2 (ESCでキャンセル)"),
                           q("取得中...3 (ESCでキャンセル)"), q("取得中...4 (ESCでキャンセル)")}));
    EXPECT_EQ(panel1(*dialog), QString());
    EXPECT_TRUE(dialog->lstFiles()->isEnabled());
    EXPECT_TRUE(control<QToolButton>(*dialog, q("SELECTEDMODE"))->isEnabled());
    EXPECT_TRUE(control<QLabel>(*dialog, q("picDropTip"))->isVisible());

    const std::vector<xl::Shape> placed = pictures();
    ASSERT_EQ(placed.size(), 4u);
    const char* frames[] = {"B3:B10", "D3:D10", "B13:B20", "D13:D20"};
    for (int i = 0; i < 4; ++i) {
        SCOPED_TRACE(frames[i]);
        expectCovers(placed[size_t(i)], cells(frames[i]));
    }
    EXPECT_EQ(cells("B2").Value().toString(), q("01_sakura.jpg"));
    EXPECT_EQ(cells("D2").Value().toString(), q("02_nyugakushiki.jpg"));
    EXPECT_EQ(cells("B12").Value().toString(), q("03_ensoku.jpg"));
    EXPECT_EQ(cells("D12").Value().toString(), q("04_undokai.jpg"));
    // The pictures end up selected.
    QStringList selected;
    for (const xl::Shape& s : xl::ShapeRange(app.Selection().get(q("ShapeRange"))).items())
        selected << s.Name();
    QStringList names;
    for (const xl::Shape& s : placed)
        names << s.Name();
    EXPECT_EQ(selected, names);
}

TEST_F(RunTest, ExcelModeCascadesFromTheActiveCellAtNaturalSize)
{
    auto dialog = dialogWithPhotos(2);
    cells("F3").Select();
    QTest::mouseClick(control<QToolButton>(*dialog, q("EXCELMODE")), Qt::LeftButton);
    EXPECT_TRUE(messages.shown().empty());
    const std::vector<xl::Shape> placed = pictures();
    ASSERT_EQ(placed.size(), 2u);
    EXPECT_NEAR(placed[0].Left(), cells("F3").Left(), 0.01);
    EXPECT_NEAR(placed[0].Top(), cells("F3").Top(), 0.01);
    EXPECT_NEAR(placed[1].Left() - placed[0].Left(), 10, 0.01);
    EXPECT_NEAR(placed[1].Top() - placed[0].Top(), 10, 0.01);
    EXPECT_EQ(dialog->pictureFiles().count(), 0);
}

TEST_F(RunTest, ClickModeFillsEachNewlySelectedRangeFromTheHostsEvents)
{
    setting().UnPaste_Value = false;
    setting().PasteSize = 0; // stretch
    auto dialog = dialogWithPhotos(3);
    auto* click = control<QToolButton>(*dialog, q("CLICKMODE"));

    cells("B3:B10").Select(); // click mode is off: nothing happens
    QTest::qWait(50);
    EXPECT_TRUE(pictures().empty());

    QTest::mouseClick(click, Qt::LeftButton);
    EXPECT_TRUE(click->isChecked());
    EXPECT_FALSE(control<QToolButton>(*dialog, q("EXCELMODE"))->isEnabled());
    EXPECT_FALSE(control<QToolButton>(*dialog, q("SELECTEDMODE"))->isEnabled());

    cells("D3:D10").Select();
    ASSERT_TRUE(QTest::qWaitFor([&] { return pictures().size() == 1; }));
    expectCovers(pictures()[0], cells("D3:D10"));
    EXPECT_EQ(dialog->pictureFiles().count(), 2);

    cells("C:C").Select(); // a whole column: nothing, and no message in click mode
    QTest::qWait(50);
    EXPECT_EQ(pictures().size(), 1u);

    cells("B13:B20").Select();
    ASSERT_TRUE(QTest::qWaitFor([&] { return pictures().size() == 2; }));
    expectCovers(pictures()[1], cells("B13:B20"));
    EXPECT_EQ(dialog->pictureFiles().paths(), QStringList({photos[2]}));
    EXPECT_TRUE(messages.shown().empty());

    dialog->close(); // the sink goes with the dialog
    EXPECT_EQ(dialog->eventSink(), nullptr);
    cells("D13:D20").Select();
    QTest::qWait(50);
    EXPECT_EQ(pictures().size(), 2u);
}

TEST_F(RunTest, EscapeStopsTheRunBetweenPicturesAndKeepsTheRest)
{
    setting().UnPaste_Value = false;
    auto dialog = dialogWithPhotos(3);
    cells("B3:B10,D3:D10,B13:B20").Select();
    keys.held = {platform::vk::Escape};
    messages.answerNext(MsgAnswer::Yes);
    QTest::mouseClick(control<QToolButton>(*dialog, q("SELECTEDMODE")), Qt::LeftButton);
    keys.held.clear();

    EXPECT_EQ(messages.shown(),
              (std::vector<platform::Message>{message(q("読み込みをキャンセルしますか？"),
                                                      MsgButtons::YesNo, MsgIcon::Question)}));
    EXPECT_EQ(pictures().size(), 1u);
    EXPECT_EQ(dialog->pictureFiles().paths(), QStringList({photos[1], photos[2]}));
    EXPECT_TRUE(dialog->isVisible()) << "Escape stopped the run, not the dialog";
}

TEST_F(RunTest, ExcludedCellsAreListedAfterTheRunOwnedByTheDialog)
{
    setting().OneCellOnePaste = true;
    auto dialog = dialogWithPhotos(2);
    cells("B3:D3").Select();
    QStringList rows;
    QString title;
    QWidget* owner = nullptr;
    QTimer poll;
    poll.setInterval(10);
    QObject::connect(&poll, &QTimer::timeout, [&] {
        for (QWidget* w : QApplication::topLevelWidgets()) {
            auto* list = qobject_cast<picrows::frmShowJogaiMsg*>(w);
            if (!list || !list->isVisible())
                continue;
            title = list->windowTitle();
            owner = list->parentWidget();
            QTreeWidget* tree = list->lstJogaiMsg();
            for (int i = 0; i < tree->topLevelItemCount(); ++i)
                rows << tree->topLevelItem(i)->text(0) + u'|' + tree->topLevelItem(i)->text(1);
            QTest::mouseClick(list->findChild<QPushButton*>(q("cmdClose")), Qt::LeftButton);
            poll.stop();
        }
    });
    poll.start();
    QTest::mouseClick(control<QToolButton>(*dialog, q("SELECTEDMODE")), Qt::LeftButton);

    EXPECT_EQ(title, q("ピクロウアドイン - 除外されたセル一覧"));
    EXPECT_EQ(owner, dialog.get());
    EXPECT_EQ(rows, QStringList({q("$B$3|値代入"), q("$C$3|サイズ制限"), q("$D$3|値代入")}));
    EXPECT_TRUE(pictures().empty());
    EXPECT_EQ(dialog->pictureFiles().count(), 2);
}

// Size mode 3: the trimming dialog opens on each picture in turn, and a confirmed frame
// places it.
TEST_F(RunTest, ManualFillOpensTheTrimmingDialogForEachPicture)
{
    setting().UnPaste_Value = false;
    setting().PasteSize = 3;
    auto dialog = dialogWithPhotos(2);
    cells("B3:B10,D3:D10").Select();
    int shown = 0;
    std::function<void(picrows::frmTrimming&)> confirm = [&](picrows::frmTrimming& trimming) {
        ++shown;
        trimming.cmdOK()->click();
        if (shown < 2)
            dialogs_test::whenShown<picrows::frmTrimming>(confirm);
    };
    dialogs_test::whenShown<picrows::frmTrimming>(confirm);
    QTest::mouseClick(control<QToolButton>(*dialog, q("SELECTEDMODE")), Qt::LeftButton);
    EXPECT_TRUE(messages.shown().empty());
    EXPECT_EQ(shown, 2);
    EXPECT_EQ(pictures().size(), 2u);
    EXPECT_EQ(dialog->pictureFiles().count(), 0);
}

TEST_F(RunTest, AHostThatCannotTakePicturesRefusesWithTheChecksMessage)
{
    setting().UnPaste_Value = false;
    auto dialog = dialogWithPhotos(1);
    cells("B3:B10").Select();
    sheet().Protect(false, true);
    QTest::mouseClick(control<QToolButton>(*dialog, q("SELECTEDMODE")), Qt::LeftButton);
    EXPECT_EQ(messages.shown(), (std::vector<platform::Message>{message(
                                    q("シートの内容が保護されている状態では実行できません。"),
                                    MsgButtons::OK, MsgIcon::Critical)}));
    EXPECT_TRUE(pictures().empty());
    EXPECT_EQ(dialog->pictureFiles().count(), 1);
}

TEST_F(RunTest, ARangeSelectedWhileAClickModeRunYieldsIsFilledByARunOfItsOwn)
{
    setting().UnPaste_Value = false;
    setting().PasteSize = 0;
    auto dialog = dialogWithPhotos(2);
    QTest::mouseClick(control<QToolButton>(*dialog, q("CLICKMODE")), Qt::LeftButton);
    bool selectedDuringRun = false;
    pump.step = [&] {
        if (dialog->isRunning() && !selectedDuringRun) {
            selectedDuringRun = true;
            cells("D3:D10").Select(); // the user's next click, while the first run yields
            EXPECT_TRUE(dialog->isRunning());
        }
    };
    cells("B3:B10").Select();
    const bool both = QTest::qWaitFor([&] { return pictures().size() == 2; });
    pump.step = nullptr;
    EXPECT_TRUE(messages.shown().empty());
    ASSERT_TRUE(both) << pictures().size();
    EXPECT_TRUE(selectedDuringRun);
    expectCovers(pictures()[0], cells("B3:B10"));
    expectCovers(pictures()[1], cells("D3:D10"));
    EXPECT_EQ(dialog->pictureFiles().count(), 0);
    EXPECT_FALSE(dialog->isRunning());
    dialog->close();
    EXPECT_FALSE(dialog->isVisible()) << "both runs over: the dialog closes";
}

} // namespace
