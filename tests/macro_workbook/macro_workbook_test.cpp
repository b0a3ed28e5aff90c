// The suite's macro workbook on the real host: Run finds its two macros by every form of name,
// the trimming answer follows the selection, and a host that was not given the workbook fails
// the run as for a missing macro.
#include "macro_workbook/macro_workbook.h"

#include "tests/host/objects/shape_test_support.h"

using namespace objects_test;
using host::Variant;

namespace {

const QString kTrimming = QStringLiteral("'@TORVA_Picrows.xlam'!CallForExe_GetTrimmingEnabled");

class MacroWorkbook : public ShapeTest
{
protected:
    MacroWorkbook()
    {
        m_host.registerAddInWorkbook(picrows::macroWorkbook(q("/opt/picrows")));
        modelPicture(200, 100, 10, 10, "p1");
        modelPicture(80, 60, 300, 10, "p2");
        shapes().AddTextbox(1, 10, 200, 60, 20).setName(q("box"));
    }
};

TEST_F(MacroWorkbook, IsAnOpenAddInNamedAsTheMainProgramCallsIt)
{
    QString found;
    for (const xl::Workbook& book : app.Workbooks().items())
        if (book.Name().toUpper().contains(q("TORVA_PICROWS.XLAM")))
            found = book.FullName();
    EXPECT_EQ(found, q("/opt/picrows/@TORVA_Picrows.xlam"));
    EXPECT_TRUE(app.Workbooks().Item(q("@TORVA_Picrows.xlam")).IsAddin());
    EXPECT_EQ(app.ActiveWorkbook().Name(), q("Book1"));
}

TEST_F(MacroWorkbook, RunFindsBothMacrosByEveryFormOfTheirName)
{
    shapes().Range(QStringList{q("p1")}).Select();
    const std::pair<const char*, Variant> cases[] = {
        {"'@TORVA_Picrows.xlam'!CallForExe_GetTrimmingEnabled", Variant(true)},
        {"@TORVA_Picrows.xlam!CallForExe_GetTrimmingEnabled", Variant(true)},
        {"'@torva_picrows.XLAM'!callforexe_gettrimmingenabled", Variant(true)},
        {"'@TORVA_Picrows.xlam'!Module1.CallForExe_GetTrimmingEnabled", Variant(true)},
        {"'@TORVA_Picrows.xlam'!CallForExe_Refresh_RetrimmingCmd", Variant()},
    };
    for (const auto& [macro, answer] : cases)
        EXPECT_EQ(app.Run(q(macro)), answer) << macro;
    // The main program passes 30 omitted arguments.
    EXPECT_EQ(app.Run(kTrimming, std::vector<Variant>(30, Variant::missing())), Variant(true));
    EXPECT_EQ(errorOf([&] { app.Run(q("'@TORVA_Picrows.xlam'!CallForExe_Unknown")); }),
              host::err::ApplicationDefined);
}

TEST_F(MacroWorkbook, TrimmingIsEnabledForExactlyOneSelectedPicture)
{
    const std::pair<QStringList, bool> cases[] = {
        {{}, false},
        {{q("p1")}, true},
        {{q("p1"), q("p2")}, false},
        {{q("box")}, false},
    };
    for (const auto& [names, expected] : cases) {
        SCOPED_TRACE(names.join(u',').toStdString());
        if (names.isEmpty())
            range("A1").Select();
        else
            shapes().Range(names).Select();
        EXPECT_EQ(app.Run(kTrimming), Variant(expected));
    }
}

TEST(MacroWorkbookMissing, AHostWithoutItFailsTheRunAsForAMissingMacro)
{
    host::objects::Host host;
    const xl::Application app(host.application());
    app.Workbooks().Add();
    EXPECT_EQ(app.Workbooks().Count(), 1);
    EXPECT_EQ(errorOf([&] { app.Run(kTrimming); }), host::err::ApplicationDefined);
}

} // namespace
