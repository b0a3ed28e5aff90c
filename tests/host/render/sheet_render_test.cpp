#include "host/render/sheet_render.h"

#include "host/render/copy_paste.h"
#include "tests/host/render/render_support.h"

#include <gtest/gtest.h>

using namespace host;
using namespace render_test;
using model::CellRect;

namespace {

constexpr double kPixelsPerPoint = 4.0 / 3.0;

// Columns of the default 64 pixels (Calibri 11: 48 points) and rows of 20 pixels (15 points).
class SheetRender : public ::testing::Test
{
protected:
    model::Sheet& sheet() { return *book->sheets.front(); }
    void number(int row, int column, double value)
    {
        model::Cell& c = sheet().editCell(row, column);
        c.kind = model::CellKind::Number;
        c.number = value;
    }
    void text(int row, int column, const char* value)
    {
        model::Cell& c = sheet().editCell(row, column);
        c.kind = model::CellKind::Text;
        c.text = QString::fromUtf8(value);
    }
    void boolean(int row, int column, bool value)
    {
        model::Cell& c = sheet().editCell(row, column);
        c.kind = model::CellKind::Boolean;
        c.boolean = value;
    }
    QImage render(const char* address)
    {
        return render::renderRange(*book, sheet(), *model::parseA1(QString::fromLatin1(address)),
                                   kPixelsPerPoint)
            .convertToFormat(QImage::Format_ARGB32);
    }

