// Cell geometry in points: the column width rule, default sizes, hidden rows and columns,
// merged and multi-cell blocks, fonts, and positions far down and right on a sheet.
#include "tests/host/objects/objects_support.h"

#include "host/model/digit_width.h"
#include "host/model/geometry.h"

using namespace objects_test;
using host::model::columnWidthToPixels;
using host::model::maximumDigitWidth;

namespace {

TEST(ColumnWidthRule, StatedWidthsBecomePixels)
{
    struct Case
    {
        double width;
        int digitWidth;
        int pixels;
    } cases[] = {
        {20, 7, 140},   {4.5, 7, 31}, {9.140625, 7, 64}, {11.53515625, 7, 81}, {19.46, 7, 136},
        {12.97, 7, 91}, {0, 7, 0},    {20, 8, 160},      {8.38, 8, 67},        {1, 7, 7},
    };
    for (const Case& c : cases)
        EXPECT_EQ(columnWidthToPixels(c.width, c.digitWidth), c.pixels)
            << c.width << " @" << c.digitWidth;
}

TEST(ColumnWidthRule, DefaultWidthRoundsUpToEightPixels)
{
    host::model::Sheet sheet;
    struct Case
    {
        int base;
        int digitWidth;
        int pixels;
    } cases[] = {{8, 7, 64}, {8, 8, 72}, {8, 6, 56}, {10, 7, 80}, {1, 7, 16}};
    for (const Case& c : cases) {
        sheet.baseColumnWidth = c.base;
        EXPECT_EQ(host::model::defaultColumnPixels(sheet, c.digitWidth), c.pixels) << c.base;
    }
    sheet.defaultColumnWidth = 11.53515625; // a stated default follows the width rule
    EXPECT_EQ(host::model::defaultColumnPixels(sheet, 7), 81);
}

TEST(DigitWidth, TableAndMeasurement)
{
    EXPECT_EQ(maximumDigitWidth(q("Calibri"), 11), 7);
    EXPECT_EQ(maximumDigitWidth(q("calibri"), 11), 7);
    EXPECT_EQ(maximumDigitWidth(q("Arial"), 10), 7);
    EXPECT_EQ(maximumDigitWidth(q("Liberation Sans"), 10), 7);
    EXPECT_EQ(maximumDigitWidth(q("ＭＳ Ｐゴシック"), 11), 8);
    EXPECT_EQ(maximumDigitWidth(q("游ゴシック"), 11), 8);
    // Not in the table and not installed: the common width.
    EXPECT_EQ(maximumDigitWidth(q("No Such Font Anywhere"), 11), 7);
    // Not in the table but installed: measured. Carlito has Calibri's metrics, so at sizes
    // the table lacks it must agree with how Calibri's digits scale.
    EXPECT_EQ(maximumDigitWidth(q("Carlito"), 22), 15);
    EXPECT_EQ(maximumDigitWidth(q("Liberation Sans"), 20), 15);
}

// A sheet with custom, hidden and default columns and rows, built in code.
class SheetGeometry : public HostTest
{
protected:
    SheetGeometry()
    {
        auto& s = modelSheet();
        s.setColumn(2, 2, [](auto& c) {
            c.width = 20;
            c.customWidth = true;
        }); // B 140 px
        s.setColumn(3, 3, [](auto& c) {
            c.width = 15;
            c.hidden = true;
        });                                                     // C hidden
        s.setColumn(4, 4, [](auto& c) { c.hidden = true; });    // D hidden
        s.setColumn(5, 5, [](auto& c) { c.width = 4.5; });      // E 31 px
        s.setColumn(100, 16384, [](auto& c) { c.width = 10; }); // CV… 70 px
        s.editRow(2).height = 30;
        s.editRow(4).hidden = true;
        s.editRow(6).height = 9.75;
        s.editRow(7).height = 12.8;
        s.editRow(500000).height = 45;
        s.merges.push_back(*host::model::parseA1(q("B2:F3")));
    }
};

TEST_F(SheetGeometry, CellsAndBlocks)
{
    // Every row at 15 points, corrected by the stated rows; columns A to CU at the default
    // width except B and E (C and D hidden).
    const double kSheetHeight =
        1048576 * 15.0 + (30 - 15) - 15 + (9.75 - 15) + (12.8 - 15) + (45 - 15);
    const double kColumnCV = 48 + 105 + 23.25 + 94 * 48;
    struct Case
    {
        const char* address;
        double left, top, width, height;
    } cases[] = {
        {"A1", 0, 0, 48, 15},
        {"B1", 48, 0, 105, 15},
        {"C1", 153, 0, 0, 15}, // hidden column
        {"D5", 153, 60, 0, 15},
        {"E4", 153, 60, 23.25, 0}, // hidden row
        {"F6", 176.25, 75, 48, 9.75},
        {"A8", 0, 97.55, 48, 15},      // after 9.75 and 12.8, kept exact in twips
        {"B2:F3", 48, 15, 176.25, 45}, // a merged block across hidden columns
        {"C1:E1", 153, 0, 23.25, 15},
        {"A1:G7", 0, 0, 272.25, 97.55},
        {"A:A", 0, 0, 48, kSheetHeight},
        {"CV1", kColumnCV, 0, 52.5, 15},
        {"A500000", 0, 499999 * 15.0 + 15 - 15 - 5.25 - 2.2, 48, 45},
        {"XFD1048576", kColumnCV + 52.5 * 16284, kSheetHeight - 15, 52.5, 15},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.address);
        const xl::Range r = range(c.address);
        EXPECT_DOUBLE_EQ(r.Left(), c.left);
        EXPECT_DOUBLE_EQ(r.Top(), c.top);
        EXPECT_DOUBLE_EQ(r.Width(), c.width);
        EXPECT_DOUBLE_EQ(r.Height(), c.height);
    }
}

