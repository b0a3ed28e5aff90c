// The reduction run over sheets and workbooks: which sheets it visits, the rows of sheets and
// pictures it cannot reduce, cancelling between pictures, and what it puts back at the end;
// the option rules its dialog follows.
#include "host/xl/window.h"
#include "main/reduce/reduce_run.h"
#include "main/reduce/result_row_select.h"
#include "main/settings/setting.h"
#include "platform/event_pump.h"
#include "platform/key_state.h"
#include "platform/settings_store.h"
#include "tests/main/reduce/reduce_test_support.h"

#include <cmath>
#include <functional>

namespace {

using namespace reduce_test;
using picrows::ReduceOptions;
using picrows::ReduceOutcome;
using picrows::ReduceRow;

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

class RecordingView : public picrows::ReduceView
{
public:
    void addRow(const ReduceRow& row) override { rows.push_back(row); }
    void setProgress(const QString& caption) override { captions << caption; }
    void cancelDeclined() override { ++declined; }
    std::vector<ReduceRow> rows;
    QStringList captions;
    int declined = 0;
};

class ReduceRunTest : public ReduceTest
{
protected:
    ReduceRunTest() : m_keysInPlace(keys), m_pumpInPlace(pump) {}

    // A picture of 80 × 60 points shown at 20 × 15 on a sheet of Book1 (1-based).
    void smallPicture(int sheetIndex)
    {
        sheet(sheetIndex).Activate();
        placePicture(80, 60, "small.png").setWidth(20);
    }

    ReduceOutcome runWith(std::int32_t target, bool reduce = true, bool cut = false)
    {
        ReduceOptions options;
        options.target = target;
        options.picture = {reduce, 2, cut};
        return reduceRun.run(options);
    }

    // "book/sheet/mark" of each row.
    static QStringList visited(const ReduceOutcome& outcome)
    {
        QStringList out;
        for (const ReduceRow& row : outcome.rows)
            out << row.book + u'/' + row.sheet + u'/' + row.mark;
        return out;
    }

