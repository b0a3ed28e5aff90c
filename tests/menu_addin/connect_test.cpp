// Connection per host version, refusals and the connection error report, and disconnection
// taking away everything the add-in made.
#include "tests/menu_addin/addin_fixture.h"

#include <set>

using namespace menu_addin_test;
using platform::Message;
using platform::MsgButtons;
using platform::MsgIcon;

namespace {

struct VersionCase
{
    const char* version;
    bool connects;
    bool menu;
};

class ConnectionPerVersion : public AddinTest, public ::testing::WithParamInterface<VersionCase>
{
};

TEST_P(ConnectionPerVersion, MenuObjectAndHookFollowTheVersion)
{
    const VersionCase& c = GetParam();
    connectAddin(q(c.version));

    const xl::COMAddIn addIn = app.COMAddIns(q("TORVA_Picrows.Connect"));
    EXPECT_EQ(addIn.Connect(), c.connects);
    EXPECT_EQ(findByTag("TORVA_PICROWS").isNothing(), !c.menu);
    EXPECT_EQ(findByTag("TORVA").isNothing(), !c.menu);
    if (!c.connects) {
        EXPECT_EQ(
            messages.shown(),
            (std::vector<Message>{{q("このバージョンのエクセルには対応していません。"),
                                   MsgButtons::OK, MsgIcon::Critical, q("ピクロウアドイン")}}));
        EXPECT_TRUE(addIn.Object().isNothing());
        EXPECT_EQ(connect->buttons(), nullptr);
        return;
    }
    EXPECT_TRUE(messages.shown().empty());
    EXPECT_EQ(addIn.Object().ref(), connect);
    EXPECT_EQ(connect->onAction(), q("!<TORVA_Picrows.Connect>"));
    ASSERT_NE(connect->buttons(), nullptr);
    const xl::Object hooked = connect->buttons()->button(menu_addin::CbSlot::gobjBtnDefaultIns);
    ASSERT_FALSE(hooked.isNothing());
    EXPECT_EQ(hooked.get(q("Id")).toInt32(), 2619);
}

INSTANTIATE_TEST_SUITE_P(
    Versions, ConnectionPerVersion,
    ::testing::Values(VersionCase{"8.0", false, false}, VersionCase{"9.0", true, true},
                      VersionCase{"10.0", true, true}, VersionCase{"11.0", true, true},
                      VersionCase{"12.0", true, false}, VersionCase{"13.0", false, false},
                      VersionCase{"14.0", true, false}, VersionCase{"15.0", true, false},
                      VersionCase{"16.0", true, false}, VersionCase{"17.0", false, false},
                      VersionCase{"abc", false, false}));

// A stand-in Application that fails one member, to reach the connection's error report.
class FailingApplication : public host::Dispatch
{
public:
    FailingApplication(host::ObjectRef real, QString failing)
        : m_real(std::move(real)), m_failing(std::move(failing))
    {
    }
    QString className() const override { return q("Application"); }
    host::Variant invoke(const QString& member, host::CallKind kind,
                         const host::Args& args) override
    {
        if (member.compare(m_failing, Qt::CaseInsensitive) == 0)
            host::raise(1004, q("コマンドバーが使えません"));
        return m_real->invoke(member, kind, args);
    }

private:
    host::ObjectRef m_real;
    QString m_failing;
};

TEST_F(AddinTest, AnErrorWhileConnectingIsReportedAndWhatWasDoneStays)
{
    makeHost(q("11.0"));
    connect = std::make_shared<menu_addin::Connect>();
    std::vector<host::Variant> custom;
    const auto failing =
        std::make_shared<FailingApplication>(host->application(), q("CommandBars"));
    connect->OnConnection(failing, host::ConnectMode::Startup, record, custom);

    EXPECT_EQ(messages.shown(),
              (std::vector<Message>{{q("OnConnection-Err:1004\r\nコマンドバーが使えません"),
                                     MsgButtons::OK, MsgIcon::None, q("ピクロウアドイン")}}));
    // The object was published before the menu failed; the later steps were skipped.
    EXPECT_EQ(record->object(), connect);
    EXPECT_EQ(connect->buttons(), nullptr);
}

std::set<const void*> allControls(const host::objects::Host& host)
{
    std::set<const void*> out;
    for (const auto& control : host.app().commandBars().allControls())
        out.insert(control.get());
    return out;
}

TEST_F(AddinTest, DisconnectionRemovesEveryControlTheAddinMadeAndStopsListening)
{
    makeHost(q("11.0"));
    openBook();
    const std::set<const void*> before = allControls(*host);
    connectAddin();
    ASSERT_GT(allControls(*host).size(), before.size() + 10); // menu and both copies
    const xl::Object menuButton = connect->buttons()->button(menu_addin::CbSlot::gobjBtnGet);

    disconnect();
    EXPECT_EQ(allControls(*host), before);
    EXPECT_EQ(connect->buttons(), nullptr);

    // The host's insert-picture command is the host's again, even with the hook on.
    setSetting("DefaultCommandHookOn", "True");
    int hostDialogs = 0;
    host->app().commandBars().setBuiltInAction(2619,
                                               [&](host::objects::Application&) { ++hostDialogs; });
    app.CommandBars().FindControl(2619).Execute();
    EXPECT_EQ(hostDialogs, 1);
    EXPECT_TRUE(started.empty());
    EXPECT_EQ(menuButton.TypeName(), q("CommandBarButton"));
    EXPECT_THROW(menuButton.get(q("Caption")), host::HostError); // deleted with its menu

    // A second disconnection finds nothing to undo.
    disconnect();
    EXPECT_EQ(allControls(*host), before);
    connect.reset();
}

TEST_F(AddinTest, ReconnectingBuildsOneMenuNotTwo)
{
    connectAddin(q("11.0"));
    disconnect();
    connectAddin();
    connectAddin(); // a second instance without disconnecting the first: replaces its submenu
    const xl::Object shared = findByTag("TORVA");
    ASSERT_FALSE(shared.isNothing());
    int submenus = 0;
    int sites = 0;
    for (const xl::Object& c : controlsOf(shared)) {
        submenus += c.get(q("Tag")).toString() == q("TORVA_PICROWS");
        sites += c.get(q("Tag")).toString() == q("TORVA_SITE");
    }
    EXPECT_EQ(submenus, 1);
    EXPECT_EQ(sites, 1);
}

} // namespace
