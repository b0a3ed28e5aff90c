// Selecting cells: the selection and the sheet view follow, and the application raises
// SheetSelectionChange(Sh, Target) unless events are switched off.
#include "tests/host/objects/objects_support.h"

#include "host/automation/events.h"

using namespace objects_test;

namespace {

class Selection : public HostTest
{
protected:
    Selection()
    {
        cookie = app.onSheetSelectionChange([this](xl::Worksheet sh, xl::Range target) {
            events << sh.Name() + u'!' + target.Address(false, false);
        });
    }

    int cookie = 0;
    QStringList events;
};

TEST_F(Selection, SelectChangesSelectionAndRaisesTheEvent)
{
    const xl::Object before = app.Selection();
    EXPECT_EQ(before.TypeName(), q("Range"));
    EXPECT_EQ(xl::Range(before.ref()).Address(), q("$A$1"));

    range("B2:C3,E5").Select();
    const xl::Range selected(app.Selection().ref());
    EXPECT_EQ(selected.Address(), q("$B$2:$C$3,$E$5"));
    EXPECT_EQ(events, QStringList{q("Sheet1!B2:C3,E5")});
    EXPECT_EQ(modelSheet().view.activeCell, q("B2"));
    EXPECT_EQ(modelSheet().view.selection.size(), 2u);
    EXPECT_TRUE(modelSheet().viewDirty);
    EXPECT_EQ(app.ActiveCell().Address(), q("$B$2"));
}

TEST_F(Selection, NoEventWhileEventsAreOff)
{
    app.setEnableEvents(false);
    range("C4").Select();
    EXPECT_TRUE(events.isEmpty());
    EXPECT_EQ(xl::Range(app.Selection().ref()).Address(), q("$C$4"));
    app.setEnableEvents(true);
    range("D5").Select();
    EXPECT_EQ(events, QStringList{q("Sheet1!D5")});

    // The repair of an object selection: the current region, selected without an event.
    events.clear();
    app.setEnableEvents(false);
    app.Cells().CurrentRegion().Select();
    app.setEnableEvents(true);
    EXPECT_TRUE(events.isEmpty());
    EXPECT_EQ(app.Selection().TypeName(), q("Range"));
}

TEST_F(Selection, WholeRowsAndColumns)
{
    range("3:5").Select();
    xl::Range selected(app.Selection().ref());
    EXPECT_EQ(selected.Address(), q("$3:$5"));
    EXPECT_EQ(selected.Rows().Count(), 3);
    EXPECT_EQ(selected.Columns().Count(), app.Cells().Columns().Count());

    range("B:C").Select();
    selected = xl::Range(app.Selection().ref());
    EXPECT_EQ(selected.Rows().Count(), app.Cells().Rows().Count());
    EXPECT_EQ(events.back(), q("Sheet1!B:C"));
}

TEST_F(Selection, ActivatingACellInsideTheSelectionKeepsIt)
{
    range("B2:D4").Select();
    range("C3").Activate();
    EXPECT_EQ(xl::Range(app.Selection().ref()).Address(), q("$B$2:$D$4"));
    EXPECT_EQ(app.ActiveCell().Address(), q("$C$3"));
    range("F6").Activate(); // outside: it becomes the selection
    EXPECT_EQ(xl::Range(app.Selection().ref()).Address(), q("$F$6"));
    EXPECT_EQ(events, (QStringList{q("Sheet1!B2:D4"), q("Sheet1!F6")}));
}

TEST_F(Selection, OnlyTheActiveSheetCanSelect)
{
    EXPECT_EQ(errorOf([&] { sheet(2).Range(q("A1")).Select(); }), host::err::ApplicationDefined);
    sheet(2).Activate();
    sheet(2).Range(q("A2")).Select();
    EXPECT_EQ(events, QStringList{q("Sheet2!A2")});
    EXPECT_EQ(xl::Range(app.Selection().ref()).Worksheet().Name(), q("Sheet2"));
}

TEST_F(Selection, UnadvisedSinksHearNothing)
{
    QStringList raw;
    const int other = app.advise(std::make_shared<host::CallbackSink>(
        [&raw](const QString& name, const std::vector<host::Variant>& args) {
            raw << name + u'/' + QString::number(args.size());
        }));
    range("A3").Select();
    app.unadvise(cookie);
    range("A4").Select();
    app.unadvise(other);
    range("A5").Select();
    EXPECT_EQ(events, QStringList{q("Sheet1!A3")});
    EXPECT_EQ(raw, (QStringList{q("SheetSelectionChange/2"), q("SheetSelectionChange/2")}));
}

TEST_F(Selection, ASinkMayUnadviseItselfWhileHearing)
{
    int heard = 0;
    int self = 0;
    self = app.onSheetSelectionChange([&](xl::Worksheet, xl::Range) {
        ++heard;
        app.unadvise(self);
    });
    range("A3").Select();
    range("A4").Select();
    EXPECT_EQ(heard, 1);
    EXPECT_EQ(events.size(), 2);
}

TEST(ChartSheets, SelectTheirChartAreaAndHaveNoCells)
{
    auto model = bookWithSheets({"Data", "Chart1"});
    model->sheets[1]->kind = host::model::SheetKind::Chartsheet;
    host::objects::Host host;
    host.adoptWorkbook(std::move(model), q("Book1"));
    const xl::Application app(host.application());
    EXPECT_EQ(app.ActiveWorkbook().Worksheets().Count(), 1); // the chart sheet is no worksheet…
    const xl::Worksheet chart = app.ActiveWorkbook().Sheets().Item(2); // …but one of the sheets
    EXPECT_EQ(chart.TypeName(), q("Chart"));
    chart.Activate();
    EXPECT_EQ(app.Selection().TypeName(), q("ChartArea"));
    EXPECT_TRUE(app.ActiveCell().isNothing());
    EXPECT_EQ(errorOf([&] { app.Cells(); }), host::err::ApplicationDefined);
    EXPECT_EQ(errorOf([&] { chart.Range(q("A1")); }), host::err::NotSupported);
    app.ActiveWorkbook().Sheets().Item(1).Activate();
    EXPECT_EQ(app.Selection().TypeName(), q("Range"));
}

} // namespace
