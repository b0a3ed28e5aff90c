// Ranges: addresses of several areas, counting and walking cells, navigation, answers of
// Null when cells disagree, values and formulas, the current region.
#include "tests/host/objects/objects_support.h"

using namespace objects_test;
using host::Variant;
using host::VarType;

namespace {

TEST_F(HostTest, AddressesInTheirAbsoluteForm)
{
    struct Case
    {
        const char* input;
        const char* absolute;
        const char* relative;
    } cases[] = {
        {"B2:C3,E5", "$B$2:$C$3,$E$5", "B2:C3,E5"},
        {"b3", "$B$3", "B3"},
        {"D5:B3", "$B$3:$D$5", "B3:D5"},
        {"$A$1", "$A$1", "A1"},
        {"A:C", "$A:$C", "A:C"},
        {"3:5", "$3:$5", "3:5"},
        {"XFD1048576", "$XFD$1048576", "XFD1048576"},
    };
    for (const Case& c : cases) {
        const xl::Range r = range(c.input);
        EXPECT_EQ(r.Address(), q(c.absolute)) << c.input;
        EXPECT_EQ(r.Address(false, false), q(c.relative)) << c.input;
    }
    EXPECT_EQ(range("B2:C3").Address(true, false), q("B$2:C$3"));
    EXPECT_EQ(range("B2:C3").Address(false, true), q("$B2:$C3"));
    EXPECT_EQ(range("B2").get(q("Address"), host::Args().add(q("External"), true)).toString(),
              q("[Book1]Sheet1!$B$2"));
    sheet().setName(q("My Sheet"));
    EXPECT_EQ(range("B2").get(q("Address"), host::Args().add(q("External"), true)).toString(),
              q("'[Book1]My Sheet'!$B$2"));

    for (const char* bad : {"", "A0", "XFE1", "A1048577", "B2:", "1A", "A1,,B2"})
        EXPECT_EQ(errorOf([&] { range(bad); }), host::err::ApplicationDefined) << bad;
}

TEST_F(HostTest, AreasCountAndItemsRowByRow)
{
    const xl::Range r = range("B2:C3,E5");
    EXPECT_EQ(r.TypeName(), q("Range"));
    EXPECT_EQ(r.Count(), 5);
    ASSERT_EQ(r.Areas().Count(), 2);
    EXPECT_EQ(r.Areas().Item(1).Address(), q("$B$2:$C$3"));
    EXPECT_EQ(r.Areas().Item(2).Address(), q("$E$5"));
    EXPECT_EQ(errorOf([&] { r.Areas().Item(3); }), host::err::OutOfRange);

    QStringList walked;
    for (int i = 1; i <= 4; ++i)
        walked << r.Item(i).Address(false, false);
    EXPECT_EQ(walked.join(u' '), q("B2 C2 B3 C3"));
    EXPECT_EQ(r.Item(5).Address(), q("$B$4")); // beyond the first area, still row by row
    EXPECT_EQ(r.Item(2, 1).Address(), q("$B$3"));
    EXPECT_EQ(r.Cells(1, 2).Address(), q("$C$2"));
    EXPECT_EQ(r.get(QString(), {2, 2}).toObject()->get(q("Address")).toString(), q("$C$3"));

    // For Each walks every area's cells.
    QStringList each;
    for (const Variant& cell : r.ref()->enumerate())
        each << xl::Range(cell).Address(false, false);
    EXPECT_EQ(each.join(u' '), q("B2 C2 B3 C3 E5"));
}

TEST_F(HostTest, RowsColumnsAndEntireRowsAndColumns)
{
    const xl::Range r = range("B2:D3");
    EXPECT_EQ(r.Rows().Count(), 2);
    EXPECT_EQ(r.Columns().Count(), 3);
    EXPECT_EQ(r.Rows().Item(2).Address(), q("$B$3:$D$3"));
    EXPECT_EQ(r.Columns().Item(3).Address(), q("$D$2:$D$3"));
    EXPECT_EQ(r.EntireRow().Address(), q("$2:$3"));
    EXPECT_EQ(r.EntireColumn().Address(), q("$B:$D"));
    EXPECT_EQ(r.EntireRow().Count(), 2);
    EXPECT_EQ(r.EntireColumn().Count(), 3);
    EXPECT_EQ(range("B:C").Rows().Count(), sheet().Cells().Rows().Count());
    EXPECT_EQ(sheet().Cells().Rows().Count(), 1048576);
    EXPECT_EQ(sheet().Cells().Columns().Count(), 16384);
    EXPECT_EQ(errorOf([&] { (void)sheet().Cells().Count(); }), host::err::Overflow);
    EXPECT_EQ(sheet().Cells(3, 2).Address(), q("$B$3"));
    EXPECT_EQ(sheet().get(q("Columns"), {q("C")}).toObject()->get(q("Address")).toString(),
              q("$C:$C"));
}

TEST_F(HostTest, OffsetMovesEveryAreaAndStaysOnTheSheet)
{
    EXPECT_EQ(range("B2").Offset(1, 2).Address(), q("$D$3"));
    EXPECT_EQ(range("B2:C3,E5").Offset(-1, 0).Address(), q("$B$1:$C$2,$E$4"));
    EXPECT_EQ(range("B2").Offset(0, -1).Address(), q("$A$2"));
    EXPECT_EQ(errorOf([&] { range("B2").Offset(-2, 0); }), host::err::ApplicationDefined);
    EXPECT_EQ(errorOf([&] { range("XFD1").Offset(0, 1); }), host::err::ApplicationDefined);

    const xl::Range resized = range("C4").Resize(2, 3);
    EXPECT_EQ(resized.Address(), q("$C$4:$E$5"));
    EXPECT_EQ(resized.Row(), 4);
    EXPECT_EQ(resized.Column(), 3);
    EXPECT_EQ(errorOf([&] { range("C4").Resize(0, 1); }), host::err::ApplicationDefined);
}

TEST_F(HostTest, MergeCellsAndMergeArea)
{
    range("B2:C3").setMergeCells(true);
    struct Case
    {
        const char* address;
        Variant merged;
        const char* area;
    } cases[] = {
        {"B2", Variant(true), "$B$2:$C$3"},    {"C3", Variant(true), "$B$2:$C$3"},
        {"B2:C3", Variant(true), "$B$2:$C$3"}, {"B2:D3", Variant::null(), "$B$2:$D$3"},
        {"E5", Variant(false), "$E$5"},        {"A1,C2", Variant::null(), "$A$1,$C$2"},
    };
    for (const Case& c : cases) {
        EXPECT_EQ(range(c.address).MergeCells(), c.merged) << c.address;
        EXPECT_EQ(range(c.address).MergeArea().Address(), q(c.area)) << c.address;
    }
    range("C2").setMergeCells(false);
    EXPECT_EQ(range("B2").MergeCells(), Variant(false));
    EXPECT_TRUE(modelSheet().mergesDirty);
}

TEST_F(HostTest, MergingKeepsOnlyTheTopLeftValue)
{
    range("B2").setValue(q("kept"));
    range("C3").setValue(q("dropped"));
    range("B2:C3").setMergeCells(true);
    EXPECT_EQ(range("B2").Value(), Variant(q("kept")));
    EXPECT_TRUE(range("C3").Value().isEmpty());
}

TEST_F(HostTest, HiddenAnswersNullWhenRowsOrColumnsDisagree)
{
    range("C:C").setHidden(true);
    range("4:4").setHidden(true);
    struct Case
    {
        const char* address;
        Variant hidden;
    } cases[] = {
        {"C:C", Variant(true)},       {"B:B", Variant(false)},  {"B:D", Variant::null()},
        {"4:4", Variant(true)},       {"3:5", Variant::null()}, {"1:3", Variant(false)},
        {"C:C,E:E", Variant::null()},
    };
    for (const Case& c : cases)
        EXPECT_EQ(range(c.address).Hidden(), c.hidden) << c.address;
    EXPECT_EQ(range("C7").EntireColumn().Hidden(), Variant(true));
    EXPECT_EQ(range("C7").EntireRow().Hidden(), Variant(false));
    // Cells that are neither whole rows nor whole columns have no Hidden state.
    EXPECT_EQ(errorOf([&] { range("C7").Hidden(); }), host::err::ApplicationDefined);
    EXPECT_EQ(errorOf([&] { range("C7").setHidden(true); }), host::err::ApplicationDefined);
}

TEST_F(HostTest, LockedFollowsTheCellFormats)
{
    model().cellFormats.push_back(host::model::CellFormat{false, false});
    modelSheet().editCell(2, 2).style = 1;                      // B2 unlocked
    modelSheet().setColumn(5, 5, [](auto& c) { c.style = 1; }); // column E unlocked
    modelSheet().editRow(9).style = 1;                          // row 9 unlocked
    modelSheet().editCell(9, 1).style = 0;                      // but A9 locked
    struct Case
    {
        const char* address;
        Variant locked;
    } cases[] = {
        {"A1", Variant(true)},     {"B2", Variant(false)},  {"A1:B2", Variant::null()},
        {"E7", Variant(false)},    {"E:E", Variant(false)}, {"D7:E7", Variant::null()},
        {"B9:C9", Variant(false)}, {"A9", Variant(true)},   {"A9:B9", Variant::null()},
        {"B2,E1", Variant(false)},
    };
    for (const Case& c : cases)
        EXPECT_EQ(range(c.address).Locked(), c.locked) << c.address;
}

TEST_F(HostTest, UnlockingCellsRowsAndColumns)
{
    range("B2:C2").setLocked(false);
    range("E:E").setLocked(false);
    range("7:7").setLocked(false);
    struct Case
    {
        const char* address;
        Variant locked;
    } cases[] = {
        {"B2", Variant(false)},    {"C2", Variant(false)},  {"B2:D2", Variant::null()},
        {"E1000", Variant(false)}, {"E:E", Variant(false)}, {"F7", Variant(false)},
        {"7:7", Variant(false)},   {"A1", Variant(true)},   {"A6:A7", Variant::null()},
    };
    for (const Case& c : cases)
        EXPECT_EQ(range(c.address).Locked(), c.locked) << c.address;
    // One appended format serves every unlocked cell; locking again returns to the original.
    EXPECT_EQ(model().cellFormats.size(), 2u);
    range("B2").setLocked(true);
    EXPECT_EQ(range("B2").Locked(), Variant(true));
    EXPECT_EQ(model().cellFormats.size(), 2u);
    EXPECT_FALSE(book().Saved());

    sheet().Protect();
    EXPECT_EQ(errorOf([&] { range("C2").setLocked(true); }), host::err::ApplicationDefined);
    range("E5").setValue(q("an unlocked cell of a protected sheet takes values"));
    EXPECT_EQ(errorOf([&] { range("D5").setValue(1); }), host::err::ApplicationDefined);
}

TEST_F(HostTest, ValuesOfCells)
{
    auto& s = modelSheet();
    s.editCell(1, 1) = {host::model::CellKind::Number, 1234.5};
    s.editCell(1, 2) = {host::model::CellKind::Text, 0, q("見出し")};
    s.editCell(1, 3) = {host::model::CellKind::Boolean, 0, {}, true};
    s.editCell(1, 4) = {host::model::CellKind::Error, 0, q("#N/A")};
    s.editCell(2, 1) = {host::model::CellKind::Number, 84, {}, false, q("B1*2")};

    EXPECT_EQ(range("A1").Value(), Variant(1234.5));
    EXPECT_EQ(range("B1").Value(), Variant(q("見出し")));
    EXPECT_EQ(range("C1").Value(), Variant(true));
    EXPECT_EQ(range("D1").Value(), Variant(q("#N/A")));
    EXPECT_EQ(range("A2").Value(), Variant(84.0)); // a formula answers its calculated value
    EXPECT_EQ(range("A2").Formula(), Variant(q("=B1*2")));
    const Variant empty = range("E9").Value();
    EXPECT_EQ(empty.type(), VarType::Empty);
    EXPECT_EQ(empty.toString(), QString()); // an empty cell reads as ""

    const Variant block = range("A1:B2").Value();
    ASSERT_TRUE(block.isArray());
    const host::VariantArray& a = block.toArray();
    EXPECT_EQ(a.rows, 2);
    EXPECT_EQ(a.columns, 2);
    EXPECT_EQ(a.items[0], Variant(1234.5));
    EXPECT_EQ(a.items[1], Variant(q("見出し")));
    EXPECT_EQ(a.items[2], Variant(84.0));
    EXPECT_TRUE(a.items[3].isEmpty());
}

TEST_F(HostTest, AssigningValues)
{
    struct Case
    {
        Variant assigned;
        Variant read;
        const char* formula;
    } cases[] = {
        {Variant(q("text")), Variant(q("text")), "text"},
        {Variant(q("12.5")), Variant(12.5), "12.5"},
        {Variant(std::int32_t(7)), Variant(7.0), "7"},
        {Variant(true), Variant(true), "TRUE"},
        {Variant(q("'=not a formula")), Variant(q("=not a formula")), "=not a formula"},
        {Variant(q("=LEN(\"a.jpg\")")), Variant(), "=LEN(\"a.jpg\")"}, // no engine yet
        {Variant(q("")), Variant(), ""},
    };
    for (const Case& c : cases) {
        range("B2").setValue(c.assigned);
        EXPECT_EQ(range("B2").Value(), c.read) << c.formula;
        EXPECT_EQ(range("B2").Formula().toString(), q(c.formula));
    }
    EXPECT_TRUE(modelSheet().dirtyCells.contains({2, 2}));

    // A value given to several cells goes into every one of them.
    range("A1:B2,D4").setValue(std::int32_t(3));
    for (const char* address : {"A1", "B1", "A2", "B2", "D4"})
        EXPECT_EQ(range(address).Value(), Variant(3.0)) << address;
    EXPECT_TRUE(range("C3").Value().isEmpty());

    // An array fills its shape; cells beyond it get #N/A.
    host::VariantArray values{2, 1, {Variant(1.0), Variant(2.0)}};
    range("F1:F3").setValue(Variant(std::move(values)));
    EXPECT_EQ(range("F1").Value(), Variant(1.0));
    EXPECT_EQ(range("F2").Value(), Variant(2.0));
    EXPECT_EQ(range("F3").Value(), Variant(q("#N/A")));
}

TEST_F(HostTest, ChangesClearSaved)
{
    book().setSaved(true);
    range("A1").setValue(1);
    EXPECT_FALSE(book().Saved());
    book().setSaved(true);
    EXPECT_TRUE(book().Saved());
    range("B2:C3").setMergeCells(true);
    EXPECT_FALSE(book().Saved());
}

TEST_F(HostTest, ProtectedSheetsRefuseChangesToLockedCells)
{
    model().cellFormats.push_back(host::model::CellFormat{false, false});
    modelSheet().editCell(3, 3).style = 1;
    sheet().Protect();
    EXPECT_EQ(errorOf([&] { range("A1").setValue(1); }), host::err::ApplicationDefined);
    range("C3").setValue(5); // unlocked
    EXPECT_EQ(range("C3").Value(), Variant(5.0));
    sheet().Unprotect();
    range("A1").setValue(1);
    EXPECT_EQ(range("A1").Value(), Variant(1.0));
}

TEST_F(HostTest, CurrentRegionGrowsOverTouchingCells)
{
    for (const char* address : {"A1", "B2", "C3", "E5", "G9", "H10"})
        range(address).setValue(1);
    struct Case
    {
        const char* from;
        const char* region;
    } cases[] = {
        {"B2", "$A$1:$C$3"}, {"A1", "$A$1:$C$3"},  {"D4", "$A$1:$E$5"}, // D4 touches C3 and E5
        {"E5", "$E$5"},      {"G9", "$G$9:$H$10"}, {"K20", "$K$20"},    {"F6:F7", "$E$5:$F$7"},
    };
    for (const Case& c : cases)
        EXPECT_EQ(range(c.from).CurrentRegion().Address(), q(c.region)) << c.from;
    EXPECT_EQ(sheet().Cells().CurrentRegion().Address(), q("$1:$1048576"));
}

} // namespace
