// The host application's add-ins: the per-user list, loading the menu add-in's library with
// the plugin loader, Application.COMAddIns, Connect assigned, and failures reported while the
// host goes on.
#include "tests/host_app/host_app_support.h"

#include "host_app/add_ins/add_in_list.h"
#include "host_app/add_ins/add_in_loader.h"
#include "host_app/add_ins/add_in_registration.h"
#include "host_app/ribbon/ribbon_install.h"
#include "host_app/ribbon/ribbon_widget.h"

#include <QDir>
#include <QMenuBar>
#include <QTabWidget>
#include <QToolButton>

using namespace host_app_test;
using host::Variant;
using host_app::AddInEntry;
using platform::Message;
using platform::MsgButtons;
using platform::MsgIcon;

namespace {

AddInEntry menuAddin()
{
    return {q("TORVA_Picrows.Connect"), q("TORVA_Picrows"), q("ピクロウアドイン"), 3,
            q(PICROWS_MENU_ADDIN)};
}

class AddInLoading : public HostAppTest
{
protected:
    QStringList menuBarTitles()
    {
        settle();
        QStringList titles;
        for (QAction* action : window.menuBar()->actions())
            titles << action->text();
        return titles;
    }
    xl::COMAddIn addIn() const { return app.COMAddIns(q("TORVA_Picrows.Connect")); }
};

TEST_F(AddInLoading, TheListedLibraryConnectsAndPublishesItsObject)
{
    host.options().version = q("11.0");
    host_app::AddInLoader loader(host.app());
    loader.load({menuAddin(),
                 {q("Other.Connect"), q("Other"), q("listed only"), 0, q("/nowhere/other.so")}});

    EXPECT_TRUE(messages.shown().empty());
    const xl::COMAddIns addIns = app.COMAddIns();
    EXPECT_EQ(addIns.Count(), 2);
    const xl::COMAddIn first(addIns.get(QString(), {Variant(std::int32_t(1))}));
    EXPECT_EQ(first.ProgId(), q("TORVA_Picrows.Connect"));
    EXPECT_EQ(first.Description(), q("ピクロウアドイン"));
    EXPECT_TRUE(first.Connect());
    const xl::COMAddIn byName = app.COMAddIns(q("torva_picrows.connect"));
    EXPECT_EQ(byName, first);
    EXPECT_FALSE(app.COMAddIns(q("Other.Connect")).Connect()); // load behaviour 0
    EXPECT_TRUE(app.COMAddIns(q("Other.Connect")).Object().isNothing());

    // The published object answers by name, and its menu shows in the window's menu bar.
    EXPECT_EQ(first.Object().call(q("callfor2007_retrimmingaddenabled")).type(),
              host::VarType::Boolean);
    EXPECT_TRUE(menuBarTitles().contains(q("TORVA(&M)")));
}

TEST_F(AddInLoading, AssigningConnectUnloadsAndLoadsAgain)
{
    host.options().version = q("10.0");
    host_app::AddInLoader loader(host.app());
    loader.load({menuAddin()});
    ASSERT_TRUE(menuBarTitles().contains(q("TORVA(&M)")));

    addIn().let(q("Connect"), Variant(false));
    EXPECT_FALSE(addIn().Connect());
    EXPECT_TRUE(addIn().Object().isNothing());
    EXPECT_EQ(loader.instance(q("TORVA_Picrows.Connect")), nullptr);
    EXPECT_FALSE(menuBarTitles().contains(q("TORVA(&M)")));

    addIn().let(q("Connect"), Variant(true));
    EXPECT_TRUE(addIn().Connect());
    EXPECT_FALSE(addIn().Object().isNothing());
    EXPECT_EQ(menuBarTitles().count(q("TORVA(&M)")), 1);
    EXPECT_TRUE(messages.shown().empty());
}

// The ribbon follows connections made after start-up: an add-in connected later brings its
// tab and group, one disconnected takes them away, and connecting again shows them once.
TEST_F(AddInLoading, TheRibbonShowsAddinsConnectedLaterAndDropsDisconnectedOnes)
{
    host.options().version = q("16.0");
    host_app::AddInLoader loader(host.app());
    const QString progId = q("TORVA_PicrowsFor2007.Connect2");
    loader.load({menuAddin(),
                 {progId, q("TORVA_PicrowsFor2007"), q("ピクロウアドイン For 2007"), 0,
                  q(PICROWS_RIBBON_ADDIN)}});
    host_app::RibbonWidget* ribbon = host_app::installRibbon(window, loader);
    ASSERT_NE(ribbon, nullptr);
    const QString getButton = q("TORVA_PICROW_TAB_MAIN_GET");
    const auto tabs = [&] {
        ribbon->flush();
        QStringList titles;
        for (int i = 0; i < ribbon->tabs().count(); ++i)
            titles << ribbon->tabs().tabText(i);
        return titles;
    };
    const QStringList hostTabs = tabs();
    EXPECT_EQ(ribbon->buttonFor(getButton), nullptr);

    const xl::COMAddIn later = app.COMAddIns(progId);
    for (int round = 0; round < 2; ++round) {
        later.let(q("Connect"), Variant(true));
        ASSERT_TRUE(later.Connect());
        EXPECT_EQ(tabs(), hostTabs + QStringList{q("アドイン")});
        QToolButton* get = ribbon->buttonFor(getButton);
        ASSERT_NE(get, nullptr);
        EXPECT_EQ(get->text(), q("ピクロウ"));

        later.let(q("Connect"), Variant(false));
        EXPECT_EQ(tabs(), hostTabs);
        EXPECT_EQ(ribbon->buttonFor(getButton), nullptr);
        EXPECT_EQ(ribbon->groupFor(q("TORVA_PICROW_TAB_MAIN")), nullptr);
    }
    EXPECT_TRUE(messages.shown().empty());
}

TEST_F(AddInLoading, ARefusalIsTheAddinsOwnMessageAndLeavesItListedUnconnected)
{
    host.options().version = q("8.0");
    host_app::AddInLoader loader(host.app());
    loader.load({menuAddin()});
    EXPECT_EQ(messages.shown(),
              (std::vector<Message>{{q("このバージョンのエクセルには対応していません。"),
                                     MsgButtons::OK, MsgIcon::Critical, q("ピクロウアドイン")}}));
    EXPECT_EQ(app.COMAddIns().Count(), 1);
    EXPECT_FALSE(addIn().Connect());
    EXPECT_TRUE(addIn().Object().isNothing());
    EXPECT_EQ(loader.instance(q("TORVA_Picrows.Connect")), nullptr);
}

TEST_F(AddInLoading, ALibraryThatDoesNotLoadIsReportedAndTheOthersStillLoad)
{
    host.options().version = q("11.0");
    const QString notAPlugin = dir.filePath(q("broken.so"));
    QFile file(notAPlugin);
    ASSERT_TRUE(file.open(QIODevice::WriteOnly));
    file.write("not a library");
    file.close();
    host_app::AddInLoader loader(host.app());
    loader.load({{q("Broken.Connect"), q("Broken"), q("壊れた"), 3, notAPlugin}, menuAddin()});

    ASSERT_EQ(messages.shown().size(), 1u);
    const Message& shown = messages.shown()[0];
    EXPECT_TRUE(shown.text.startsWith(q("アドイン 'Broken' を読み込めませんでした。\r\n")))
        << shown.text.toStdString();
    EXPECT_GT(shown.text.size(), q("アドイン 'Broken' を読み込めませんでした。\r\n").size());
    EXPECT_EQ(shown.icon, MsgIcon::Critical);
    EXPECT_EQ(shown.buttons, MsgButtons::OK);
    EXPECT_EQ(shown.title, app.Caption());
    EXPECT_FALSE(app.COMAddIns(q("Broken.Connect")).Connect());
    EXPECT_TRUE(addIn().Connect());

    // A host library is no add-in either: the plugin interface is missing.
    messages.clear();
    host_app::AddInLoader second(host.app());
    second.load({{q("Host.Connect"), q("Host"), QString(), 3, q(PICROWS_HOST_APP_LIBRARY)}});
    ASSERT_EQ(messages.shown().size(), 1u);
    EXPECT_TRUE(messages.shown()[0].text.startsWith(q("アドイン 'Host' を読み込めませんでした。")));
}

TEST(AddInList, EntriesRoundTripAndAProgIdIsReplacedWhateverItsLetterCase)
{
    QTemporaryDir dir;
    const QString list = dir.filePath(q("sub/addins.ini"));
    EXPECT_TRUE(host_app::readAddInList(list).empty());
    const AddInEntry first{q("TORVA_Picrows.Connect"), q("TORVA_Picrows"), q("ピクロウアドイン"), 3,
                           q("/a/TORVA_Picrows.so")};
    const AddInEntry second{q("TORVA_PicrowsFor2007.Connect2"), q("TORVA_PicrowsFor2007"),
                            q("ｻﾝﾌﾟﾙ ｱﾄﾞｲﾝ ﾌﾟﾛｼﾞｪｸﾄ"), 0, q("/b c/TORVA_PicrowsFor2007.so")};
    ASSERT_TRUE(host_app::writeAddInEntry(list, second));
    ASSERT_TRUE(host_app::writeAddInEntry(list, first));
    EXPECT_EQ(host_app::readAddInList(list), (std::vector<AddInEntry>{first, second}));

    AddInEntry moved = first;
    moved.progId = q("torva_picrows.connect");
    moved.library = q("/elsewhere/TORVA_Picrows.so");
    ASSERT_TRUE(host_app::writeAddInEntry(list, moved));
    EXPECT_EQ(host_app::readAddInList(list), (std::vector<AddInEntry>{second, moved}));
}

TEST(AddInList, RegistrationFindsTheLibrariesBesideTheProgramOrInTheSuiteFolder)
{
    QTemporaryDir dir;
    const QString bin = dir.filePath(q("bin"));
    const QString suite = dir.filePath(q("lib/picrows"));
    QDir().mkpath(bin);
    QDir().mkpath(suite);
    QFile(suite + q("/TORVA_Picrows.so")).open(QIODevice::WriteOnly);
    const QString list = dir.filePath(q("addins.ini"));

    EXPECT_EQ(host_app::registerSuiteAddIns(bin, list), QStringList{q("TORVA_Picrows.Connect")});
    const auto entries = host_app::readAddInList(list);
    ASSERT_EQ(entries.size(), 1u);
    EXPECT_EQ(entries[0],
              (AddInEntry{q("TORVA_Picrows.Connect"), q("TORVA_Picrows"), q("ピクロウアドイン"), 3,
                          QFileInfo(suite + q("/TORVA_Picrows.so")).canonicalFilePath()}));

    QFile(bin + q("/TORVA_PicrowsFor2007.so")).open(QIODevice::WriteOnly);
    EXPECT_EQ(host_app::registerSuiteAddIns(bin, list),
              (QStringList{q("TORVA_Picrows.Connect"), q("TORVA_PicrowsFor2007.Connect2")}));
    EXPECT_EQ(host_app::readAddInList(list).size(), 2u);
}

} // namespace
