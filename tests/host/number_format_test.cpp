#include "host/model/number_format.h"

#include "host/model/workbook.h"

#include <gtest/gtest.h>

using host::model::NumberFormat;
using host::model::StyleColor;

namespace {

struct Case
{
    const char* code;
    double value;
    const char* shown;
};

class NumberCodes : public ::testing::TestWithParam<Case>
{
};

TEST_P(NumberCodes, ShowTheValue)
{
    const Case c = GetParam();
    const auto shown = NumberFormat(QString::fromUtf8(c.code)).number(c.value);
    ASSERT_TRUE(shown) << c.code << " " << c.value;
    EXPECT_EQ(shown->text.toStdString(), c.shown) << c.code << " " << c.value;
}

INSTANTIATE_TEST_SUITE_P(
    Numbers, NumberCodes,
    ::testing::Values(
        Case{"General", 1234.5, "1234.5"}, Case{"General", 1.0 / 3, "0.333333333"},
        Case{"G/標準", 3.5, "3.5"}, Case{"0", 1234.5, "1235"}, Case{"0", -0.4, "-0"},
        // rounding from the decimal digits, not from the binary value
        Case{"0.00", 1.005, "1.01"}, Case{"0.00", 2.675, "2.68"}, Case{"0.0", 0.05, "0.1"},
        Case{"#,##0", 1234567.891, "1,234,568"}, Case{"#,##0.00", -1234.5, "-1,234.50"},
        Case{"#,##0", 999.6, "1,000"}, Case{"#,##0,", 1234567, "1,235"},
        Case{"0.0,,", 123456789, "123.5"}, Case{"0%", 0.256, "26%"}, Case{"0.00%", 0.0123, "1.23%"},
        Case{"000-0000", 1234567, "123-4567"}, Case{"#.##", 1.5, "1.5"}, Case{"#", 0, ""},
        Case{"0.0?", 1.5, "1.5 "}, Case{"#,##0\"円\"", 1500, "1,500円"},
        Case{"0\\ \"kg\"", 5, "5 kg"}, Case{"0_)", 5, "5 "}, Case{"\"Total: \"0", -5, "-Total: 5"},
        // sections: positive; negative; zero — the negative section shows no sign of its own
        Case{"0.0;(0.0)", -1.5, "(1.5)"}, Case{"0;-0;\"zero\"", 0, "zero"}, Case{"0;;", -3, ""},
        Case{"0.00;@", -2, "-2.00"}, Case{"\"¥\"#,##0;\"¥\"\\-#,##0", -1234, "¥-1,234"},
        Case{"[$¥-411]#,##0", 1234, "¥1,234"},
        // conditions choose the section
        Case{"[<=9999999]###-####;(###) ###-####", 5551234, "555-1234"},
        Case{"[<=9999999]###-####;(###) ###-####", 8005551234, "(800) 555-1234"},
        Case{"[>=100]\"big\";[<0]\"neg\" 0;\"small\"", -5, "neg 5"},
        // exponents
        Case{"0.00E+00", 12345, "1.23E+04"}, Case{"0.00E+00", 0.0000123, "1.23E-05"},
        Case{"0.0E+00", 9.99, "1.0E+01"}, Case{"##0.0E+0", 12345, "12.3E+3"},
        Case{"0E+0", 0, "0E+0"},
        // fractions
        Case{"# ?/?", 1.5, "1 1/2"}, Case{"# ?/8", 2.625, "2 5/8"},
        Case{"# ?\?/??", 3.14159265, "3 14/99"}, Case{"?/?", 0.75, "3/4"},
        Case{"# ?/?", 2, "2    "}, Case{"# ?/?", 1.99, "2    "}));

INSTANTIATE_TEST_SUITE_P(
    Dates, NumberCodes,
    ::testing::Values(
        // 45000 is Wednesday 15 March 2023
        Case{"yyyy/m/d", 45000, "2023/3/15"}, Case{"yyyy/mm/dd", 45000.5, "2023/03/15"},
        Case{"d-mmm-yy", 45000, "15-Mar-23"}, Case{"mmmmm", 45000, "M"},
        Case{"mmmm d, yyyy (aaa)", 45000, "March 15, 2023 (水)"}, Case{"dddd", 45000, "Wednesday"},
        Case{"ddd", 45000, "Wed"}, Case{"aaaa", 45000, "水曜日"},
        Case{"h:mm AM/PM", 45000 + 13.0 / 24 + 5.0 / 1440, "1:05 PM"},
        Case{"hh:mm a/p", 0.25, "06:00 a"}, Case{"h:mm:ss", 0.75, "18:00:00"},
        Case{"m/d h:mm", 45000.75, "3/15 18:00"}, Case{"mm:ss", 0.5 / 24 + 7.0 / 86400, "30:07"},
        Case{"[h]:mm:ss", 1.5, "36:00:00"}, Case{"[mm]:ss", 0.5 / 24, "30:00"},
        Case{"[s]", 1.0 / 24, "3600"}, Case{"mm:ss.0", 1.26 / 86400, "00:01.3"},
        Case{"ss.00", 1.234 / 86400, "01.23"},
        // rounded to the second before anything is cut
        Case{"yyyy/m/d h:mm", 45000.999999, "2023/3/16 0:00"},
        Case{"yyyy\"年\"m\"月\"d\"日\"", 45000, "2023年3月15日"},
        Case{"[$-411]ggge\"年\"m\"月\"d\"日\"", 45000, "令和5年3月15日"},
        Case{"[$-411]ge.m.d", 32515, "S64.1.7"}, Case{"[$-411]ge.m.d", 32516, "H1.1.8"},
        Case{"[$-411]gge", 43585, "平31"}, Case{"[$-411]ggg ee", 43586, "令和 01"},
        // the 1900 system's first days, its 29 February 1900 and its 0 January
        Case{"yyyy/m/d", 1, "1900/1/1"}, Case{"yyyy/m/d", 60, "1900/2/29"},
        Case{"yyyy/m/d", 61, "1900/3/1"}, Case{"yyyy/m/d ddd", 0, "1900/1/0 Sat"},
        Case{"ddd", 1, "Sun"}, Case{"[$-F800]", 45000, "2023年3月15日"}));

TEST(NumberFormat, ColoursComeFromTheSection)
{
    const NumberFormat red(QStringLiteral("0;[Red]-0"));
    EXPECT_FALSE(red.number(5)->color);
    const auto negative = red.number(-5);
    ASSERT_TRUE(negative->color);
    EXPECT_EQ(negative->color->kind, StyleColor::Kind::Rgb);
    EXPECT_EQ(negative->color->rgb, 0xffff0000u);
    EXPECT_EQ(negative->text, QStringLiteral("-5"));
    const auto blue = NumberFormat(QStringLiteral("[青]0")).number(1);
    EXPECT_EQ(blue->color->rgb, 0xff0000ffu);
    // [Color N] is the palette's Nth colour after its eight fixed ones.
    const auto tenth = NumberFormat(QStringLiteral("[Color 10]0")).number(1);
    EXPECT_EQ(tenth->color->kind, StyleColor::Kind::Indexed);
    EXPECT_EQ(tenth->color->index, 17);
}

TEST(NumberFormat, RepeatedCharacterFillsAtItsPlace)
{
    const auto shown = NumberFormat(QStringLiteral("_(* #,##0_)")).number(1234);
    ASSERT_TRUE(shown);
    EXPECT_EQ(shown->text, QStringLiteral(" 1,234 "));
    EXPECT_EQ(shown->fillAt, 1);
    EXPECT_EQ(shown->fillChar, QChar(u' '));
    const auto dashes = NumberFormat(QStringLiteral("0*-")).number(7);
    EXPECT_EQ(dashes->text, QStringLiteral("7"));
    EXPECT_EQ(dashes->fillAt, 1);
    EXPECT_EQ(dashes->fillChar, QChar(u'-'));
}

TEST(NumberFormat, TextGoesThroughTheTextSection)
{
    EXPECT_EQ(NumberFormat(QStringLiteral("@")).text(QStringLiteral("abc")).text,
              QStringLiteral("abc"));
    EXPECT_EQ(NumberFormat(QStringLiteral("\"(\"@\")\"")).text(QStringLiteral("abc")).text,
              QStringLiteral("(abc)"));
    EXPECT_EQ(NumberFormat(QStringLiteral("0;0;0;\"x\"@")).text(QStringLiteral("y")).text,
              QStringLiteral("xy"));
    // Without a text section text shows as it is, and a text section never takes numbers.
    EXPECT_EQ(NumberFormat(QStringLiteral("0.00")).text(QStringLiteral("abc")).text,
              QStringLiteral("abc"));
    EXPECT_EQ(NumberFormat(QStringLiteral("@")).number(12.5)->text, QStringLiteral("12.5"));
}

TEST(NumberFormat, DatesOutsideTheCalendarCannotShow)
{
    const NumberFormat date(QStringLiteral("yyyy/m/d"));
    EXPECT_FALSE(date.number(-1));
    EXPECT_FALSE(date.number(2958466));
    EXPECT_EQ(date.number(0, true)->text, QStringLiteral("1904/1/1"));
    // A value no section takes cannot show either.
    EXPECT_FALSE(NumberFormat(QStringLiteral("[>100]0;[<-100]0")).number(5));
}

TEST(NumberFormat, GeneralIsMarkedForNarrowCells)
{
    EXPECT_TRUE(NumberFormat().number(1.5)->general);
    EXPECT_TRUE(NumberFormat(QStringLiteral("General;[Red]-General")).number(1.5)->general);
    EXPECT_FALSE(NumberFormat(QStringLiteral("0.0")).number(1.5)->general);
}

TEST(NumberFormat, BuiltInFormatsFollowTheJapaneseLocale)
{
    host::model::Workbook book;
    const auto shown = [&](int id, double value) {
        return NumberFormat(host::model::numberFormatCode(book, id)).number(value)->text;
    };
    EXPECT_EQ(shown(14, 45000), QStringLiteral("2023/3/15"));
    EXPECT_EQ(shown(22, 45000.5), QStringLiteral("2023/3/15 12:00"));
    EXPECT_EQ(shown(31, 45000), QStringLiteral("2023年3月15日"));
    EXPECT_EQ(shown(58, 45000), QStringLiteral("令和5年3月15日"));
    EXPECT_EQ(shown(6, -1234), QStringLiteral("¥-1,234"));
    EXPECT_EQ(shown(38, -1234), QStringLiteral("-1,234"));
    EXPECT_EQ(shown(46, 1.25), QStringLiteral("30:00:00"));
    EXPECT_EQ(shown(48, 12345), QStringLiteral("12.3E+3"));
    EXPECT_EQ(shown(23, 1.5), QStringLiteral("1.5")); // no code: General
    // A workbook's own code for an id wins.
    book.numberFormats[164] = QStringLiteral("0.000");
    EXPECT_EQ(shown(164, 1), QStringLiteral("1.000"));
}

} // namespace