    platform::ScriptedKeys keys;
    StepPump pump;
    RecordingView view;
    picrows::ReduceRun reduceRun{app, clipboard(), view};

private:
    platform::ScopedKeyState m_keysInPlace;
    platform::ScopedEventPump m_pumpInPlace;
};

// Book1: pictures on Sheet1 and Sheet2, one on the hidden Sheet3. Book2: a picture on its one
// sheet. Book3: a picture, but its window is hidden. The add-in the host loads is never
// visited either.
TEST_F(ReduceRunTest, VisitsTheSheetsOfItsTarget)
{
    smallPicture(1);
    smallPicture(2);
    smallPicture(3);
    sheet(3).setVisible(0);
    const auto otherBook = [&](const char* name) {
        m_host.adoptWorkbook(objects_test::bookWithSheets({"Data"}), q(name));
        placePicture(80, 60, "other.png").setWidth(20);
        return app.Workbooks().Item(q(name));
    };
    otherBook("Book2");
    otherBook("Book3").Windows().Item(1).setVisible(false);
    bool addInOpen = false;
    for (const xl::Workbook& b : app.Workbooks().items())
        addInOpen = addInOpen || b.IsAddin();
    EXPECT_TRUE(addInOpen);

    struct Case
    {
        std::int32_t target;
        QStringList rows;
    } cases[] = {
        {0, {q("Book1/Sheet2/○")}},
        // A picture reduced by an earlier run has nothing more to give.
        {1, {q("Book1/Sheet1/○"), q("Book1/Sheet2/")}},
        {2, {q("Book1/Sheet1/"), q("Book1/Sheet2/"), q("Book2/Data/○")}},
    };
    for (const Case& c : cases) {
        book().Activate();
        sheet(2).Activate();
        const ReduceOutcome outcome = runWith(c.target);
        EXPECT_EQ(visited(outcome), c.rows) << c.target;
        EXPECT_EQ(outcome.total, c.rows.size());
        EXPECT_EQ(app.ActiveWorkbook().Name(), q("Book1"));
        EXPECT_EQ(app.ActiveSheet().Name(), q("Sheet2"));
    }
    EXPECT_TRUE(messages.shown().empty());
}

TEST_F(ReduceRunTest, ProtectedAndGroupedPicturesGetFailureRows)
{
    placePicture(80, 60, "a.png");
    placePicture(80, 60, "b.png");
    shapes().Range(QStringList{shapes().Item(1).Name(), shapes().Item(2).Name()}).Group();
    sheet(2).Activate();
    placePicture(80, 60, "c.png");
    sheet(2).Protect(true, false);
    sheet(1).Activate();

    const ReduceOutcome outcome = runWith(1);
    const std::vector<ReduceRow> expected = {
        {q("×"), q("Book1"), q("Sheet1"), pictures().Item(1).Name(),
         q("グループ化されているため縮小化できません"), q("SHIPPAI")},
        {q("×"), q("Book1"), q("Sheet1"), pictures().Item(2).Name(),
         q("グループ化されているため縮小化できません"), q("SHIPPAI")},
        {q("×"), q("Book1"), q("Sheet2"), q("<すべて>"),
         q("シートが保護されているため縮小化できません"), q("SHIPPAI")},
    };
    EXPECT_EQ(outcome.rows, expected);
    EXPECT_EQ(view.rows, expected);
    EXPECT_EQ(outcome.total, 2); // the protected sheet's picture does not count
    EXPECT_TRUE(messages.shown().empty());

    // A protected sheet as the only target: its row, then nothing found.
    sheet(2).Activate();
    const ReduceOutcome alone = runWith(0);
    EXPECT_EQ(alone.rows.size(), 1u);
    EXPECT_EQ(alone.total, 0);
    ASSERT_EQ(messages.shown().size(), 1u);
    EXPECT_EQ(
        messages.shown()[0],
        (platform::Message{q("対象となる図が見つかりませんでした。"), platform::MsgButtons::OK,
                           platform::MsgIcon::Information, q("ピクロウアドイン")}));
}

// Three pictures on Sheet1, the run started from Sheet2 with C5 selected and the window
// scrolled. A cancel after the first picture answered No goes on; a second answered Yes
// stops, and the start's sheet, selection and scroll come back.
TEST_F(ReduceRunTest, CancelBetweenPicturesAndWhatComesBack)
{
    for (int i = 0; i < 3; ++i)
        smallPicture(1);
    sheet(2).Activate();
    sheet(2).Range(q("C5")).Select();
    app.ActiveWindow().setScrollRow(10);
    app.ActiveWindow().setScrollColumn(3);

    // A click on the start button while the first and while the second picture is worked on.
    qsizetype clickedAt = 0;
    pump.step = [&] {
        EXPECT_TRUE(reduceRun.isRunning());
        if (view.captions.size() > clickedAt && view.captions.size() <= 2) {
            clickedAt = view.captions.size();
            reduceRun.requestCancel();
        }
    };
    messages.answerNext(platform::MsgAnswer::No);
    messages.answerNext(platform::MsgAnswer::Yes);
    const ReduceOutcome outcome = runWith(1);

    EXPECT_TRUE(outcome.stoppedByUser);
    EXPECT_EQ(outcome.rows.size(), 2u);
    EXPECT_EQ(view.declined, 1);
    ASSERT_EQ(messages.shown().size(), 2u);
    EXPECT_EQ(messages.shown()[0],
              (platform::Message{q("読み込みをキャンセルしますか？"), platform::MsgButtons::YesNo,
                                 platform::MsgIcon::Question, q("ピクロウアドイン")}));
    EXPECT_EQ(view.captions, (QStringList{q("Book1!Sheet1  (1/3)"), q("Book1!Sheet1  (2/3)"),
                                          q("ピクロウアドイン - 原型サイズの縮小")}));
    EXPECT_FALSE(reduceRun.isRunning());
    EXPECT_EQ(app.ActiveSheet().Name(), q("Sheet2"));
    EXPECT_EQ(xl::Range(app.Selection().ref()).Address(), q("$C$5"));
    EXPECT_EQ(app.ActiveWindow().ScrollRow(), 10);
    EXPECT_EQ(app.ActiveWindow().ScrollColumn(), 3);
    EXPECT_TRUE(app.ScreenUpdating());

    // Escape held asks the same question.
    pump.step = {};
    keys.held.insert(platform::vk::Escape);
    messages.clear();
    messages.answerNext(platform::MsgAnswer::Yes);
    const ReduceOutcome escaped = runWith(1);
    EXPECT_TRUE(escaped.stoppedByUser);
    EXPECT_EQ(escaped.rows.size(), 1u);
    EXPECT_EQ(messages.shown().size(), 1u);
}

// A host error the run does not expect (here: a workbook closed while the run works on another
// one) ends the loops; the start's place still comes back.
TEST_F(ReduceRunTest, HostErrorEndsTheRunButThePlaceComesBack)
{
    smallPicture(1);
    smallPicture(1);
    m_host.adoptWorkbook(objects_test::bookWithSheets({"Data"}), q("Book2"));
    book().Activate();
    sheet(2).Activate();
    sheet(2).Range(q("D4")).Select();
    pump.step = [&] {
        for (const xl::Workbook& b : app.Workbooks().items())
            if (b.Name() == q("Book2"))
                b.Close();
    };
    const ReduceOutcome outcome = runWith(2);
    ASSERT_TRUE(outcome.error.has_value());
    EXPECT_EQ(outcome.rows.size(), 2u); // Book1's pictures were done
    EXPECT_EQ(app.ActiveWorkbook().Name(), q("Book1"));
    EXPECT_EQ(app.ActiveSheet().Name(), q("Sheet2"));
    EXPECT_EQ(xl::Range(app.Selection().ref()).Address(), q("$D$4"));
    EXPECT_TRUE(app.ScreenUpdating());
    EXPECT_FALSE(reduceRun.isRunning());
}

TEST(ReduceOptionRules, FactorBoxAndStartButton)
{
    struct Case
    {
        double typed;
        std::int16_t factor;
    } cases[] = {{0, 1},   {-4, 1},    {1, 1},   {2.5, 2},  {3.5, 4},
                 {10, 10}, {10.4, 10}, {37, 10}, {1e9, 10}, {std::nan(""), 1}};
    for (const Case& c : cases)
        EXPECT_EQ(picrows::reduceFactorOf(c.typed), c.factor) << c.typed;
    EXPECT_FALSE(picrows::reduceStartEnabled(false, false));
    EXPECT_TRUE(picrows::reduceStartEnabled(true, false));
    EXPECT_TRUE(picrows::reduceStartEnabled(false, true));
}

TEST(ReduceOptionRules, SettingsInAndOut)
{
    QTemporaryDir dir;
    platform::SettingsStore store(dir.path());
    {
        picrows::c_Setting setting(store, {});
        ReduceOptions options;
        options.target = 2;
        options.picture = {false, 7, true};
        options.storeInto(setting);
        setting.SaveAll();
    }
    picrows::c_Setting setting(store, {});
    const ReduceOptions back = ReduceOptions::from(setting);
    EXPECT_EQ(back.target, 2);
    EXPECT_FALSE(back.picture.reduce);
    EXPECT_EQ(back.picture.factor, 7);
    EXPECT_TRUE(back.picture.cut);
}

} // namespace

