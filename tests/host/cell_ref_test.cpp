#include "host/model/cell_ref.h"

#include <gtest/gtest.h>

using namespace host::model;

TEST(CellRef, ColumnNames)
{
    const std::pair<int, const char*> cases[] = {{1, "A"}, {26, "Z"}, {27, "AA"}, {52, "AZ"},
                                                 {703, "AAA"}, {16384, "XFD"}};
    for (const auto& [n, name] : cases) {
        EXPECT_EQ(columnName(n), QString::fromLatin1(name));
        EXPECT_EQ(columnNumber(QString::fromLatin1(name)), n);
    }
    EXPECT_EQ(columnNumber(QStringLiteral("XFE")), 0);
    EXPECT_EQ(columnNumber(QStringLiteral("A1")), 0);
}

TEST(CellRef, ParsesAndFormatsAddresses)
{
    const std::pair<const char*, const char*> cases[] = {
        {"B2", "$B$2"},           {"$b$3:d5", "$B$3:$D$5"}, {"D5:B3", "$B$3:$D$5"},
        {"A:C", "$A:$C"},         {"3:5", "$3:$5"},         {"B2:C3,E5", "$B$2:$C$3,$E$5"},
        {"XFD1048576", "$XFD$1048576"},
    };
    for (const auto& [in, out] : cases) {
        const auto areas = parseA1List(QString::fromLatin1(in));
        ASSERT_TRUE(areas) << in;
        EXPECT_EQ(formatA1List(*areas), QString::fromLatin1(out));
    }
    for (const char* bad : {"", "B", "2B", "A0", "A1048577", "XFE1", "A1:B2:C3", "A1,", "$", "B$"})
        EXPECT_FALSE(parseA1List(QString::fromLatin1(bad))) << bad;
}
