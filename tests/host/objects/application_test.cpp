// The application: settings, built-in controls, add-in workbooks and Run, add-ins, and the
// errors of late-bound calls.
#include "tests/host/objects/objects_support.h"

#include "host/automation/member_table.h"

using namespace objects_test;
using host::Variant;

namespace {

TEST(Application, SettingsOfTheHost)
{
    host::objects::HostOptions options;
    options.path = q("/opt/host");
    host::objects::Host host(options);
    const xl::Application app(host.application());
    EXPECT_EQ(app.TypeName(), q("Application"));
    EXPECT_EQ(app.Version(), q("16.0"));
    EXPECT_EQ(app.Path(), q("/opt/host"));
    EXPECT_NE(app.hInstance(), 0);
    app.let(q("caption"), q("Book1 - Host"));
    EXPECT_EQ(app.Caption(), q("Book1 - Host"));
    EXPECT_EQ(app.StandardFont(), q("Calibri"));
    EXPECT_EQ(app.StandardFontSize(), 11);
    EXPECT_EQ(app.SheetsInNewWorkbook(), 1);

    host.options().version = q("11.0");
    host.options().is64Bit = true;
    EXPECT_EQ(app.Version(), q("11.0"));
    EXPECT_EQ(app.hInstance(), 0);

    for (const char* name : {"ScreenUpdating", "EnableEvents", "Interactive", "DisplayAlerts"}) {
        EXPECT_TRUE(app.get(q(name)).toBool()) << name;
        app.let(q(name), false);
        EXPECT_FALSE(app.get(q(name)).toBool()) << name;
    }
    EXPECT_EQ(app.CutCopyMode(), Variant(false));
    app.setCutCopyMode(false);
    EXPECT_EQ(app.CutCopyMode(), Variant(false));

    EXPECT_EQ(app.get(q("Cursor")), Variant(std::int32_t(-4143))); // xlDefault
    app.let(q("Cursor"), std::int32_t(2));                         // xlWait
    EXPECT_EQ(app.get(q("Cursor")), Variant(std::int32_t(2)));
    try {
        app.let(q("Cursor"), std::int32_t(7));
        FAIL() << "no error";
    } catch (const host::HostError& e) {
        EXPECT_EQ(e.number(), 1004);
    }
    EXPECT_EQ(app.get(q("Cursor")), Variant(std::int32_t(2)));
}

TEST(Application, GetSaveAsFilenameAsksTheHostsDialog)
{
    host::objects::Host host;
    const xl::Application app(host.application());
    host::Args args;
    args.add(q("InitialFilename"), q("Book1.jpg"))
        .add(q("FileFilter"), q("JPEG (*.jpg),*.jpg,Bitmap (*.bmp),*.bmp"))
        .add(q("FilterIndex"), std::int32_t(2))
        .add(q("Title"), q("名前を付けて保存"));
    // No dialog (the batch command): as if the user cancelled.
    EXPECT_EQ(app.call(q("GetSaveAsFilename"), args), Variant(false));

    host::objects::SaveAsQuestion asked;
    QString answer = q("/tmp/out.bmp");
    host.options().saveAsDialog = [&](const host::objects::SaveAsQuestion& question) {
        asked = question;
        return answer;
    };
    EXPECT_EQ(app.call(q("GetSaveAsFilename"), args), Variant(q("/tmp/out.bmp")));
    EXPECT_EQ(asked.initialFileName, q("Book1.jpg"));
    EXPECT_EQ(asked.fileFilter, q("JPEG (*.jpg),*.jpg,Bitmap (*.bmp),*.bmp"));
    EXPECT_EQ(asked.filterIndex, 2);
    EXPECT_EQ(asked.title, q("名前を付けて保存"));
    answer.clear();
    EXPECT_EQ(app.call(q("GetSaveAsFilename"), args), Variant(false));
}

TEST(Application, BuiltInControlsFollowTheHostState)
{
    host::objects::Host host;
    const xl::Application app(host.application());
    const auto enabled = [&](int id) { return app.CommandBars().FindControl(id).Enabled(); };

    EXPECT_FALSE(enabled(748)); // no workbook open
    EXPECT_TRUE(enabled(18));
    app.Workbooks().Add();
    EXPECT_TRUE(enabled(748));
    host.options().cellEditing = true;
    EXPECT_FALSE(enabled(18));
    EXPECT_TRUE(enabled(748));
    host.options().cellEditing = false;
    EXPECT_TRUE(enabled(18));

    const xl::CommandBarControl control = app.CommandBars().FindControl(18);
    EXPECT_EQ(control.Id(), 18);
    control.Execute(); // a new workbook
    EXPECT_EQ(app.ActiveWorkbook().Name(), q("Book2"));
    EXPECT_EQ(errorOf([&] { app.CommandBars().FindControl(748).Execute(); }),
              host::err::ApplicationDefined);

    EXPECT_TRUE(app.CommandBars().FindControl(99999).isNothing());
    EXPECT_EQ(errorOf([&] { app.CommandBars().FindControl(99999).Enabled(); }),
              host::err::ObjectNotSet);
}

// An add-in workbook of macros as a program registers it: Echo answers its arguments as an
// array, Fail raises the error its caller asks for.
host::AddInWorkbook toolsAddIn()
{
    host::AddInWorkbook book;
    book.name = q("Tools.xlam");
    book.folder = q("/opt/addins");
    book.macros = {
        {q("Echo"),
         [](const host::ObjectRef& application, const std::vector<Variant>& args) {
             EXPECT_EQ(xl::Application(application).TypeName(), q("Application"));
             host::VariantArray out;
             out.rows = int(args.size());
             out.items = args;
             return Variant(out);
         }},
        {q("Fail"),
         [](const host::ObjectRef&, const std::vector<Variant>& args) -> Variant {
             host::raise(args.at(0).toInt32(), q("refused by the macro"));
         }},
    };
    return book;
}

std::vector<Variant> itemsOf(const Variant& answer)
{
    return answer.isArray() ? answer.toArray().items : std::vector<Variant>{answer};
}

TEST(Application, RunResolvesTheMacrosOfRegisteredAddInWorkbooks)
{
    host::objects::Host host;
    host.registerAddInWorkbook(toolsAddIn());
    const xl::Application app(host.application());
    app.Workbooks().Add();
    struct Case
    {
        const char* macro;
        int error;
    } cases[] = {
        {"'Tools.xlam'!Echo", 0},
        {"Tools.xlam!Echo", 0},
        {"'tools.XLAM'!echo", 0},
        {"'Tools.xlam'!Module1.Echo", 0},
        {"'Tools.xlam'!Unknown", host::err::ApplicationDefined},
        {"'Book1'!Echo", host::err::ApplicationDefined}, // an open book, but no add-in
        {"Echo", host::err::ApplicationDefined},
        {"'Other.xlam'!Echo", host::err::ApplicationDefined},
    };
    for (const Case& c : cases) {
        Variant answer;
        EXPECT_EQ(errorOf([&] { answer = app.Run(q(c.macro), {Variant(q("a"))}); }), c.error)
            << c.macro;
        if (c.error == 0) {
            EXPECT_EQ(itemsOf(answer), std::vector<Variant>{Variant(q("a"))}) << c.macro;
        }
    }
    EXPECT_EQ(
        descriptionOf([&] { app.Run(q("'Book1'!Nope")); }),
        q("Cannot run the macro ''Book1'!Nope'. The macro may not be available in this workbook "
          "or all macros may be disabled."));

    // Omitted arguments count up to the last one given; 30 is the most a call passes.
    std::vector<Variant> omitted(30, Variant::missing());
    EXPECT_TRUE(itemsOf(app.Run(q("'Tools.xlam'!Echo"), omitted)).empty());
    omitted[2] = Variant(std::int32_t(3));
    const std::vector<Variant> third = itemsOf(app.Run(q("'Tools.xlam'!Echo"), omitted));
    ASSERT_EQ(third.size(), 3u);
    EXPECT_TRUE(third[0].isMissing());
    EXPECT_EQ(third[2], Variant(std::int32_t(3)));
    omitted.push_back(Variant::missing());
    EXPECT_EQ(errorOf([&] { app.Run(q("'Tools.xlam'!Echo"), omitted); }), host::err::WrongArgCount);

    // A host error of the macro reaches the caller as it was raised.
    EXPECT_EQ(errorOf([&] { app.Run(q("'Tools.xlam'!Fail"), {Variant(std::int32_t(13))}); }), 13);
    EXPECT_EQ(descriptionOf([&] { app.Run(q("'Tools.xlam'!Fail"), {Variant(std::int32_t(5))}); }),
              q("refused by the macro"));
}

TEST(Application, AnAddInWorkbookIsAnOpenBookButNeverTheActiveOne)
{
    host::objects::Host host;
    host.registerAddInWorkbook(toolsAddIn());
    const xl::Application app(host.application());
    EXPECT_TRUE(app.ActiveWorkbook().isNothing());
    app.Workbooks().Add();
    ASSERT_EQ(app.Workbooks().Count(), 2);
    const xl::Workbook tools = app.Workbooks().Item(2);
    EXPECT_EQ(tools.Name(), q("Tools.xlam"));
    EXPECT_EQ(tools.FullName(), q("/opt/addins/Tools.xlam"));
    EXPECT_TRUE(tools.IsAddin());
    EXPECT_EQ(tools.Windows().Count(), 0);
    EXPECT_FALSE(app.Workbooks().Item(1).IsAddin());
    EXPECT_EQ(app.ActiveWorkbook().Name(), app.Workbooks().Item(1).Name());
    EXPECT_EQ(errorOf([&] { host.registerAddInWorkbook(toolsAddIn()); }),
              host::err::ApplicationDefined);

    // A host that was given none has none, and runs nothing.
    host::objects::Host plain;
    const xl::Application bare(plain.application());
    EXPECT_EQ(bare.Workbooks().Count(), 0);
    EXPECT_EQ(errorOf([&] { bare.Run(q("'Tools.xlam'!Echo")); }), host::err::ApplicationDefined);
}

// An add-in's published object, called by name.
class Bridge : public host::TableDispatch<Bridge>
{
public:
    QString className() const override { return QStringLiteral("Connect2"); }
    static const host::MemberTable<Bridge>& members()
    {
        static const host::MemberTable<Bridge> table = [] {
            host::MemberTable<Bridge> t;
            t.member(q("CallForExe_GetTrimmingEnabled"), {}, 0,
                     [](Bridge&, const host::BoundArgs&) { return Variant(true); });
            return t;
        }();
        return table;
    }
};

TEST(Application, ComAddInsAnswerOnlyLoadedAddIns)
{
    host::objects::Host host;
    const xl::Application app(host.application());
    EXPECT_EQ(app.COMAddIns().Count(), 0);
    EXPECT_EQ(errorOf([&] { app.COMAddIns(q("TORVA_PicrowsFor2007.Connect2")); }),
              host::err::OutOfRange);

    host.registerComAddIn(q("TORVA_PicrowsFor2007.Connect2"), q("ribbon"),
                          std::make_shared<Bridge>());
    const xl::COMAddIn addIn = app.COMAddIns(q("torva_picrowsfor2007.connect2"));
    EXPECT_EQ(addIn.ProgId(), q("TORVA_PicrowsFor2007.Connect2"));
    EXPECT_TRUE(addIn.Connect());
    EXPECT_EQ(addIn.Object().call(q("CallForExe_GetTrimmingEnabled")), Variant(true));
    EXPECT_EQ(app.COMAddIns().Item(q("TORVA_PicrowsFor2007.Connect2")).Description(), q("ribbon"));
}

TEST_F(HostTest, ArgumentErrorsOfLateBoundCalls)
{
    struct Case
    {
        const char* what;
        std::function<void()> call;
        int error;
    } cases[] = {
        {"unknown member", [&] { range("A1").get(q("NoSuchMember")); }, host::err::NotSupported},
        {"read-only property", [&] { app.let(q("Version"), q("9.0")); }, host::err::NotSupported},
        {"too many arguments",
         [&] {
             range("A1").call(q("Offset"), {1, 2, 3});
         },
         host::err::WrongArgCount},
        {"unknown named argument",
         [&] { sheet().call(q("Copy"), host::Args().add(q("Where"), sheet(2).toVariant())); },
         host::err::NamedNotFound},
        {"required argument left out", [&] { app.Workbooks().call(q("Open")); },
         host::err::NotOptional},
        {"value that does not convert",
         [&] {
             range("A1").call(q("Offset"), {q("x"), 1});
         },
         host::err::TypeMismatch},
        {"object expected", [&] { sheet().call(q("Copy"), {q("Sheet2")}); },
         host::err::ObjectRequired},
        {"member of Nothing", [&] { xl::Range().Value(); }, host::err::ObjectNotSet},
        {"collection item out of range", [&] { app.Workbooks().Item(9); }, host::err::OutOfRange},
    };
    for (const Case& c : cases)
        EXPECT_EQ(errorOf(c.call), c.error) << c.what;

    // Named arguments bind by name in any letter case.
    sheet(1).call(q("Copy"), host::Args().add(q("after"), sheet(3).toVariant()));
    EXPECT_EQ(sheet(4).Name(), q("Sheet1 (2)"));
}

} // namespace
