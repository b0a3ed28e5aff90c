// The look of cells as the styles part states it reaches the model (fonts, fills, borders,
// alignment, number formats, row and column formats, the theme's colours), stays with a
// sheet copied into another workbook, and leaves the styles part untouched on saving.

#include "host/model/number_format.h"
#include "host/model/workbook.h"
#include "host/xlsx/xlsx_io.h"
#include "tests/host/xlsx/xlsx_test_support.h"

#include <gtest/gtest.h>

using namespace host;
using model::BorderStyle;
using model::HorizontalAlignment;
using model::StyleColor;
using model::VerticalAlignment;

namespace {

QString fixture()
{
    return xlsxtest::sourceDir() + QStringLiteral("/tests/fixtures/openpyxl_formats.xlsx");
}

const model::CellFormat& formatAt(const model::Workbook& book, const model::Sheet& sheet,
                                  const char* address)
{
    const auto rect = model::parseA1(QString::fromLatin1(address));
    const model::Cell* cell = sheet.cell(rect->top, rect->left);
    EXPECT_TRUE(cell) << address;
    return book.format(cell ? cell->style : 0);
}

StyleColor rgb(QRgb c)
{
    return StyleColor{StyleColor::Kind::Rgb, c, 0, 0};
}

StyleColor theme(int index, double tint)
{
    return StyleColor{StyleColor::Kind::Theme, 0xff000000, index, tint};
}

StyleColor indexed(int index)
{
    return StyleColor{StyleColor::Kind::Indexed, 0xff000000, index, 0};
}

void expectLook(const model::Workbook& book, const model::Sheet& sheet)
{
    const auto font = [&](const char* a) {
        return book.fonts.at(size_t(formatAt(book, sheet, a).font));
    };
    const auto fill = [&](const char* a) {
        return book.fills.at(size_t(formatAt(book, sheet, a).fill));
    };
    const auto border = [&](const char* a) {
        return book.borders.at(size_t(formatAt(book, sheet, a).border));
    };

    EXPECT_EQ(font("A1").name, QStringLiteral("Calibri"));
    EXPECT_EQ(font("A1").size, 14);
    EXPECT_TRUE(font("A1").bold);
    EXPECT_FALSE(font("A1").italic);
    EXPECT_EQ(font("A1").color, rgb(0xffff0000)); // written with a zero alpha byte
    EXPECT_TRUE(font("B1").name.isEmpty());       // the default font's
    EXPECT_TRUE(font("B1").italic);
    EXPECT_TRUE(font("B1").strike);
    EXPECT_EQ(font("B1").underline, model::Underline::Single);
    EXPECT_EQ(font("B1").color, theme(4, 0.4));
    EXPECT_EQ(font("C1").name, QStringLiteral("ＭＳ Ｐゴシック"));
    EXPECT_EQ(font("C1").size, 9);
    EXPECT_EQ(font("C1").color, indexed(10));

    EXPECT_EQ(fill("A2").pattern, model::FillPattern::Solid);
    EXPECT_EQ(fill("A2").foreground, theme(5, -0.25));
    EXPECT_EQ(fill("B2").foreground, indexed(13));
    EXPECT_EQ(fill("C2").pattern, model::FillPattern::Gray125);
    EXPECT_EQ(fill("A1").pattern, model::FillPattern::None);

    EXPECT_EQ(border("A3").left.style, BorderStyle::Thin);
    EXPECT_EQ(border("A3").left.color, rgb(0xff00ff00));
    EXPECT_EQ(border("A3").right.style, BorderStyle::Medium);
    EXPECT_EQ(border("A3").right.color.kind, StyleColor::Kind::Automatic);
    EXPECT_EQ(border("A3").top.style, BorderStyle::Dashed);
    EXPECT_EQ(border("A3").bottom.style, BorderStyle::Double);
    EXPECT_EQ(border("B3").left.style, BorderStyle::Thick);
    EXPECT_EQ(border("B3").right.style, BorderStyle::Dotted);
    EXPECT_EQ(border("B3").top.style, BorderStyle::Hair);
    EXPECT_EQ(border("B3").bottom.style, BorderStyle::MediumDashDot);

    const model::CellAlignment a4 = formatAt(book, sheet, "A4").alignment;
    EXPECT_EQ(a4.horizontal, HorizontalAlignment::Center);
    EXPECT_EQ(a4.vertical, VerticalAlignment::Top);
    EXPECT_TRUE(a4.wrap);
    EXPECT_EQ(formatAt(book, sheet, "B4").alignment.horizontal, HorizontalAlignment::Right);
    EXPECT_EQ(formatAt(book, sheet, "B4").alignment.indent, 2);
    EXPECT_EQ(formatAt(book, sheet, "B4").alignment.vertical, VerticalAlignment::Bottom);
    EXPECT_EQ(formatAt(book, sheet, "C4").alignment.horizontal,
              HorizontalAlignment::CenterContinuous);
    EXPECT_EQ(formatAt(book, sheet, "E4").alignment.horizontal, HorizontalAlignment::Fill);
    EXPECT_EQ(formatAt(book, sheet, "F4").alignment.horizontal, HorizontalAlignment::Distributed);
    EXPECT_TRUE(formatAt(book, sheet, "F4").alignment.shrinkToFit);

    EXPECT_EQ(formatAt(book, sheet, "A5").numberFormat, 4);
    EXPECT_EQ(formatAt(book, sheet, "B5").numberFormat, 14);
    EXPECT_EQ(model::numberFormatCode(book, formatAt(book, sheet, "C5").numberFormat),
              QStringLiteral("[Red]0.0;[Blue]-0.0"));
    EXPECT_EQ(model::numberFormatCode(book, formatAt(book, sheet, "D5").numberFormat),
              QStringLiteral("0.0%"));
}

TEST(CellStyles, TheFixturesLookReachesTheModel)
{
    const auto book = xlsx::load(fixture());
    const model::Sheet& sheet = *book->sheets.front();
    expectLook(*book, sheet);

    // A row's and a column's own formats, for their cells without entries.
    const model::RowInfo* row7 = sheet.row(7);
    ASSERT_TRUE(row7 && row7->style);
    EXPECT_EQ(book->fills.at(size_t(book->format(*row7->style).fill)).foreground, rgb(0xffffff00));
    const model::ColumnSpan* h = sheet.column(8);
    ASSERT_TRUE(h);
    EXPECT_EQ(book->fills.at(size_t(book->format(h->style).fill)).foreground, rgb(0xff00ffff));

    // The theme part's own colours, not the defaults.
    EXPECT_EQ(book->themeColors[4], qRgb(0x2E, 0x75, 0xB6));
    EXPECT_EQ(book->themeColors[5], qRgb(0xED, 0x7D, 0x31));
    EXPECT_EQ(book->themeColors[0], qRgb(0, 0, 0));
    EXPECT_EQ(book->themeColors[1], qRgb(255, 255, 255));
}

TEST(CellStyles, SavingLeavesTheStylesPartAsItWas)
{
    QTemporaryDir dir;
    auto book = xlsx::load(fixture());
    model::Cell& cell = book->sheets.front()->editCell(10, 1);
    cell.kind = model::CellKind::Number;
    cell.number = 3;
    const QString saved = dir.filePath(QStringLiteral("saved.xlsx"));
    xlsx::save(*book, saved);

    const auto before = xlsxtest::readZipByName(fixture());
    const auto after = xlsxtest::readZipByName(saved);
    ASSERT_TRUE(after.count(QStringLiteral("xl/styles.xml")));
    EXPECT_EQ(after.at(QStringLiteral("xl/styles.xml")).data,
              before.at(QStringLiteral("xl/styles.xml")).data);
    const auto reread = xlsx::load(saved);
    expectLook(*reread, *reread->sheets.front());
}

TEST(CellStyles, ACopiedSheetKeepsItsLookInAnotherWorkbook)
{
    const auto from = xlsx::load(fixture());
    auto to = xlsx::create(1);
    xlsx::copySheet(*from, 0, *to, 1, QStringLiteral("Copied"));
    ASSERT_EQ(to->sheets.size(), 2u);
    // The copy's formats point into the target's records, which now hold the source's.
    expectLook(*to, *to->sheets[1]);

    QTemporaryDir dir;
    const QString saved = dir.filePath(QStringLiteral("copied.xlsx"));
    xlsx::save(*to, saved);
    const auto reread = xlsx::load(saved);
    expectLook(*reread, *reread->sheets[1]);
}

} // namespace
