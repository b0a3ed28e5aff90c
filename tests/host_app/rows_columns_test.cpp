// Rows and columns in the window: header borders dragged, the right-click menu of headers and
// cells, and each edit undone and redone.
#include "tests/host_app/host_app_support.h"

#include "host_app/cell_menu.h"
#include "host_app/edit_history.h"

#include <QMenu>
#include <QUndoStack>

using namespace host_app_test;
using host::Variant;

namespace {

class RowsColumnsTest : public HostAppTest
{
public:
    RowsColumnsTest()
    {
        app.Workbooks().Add();
        app.ActiveSheet().Range(q("A3")).setValue(Variant(q("three")));
        settle();
    }
    xl::Range range(const char* address) { return app.ActiveSheet().Range(q(address)); }
    QUndoStack& stack() { return window.history().stackFor(*host.app().activeWorkbook()); }
    void undo()
    {
        stack().undo();
        settle();
    }
    void redo()
    {
        stack().redo();
        settle();
    }
    // The border after a column (row) in its header, in view pixels.
    QPoint columnBorder(const char* address)
    {
        const xl::Range c = range(address);
        return QPoint(int(layout().toView(QPointF(c.Left() + c.Width(), 0)).x()),
                      layout().columnHeaderHeight() / 2);
    }
    QPoint rowBorder(const char* address)
    {
        const xl::Range c = range(address);
        return QPoint(layout().rowHeaderWidth() / 2,
                      int(layout().toView(QPointF(0, c.Top() + c.Height())).y()));
    }
    // Right-clicks there and chooses the entry of the menu that opens.
    void choose(QPoint at, const char* entry)
    {
        QTest::mouseClick(&view(), Qt::RightButton, {}, at);
        settle();
        const host_app::ViewHit hit = view().hitAt(at);
        QMenu menu;
        host_app::CellMenu::fill(menu, hit.part, view(), window.history());
        for (QAction* action : menu.actions())
            if (action->text() == q(entry)) {
                action->trigger();
                settle();
                return;
            }
        FAIL() << "no entry " << entry;
    }
    QPoint columnHeader(const char* address)
    {
        return QPoint(centreOf(address).x(), layout().columnHeaderHeight() / 2);
    }
    QPoint rowHeader(const char* address)
    {
        return QPoint(layout().rowHeaderWidth() / 2, centreOf(address).y());
    }
};

TEST_F(RowsColumnsTest, DraggingAHeaderBorderResizesAndUndoPutsItBack)
{
    const double width = range("B1").Width();
    const QPoint border = columnBorder("B1");
    drag(border, border + QPoint(40, 0)); // 40 view pixels at 100 % are 30 points
    EXPECT_NEAR(range("B1").Width(), width + 30, 0.01);
    EXPECT_EQ(stack().count(), 1);
    undo();
    EXPECT_NEAR(range("B1").Width(), width, 0.01);
    redo();
    EXPECT_NEAR(range("B1").Width(), width + 30, 0.01);

    const QPoint rowEdge = rowBorder("A2");
    drag(rowEdge, rowEdge + QPoint(0, 20));
    EXPECT_NEAR(range("A2").Height(), 15 + 15, 0.01);
    // Dragged past its top, the row is hidden.
    const QPoint again = rowBorder("A2");
    drag(again, again - QPoint(0, 200));
    EXPECT_EQ(range("2:2").get(q("Hidden")), Variant(true));
    EXPECT_EQ(stack().count(), 3);
    // The press was on a border, not a header: the selection stayed.
    EXPECT_EQ(selectionAddress(), q("$A$1"));
}

TEST_F(RowsColumnsTest, TheHeaderMenuInsertsDeletesHidesAndShowsLines)
{
    choose(rowHeader("A2"), "挿入(&I)");
    EXPECT_EQ(selectionAddress(), q("$2:$2"));
    EXPECT_EQ(range("A4").Value(), Variant(q("three")));
    choose(rowHeader("A2"), "削除(&D)");
    EXPECT_EQ(range("A3").Value(), Variant(q("three")));
    undo();
    EXPECT_EQ(range("A4").Value(), Variant(q("three")));
    undo();
    EXPECT_EQ(range("A3").Value(), Variant(q("three")));

    choose(columnHeader("C1"), "表示しない(&H)");
    EXPECT_EQ(range("C:C").get(q("Hidden")), Variant(true));
    // Shown again from a selection of the columns around it.
    drag(columnHeader("B1"), columnHeader("D1"));
    choose(columnHeader("B1"), "再表示(&U)");
    EXPECT_EQ(range("C:C").get(q("Hidden")), Variant(false));
}

TEST_F(RowsColumnsTest, TheCellMenuMergesAndUnmerges)
{
    range("B2").setValue(Variant(q("kept")));
    range("C3").setValue(Variant(q("dropped")));
    settle();
    drag(centreOf("B2"), centreOf("C3"));
    choose(centreOf("B2"), "セルを結合(&M)");
    EXPECT_EQ(range("B2").MergeArea().Address(), q("$B$2:$C$3"));
    EXPECT_TRUE(range("C3").Value().isEmpty());
    undo();
    EXPECT_EQ(range("B2").MergeArea().Address(), q("$B$2"));
    EXPECT_EQ(range("C3").Value(), Variant(q("dropped")));
    redo();
    click("B2");
    choose(centreOf("B2"), "セル結合の解除(&S)");
    EXPECT_EQ(range("B2").MergeArea().Address(), q("$B$2"));
    EXPECT_EQ(stack().count(), 2);
}

TEST_F(RowsColumnsTest, EditsOnAProtectedSheetAreRefusedWithAMessage)
{
    app.ActiveSheet().Protect(true, true);
    settle();
    choose(rowHeader("A2"), "挿入(&I)");
    EXPECT_EQ(range("A3").Value(), Variant(q("three")));
    ASSERT_EQ(messages.shown().size(), 1u);
    EXPECT_EQ(stack().count(), 0);
}

} // namespace
