// Cells drawn with their formats: fills, borders, fonts, alignment, wrapping and number formats
// show where they must, in pixels, at 96 dpi (4/3 pixels a point) unless said otherwise.

#include "host/render/cell_look.h"
#include "host/render/cell_text.h"
#include "host/render/sheet_render.h"
#include "host/xlsx/xlsx_io.h"
#include "tests/host/render/render_support.h"

#include <QFile>

#include <gtest/gtest.h>

#include <cstdlib>
#include <functional>

using namespace host;
using namespace render_test;
using model::CellRect;

namespace {

constexpr double kPixelsPerPoint = 4.0 / 3.0;

// Columns of the default 64 pixels and rows of 20.
class CellFormats : public ::testing::Test
{
protected:
    model::Sheet& sheet() { return *book->sheets.front(); }

    // A format of its own for each call; `change` sets its look.
    int format(const std::function<void(model::CellFormat&, model::CellFont&)>& change)
    {
        model::CellFont font;
        model::CellFormat f;
        change(f, font);
        book->fonts.push_back(font);
        f.font = int(book->fonts.size()) - 1;
        book->cellFormats.push_back(f);
        return int(book->cellFormats.size()) - 1;
    }
    int fill(QRgb colour)
    {
        book->fills.push_back({model::FillPattern::Solid, rgb(colour), {}});
        const int index = int(book->fills.size()) - 1;
        return format([&](model::CellFormat& f, model::CellFont&) { f.fill = index; });
    }
    int border(const model::CellBorder& b)
    {
        book->borders.push_back(b);
        const int index = int(book->borders.size()) - 1;
        return format([&](model::CellFormat& f, model::CellFont&) { f.border = index; });
    }
    int aligned(model::HorizontalAlignment h, bool wrap = false)
    {
        return format([&](model::CellFormat& f, model::CellFont&) {
            f.alignment.horizontal = h;
            f.alignment.wrap = wrap;
        });
    }
    model::Cell& text(int row, int column, const char* value, int style = 0)
    {
        model::Cell& c = sheet().editCell(row, column);
        c.kind = model::CellKind::Text;
        c.text = QString::fromUtf8(value);
        c.style = style;
        return c;
    }
    model::Cell& number(int row, int column, double value, int style = 0)
    {
        model::Cell& c = sheet().editCell(row, column);
        c.kind = model::CellKind::Number;
        c.number = value;
        c.style = style;
        return c;
    }
    void styleOnly(int row, int column, int style) { sheet().editCell(row, column).style = style; }
    QImage render(const char* address, double pixelsPerPoint = kPixelsPerPoint)
    {
        return render::renderRange(*book, sheet(), *model::parseA1(QString::fromLatin1(address)),
                                   pixelsPerPoint)
            .convertToFormat(QImage::Format_ARGB32);
    }
    static model::StyleColor rgb(QRgb c) { return {model::StyleColor::Kind::Rgb, c, 0, 0}; }
    static model::BorderLine line(model::BorderStyle s, QRgb c)
    {
        return model::BorderLine{s, rgb(c)};
    }

