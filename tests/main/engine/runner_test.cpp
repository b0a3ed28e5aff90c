// The selected-cells, click-mode and host-standard runners on the in-process host, with real
// picture files and the real placement of each picture.
#include "host/xl/picture.h"
#include "host/xl/shape.h"
#include "macro_workbook/macro_workbook.h"
#include "main/engine/picture_list.h"
#include "main/engine/run_excel_mode.h"
#include "main/engine/run_paste.h"
#include "main/engine/run_selected.h"
#include "main/engine/status_panel.h"
#include "main/startup/startup_context.h"
#include "platform/event_pump.h"
#include "platform/key_state.h"
#include "platform/message_box.h"
#include "tests/host/objects/objects_support.h"

#include <QFile>
#include <QImage>
#include <QTemporaryDir>

#include <functional>

namespace {

using namespace objects_test;
using picrows::RunOutcome;
using platform::Message;
using platform::MsgAnswer;

class RecordingPanel : public picrows::StatusPanel
{
public:
    void setText(const QString& text) override { texts << text; }
    void reset() override { texts << QStringLiteral("<reset>"); }
    QStringList texts;
};

class RecordingView : public picrows::ExclusionListView
{
public:
    void showExclusions(const QStringList& entries) override { shown << entries; }
    QList<QStringList> shown;
};

// Runs a step between the runner's iterations, the way user input arrives while it yields.
class StepPump : public platform::EventPump
{
public:
    void run() override
    {
        if (step)
            step();
    }
    std::function<void()> step;
};

Message critical(const QString& text)
{
    return {text, platform::MsgButtons::OK, platform::MsgIcon::Critical, q("ピクロウアドイン")};
}
const Message kCancelQuestion{q("読み込みをキャンセルしますか？"), platform::MsgButtons::YesNo,
                              platform::MsgIcon::Question, q("ピクロウアドイン")};

class Runner : public HostTest
{
protected:
    Runner() : messagesInPlace(messages), keysInPlace(keys), pumpInPlace(pump)
    {
        m_host.registerAddInWorkbook(picrows::macroWorkbook()); // as the batch command's host
        picrows::startupContext().gobjXlApp = app;
        run.app = app;
        run.statusPanel = &panel;
        run.options.glngPasteSize = 0; // stretch into each target
        settings.scan.OneCellOnePaste = true;
        range("A1:F10").setLocked(false);
    }
    ~Runner() override { picrows::startupContext().clear(); }

    // A small PNG picture of its own colour, listed `count` times under distinct names.
    void listPictures(int count)
    {
        for (int i = 1; i <= count; ++i)
            list.append(picture(QStringLiteral("p%1.png").arg(i)));
    }
    QString picture(const QString& name)
    {
        QImage image(40, 30, QImage::Format_RGB32);
        image.fill(QColor::fromHsv((name.size() * 47) % 360, 200, 220));
        const QString path = dir.filePath(name);
        image.save(path);
        return path;
    }
    QString brokenFile(const QString& name)
    {
        const QString path = dir.filePath(name);
        QFile file(path);
        file.open(QIODevice::WriteOnly);
        file.write("not a picture");
        return path;
    }

    RunOutcome runSelected(const char* address, bool selected = true)
    {
        range(address).Select();
        return picrows::s_RunPasteWhenSelectedModeOrClickMode(run, list, range(address), selected,
                                                              settings, &view);
    }

    // The names of the shapes the host has selected.
    QStringList selectedNames() const
    {
        QStringList names;
        const xl::Object selection = app.Selection();
        if (selection.TypeName().toUpper() == q("RANGE"))
            return names;
        const xl::ShapeRange shapes(selection.get(q("ShapeRange")));
        for (const xl::Shape& s : shapes.items())
            names << s.Name();
        return names;
    }

    // The top-left cell of each picture on the sheet, in z-order.
    QStringList pictureCells() const
    {
        QStringList cells;
        for (const xl::Shape& s : sheet().Shapes().items())
            cells << s.TopLeftCell().Address(false, false);
        return cells;
    }

