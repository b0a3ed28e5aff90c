// Worksheets: the name rules, visibility, protection, grouping, copies within and across
// workbooks, deletion.
#include "tests/host/objects/objects_support.h"

using namespace objects_test;
using host::Variant;

namespace {

TEST_F(HostTest, SheetNameRules)
{
    struct Case
    {
        QString name;
        int error;
    } cases[] = {
        {q("Sheet2"), host::err::ApplicationDefined}, // taken
        {q("sHEET3"), host::err::ApplicationDefined}, // taken, letter case ignored
        {QString(32, u'x'), host::err::ApplicationDefined},
        {QString(31, u'x'), 0},
        {q(""), host::err::ApplicationDefined},
        {q("a:b"), host::err::ApplicationDefined},
        {q("a\\b"), host::err::ApplicationDefined},
        {q("a/b"), host::err::ApplicationDefined},
        {q("a?b"), host::err::ApplicationDefined},
        {q("a*b"), host::err::ApplicationDefined},
        {q("a[b"), host::err::ApplicationDefined},
        {q("a]b"), host::err::ApplicationDefined},
        {q("'ab"), host::err::ApplicationDefined},
        {q("ab'"), host::err::ApplicationDefined},
        {q("a'b"), 0},
        {q("history"), host::err::ApplicationDefined},
        {q("テンプレート (2)"), 0},
        {q("SHEET1"), 0}, // its own name in another letter case
    };
    for (const Case& c : cases) {
        EXPECT_EQ(errorOf([&] { sheet().setName(c.name); }), c.error) << c.name.toStdString();
        if (c.error == 0) {
            EXPECT_EQ(sheet().Name(), c.name);
        }
    }
    EXPECT_EQ(descriptionOf([&] { sheet().setName(q("Sheet2")); }),
              q("Cannot rename a sheet to the same name as another sheet, a referenced object "
                "library or a workbook referenced by Visual Basic."));
    EXPECT_TRUE(descriptionOf([&] {
                    sheet().setName(q("a/b"));
                }).startsWith(q("You typed an invalid name for a sheet or chart.")));
    EXPECT_TRUE(model().sheetListDirty);
    EXPECT_FALSE(book().Saved());
}

TEST_F(HostTest, VisibilityKeepsOneVisibleSheet)
{
    sheet(2).setVisible(0);
    EXPECT_EQ(sheet(2).Visible(), 0);
    sheet(3).setVisible(2);
    EXPECT_EQ(sheet(3).Visible(), 2);
    EXPECT_EQ(errorOf([&] { sheet(1).setVisible(0); }), host::err::ApplicationDefined);
    EXPECT_EQ(errorOf([&] { sheet(2).setVisible(5); }), host::err::ApplicationDefined);
    EXPECT_EQ(errorOf([&] { sheet(2).Activate(); }), host::err::ApplicationDefined);

    // Hiding the active sheet activates the next visible one.
    sheet(2).setVisible(-1);
    sheet(2).Activate();
    sheet(2).let(q("Visible"), false);
    EXPECT_EQ(app.ActiveSheet().Name(), q("Sheet1"));
    EXPECT_EQ(sheet(2).Visible(), 0);
}

TEST_F(HostTest, ProtectionFlags)
{
    EXPECT_FALSE(sheet().ProtectContents());
    EXPECT_FALSE(sheet().ProtectDrawingObjects());
    sheet().Protect(false, true);
    EXPECT_TRUE(sheet().ProtectContents());
    EXPECT_FALSE(sheet().ProtectDrawingObjects());
    sheet().Protect();
    EXPECT_TRUE(sheet().ProtectDrawingObjects());
    EXPECT_TRUE(modelSheet().protectionDirty);
    sheet().Unprotect();
    EXPECT_FALSE(sheet().ProtectContents());
    EXPECT_FALSE(sheet().ProtectDrawingObjects());
}

TEST_F(HostTest, GroupedSheetsAreTheWindowsSelectedSheets)
{
    const xl::Window window = app.ActiveWindow();
    EXPECT_EQ(window.SelectedSheets().Count(), 1);
    sheet(3).Select(false);
    ASSERT_EQ(window.SelectedSheets().Count(), 2);
    EXPECT_EQ(window.SelectedSheets().Item(2).Name(), q("Sheet3"));
    EXPECT_EQ(app.ActiveSheet().Name(), q("Sheet1"));
    sheet(1).Select(); // selecting the active sheet alone ends the group
    EXPECT_EQ(window.SelectedSheets().Count(), 1);
    sheet(3).Select(false);
    sheet(2).Select();
    EXPECT_EQ(window.SelectedSheets().Count(), 1);
    EXPECT_EQ(app.ActiveSheet().Name(), q("Sheet2"));
}

TEST_F(HostTest, CopyWithinTheWorkbookNumbersTheName)
{
    range("B2").setValue(q("frame"));
    range("B2:C3").setMergeCells(true);
    const xl::Sheets sheets = book().Worksheets();
    sheet(1).Copy({}, sheets.Item(sheets.Count()));
    ASSERT_EQ(sheets.Count(), 4);
    const xl::Worksheet copy = sheets.Item(4);
    EXPECT_EQ(copy.Name(), q("Sheet1 (2)"));
    EXPECT_EQ(copy.Range(q("B2")).Value(), Variant(q("frame")));
    EXPECT_EQ(copy.Range(q("C3")).MergeArea().Address(), q("$B$2:$C$3"));
    EXPECT_EQ(app.ActiveSheet().Name(), q("Sheet1 (2)"));

    sheet(1).Copy(sheets.Item(1));
    EXPECT_EQ(sheets.Item(1).Name(), q("Sheet1 (3)"));
    copy.Copy({}, copy);
    EXPECT_EQ(sheets.Item(6).Name(), q("Sheet1 (4)"));
    EXPECT_EQ(sheets.Item(2).Name(), q("Sheet1")); // the original moved one place on
    EXPECT_FALSE(book().Saved());
}

TEST_F(HostTest, CopyIntoAnotherWorkbook)
{
    range("A1").setValue(q("source"));
    const xl::Workbook other = app.Workbooks().Add();
    ASSERT_EQ(other.Name(), q("Book2"));
    const xl::Sheets target = other.Worksheets();
    ASSERT_EQ(target.Count(), 1);

    sheet(2).Copy({}, target.Item(1)); // a free name stays as it is
    sheet(1).Copy({}, target.Item(2)); // "Sheet1" is taken there
    ASSERT_EQ(target.Count(), 3);
    EXPECT_EQ(target.Item(2).Name(), q("Sheet2"));
    EXPECT_EQ(target.Item(3).Name(), q("Sheet1 (2)"));
    EXPECT_EQ(target.Item(3).Range(q("A1")).Value(), Variant(q("source")));
    EXPECT_EQ(app.ActiveWorkbook().Name(), q("Book2"));
    EXPECT_EQ(app.ActiveSheet().Name(), q("Sheet1 (2)"));
    EXPECT_EQ(book().Worksheets().Count(), 3); // the source keeps its sheets

    // With neither Before nor After the copy becomes a new workbook of its own, laid out
    // with the source's default font.
    model().defaultFontName = q("ＭＳ Ｐゴシック");
    sheet(1).Copy();
    EXPECT_EQ(app.ActiveWorkbook().Name(), q("Book3"));
    ASSERT_EQ(app.ActiveWorkbook().Worksheets().Count(), 1);
    EXPECT_EQ(app.ActiveSheet().Name(), q("Sheet1"));
    EXPECT_EQ(app.ActiveSheet().Range(q("A1")).Value(), Variant(q("source")));
    EXPECT_DOUBLE_EQ(app.ActiveSheet().Range(q("B1")).Left(), 54);
}

TEST_F(HostTest, DeleteKeepsAVisibleSheetAndDisconnectsTheObject)
{
    const xl::Worksheet second = sheet(2);
    second.Activate();
    second.Delete();
    EXPECT_EQ(book().Worksheets().Count(), 2);
    EXPECT_EQ(app.ActiveSheet().Name(), q("Sheet3")); // the next one
    EXPECT_EQ(errorOf([&] { second.Name(); }), host::objects::kDisconnected);
    EXPECT_EQ(errorOf([&] { second.Range(q("A1")); }), host::objects::kDisconnected);

    sheet(2).setVisible(0);
    EXPECT_EQ(errorOf([&] { sheet(1).Delete(); }), host::err::ApplicationDefined);
    sheet(2).Delete(); // a hidden sheet may go
    EXPECT_EQ(book().Worksheets().Count(), 1);
    EXPECT_TRUE(model().sheetListDirty);
}

TEST_F(HostTest, SheetsAreFoundByIndexOrName)
{
    const xl::Sheets sheets = book().Worksheets();
    EXPECT_EQ(sheets.Item(q("sheet2")).Index(), 2);
    EXPECT_EQ(sheets.Item(3).Name(), q("Sheet3"));
    EXPECT_EQ(errorOf([&] { sheets.Item(4); }), host::err::OutOfRange);
    EXPECT_EQ(errorOf([&] { sheets.Item(q("Nope")); }), host::err::OutOfRange);
    EXPECT_TRUE(sheets.Item(1) == sheet(1)); // one object per sheet
    EXPECT_TRUE(sheets.Item(1).Parent() == book());
    EXPECT_EQ(sheets.items().size(), 3u);

    const xl::Worksheet added = sheets.Add();
    EXPECT_EQ(added.Name(), q("Sheet4"));
    EXPECT_EQ(added.Index(), 1); // before the active sheet
    EXPECT_TRUE(app.ActiveSheet() == added);
}

} // namespace
