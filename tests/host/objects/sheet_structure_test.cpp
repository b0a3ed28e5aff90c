// Whole rows and columns inserted and deleted: what moves with them (cells, sizes, merged
// areas, shapes) and what the saved file says afterwards.
#include "tests/host/objects/objects_support.h"

#include "host/xl/shape.h"

#include <QTemporaryDir>

using namespace objects_test;
using host::Variant;

namespace {

class SheetStructureTest : public HostTest
{
protected:
    SheetStructureTest()
    {
        for (const char* cell : {"A2", "A3", "A10", "B1", "D1"})
            range(cell).setValue(Variant(q(cell)));
        range("B3:C4").let(q("MergeCells"), Variant(true));
        range("E2:E3").let(q("MergeCells"), Variant(true));
        range("5:5").setRowHeight(30);
        range("C:C").setColumnWidth(20);
    }
    void insert(const char* address) { range(address).call(q("Insert")); }
    void remove(const char* address) { range(address).call(q("Delete")); }
    QString text(const char* address) { return range(address).Value().toString(); }
    QString merge(const char* address) { return range(address).MergeArea().Address(); }
    xl::Shape box(double top, double height, int placement)
    {
        xl::Shape shape = sheet().Shapes().AddTextbox(1, 200, top, 50, height);
        shape.setPlacement(placement);
        return shape;
    }
};

TEST_F(SheetStructureTest, InsertedRowsPushDownWhatLiesBelow)
{
    const double rowTop6 = range("A6").Top();
    xl::Shape below = box(rowTop6, 20, 2);            // in row 6, moves with cells
    xl::Shape across = box(range("A2").Top(), 45, 1); // rows 2–4, sized with cells
    xl::Shape floating = box(rowTop6, 20, 3);
    insert("3:4");

    EXPECT_EQ(text("A2"), q("A2"));
    EXPECT_TRUE(range("A3").Value().isEmpty());
    EXPECT_EQ(text("A5"), q("A3"));
    EXPECT_EQ(text("A12"), q("A10"));
    EXPECT_EQ(text("B1"), q("B1"));
    EXPECT_EQ(merge("B5"), q("$B$5:$C$6"));
    EXPECT_EQ(merge("E2"), q("$E$2:$E$5")); // cut by the place: it grows
    EXPECT_EQ(range("A7").RowHeight(), Variant(30.0));
    EXPECT_EQ(range("A5").RowHeight(), Variant(15.0));

    EXPECT_DOUBLE_EQ(below.Top(), range("A8").Top());
    EXPECT_DOUBLE_EQ(below.Height(), 20);
    EXPECT_DOUBLE_EQ(across.Top(), range("A2").Top());
    EXPECT_DOUBLE_EQ(across.Height(), 45 + 30);
    EXPECT_DOUBLE_EQ(floating.Top(), rowTop6);
}

TEST_F(SheetStructureTest, DeletedRowsTakeTheirCellsAndPullUpWhatLiesBelow)
{
    xl::Shape below = box(range("A10").Top(), 20, 2);
    remove("3:4");
    EXPECT_EQ(text("A2"), q("A2"));
    EXPECT_TRUE(range("A3").Value().isEmpty()); // A3 went with its row
    EXPECT_EQ(text("A8"), q("A10"));
    EXPECT_EQ(merge("B3"), q("$B$3")); // wholly inside: gone
    EXPECT_EQ(merge("E2"), q("$E$2")); // cut down to one cell: no longer merged
    EXPECT_EQ(range("A3").RowHeight(), Variant(30.0));
    EXPECT_DOUBLE_EQ(below.Top(), range("A8").Top());
}

TEST_F(SheetStructureTest, ColumnsMoveWithTheirWidths)
{
    insert("B:B");
    EXPECT_EQ(text("C1"), q("B1"));
    EXPECT_EQ(text("E1"), q("D1"));
    EXPECT_EQ(merge("C3"), q("$C$3:$D$4"));
    EXPECT_EQ(range("D1").ColumnWidth(), Variant(20.0));
    remove("A:B");
    EXPECT_EQ(text("A1"), q("B1"));
    EXPECT_EQ(range("B1").ColumnWidth(), Variant(20.0));
}

TEST_F(SheetStructureTest, PartsOfRowsAndProtectedSheetsAreRefused)
{
    EXPECT_EQ(errorOf([&] { insert("A3:B4"); }), 1004);
    EXPECT_EQ(text("A3"), q("A3"));
    sheet().Protect(true, true);
    EXPECT_EQ(errorOf([&] { insert("3:3"); }), 1004);
    EXPECT_EQ(errorOf([&] { range("C1").get(q("EntireColumn")).toObject()->call(q("Delete")); }),
              1004);
    EXPECT_EQ(text("A3"), q("A3"));
}

TEST_F(SheetStructureTest, TheSavedFileHoldsTheNewLayout)
{
    insert("2:2");
    remove("C:C");
    QTemporaryDir dir;
    const QString path = dir.filePath(q("lines.xlsx"));
    book().SaveAs(path);

    host::objects::Host other;
    const xl::Application reader{other.application()};
    const xl::Worksheet back = reader.Workbooks().Open(path).Worksheets(1);
    EXPECT_TRUE(back.Range(q("A2")).Value().isEmpty());
    EXPECT_EQ(back.Range(q("A3")).Value(), Variant(q("A2")));
    EXPECT_EQ(back.Range(q("A11")).Value(), Variant(q("A10")));
    EXPECT_EQ(back.Range(q("C1")).Value(), Variant(q("D1")));
    EXPECT_EQ(back.Range(q("B4")).MergeArea().Address(), q("$B$4:$B$5"));
    EXPECT_EQ(back.Range(q("A6")).RowHeight(), Variant(30.0));
}

} // namespace