    std::unique_ptr<model::Workbook> book = oneSheetBook();
};

// The columns (x) that hold dark ink between rows y0 and y1; empty when none.
std::pair<int, int> inkColumns(const QImage& image, QRect band)
{
    int first = -1, last = -1;
    for (int x = band.left(); x <= band.right(); ++x)
        for (int y = band.top(); y <= band.bottom(); ++y)
            if (qGray(image.pixel(x, y)) < 128) {
                if (first < 0)
                    first = x;
                last = x;
                break;
            }
    return {first, last};
}

bool hasInk(const QImage& image, QRect band)
{
    return inkColumns(image, band).first >= 0;
}

TEST_F(SheetRender, ValuesAlignByTheirKind)
{
    number(1, 1, 42);
    text(1, 2, "ab");
    boolean(1, 3, true);
    const QImage image = render("A1:C1");
    ASSERT_EQ(image.size(), QSize(192, 20));
    EXPECT_EQ(image.dotsPerMeterX(), 3780);
    const auto numberInk = inkColumns(image, QRect(0, 0, 64, 20));
    const auto textInk = inkColumns(image, QRect(64, 0, 64, 20));
    const auto boolInk = inkColumns(image, QRect(128, 0, 64, 20));
    ASSERT_GE(numberInk.first, 0);
    ASSERT_GE(textInk.first, 0);
    ASSERT_GE(boolInk.first, 0);
    EXPECT_GT(numberInk.first, 40); // right-aligned, a padding short of the edge
    EXPECT_GE(numberInk.second, 58);
    EXPECT_LE(textInk.first, 64 + 5); // left-aligned
    EXPECT_LT(textInk.second, 64 + 30);
    EXPECT_NEAR((boolInk.first + boolInk.second) / 2.0, 160, 3); // centred
    // No grid lines: the cells' borders are white.
    EXPECT_EQ(image.pixel(63, 2), 0xFFFFFFFFu);
}

TEST_F(SheetRender, TextRunsOnOverEmptyNeighboursOnly)
{
    text(1, 1, "a long text that runs on");
    text(2, 1, "a long text that runs on");
    number(2, 2, 1);
    const QImage image = render("A1:C2");
    EXPECT_GT(inkColumns(image, QRect(0, 0, 192, 20)).second, 100); // over B1
    // Row 2: B2 holds a value, so A2's text stops at A's edge; only B2's digit shows in B.
    const auto inB = inkColumns(image, QRect(64, 20, 64, 20));
    EXPECT_GT(inB.first, 110);
}

TEST_F(SheetRender, MergedAreaShowsItsValueOnceAtItsBottom)
{
    text(1, 1, "merged");
    text(2, 1, "hidden by the merge");
    sheet().merges.push_back(CellRect{1, 1, 3, 1}); // A1:A3
    const QImage image = render("A1:A3");
    EXPECT_FALSE(hasInk(image, QRect(0, 0, 64, 40)));
    EXPECT_TRUE(hasInk(image, QRect(0, 40, 64, 20)));

    // A block that starts inside the merge still shows it.
    const QImage lower = render("A2:A3");
    EXPECT_TRUE(hasInk(lower, QRect(0, 20, 64, 20)));
}

TEST_F(SheetRender, HiddenColumnsAndRowsTakeNoRoom)
{
    sheet().setColumn(2, 2, [](model::ColumnSpan& span) { span.hidden = true; });
    sheet().editRow(2).hidden = true;
    text(1, 2, "never seen");
    number(1, 3, 7);
    const QImage image = render("A1:C3");
    ASSERT_EQ(image.size(), QSize(128, 40));
    EXPECT_TRUE(hasInk(image, QRect(64, 0, 64, 20))); // C1 right after A1
    EXPECT_FALSE(hasInk(image, QRect(0, 0, 60, 20))); // nothing of B1 spills
}

TEST_F(SheetRender, GridLinesWhenAsked)
{
    render::RangeLook look;
    look.gridLines = true;
    const QImage image =
        render::renderRange(*book, sheet(), CellRect{1, 1, 2, 2}, kPixelsPerPoint, look)
            .convertToFormat(QImage::Format_ARGB32);
    // The line between A and B lies on pixel 63 or 64, light grey.
    const int line = std::min(qGray(image.pixel(63, 10)), qGray(image.pixel(64, 10)));
    EXPECT_LT(line, 240);
    EXPECT_GT(line, 150);
    EXPECT_EQ(image.pixel(30, 10), 0xFFFFFFFFu);
}

TEST_F(SheetRender, ShapesShowOverTheirCells)
{
    QImage red(40, 40, QImage::Format_RGB32);
    red.fill(Qt::red);
    // Over B2 (48, 15) to the middle of C3.
    sheet().drawing.shapes.push_back(pictureShape(1, red, QRectF(48, 15, 72, 22.5)));
    model::Shape comment;
    comment.kind = model::ShapeKind::Comment;
    comment.id = 2;
    comment.left = 0, comment.top = 0, comment.width = 200, comment.height = 100;
    comment.fillVisible = true;
    comment.fillColor = 0xFF00FF00;
    sheet().drawing.shapes.push_back(comment);
    const QImage image = render("B2:D4");
    EXPECT_EQ(image.pixel(1, 1), 0xFFFF0000u);
    EXPECT_EQ(image.pixel(94, 28), 0xFFFF0000u);
    EXPECT_EQ(image.pixel(97, 32), 0xFFFFFFFFu); // past the picture; comments are not drawn
}

TEST_F(SheetRender, UsedAreaCoversValuesAndShapes)
{
    EXPECT_EQ(render::usedArea(*book, sheet()), CellRect{});
    number(3, 2, 1);
    EXPECT_EQ(render::usedArea(*book, sheet()), (CellRect{3, 2, 3, 2}));
    QImage red(4, 4, QImage::Format_RGB32);
    red.fill(Qt::red);
    // From inside E6 to the far edges of F7: F7 is the last cell covered.
    sheet().drawing.shapes.push_back(pictureShape(1, red, QRectF(200, 80, 88, 25)));
    EXPECT_EQ(render::usedArea(*book, sheet()), (CellRect{3, 2, 7, 6}));
}

TEST_F(SheetRender, CopyOfCellsRendersAt96DpiWithTheirText)
{
    text(1, 1, "a");
    number(1, 2, 2.5);
    boolean(2, 2, false);
    const render::ClipContent copy = render::copyOfRange(*book, sheet(), CellRect{1, 1, 3, 3});
    EXPECT_TRUE(copy.cells);
    EXPECT_EQ(copy.margin, 0);
    EXPECT_EQ(copy.points, QSizeF(144, 45));
    EXPECT_EQ(copy.bitmap.size(), QSize(192, 60));
    EXPECT_EQ(copy.bitmap.dotsPerMeterX(), 3780);
    EXPECT_FALSE(copy.emf.isEmpty());
    EXPECT_EQ(copy.text, QStringLiteral("a\t2.5\n\tFALSE\n"));
}

TEST_F(SheetRender, JapaneseCellsAndTextBoxForTheEye)
{
    text(1, 1, "日本語の文字");
    number(1, 2, 1234.5);
    text(2, 1, "結合されたセル");
    sheet().merges.push_back(CellRect{2, 1, 3, 2});
    model::Shape box;
    box.id = 1;
    box.kind = model::ShapeKind::TextBox;
    box.left = 100, box.top = 50, box.width = 120, box.height = 50;
    box.rotation = 10;
    box.fillVisible = true;
    box.lineVisible = true;
    model::TextBody body;
    body.text = QStringLiteral("テキストボックスの中の日本語は折り返されます");
    body.font.italic = true;
    body.font.colorIndex = 3; // red in the default palette
    box.text = body;
    sheet().drawing.shapes.push_back(box);
    render::RangeLook look;
    look.gridLines = true;
    const QImage image = render::renderRange(*book, sheet(), CellRect{1, 1, 8, 5}, 2.0, look);
    ASSERT_FALSE(image.isNull());
    EXPECT_TRUE(image.save(QStringLiteral("/tmp/picrows_render_cells.png")));
    // The red text of the box is drawn (palette 3).
    bool red = false;
    const QImage argb = image.convertToFormat(QImage::Format_ARGB32);
    for (int y = 100; y < 200 && !red; ++y)
        for (int x = 200; x < 440 && !red; ++x) {
            const QRgb p = argb.pixel(x, y);
            red = qRed(p) > 180 && qGreen(p) < 80 && qBlue(p) < 80;
        }
    EXPECT_TRUE(red);
}

} // namespace
