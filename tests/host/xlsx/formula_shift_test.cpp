#include "host/xlsx/formula_shift.h"

#include <gtest/gtest.h>

namespace {

struct ShiftCase
{
    const char* formula;
    int rows;
    int columns;
    const char* expected;
};

class FormulaShift : public testing::TestWithParam<ShiftCase>
{
};

TEST_P(FormulaShift, MovesRelativeReferencesOnly)
{
    const ShiftCase& c = GetParam();
    EXPECT_EQ(
        host::xlsx::shiftFormula(QString::fromUtf8(c.formula), c.rows, c.columns).toStdString(),
        c.expected);
}

INSTANTIATE_TEST_SUITE_P(
    Cases, FormulaShift,
    testing::Values(ShiftCase{"A1+B2", 1, 1, "B2+C3"},
                    ShiftCase{"$A$1+A$1+$A1", 2, 3, "$A$1+D$1+$A3"},
                    ShiftCase{"SUM(A1:B2)*2", 1, 0, "SUM(A2:B3)*2"},
                    ShiftCase{"SUM(A:A,$C:D)", 0, 1, "SUM(B:B,$C:E)"},
                    ShiftCase{"SUM(1:1,$2:3)", 2, 0, "SUM(3:3,$2:5)"},
                    ShiftCase{"Sheet2!A1+'My Sheet'!B2", 1, 0, "Sheet2!A2+'My Sheet'!B3"},
                    ShiftCase{"'It''s A1'!A1", 0, 1, "'It''s A1'!B1"},
                    ShiftCase{"\"A1\"&A1&\"say \"\"B2\"\"\"", 0, 1, "\"A1\"&B1&\"say \"\"B2\"\"\""},
                    ShiftCase{"LOG10(A1)+ATAN2(B1,C1)", 1, 0, "LOG10(A2)+ATAN2(B2,C2)"},
                    ShiftCase{"Table1[Col A1]+Table1[[#This Row],[B2]]+A1", 1, 0,
                              "Table1[Col A1]+Table1[[#This Row],[B2]]+A2"},
                    ShiftCase{"[1]Sheet1!A1", 1, 0, "[1]Sheet1!A2"},
                    ShiftCase{"1E+5+A1*1.5E-3", 1, 0, "1E+5+A2*1.5E-3"},
                    ShiftCase{"TRUE+ABC+A1", 0, 1, "TRUE+ABC+B1"},
                    ShiftCase{"#REF!+#DIV/0!+#N/A+A1", 0, 1, "#REF!+#DIV/0!+#N/A+B1"},
                    ShiftCase{"A1+B1", -1, 0, "#REF!+#REF!"},
                    ShiftCase{"XFD1+A1048576", 1, 1, "#REF!+#REF!"},
                    ShiftCase{"a1+$b$2", 1, 1, "B2+$B$2"}, ShiftCase{"A1", 0, 0, "A1"}));

} // namespace