namespace {

using namespace reduce_test;

class RowClick : public ReduceTest
{
protected:
    QString selectedName() const
    {
        const xl::Object selection = app.Selection();
        return selection.TypeName() == q("Range") ? QString() : selection.get(q("Name")).toString();
    }
};

TEST_F(RowClick, SelectsTheRowsObjectOnItsSheet)
{
    sheet(2).Activate();
    const QString name = placePicture(80, 60).Name();
    m_host.adoptWorkbook(objects_test::bookWithSheets({"Data"}), q("Book2"));
    app.setScreenUpdating(false);

    picrows::s_SelectResultRowObject(
        app, picrows::failureRow(q("Book1"), q("Sheet2"), name, q("図の縮小エラー")));
    EXPECT_EQ(app.ActiveWorkbook().Name(), q("Book1"));
    EXPECT_EQ(app.ActiveSheet().Name(), q("Sheet2"));
    EXPECT_EQ(selectedName(), name);
    EXPECT_TRUE(app.ScreenUpdating());

    // No object of that name (the row of a protected sheet): nothing is selected.
    sheet(2).Range(q("B2")).Select();
    picrows::s_SelectResultRowObject(
        app, picrows::failureRow(q("Book1"), q("Sheet2"), q("<すべて>"), q("…")));
    EXPECT_EQ(xl::Range(app.Selection().ref()).Address(), q("$B$2"));
}

} // namespace
