// Selecting as in spreadsheet programs: each gesture's selection, active cell and the
// SheetSelectionChange events it raises (none while events are off), and shapes selected by
// clicks.
#include "tests/host_app/host_app_support.h"

#include <QMenu>

using namespace host_app_test;
using host::Variant;

namespace {

class SelectionTest : public HostAppTest
{
public:
    SelectionTest()
    {
        app.Workbooks().Add();
        const xl::Worksheet sheet = app.ActiveSheet();
        sheet.Range(q("D2:E3")).let(q("MergeCells"), Variant(true));
        for (const char* filled : {"A1", "A2", "A3", "A4", "A5", "A9"})
            sheet.Range(q(filled)).setValue(Variant(1.0));
        settle();
        m_cookie = app.onSheetSelectionChange(
            [this](xl::Worksheet, xl::Range target) { events << target.Address(); });
    }
    ~SelectionTest() override { app.unadvise(m_cookie); }

    QPoint columnHeader(const char* address)
    {
        return QPoint(centreOf(address).x(), layout().columnHeaderHeight() / 2);
    }
    QPoint rowHeader(const char* address)
    {
        return QPoint(layout().rowHeaderWidth() / 2, centreOf(address).y());
    }

    QStringList events;

private:
    int m_cookie = 0;
};

struct Gesture
{
    const char* name;
    std::function<void(SelectionTest&)> act;
    const char* selection;
    const char* active;
    QStringList events;
};

class Gestures : public SelectionTest, public ::testing::WithParamInterface<int>
{
};

// Each gesture starts from A1 selected.
const std::vector<Gesture>& gestures()
{
    using T = SelectionTest;
    static const std::vector<Gesture> table = {
        {"click", [](T& t) { t.click("B2"); }, "$B$2", "$B$2", {q("$B$2")}},
        {"click on the same cell", [](T& t) { t.click("A1"); }, "$A$1", "$A$1", {}},
        {"click in a merged area",
         [](T& t) { t.click("E3"); },
         "$D$2:$E$3",
         "$E$3",
         {q("$D$2:$E$3")}},
        {"drag",
         [](T& t) { t.drag(t.centreOf("B2"), t.centreOf("C4")); },
         "$B$2:$C$4",
         "$B$2",
         {q("$B$2:$C$4")}},
        {"drag onto a merged area",
         [](T& t) { t.drag(t.centreOf("B4"), t.centreOf("D3")); },
         "$B$2:$E$4",
         "$B$4",
         {q("$B$2:$E$4")}},
        {"shift-click",
         [](T& t) { t.click("C3", Qt::ShiftModifier); },
         "$A$1:$C$3",
         "$A$1",
         {q("$A$1:$C$3")}},
        {"control-click",
         [](T& t) { t.click("C5", Qt::ControlModifier); },
         "$A$1,$C$5",
         "$C$5",
         {q("$A$1,$C$5")}},
        {"control-drag",
         [](T& t) { t.drag(t.centreOf("F5"), t.centreOf("G6"), Qt::ControlModifier); },
         "$A$1,$F$5:$G$6",
         "$F$5",
         {q("$A$1,$F$5:$G$6")}},
        {"column header",
         [](T& t) { t.click(t.columnHeader("B1")); },
         "$B:$B",
         "$B$1",
         {q("$B:$B")}},
        {"column headers dragged",
         [](T& t) { t.drag(t.columnHeader("B1"), t.columnHeader("D1")); },
         "$B:$D",
         "$B$1",
         {q("$B:$D")}},
        {"row header", [](T& t) { t.click(t.rowHeader("A3")); }, "$3:$3", "$A$3", {q("$3:$3")}},
        {"shift-click a row header",
         [](T& t) { t.click(t.rowHeader("A4"), Qt::ShiftModifier); },
         "$1:$4",
         "$A$1",
         {q("$1:$4")}},
        {"corner", [](T& t) { t.click(QPoint(4, 4)); }, "$1:$1048576", "$A$1", {q("$1:$1048576")}},
        {"control-A",
         [](T& t) { t.press(Qt::Key_A, Qt::ControlModifier); },
         "$1:$1048576",
         "$A$1",
         {q("$1:$1048576")}},
        {"down", [](T& t) { t.press(Qt::Key_Down); }, "$A$2", "$A$2", {q("$A$2")}},
        {"right, then into the merged area",
         [](T& t) {
             t.press(Qt::Key_Right);
             t.press(Qt::Key_Right);
             t.press(Qt::Key_Right);
             t.press(Qt::Key_Down);
         },
         "$D$2:$E$3",
         "$D$2",
         {q("$B$1"), q("$C$1"), q("$D$1"), q("$D$2:$E$3")}},
        {"up at the top edge", [](T& t) { t.press(Qt::Key_Up); }, "$A$1", "$A$1", {}},
        {"shift-down twice",
         [](T& t) {
             t.press(Qt::Key_Down, Qt::ShiftModifier);
             t.press(Qt::Key_Down, Qt::ShiftModifier);
         },
         "$A$1:$A$3",
         "$A$1",
         {q("$A$1:$A$2"), q("$A$1:$A$3")}},
        {"shift-right",
         [](T& t) { t.press(Qt::Key_Right, Qt::ShiftModifier); },
         "$A$1:$B$1",
         "$A$1",
         {q("$A$1:$B$1")}},
        {"control-down to the end of the data",
         [](T& t) {
             t.press(Qt::Key_Down, Qt::ControlModifier);
             t.press(Qt::Key_Down, Qt::ControlModifier);
         },
         "$A$9",
         "$A$9",
         {q("$A$5"), q("$A$9")}},
        {"tab and enter",
         [](T& t) {
             t.press(Qt::Key_Tab);
             t.press(Qt::Key_Return);
         },
         "$B$2",
         "$B$2",
         {q("$B$1"), q("$B$2")}},
        {"enter inside a selection moves the active cell only",
         [](T& t) {
             t.click("B2", Qt::ShiftModifier);
             t.press(Qt::Key_Return);
             t.press(Qt::Key_Tab);
         },
         "$A$1:$B$2",
         "$B$2",
         {q("$A$1:$B$2")}},
    };
    return table;
}

TEST_P(Gestures, SelectAndRaiseTheEventOnce)
{
    const Gesture& g = gestures()[size_t(GetParam())];
    g.act(*this);
    EXPECT_EQ(selectionAddress(), q(g.selection)) << g.name;
    EXPECT_EQ(app.ActiveCell().Address(), q(g.active)) << g.name;
    EXPECT_EQ(app.Selection().TypeName(), q("Range"));
    EXPECT_EQ(events, g.events) << g.name;
}

INSTANTIATE_TEST_SUITE_P(Each, Gestures, ::testing::Range(0, int(gestures().size())),
                         [](const ::testing::TestParamInfo<int>& info) {
                             QString name = QString::fromUtf8(gestures()[size_t(info.param)].name);
                             name.replace(QRegularExpression(q("[^A-Za-z0-9]")), q("_"));
                             return name.toStdString();
                         });

TEST_F(SelectionTest, WithEventsOffGesturesSelectSilently)
{
    app.setEnableEvents(false);
    click("B2");
    drag(centreOf("B2"), centreOf("C3"));
    press(Qt::Key_Down, Qt::ShiftModifier);
    EXPECT_EQ(selectionAddress(), q("$B$2:$C$4"));
    EXPECT_TRUE(events.isEmpty());
    app.setEnableEvents(true);
    press(Qt::Key_Down);
    EXPECT_EQ(events, QStringList{q("$B$3")});
}

TEST_F(SelectionTest, TheDrawnSelectionFollowsAutomation)
{
    const QPoint inside = centreOf("C4");
    const QRgb before = grabView().pixel(inside);
    app.ActiveSheet().Range(q("B3:C5")).Select();
    const QImage image = grabView();
    EXPECT_NE(image.pixel(inside), before); // shaded as selected
    EXPECT_EQ(image.pixel(centreOf("B3")), before) << "the active cell is not shaded";
    EXPECT_EQ(events, QStringList{q("$B$3:$C$5")});
}

class ShapeSelectionTest : public SelectionTest
{
protected:
    ShapeSelectionTest()
    {
        QImage image(80, 60, QImage::Format_RGB32);
        image.fill(Qt::darkCyan);
        const QString file = dir.filePath(q("picture.png"));
        image.save(file);
        const xl::Worksheet sheet = app.ActiveSheet();
        sheet.Range(q("C6")).Select();
        sheet.get(q("Pictures")).toObject()->call(q("Insert"), {file});
        const host::ObjectRef box =
            sheet.get(q("Shapes"))
                .toObject()
                ->call(q("AddTextbox"), {Variant(std::int32_t(1)), Variant(300.0), Variant(100.0),
                                         Variant(80.0), Variant(40.0)})
                .toObject();
        box->get(q("TextFrame"))
            .toObject()
            ->get(q("Characters"))
            .toObject()
            ->let(q("Text"), q("box"));
        sheet.Range(q("A1")).Select();
        settle();
        events.clear();
    }
    QPoint pictureAt()
    {
        const xl::Range c6 = app.ActiveSheet().Range(q("C6"));
        return layout().toView(QPointF(c6.Left() + 30, c6.Top() + 20)).toPoint();
    }
    QPoint boxAt() { return layout().toView(QPointF(340, 120)).toPoint(); }
};

TEST_F(ShapeSelectionTest, ClicksSelectShapesAndEscapeReturnsToTheCells)
{
    const QImage plain = grabView();
    click(pictureAt());
    EXPECT_EQ(app.Selection().TypeName(), q("Picture"));
    // Handles are drawn at the picture's corners.
    const xl::Range c6 = app.ActiveSheet().Range(q("C6"));
    const QPoint corner = layout().toView(QPointF(c6.Left(), c6.Top())).toPoint();
    EXPECT_NE(grabView().pixel(corner), plain.pixel(corner));

    click(boxAt(), Qt::ControlModifier);
    EXPECT_EQ(app.Selection().TypeName(), q("DrawingObjects"));
    EXPECT_EQ(app.Selection().get(q("Count")), Variant(std::int32_t(2)));
    click(pictureAt(), Qt::ControlModifier); // a second control-click drops it
    EXPECT_EQ(app.Selection().TypeName(), q("TextBox"));
    EXPECT_TRUE(events.isEmpty()) << "selecting shapes is no cell selection";

    press(Qt::Key_Escape);
    EXPECT_EQ(app.Selection().TypeName(), q("Range"));
    EXPECT_EQ(selectionAddress(), q("$A$1"));
    EXPECT_EQ(events, QStringList{q("$A$1")});
    EXPECT_EQ(grabView().pixel(corner), plain.pixel(corner));

    // A click on a cell leaves the shapes too.
    click(pictureAt());
    click("B2");
    EXPECT_EQ(selectionAddress(), q("$B$2"));
    EXPECT_EQ(events, (QStringList{q("$A$1"), q("$B$2")}));
}

TEST_F(ShapeSelectionTest, SelectingAShapeThroughAutomationShowsItsHandles)
{
    const QImage plain = grabView();
    app.ActiveSheet()
        .get(q("Shapes"))
        .toObject()
        ->get(q("Item"), {Variant(std::int32_t(2))})
        .toObject()
        ->call(q("Select"));
    const QImage selected = grabView();
    const QPoint corner = layout().toView(QPointF(300, 100)).toPoint();
    EXPECT_NE(selected.pixel(corner), plain.pixel(corner));
    EXPECT_EQ(app.Selection().TypeName(), q("TextBox"));
}

TEST_F(ShapeSelectionTest, ARightClickOnAPictureSelectsItForItsContextMenu)
{
    QString asked;
    QObject::connect(&view(), &host_app::SheetView::contextMenuRequested, &window,
                     [&asked](const QString& bar, const QPoint&) { asked = bar; });
    const QPoint at = pictureAt();
    QTest::mousePress(&view(), Qt::RightButton, {}, at);
    QTest::mouseRelease(&view(), Qt::RightButton, {}, at);
    QContextMenuEvent menu(QContextMenuEvent::Mouse, at, view().mapToGlobal(at));
    QApplication::sendEvent(&view(), &menu);
    settle();
    EXPECT_EQ(app.Selection().TypeName(), q("Picture"));
    EXPECT_EQ(asked, q("Pictures Context Menu"));
    for (QMenu* open : window.findChildren<QMenu*>())
        open->close();
}

} // namespace