    QTemporaryDir dir;
    platform::ScriptedMessages messages;
    platform::ScriptedKeys keys;
    StepPump pump;
    platform::ScopedMessageService messagesInPlace;
    platform::ScopedKeyState keysInPlace;
    platform::ScopedEventPump pumpInPlace;
    RecordingPanel panel;
    RecordingView view;
    picrows::PictureList list;
    picrows::PasteRun run;
    picrows::SelectedRunSettings settings;
};

TEST_F(Runner, MorePicturesThanTargetsFillTheTargetsAndSelectThePictures)
{
    listPictures(5);
    const QString fourth = list.at(3);
    const RunOutcome outcome = runSelected("B2:D2");
    EXPECT_EQ(pictureCells(), (QStringList{q("B2"), q("C2"), q("D2")}));
    EXPECT_EQ(outcome.inserted.size(), 3);
    EXPECT_EQ(selectedNames(), outcome.inserted);
    EXPECT_EQ(list.count(), 2);
    EXPECT_EQ(list.first(), fourth);
    EXPECT_EQ(panel.texts,
              (QStringList{q("取得中...1 (ESCでキャンセル)"), q("取得中...2 (ESCでキャンセル)"),
                           q("取得中...3 (ESCでキャンセル)"), QString()}));
    EXPECT_TRUE(app.ScreenUpdating());
    EXPECT_TRUE(messages.shown().empty());
    EXPECT_FALSE(outcome.error);
    EXPECT_FALSE(outcome.stoppedByUser);
}

TEST_F(Runner, FewerPicturesThanTargetsLeaveTheLastTargetsEmpty)
{
    listPictures(2);
    const RunOutcome outcome = runSelected("A1:A5");
    EXPECT_EQ(pictureCells(), (QStringList{q("A1"), q("A2")}));
    EXPECT_TRUE(list.isEmpty());
    EXPECT_EQ(selectedNames(), outcome.inserted);
}

// A picture inside a merged area is fitted to the whole area.
TEST_F(Runner, AMergedTargetTakesItsWholeArea)
{
    range("B2:C3").setMergeCells(true);
    listPictures(1);
    runSelected("B2:C3");
    const xl::Shape shape = sheet().Shapes().Item(1);
    EXPECT_NEAR(shape.Width(), range("B2:C3").Width(), 0.01);
    EXPECT_NEAR(shape.Height(), range("B2:C3").Height(), 0.01);
}

TEST_F(Runner, ARefusedFileLeavesItsTargetToTheNextFile)
{
    list.append(picture(q("a.png")));
    const QString broken = brokenFile(q("b.png"));
    list.append(broken);
    list.append(picture(q("c.png")));
    const RunOutcome outcome = runSelected("A1:C1");
    EXPECT_EQ(pictureCells(), (QStringList{q("A1"), q("B1")}));
    EXPECT_EQ(outcome.inserted.size(), 2);
    EXPECT_TRUE(list.isEmpty()); // the refused file left the list too, named in the outcome
    ASSERT_EQ(outcome.refused.size(), 1);
    EXPECT_EQ(outcome.refused.front().path, broken);
    EXPECT_EQ(outcome.refused.front().reason, q("The file is not a picture the host can read."));
    ASSERT_GE(panel.texts.size(), 3);
    EXPECT_EQ(panel.texts[1], q("取得中...1 (ESCでキャンセル)"));
    EXPECT_EQ(panel.texts[2], q("取得中...2 (ESCでキャンセル)"));
    EXPECT_EQ(messages.shown().size(), 1u); // the refusal, told by the placement
}

// Escape is held throughout: the scan asks after each cell it visits (answered No), the
// insertion loop after the first picture (answered Yes).
TEST_F(Runner, EscapeAnsweredYesKeepsWhatWasInsertedAndTheRestOfTheList)
{
    listPictures(3);
    keys.held.insert(platform::vk::Escape);
    messages.answerNext(MsgAnswer::No);  // after A1 in the scan
    messages.answerNext(MsgAnswer::No);  // after B1
    messages.answerNext(MsgAnswer::Yes); // after the first picture
    const RunOutcome outcome = runSelected("A1:C1");
    EXPECT_EQ(messages.shown(), (std::vector<Message>(3, kCancelQuestion)));
    EXPECT_TRUE(outcome.stoppedByUser);
    EXPECT_EQ(pictureCells(), QStringList{q("A1")});
    EXPECT_EQ(selectedNames(), outcome.inserted);
    EXPECT_EQ(list.count(), 2);
}

TEST_F(Runner, EscapeDuringTheScanInsertsNothing)
{
    listPictures(3);
    keys.held.insert(platform::vk::Escape);
    messages.answerNext(MsgAnswer::Yes);
    const RunOutcome outcome = runSelected("A1:C1");
    EXPECT_TRUE(outcome.stoppedByUser);
    EXPECT_EQ(sheet().Shapes().Count(), 0);
    EXPECT_EQ(list.count(), 3);
}

TEST_F(Runner, WholeColumnsAreRefusedWithAMessageOnlyInSelectedMode)
{
    listPictures(2);
    RunOutcome outcome = runSelected("B:B");
    EXPECT_EQ(messages.shown(),
              std::vector<Message>{
                  critical(q("セルの全選択または列の選択または行の選択中は実行できません。"))});
    messages.clear();
    outcome = runSelected("3:3", false);
    EXPECT_TRUE(messages.shown().empty());
    EXPECT_EQ(sheet().Shapes().Count(), 0);
    EXPECT_EQ(list.count(), 2);
}

TEST_F(Runner, ExclusionsGoToTheViewOnlyWhenTheSettingsAskForIt)
{
    range("B1").EntireColumn().setHidden(true);
    range("A2").setValue(host::Variant(q("taken")));
    settings.scan.UnPaste_Value = true;
    listPictures(9);
    RunOutcome outcome = runSelected("A1:B2");
    const QStringList expected{q("$B$1\t非表示"), q("$A$2\t値代入"), q("$B$2\t非表示")};
    EXPECT_EQ(outcome.ExclusionList, expected);
    EXPECT_TRUE(view.shown.isEmpty());
    EXPECT_EQ(pictureCells(), QStringList{q("A1")});

    settings.UnPaste_ShowMsg = true;
    outcome = runSelected("A1:B2");
    EXPECT_EQ(view.shown, QList<QStringList>{expected});
}

// In click mode the value test does not run: a cell with a value is a target.
TEST_F(Runner, ClickModeIgnoresTheSelectedModeExclusions)
{
    range("A1").setValue(host::Variant(q("taken")));
    settings.scan.UnPaste_Value = true;
    settings.UnPaste_ShowMsg = true;
    listPictures(1);
    const RunOutcome outcome = runSelected("A1", false);
    EXPECT_EQ(pictureCells(), QStringList{q("A1")});
    EXPECT_TRUE(view.shown.isEmpty());
}

TEST_F(Runner, EveryCandidateExcludedInsertsNothingAndListsThem)
{
    range("1:2").setHidden(true);
    settings.UnPaste_ShowMsg = true;
    listPictures(2);
    const RunOutcome outcome = runSelected("A1:B2");
    EXPECT_EQ(sheet().Shapes().Count(), 0);
    EXPECT_EQ(list.count(), 2);
    ASSERT_EQ(view.shown.size(), 1);
    EXPECT_EQ(view.shown.front().size(), 4);
}

// A host error inside the placement of the second picture (raised here by the fill seam, as
// a host call inside the trimming would raise it) ends the run with "(err:…"; the first
// picture stays, and the runner does not select it.
class FailingFill : public picrows::ManualFill
{
public:
    picrows::ManualFillResult fill(const xl::Application&, const xl::Picture& picture,
                                   const xl::Range&, bool, double, double, const QString&,
                                   picrows::RunOptions&) override
    {
        if (++calls == 2)
            host::raise(1004, q("Unable to set the Width property"));
        picrows::ManualFillResult result;
        result.outcome = picrows::ManualFillOutcome::Fitted;
        result.picture = picture;
        return result;
    }
    void finish(const xl::Application&, const xl::Picture&) override {}
    int calls = 0;
};

TEST_F(Runner, AHostErrorEndsTheRunWithItsReport)
{
    listPictures(3);
    FailingFill fill;
    run.manualFill = &fill;
    run.options.glngPasteSize = 3;
    const RunOutcome outcome = runSelected("A1:C1");
    ASSERT_TRUE(outcome.error);
    EXPECT_EQ(messages.shown(),
              std::vector<Message>{critical(q("(err:1004) Unable to set the Width property"))});
    ASSERT_EQ(outcome.inserted.size(), 1);
    // The runner does not select what it inserted (the host's insertion selected the failing
    // picture).
    EXPECT_FALSE(selectedNames().contains(outcome.inserted.front()));
    EXPECT_EQ(list.count(), 2); // the failing file was not taken off the list
    // ... and nothing of it stays on the sheet: a second run does not insert it twice.
    EXPECT_EQ(pictureCells(), QStringList{q("A1")});
    EXPECT_TRUE(app.ScreenUpdating());
    EXPECT_EQ(panel.texts.back(), QString());
}

// A host error in the last step of a picture (here the text box's colour, which the host
// refuses) takes the picture and its half-made text box off the sheet: the sheet and the
// files left over agree.
TEST_F(Runner, AFailureInThePasteInfoLeavesNothingOfThePicture)
{
    run.options.gblnPasteInfo = true;
    run.options.gintPasteInfo_Type = 1;
    run.options.gstrPasteInfo_Value = q("[FILENAME1]");
    run.options.Textbox_Fontname = q("Carlito");
    run.options.Textbox_Fontsize = 9;
    run.options.Textbox_ColorIndex = 57;
    for (const bool group : {false, true}) {
        run.options.gblnPasteInfo_Group = group;
        list.clear();
        listPictures(2);
        const RunOutcome outcome = runSelected("A1:B1");
        ASSERT_TRUE(outcome.error) << group;
        EXPECT_EQ(outcome.error->number(), 1004);
        EXPECT_TRUE(outcome.inserted.isEmpty());
        EXPECT_EQ(list.count(), 2);
        EXPECT_EQ(sheet().Shapes().Count(), 0) << group;
    }
}

// When the host will not take the failing picture off the sheet (its drawing objects were
// protected meanwhile), the picture counts as placed: its file is no longer listed.
class ProtectingFill : public picrows::ManualFill
{
public:
    picrows::ManualFillResult fill(const xl::Application& app, const xl::Picture& picture,
                                   const xl::Range&, bool, double, double, const QString&,
                                   picrows::RunOptions&) override
    {
        if (++calls == 2) {
            app.ActiveSheet().Protect(true, false);
            host::raise(1004, q("Unable to set the Width property"));
        }
        picrows::ManualFillResult result;
        result.outcome = picrows::ManualFillOutcome::Fitted;
        result.picture = picture;
        return result;
    }
    void finish(const xl::Application&, const xl::Picture&) override {}
    int calls = 0;
};

TEST_F(Runner, AFailingPictureTheHostKeepsIsNoLongerListed)
{
    listPictures(3);
    const QString third = list.paths().at(2);
    ProtectingFill fill;
    run.manualFill = &fill;
    run.options.glngPasteSize = 3;
    const RunOutcome outcome = runSelected("A1:C1");
    ASSERT_TRUE(outcome.error);
    EXPECT_EQ(sheet().Shapes().Count(), 2);
    EXPECT_EQ(list.paths(), QStringList{third});
}

// The trimming dialog cancelled: the run stops, the file stays first, nothing is selected.
class CancellingFill : public picrows::ManualFill
{
public:
    picrows::ManualFillResult fill(const xl::Application&, const xl::Picture& picture,
                                   const xl::Range&, bool, double, double, const QString&,
                                   picrows::RunOptions&) override
    {
        picture.Delete();
        picrows::ManualFillResult result;
        result.outcome = picrows::ManualFillOutcome::Dropped;
        result.cancelled = true;
        return result;
    }
    void finish(const xl::Application&, const xl::Picture&) override {}
};

TEST_F(Runner, ACancelledTrimmingStopsTheRunAndKeepsTheFile)
{
    listPictures(3);
    CancellingFill fill;
    run.manualFill = &fill;
    run.options.glngPasteSize = 3;
    const QString first = list.first();
    const RunOutcome outcome = runSelected("A1:C1");
    EXPECT_TRUE(outcome.stoppedByUser);
    EXPECT_EQ(list.count(), 3);
    EXPECT_EQ(list.first(), first);
    EXPECT_TRUE(outcome.inserted.isEmpty());
}

// Host-standard mode: each picture 10 points further right and down than the one before.
TEST_F(Runner, ExcelModeCascadesAndSelectsEveryPicture)
{
    range("C3").Select();
    list.append(picture(q("a.png")));
    list.append(brokenFile(q("b.png")));
    list.append(picture(q("c.png")));
    list.append(picture(q("d.png")));
    const RunOutcome outcome = picrows::s_RunPasteWhenExcelmode(run, list);
    ASSERT_EQ(outcome.inserted.size(), 3);
    EXPECT_TRUE(list.isEmpty());
    ASSERT_EQ(outcome.refused.size(), 1);
    EXPECT_EQ(outcome.refused.front().path, dir.filePath(q("b.png")));
    const xl::Shapes shapes = sheet().Shapes();
    const double left = shapes.Item(1).Left();
    const double top = shapes.Item(1).Top();
    EXPECT_NEAR(left, range("C3").Left(), 0.01);
    EXPECT_NEAR(top, range("C3").Top(), 0.01);
    for (int i = 2; i <= 3; ++i) { // the refused file leaves no gap
        EXPECT_NEAR(shapes.Item(i).Left(), left + 10 * (i - 1), 0.01);
        EXPECT_NEAR(shapes.Item(i).Top(), top + 10 * (i - 1), 0.01);
    }
    EXPECT_EQ(selectedNames(), outcome.inserted);
    EXPECT_EQ(panel.texts.mid(0, 4),
              (QStringList{q("取得中...1 (ESCでキャンセル)"), q("取得中...1 (ESCでキャンセル)"),
                           q("取得中...2 (ESCでキャンセル)"), q("取得中...3 (ESCでキャンセル)")}));
}

TEST_F(Runner, ExcelModeStopsOnEscapeAndIgnoresProtectedContents)
{
    listPictures(3);
    sheet().Protect(false, true); // contents only
    keys.held.insert(platform::vk::Escape);
    messages.answerNext(MsgAnswer::Yes);
    const RunOutcome outcome = picrows::s_RunPasteWhenExcelmode(run, list);
    EXPECT_EQ(messages.shown(), std::vector<Message>{kCancelQuestion});
    EXPECT_EQ(outcome.inserted.size(), 1);
    EXPECT_EQ(selectedNames(), outcome.inserted);
    EXPECT_EQ(list.count(), 2);
}

TEST_F(Runner, NothingListedRunsNothing)
{
    EXPECT_TRUE(picrows::s_RunPasteWhenExcelmode(run, list).inserted.isEmpty());
    EXPECT_TRUE(runSelected("A1").inserted.isEmpty());
    EXPECT_TRUE(messages.shown().empty());
    EXPECT_TRUE(panel.texts.isEmpty());
}

} // namespace
