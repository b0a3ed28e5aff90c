// The takeover of the host's insert-picture command, the menu's buttons, and the bridge
// methods called by name.
#include "tests/menu_addin/addin_fixture.h"

#include "host/running/running_hosts.h"

#include "platform/shell.h"

using namespace menu_addin_test;
using menu_addin::CbSlot;

namespace {

struct HookCase
{
    const char* setting; // nullptr: not stored (default off)
    bool shift;
    bool takesOver;
};

class InsertPictureHook : public AddinTest, public ::testing::WithParamInterface<HookCase>
{
};

TEST_P(InsertPictureHook, SettingAndShiftDecideWhoRunsTheCommand)
{
    const HookCase& c = GetParam();
    for (const char* version : {"11.0", "16.0"}) {
        SCOPED_TRACE(version);
        host.reset();
        started.clear();
        connectAddin(q(version));
        const QString book = openBook();
        if (c.setting)
            setSetting("DefaultCommandHookOn", c.setting);
        if (c.shift)
            keys.held.insert(platform::vk::Shift);
        else
            keys.held.clear();
        int hostDialogs = 0;
        host->app().commandBars().setBuiltInAction(
            2619, [&](host::objects::Application&) { ++hostDialogs; });

        // Through the Insert menu's control, as the user's click runs it.
        app.CommandBars().FindControl(2619).Execute();
        EXPECT_EQ(hostDialogs, c.takesOver ? 0 : 1);
        ASSERT_EQ(started.size(), c.takesOver ? 1u : 0u);
        if (c.takesOver) {
            EXPECT_EQ(started[0].argument, u'"' + book + q("\"\t0\tget"));
        }
        disconnect();
        connect.reset();
    }
}

INSTANTIATE_TEST_SUITE_P(
    Table, InsertPictureHook,
    ::testing::Values(HookCase{nullptr, false, false}, HookCase{nullptr, true, true},
                      HookCase{"False", false, false}, HookCase{"False", true, true},
                      HookCase{"True", false, true}, HookCase{"True", true, false},
                      HookCase{"yes", true, true}));

TEST_F(AddinTest, EveryMenuButtonStartsItsCommandAndTheSiteOpensTheHomePage)
{
    connectAddin(q("11.0"));
    openBook();
    platform::RecordingShell shell;
    platform::ScopedShell shellScope(shell);
    const std::pair<CbSlot, const char*> buttons[] = {
        {CbSlot::gobjBtnGet, "get"},
        {CbSlot::gobjBtnSetting, "setting"},
        {CbSlot::gobjBtnHelp, "help"},
        {CbSlot::gobjBtnAbout, "about"},
        {CbSlot::gobjBtnToolSavePic, "savepic"},
        {CbSlot::gobjBtnToolReTrimming, "retrimming"},
        {CbSlot::gobjBtnToolReSmall, "tool_resmall"},
        {CbSlot::gobjBtnToolTemLoad, "tool_temload"},
        {CbSlot::gobjBtnToolTemSave, "tool_temsave"},
    };
    std::vector<QString> expected;
    for (const auto& [slot, word] : buttons) {
        connect->buttons()->button(slot).call(q("Execute"));
        expected.push_back(q(word));
    }
    EXPECT_EQ(startedWords(), expected);
    connect->buttons()->button(CbSlot::gobjBtnGoToHomePage).call(q("Execute"));
    EXPECT_EQ(shell.opened, std::vector<QString>{menu_addin::kHomePage});
    EXPECT_EQ(started.size(), expected.size());
}

TEST_F(AddinTest, WithoutAnActiveWorkbookNothingStartsAndNothingIsSaid)
{
    connectAddin(q("11.0"));
    connect->buttons()->button(CbSlot::gobjBtnGet).call(q("Execute"));
    connect->call(q("CallFor2007_Get"));
    EXPECT_TRUE(started.empty());
    EXPECT_TRUE(messages.shown().empty());
}

TEST_F(AddinTest, BridgeMethodsAnswerByNameWhateverTheLetterCase)
{
    connectAddin(q("16.0"));
    openBook();
    platform::RecordingShell shell;
    platform::ScopedShell shellScope(shell);
    const host::ObjectRef object = app.COMAddIns(q("TORVA_Picrows.Connect")).Object().ref();
    const std::pair<const char*, const char*> calls[] = {
        {"CallFor2007_Get", "get"},
        {"callfor2007_resmall", "tool_resmall"},
        {"CALLFOR2007_SAVEPIC", "savepic"},
        {"CallFor2007_TemplateLoad", "tool_temload"},
        {"CallFor2007_TemplateSAVE", "tool_temsave"},
        {"CallFor2007_Setting", "setting"},
        {"CallFor2007_Help", "help"},
        {"CallFor2007_About", "about"},
        {"CallFor2007_Retrimming", "retrimming"},
    };
    std::vector<QString> expected;
    for (const auto& [name, word] : calls) {
        host::deref(object).call(q(name));
        expected.push_back(q(word));
    }
    EXPECT_EQ(startedWords(), expected);
    host::deref(object).call(q("CallFor2007_GotoHomePage"));
    EXPECT_EQ(shell.opened, std::vector<QString>{menu_addin::kHomePage});
    EXPECT_THROW(host::deref(object).call(q("CallFor2007_Nothing")), host::HostError);
}

TEST_F(AddinTest, DefaultInsRunsTheHookedCommandAndLeavesItsByRefArgumentAlone)
{
    connectAddin(q("16.0"));
    openBook();
    int hostDialogs = 0;
    host->app().commandBars().setBuiltInAction(2619,
                                               [&](host::objects::Application&) { ++hostDialogs; });
    const host::ObjectRef object = app.COMAddIns(q("TORVA_Picrows.Connect")).Object().ref();
    for (const bool value : {true, false}) {
        auto variable = std::make_shared<host::Variant>(value);
        host::Args args;
        args.addByRef(variable);
        host::deref(object).call(q("callfor2007_defaultins"), args);
        EXPECT_EQ(variable->toBool(), value);
    }
    // Hook off and Shift up: the host's own command ran both times.
    EXPECT_EQ(hostDialogs, 2);
    EXPECT_TRUE(started.empty());

    setSetting("DefaultCommandHookOn", "True");
    auto cancel = std::make_shared<host::Variant>(false);
    host::Args args;
    args.addByRef(cancel);
    host::deref(object).call(q("CallFor2007_DefaultIns"), args);
    EXPECT_EQ(hostDialogs, 2);
    EXPECT_EQ(startedWords(), std::vector<QString>{q("get")});
    EXPECT_FALSE(cancel->toBool());
}

TEST_F(AddinTest, ReTrimmingAddEnabledReadsTheStoreAtEveryCall)
{
    connectAddin(q("16.0"));
    const host::ObjectRef object = app.COMAddIns(q("TORVA_Picrows.Connect")).Object().ref();
    EXPECT_TRUE(host::deref(object).call(q("CallFor2007_ReTrimmingAddEnabled")).toBool());
    setSetting("ReTrimmingAdd", "False");
    EXPECT_FALSE(host::deref(object).call(q("CallFor2007_ReTrimmingAddEnabled")).toBool());
    setSetting("ReTrimmingAdd", "tRUE");
    EXPECT_TRUE(host::deref(object).call(q("CallFor2007_ReTrimmingAddEnabled")).toBool());
}

TEST_F(AddinTest, TheHostWindowIdGoesOnTheCommandLineWhenTheHostIsRunning)
{
    makeHost(q("11.0"));
    const QString book = openBook();
    auto running = std::make_shared<host::running::InProcessHost>(host->application(), 4711);
    const host::running::Registration registration(running);
    running->setWindowTitle(app.Caption());
    connectAddin();
    connect->call(q("CallFor2007_Help"));
    ASSERT_EQ(started.size(), 1u);
    EXPECT_EQ(started[0].program, dir.filePath(menu_addin::kMainProgramFile));
    EXPECT_EQ(started[0].argument, u'"' + book + q("\"\t4711\thelp"));

    running->setWindowTitle(q("another title"));
    connect->call(q("CallFor2007_Help"));
    ASSERT_EQ(started.size(), 2u);
    EXPECT_EQ(started[1].argument, u'"' + book + q("\"\t0\thelp"));
}

} // namespace