    std::unique_ptr<model::Workbook> book = oneSheetBook();
};

// First and last columns holding dark ink inside `band`; (-1, -1) when none.
std::pair<int, int> inkColumns(const QImage& image, QRect band, int darkerThan = 128)
{
    int first = -1, last = -1;
    for (int x = band.left(); x <= band.right(); ++x)
        for (int y = band.top(); y <= band.bottom(); ++y)
            if (qGray(image.pixel(x, y)) < darkerThan) {
                if (first < 0)
                    first = x;
                last = x;
                break;
            }
    return {first, last};
}

// The rows holding dark ink inside `band`.
std::vector<int> inkRows(const QImage& image, QRect band)
{
    std::vector<int> rows;
    for (int y = band.top(); y <= band.bottom(); ++y)
        for (int x = band.left(); x <= band.right(); ++x)
            if (qGray(image.pixel(x, y)) < 128) {
                rows.push_back(y);
                break;
            }
    return rows;
}

// The sum of darkness over `band`: how much ink there is.
double ink(const QImage& image, QRect band)
{
    double sum = 0;
    for (int y = band.top(); y <= band.bottom(); ++y)
        for (int x = band.left(); x <= band.right(); ++x)
            sum += 255 - qGray(image.pixel(x, y));
    return sum;
}

bool near(QRgb p, QRgb want, int tolerance = 2)
{
    return std::abs(qRed(p) - qRed(want)) <= tolerance &&
           std::abs(qGreen(p) - qGreen(want)) <= tolerance &&
           std::abs(qBlue(p) - qBlue(want)) <= tolerance;
}

// The darkest pixel inside `band`: a glyph's full colour.
QRgb darkest(const QImage& image, QRect band)
{
    QRgb best = 0xffffffff;
    for (int y = band.top(); y <= band.bottom(); ++y)
        for (int x = band.left(); x <= band.right(); ++x)
            if (qGray(image.pixel(x, y)) < qGray(best))
                best = image.pixel(x, y);
    return best;
}

TEST_F(CellFormats, FillsAndFontColoursShowInsideTheirCells)
{
    const auto formats = xlsx::load(QStringLiteral(PICROWS_SOURCE_DIR) +
                                    QStringLiteral("/tests/fixtures/openpyxl_formats.xlsx"));
    const model::Sheet& s = *formats->sheets.front();
    const CellRect block{1, 1, 10, 9};
    const QImage image = render::renderRange(*formats, s, block, kPixelsPerPoint)
                             .convertToFormat(QImage::Format_ARGB32);
    // A cell's rectangle in the image's pixels.
    const auto at = [&](const char* address) {
        const QRectF points =
            render::rangeRect(*formats, s, *model::parseA1(QString::fromLatin1(address)));
        const QPointF origin = render::rangeRect(*formats, s, block).topLeft();
        return QRectF((points.topLeft() - origin) * kPixelsPerPoint,
                      points.size() * kPixelsPerPoint)
            .toRect();
    };
    const auto centre = [&](const char* address) {
        const QPoint c = at(address).center();
        return image.pixel(c.x(), c.y());
    };
    // A2: the theme's second accent (ED7D31) a quarter darker.
    EXPECT_TRUE(near(centre("A2"), qRgb(197, 90, 17))) << std::hex << centre("A2");
    // B2: palette index 13, yellow; C2: the 12.5 % grey pattern as its mean.
    EXPECT_TRUE(near(centre("B2"), qRgb(255, 255, 0)));
    EXPECT_TRUE(near(centre("C2"), qRgb(223, 223, 223), 3));
    EXPECT_EQ(centre("D2"), 0xffffffffu);
    // Empty cells of row 7 show the row's fill, and those of column H the column's; where
    // both have one, the row's.
    EXPECT_TRUE(near(centre("C7"), qRgb(255, 255, 0)));
    EXPECT_TRUE(near(centre("H9"), qRgb(0, 255, 255)));
    EXPECT_TRUE(near(centre("H7"), qRgb(255, 255, 0)));
    // Fonts: A1 red, B1 the theme's first accent (2E75B6) lightened by 40 %.
    EXPECT_TRUE(near(darkest(image, at("A1")), qRgb(255, 0, 0), 30));
    EXPECT_TRUE(near(darkest(image, at("B1")), qRgb(120, 173, 221), 30))
        << std::hex << darkest(image, at("B1"));
}

TEST_F(CellFormats, BordersLieOnTheEdgesAndTheHeavierWins)
{
    using model::BorderStyle;
    model::CellBorder b2;
    b2.left = line(BorderStyle::Thin, 0xffff0000);
    b2.bottom = line(BorderStyle::Thick, 0xff0000ff);
    styleOnly(2, 2, border(b2));
    // A3 | B3: medium green against thin red; A4 | B4: thin red against thin blue.
    model::CellBorder a3, b3, a4, b4;
    a3.right = line(BorderStyle::Medium, 0xff00ff00);
    b3.left = line(BorderStyle::Thin, 0xffff0000);
    a4.right = line(BorderStyle::Thin, 0xffff0000);
    b4.left = line(BorderStyle::Thin, 0xff0000ff);
    styleOnly(3, 1, border(a3));
    styleOnly(3, 2, border(b3));
    styleOnly(4, 1, border(a4));
    styleOnly(4, 2, border(b4));
    const QImage image = render("A1:C5");

    const auto columnsOf = [&](int y, QRgb colour) {
        std::vector<int> xs;
        for (int x = 0; x < image.width(); ++x)
            if (near(image.pixel(x, y), colour, 40))
                xs.push_back(x);
        return xs;
    };
    // B2's left edge: one red pixel at the edge between A and B (x = 64).
    const auto red = columnsOf(30, qRgb(255, 0, 0));
    ASSERT_EQ(red.size(), 1u);
    EXPECT_NEAR(red[0], 64, 1);
    // B2's bottom edge: three blue rows around y = 40, across B only.
    std::vector<int> blueRows;
    for (int y = 30; y < 50; ++y)
        if (near(image.pixel(96, y), qRgb(0, 0, 255), 40))
            blueRows.push_back(y);
    ASSERT_EQ(blueRows.size(), 3u);
    EXPECT_NEAR(blueRows[1], 40, 1);
    EXPECT_FALSE(near(image.pixel(30, 40), qRgb(0, 0, 255), 40));
    // The shared edges: the medium line wins over the thin one, and of two thin lines the
    // right-hand cell's.
    EXPECT_EQ(columnsOf(50, qRgb(0, 255, 0)).size(), 2u);
    EXPECT_TRUE(columnsOf(50, qRgb(255, 0, 0)).empty());
    EXPECT_EQ(columnsOf(70, qRgb(0, 0, 255)).size(), 1u);
    EXPECT_TRUE(columnsOf(70, qRgb(255, 0, 0)).empty());

    // At twice the size the line lies at twice the place.
    const QImage large = render("A1:C5", 2 * kPixelsPerPoint);
    int redAt = -1;
    for (int x = 0; x < large.width(); ++x)
        if (near(large.pixel(x, 60), qRgb(255, 0, 0), 40))
            redAt = x;
    EXPECT_NEAR(redAt, 128, 2);
}

TEST_F(CellFormats, MergedAreaHasBordersOnItsOutlineOnly)
{
    model::CellBorder all;
    for (model::BorderLine* side : {&all.left, &all.right, &all.top, &all.bottom})
        *side = line(model::BorderStyle::Thin, 0xff000000);
    const int framed = border(all);
    for (int r = 2; r <= 3; ++r)
        for (int c = 2; c <= 3; ++c)
            styleOnly(r, c, framed);
    sheet().merges.push_back(CellRect{2, 2, 3, 3});
    const QImage image = render("A1:D4");
    // Outline at x = 64 and 192, y = 20 and 60; nothing along x = 128 or y = 40 inside.
    EXPECT_LT(qGray(image.pixel(64, 45)), 100);
    EXPECT_LT(qGray(image.pixel(192, 45)), 100);
    EXPECT_LT(qGray(image.pixel(100, 20)), 100);
    EXPECT_LT(qGray(image.pixel(100, 60)), 100);
    EXPECT_EQ(image.pixel(128, 30), 0xffffffffu);
    EXPECT_EQ(image.pixel(100, 40), 0xffffffffu);
}

TEST_F(CellFormats, AlignmentPlacesTheText)
{
    text(1, 2, "abc", aligned(model::HorizontalAlignment::Center));
    text(2, 1, "abc", aligned(model::HorizontalAlignment::Right));
    text(3, 1, "across", aligned(model::HorizontalAlignment::Center));
    sheet().merges.push_back(CellRect{3, 1, 3, 3});
    number(4, 1, 5, aligned(model::HorizontalAlignment::Left));
    const QImage image = render("A1:C4");

    const auto centred = inkColumns(image, QRect(64, 0, 64, 20));
    ASSERT_GE(centred.first, 0);
    EXPECT_NEAR((centred.first + centred.second) / 2.0, 96, 2);
    const auto right = inkColumns(image, QRect(0, 20, 64, 20));
    EXPECT_GE(right.second, 58);
    EXPECT_GT(right.first, 30);
    // Centred across the merged area A3:C3.
    const auto merged = inkColumns(image, QRect(0, 40, 192, 20));
    EXPECT_NEAR((merged.first + merged.second) / 2.0, 96, 2);
    // A number aligned left.
    EXPECT_LE(inkColumns(image, QRect(0, 60, 64, 20)).first, 5);

    // Vertical: top, centre and bottom in a tall row.
    sheet().editRow(6).height = 60; // 80 pixels
    const auto vertical = [&](int column, model::VerticalAlignment v) {
        text(6, column, "Xy",
             format([&](model::CellFormat& f, model::CellFont&) { f.alignment.vertical = v; }));
    };
    vertical(1, model::VerticalAlignment::Top);
    vertical(2, model::VerticalAlignment::Center);
    vertical(3, model::VerticalAlignment::Bottom);
    const QImage tall = render("A6:C6");
    const auto top = inkRows(tall, QRect(0, 0, 64, 80));
    const auto middle = inkRows(tall, QRect(64, 0, 64, 80));
    const auto bottom = inkRows(tall, QRect(128, 0, 64, 80));
    ASSERT_FALSE(top.empty() || middle.empty() || bottom.empty());
    EXPECT_LT(top.back(), 25);
    EXPECT_NEAR((middle.front() + middle.back()) / 2.0, 40, 4);
    EXPECT_GT(bottom.front(), 55);
}

TEST_F(CellFormats, FontsShowTheirWeightSizeAndColour)
{
    text(1, 1, "Heading");
    text(2, 1, "Heading", format([](model::CellFormat&, model::CellFont& f) { f.bold = true; }));
    text(3, 1, "Heading",
         format([](model::CellFormat&, model::CellFont& f) { f.color = rgb(0xffff0000); }));
    sheet().editRow(4).height = 30;
    text(4, 1, "Heading", format([](model::CellFormat&, model::CellFont& f) { f.size = 22; }));
    const QImage image = render("A1:C4");
    const double regular = ink(image, QRect(0, 0, 192, 20));
    const double bold = ink(image, QRect(0, 20, 192, 20));
    EXPECT_GT(bold, regular * 1.2);
    bool red = false;
    for (int y = 40; y < 60 && !red; ++y)
        for (int x = 0; x < 64 && !red; ++x)
            red = near(image.pixel(x, y), qRgb(255, 0, 0), 60);
    EXPECT_TRUE(red);
    const auto small = inkRows(image, QRect(0, 0, 192, 20));
    const auto large = inkRows(image, QRect(0, 60, 192, 40));
    EXPECT_GT(large.size(), small.size() * 3 / 2);
}

TEST_F(CellFormats, WrappedTextBreaksInsideItsCell)
{
    sheet().editRow(1).height = 60;
    text(1, 1, "several words that wrap", aligned(model::HorizontalAlignment::General, true));
    text(2, 1, "line one\nline two", aligned(model::HorizontalAlignment::General, true));
    sheet().editRow(2).height = 40;
    const QImage image = render("A1:B2");
    // Nothing runs on into B, and the text takes more than one line.
    EXPECT_EQ(inkColumns(image, QRect(66, 0, 60, 80)).first, -1);
    const auto rows = inkRows(image, QRect(0, 0, 64, 80));
    ASSERT_FALSE(rows.empty());
    EXPECT_GT(rows.back() - rows.front(), 25);
    // The explicit line break makes two lines with a gap between them.
    const auto two = inkRows(image, QRect(0, 80, 64, 53));
    ASSERT_GE(two.size(), 2u);
    bool gap = false;
    for (size_t i = 1; i < two.size(); ++i)
        gap = gap || two[i] - two[i - 1] > 1;
    EXPECT_TRUE(gap);
}

TEST_F(CellFormats, NumbersShowTheirFormatOrHashes)
{
    const auto withCode = [&](const char* code) {
        book->numberFormats[164 + int(book->numberFormats.size())] = QString::fromUtf8(code);
        const int id = 163 + int(book->numberFormats.size());
        return format([&](model::CellFormat& f, model::CellFont&) { f.numberFormat = id; });
    };
    const int money = withCode("#,##0.00");
    const render::LookTable looks(*book);
    const model::Cell& a1 = number(1, 1, 1234.5, money);
    EXPECT_EQ(render::cellText(a1, looks.look(money), *book).text, QStringLiteral("1,234.50"));
    const int negativeRed = withCode("0.0;[Red]-0.0");
    const model::Cell& a2 = number(2, 1, -2.25, negativeRed);
    const render::CellText shown = render::cellText(a2, looks.look(negativeRed), *book);
    EXPECT_EQ(shown.text, QStringLiteral("-2.3"));
    ASSERT_TRUE(shown.color);
    EXPECT_EQ(shown.color->rgb(), qRgb(255, 0, 0));
    // Built-in 14 is the Japanese date.
    const int date = format([](model::CellFormat& f, model::CellFont&) { f.numberFormat = 14; });
    EXPECT_EQ(render::cellText(number(3, 1, 45000, date), looks.look(date), *book).text,
              QStringLiteral("2023/3/15"));

    // A formatted number too wide for its cell fills it with hashes from edge to edge; a
    // General one shows fewer digits instead.
    number(5, 2, 123456789.123, money);
    number(6, 2, 123456789.123);
    const QImage image = render("B5:B6");
    const auto hashes = inkColumns(image, QRect(0, 0, 64, 20));
    ASSERT_GE(hashes.first, 0);
    EXPECT_GT(hashes.second - hashes.first, 48);
    EXPECT_GE(hashes.second, 58);
    const auto general = inkColumns(image, QRect(0, 20, 64, 20));
    ASSERT_GE(general.first, 0);
    EXPECT_NE(image.copy(0, 0, 64, 20), image.copy(0, 20, 64, 20));
}

TEST_F(CellFormats, TextRunsOnTheWayItIsAligned)
{
    // Right-aligned text runs on to the left, centred text both ways; text left of the block
    // still shows inside it.
    text(1, 3, "right-aligned long text", aligned(model::HorizontalAlignment::Right));
    text(2, 2, "centred long text here", aligned(model::HorizontalAlignment::Center));
    text(3, 1, "left of the block, running on");
    const QImage image = render("A1:C2");
    EXPECT_LT(inkColumns(image, QRect(0, 0, 192, 20)).first, 100);
    const auto centred = inkColumns(image, QRect(0, 20, 192, 20));
    EXPECT_LT(centred.first, 64);
    EXPECT_GT(centred.second, 128);
    EXPECT_NEAR((centred.first + centred.second) / 2.0, 96, 3);

    const QImage beside = render("B3:C3");
    EXPECT_LE(inkColumns(beside, QRect(0, 0, 128, 20)).first, 3);
}

} // namespace
