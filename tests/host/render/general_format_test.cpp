#include "host/render/general_format.h"

#include "host/model/general_number.h"
#include "host/model/workbook.h"

#include <gtest/gtest.h>

using host::model::generalNumber;

namespace {

struct Case
{
    double value;
    int width;
    const char* shown;
};

class GeneralNumber : public ::testing::TestWithParam<Case>
{
};

TEST_P(GeneralNumber, ShowsWhatFits)
{
    const Case c = GetParam();
    EXPECT_EQ(generalNumber(c.value, c.width).toStdString(), c.shown)
        << c.value << " in " << c.width;
}

INSTANTIATE_TEST_SUITE_P(
    Cases, GeneralNumber,
    ::testing::Values(
        // integers up to eleven digits as they are, then scientific
        Case{0, 11, "0"}, Case{42, 11, "42"}, Case{-7, 11, "-7"},
        Case{12345678901, 11, "12345678901"}, Case{123456789012, 11, "1.23457E+11"},
        Case{-123456789012, 11, "-1.2346E+11"}, Case{1e15, 11, "1E+15"},
        Case{1.5e100, 11, "1.5E+100"},
        // fractions rounded to the room left, trailing zeros dropped
        Case{0.5, 11, "0.5"}, Case{1.0 / 3, 11, "0.333333333"}, Case{2.0 / 3, 11, "0.666666667"},
        Case{-1.0 / 3, 11, "-0.33333333"}, Case{1234.5678, 11, "1234.5678"},
        Case{3.14159265358979, 11, "3.141592654"}, Case{99999.999999999, 11, "100000"},
        Case{0.1 + 0.2, 11, "0.3"},
        // small numbers: decimal while it keeps the digits, else scientific
        Case{0.0001, 11, "0.0001"}, Case{0.0000123, 11, "0.0000123"},
        Case{0.0000123456789, 11, "1.23457E-05"}, Case{1e-10, 11, "1E-10"},
        // narrow columns
        Case{1234567.891, 8, "1234568"}, Case{1234567.891, 7, "1234568"},
        Case{1234567.891, 6, "1E+06"}, Case{123456789, 7, "1.2E+08"}, Case{123456789, 5, "1E+08"},
        Case{123456789, 4, ""}, Case{0.26, 3, "0.3"}));

TEST(DisplayText, ShowsEachKindOfValue)
{
    host::model::Cell cell;
    EXPECT_EQ(host::render::displayText(cell), QString());
    cell.kind = host::model::CellKind::Boolean;
    cell.boolean = true;
    EXPECT_EQ(host::render::displayText(cell), QStringLiteral("TRUE"));
    cell.boolean = false;
    EXPECT_EQ(host::render::displayText(cell), QStringLiteral("FALSE"));
    cell.kind = host::model::CellKind::Error;
    cell.text = QStringLiteral("#DIV/0!");
    EXPECT_EQ(host::render::displayText(cell), QStringLiteral("#DIV/0!"));
    cell.kind = host::model::CellKind::Number;
    cell.number = 1e20;
    EXPECT_EQ(host::render::displayText(cell), QStringLiteral("1E+20"));
}

} // namespace