TEST_F(SheetGeometry, MergeAreaGivesTheFrameOfAMergedCell)
{
    const xl::Range frame = range("C3").MergeArea();
    EXPECT_EQ(frame.Address(), q("$B$2:$F$3"));
    EXPECT_DOUBLE_EQ(frame.Left(), 48);
    EXPECT_DOUBLE_EQ(frame.Width(), 176.25);
    EXPECT_DOUBLE_EQ(frame.Height(), 45);
}

TEST_F(SheetGeometry, RowsHiddenByDefaultTakeNoRoom)
{
    modelSheet().rowsHiddenByDefault = true;
    EXPECT_DOUBLE_EQ(range("A1").Height(), 0);
    EXPECT_DOUBLE_EQ(range("A2").Height(), 30); // a stated row stays visible
    EXPECT_DOUBLE_EQ(range("A3").Top(), 30);
    EXPECT_EQ(range("A1").EntireRow().Hidden(), host::Variant(true));
    EXPECT_TRUE(range("1:2").EntireRow().Hidden().isNull());
}

TEST_F(SheetGeometry, ColumnWidthAndRowHeightReadAndWrite)
{
    EXPECT_EQ(range("A1").ColumnWidth(), host::Variant(8.43));
    EXPECT_EQ(range("B1").ColumnWidth(), host::Variant(19.29));
    EXPECT_EQ(range("C1").ColumnWidth(), host::Variant(0.0));
    EXPECT_TRUE(range("A1:B1").ColumnWidth().isNull());
    EXPECT_EQ(range("A2").RowHeight(), host::Variant(30.0));
    EXPECT_TRUE(range("A1:A2").RowHeight().isNull());
    EXPECT_EQ(range("A9:A20").RowHeight(), host::Variant(15.0));

    range("H1:I1").setColumnWidth(20);
    EXPECT_EQ(range("H1").ColumnWidth(), host::Variant(20.0));
    EXPECT_DOUBLE_EQ(range("H1").Width(), 108.75); // 20 × 7 + 5 = 145 px
    EXPECT_DOUBLE_EQ(range("I1").Width(), 108.75);
    range("H1").setColumnWidth(0);
    EXPECT_EQ(range("H1").EntireColumn().Hidden(), host::Variant(true));

    range("A10").setRowHeight(24);
    EXPECT_DOUBLE_EQ(range("A10").Height(), 24);
    EXPECT_FALSE(book().Saved());
    EXPECT_EQ(errorOf([&] { range("A1").setRowHeight(410); }), host::err::ApplicationDefined);
    EXPECT_EQ(errorOf([&] { range("A1").setColumnWidth(256); }), host::err::ApplicationDefined);
}

TEST_F(HostTest, TheDefaultFontSetsTheDigitWidth)
{
    model().defaultFontName = q("ＭＳ Ｐゴシック");
    EXPECT_DOUBLE_EQ(range("A1").Width(), 54); // 8 × 8 + 5 → 72 px
    model().defaultFontName = q("Arial");
    model().defaultFontSize = 10;
    EXPECT_DOUBLE_EQ(range("A1").Width(), 48);
}

TEST(NewWorkbooks, UseTheStandardFont)
{
    host::objects::HostOptions options;
    options.standardFont = q("ＭＳ Ｐゴシック");
    host::objects::Host host(options);
    const xl::Application app(host.application());
    const xl::Workbook book = app.Workbooks().Add();
    EXPECT_DOUBLE_EQ(book.Worksheets(1).Range(q("B2")).Left(), 54);
}

} // namespace
