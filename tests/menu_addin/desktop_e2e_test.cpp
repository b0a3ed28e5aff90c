// On a real X display (Xvfb): picrows-host --version 11 loads the menu add-in from the user's
// add-in list; keys pressed into the host window open the suite's menu and its insertion item,
// and the main program's insertion dialog opens owned by the host window; the host's own
// insert-picture command is taken over as DefaultCommandHookOn and the Shift key say. The
// published object is called across processes through the remote channel.
#include "host/automation/host_error.h"
#include "platform/settings_store.h"
#include "tests/support/addin_desktop.h"

namespace {

using namespace test_support;

class DesktopEndToEnd : public AddinDesktopTest
{
protected:
    DesktopEndToEnd()
        : AddinDesktopTest(
              "[TORVA_Picrows.Connect]\nDescription=ピクロウアドイン\nFriendlyName=TORVA_Picrows\n"
              "LoadBehavior=3\nLibrary=" PICROWS_MENU_ADDIN "\n")
    {
        setHook("False");
    }
    ~DesktopEndToEnd() override { run(q("xdotool"), {q("keyup"), q("shift")}); }

    void setHook(const char* value)
    {
        platform::SettingsStore store(m_config);
        store.setValue(q("setting"), q("DefaultCommandHookOn"), q(value));
        store.save();
    }
};

TEST_F(DesktopEndToEnd, TheMenuItemOpensTheInsertionDialogOverTheHostWindow)
{
    startHost("11");
    ASSERT_FALSE(HasFatalFailure());
    // The add-in's object, called by name from this process through the remote channel.
    const xl::Object object = m_app.COMAddIns(q("TORVA_Picrows.Connect")).Object();
    ASSERT_FALSE(object.isNothing());
    EXPECT_TRUE(object.call(q("callfor2007_retrimmingaddenabled")).toBool());

    // TORVA(&M) → ピクロウアドイン(&R) → ピクロウ(&O)
    keys({q("alt+m"), q("r"), q("o")});
    const QString dialog = insertionDialog();
    ASSERT_FALSE(dialog.isEmpty());
    EXPECT_EQ(property(dialog, "WM_TRANSIENT_FOR").toLongLong(nullptr, 16),
              m_app.get(q("Hwnd")).toInt32());
}

TEST_F(DesktopEndToEnd, TheInsertPictureCommandFollowsTheSettingAndShift)
{
    startHost("11");
    ASSERT_FALSE(HasFatalFailure());
    struct Case
    {
        const char* hook;
        bool shift;
        bool mainProgram;
    };
    for (const Case& c : {Case{"False", false, false}, Case{"False", true, true},
                          Case{"True", false, true}, Case{"True", true, false}}) {
        SCOPED_TRACE(testing::Message() << c.hook << (c.shift ? " with Shift" : ""));
        setHook(c.hook);
        // 挿入(&I) → 図(&P) → ファイルから(&F)..., the last two with Shift held when asked.
        QStringList sequence{q("alt+i")};
        if (c.shift)
            sequence << q("+shift");
        sequence << q("p") << q("f");
        if (c.shift)
            sequence << q("-shift");
        keys(sequence);
        if (c.mainProgram) {
            EXPECT_FALSE(insertionDialog().isEmpty());
            EXPECT_TRUE(windowsTitled(q("図の挿入")).isEmpty());
            closeMainProgram();
        } else {
            ASSERT_TRUE(eventually([] { return !windowsTitled(q("図の挿入")).isEmpty(); }));
            EXPECT_TRUE(insertionDialog(1500).isEmpty());
            keys({q("Escape")}, windowsTitled(q("図の挿入")).constFirst());
            EXPECT_TRUE(eventually([] { return windowsTitled(q("図の挿入")).isEmpty(); }));
        }
    }
}

} // namespace
