// The "setting" command: the host state checks, the host held while the dialog is open, the
// save after either button, and the hand-over of a changed re-trimming placement to the
// add-ins or the macro workbook that stands in for them.
#include "host/automation/dispatch.h"
#include "main/settings_dialog/colour_palette.h"
#include "main/settings_dialog/command_setting.h"
#include "main/settings_dialog/frm_setting.h"
#include "tests/main/settings_dialog/dialog_driver.h"
#include "tests/main/settings_dialog/settings_dialog_support.h"

#include <QCheckBox>
#include <QPushButton>
#include <QTabWidget>
#include <QTest>

namespace {

using namespace dialogs_test;
using picrows::frmSetting;
using platform::MsgIcon;

// An add-in's object that records the calls made on it.
class RecordingAddIn : public host::Dispatch
{
public:
    explicit RecordingAddIn(QStringList& calls) : m_calls(calls) {}
    QString className() const override { return q("Connect"); }
    host::Variant invoke(const QString& member, host::CallKind, const host::Args& args) override
    {
        QString call = member;
        for (const host::Variant& arg : args.positional)
            call += u' ' + arg.toString();
        m_calls << call;
        return {};
    }

private:
    QStringList& m_calls;
};

const QString kAfterRestart = q("再トリミングの配置に関する設定は、再起動後に反映されます。");

class CommandSettingTest : public DialogTest
{
protected:
    // Runs the command from the "setting" word; `act` answers the dialog.
    void runCommand(std::function<void(frmSetting&)> act, int tab = 0)
    {
        whenShown<frmSetting>(std::move(act));
        picrows::s_Command_Setting(tab, nullptr);
    }

    QStringList calls;
};

TEST_F(CommandSettingTest, TheHostWaitsAndEverySettingIsSavedWhicheverButtonCloses)
{
    setting().UnPaste_Lock = true; // changed in memory only
    bool interactive = true;
    int tab = -1;
    runCommand([&](frmSetting& dialog) {
        interactive = app.Interactive();
        tab = dialog.tabMain()->currentIndex();
        dialog.cmdCancel->click();
    });
    EXPECT_FALSE(interactive);
    EXPECT_EQ(tab, 0);
    EXPECT_TRUE(app.Interactive());
    openSettings();
    EXPECT_TRUE(setting().UnPaste_Lock);

    runCommand(
        [&](frmSetting& dialog) {
            tab = dialog.tabMain()->currentIndex();
            dialog.chkUnPaste_Lock->click();
            dialog.cmdOK->click();
        },
        3);
    EXPECT_EQ(tab, 3);
    openSettings();
    EXPECT_FALSE(setting().UnPaste_Lock);
    EXPECT_TRUE(messages.shown().empty());
}

TEST_F(CommandSettingTest, AHostThatCannotTakeCommandsGetsItsMessageAndNoDialog)
{
    m_host.options().cellEditing = true;
    picrows::s_Command_Setting(0, nullptr);
    EXPECT_EQ(messages.shown(), std::vector<platform::Message>{message(
                                    q("編集状態のため起動できません。"), MsgIcon::Critical)});
    EXPECT_TRUE(app.Interactive());
}

// Who hears of a changed placement: the macro workbook on a 64-bit host, the two add-ins'
// objects otherwise; whoever cannot be reached makes the change wait for a restart.
TEST_F(CommandSettingTest, AChangedReTrimmingPlacementIsHandedToTheAddIns)
{
    struct Case
    {
        const char* name;
        bool is64Bit;
        bool macroWorkbook;
        bool menuAddIn;
        bool ribbonAddIn;
        bool change; // else only the font colour changes
        QStringList calls;
        bool message;
    } cases[] = {
        {"64-bit, macro workbook", true, true, false, false, true, {}, false},
        {"64-bit, no macro workbook", true, false, true, true, true, {}, true},
        {"both add-ins",
         false,
         true,
         true,
         true,
         true,
         {q("CallForExe_CommandBar_ViewChange_RetrimmingCmd False"),
          q("CallForExe_Refresh_RetrimmingCmd")},
         false},
        {"the ribbon add-in alone",
         false,
         true,
         false,
         true,
         true,
         {q("CallForExe_Refresh_RetrimmingCmd")},
         true},
        {"the menu add-in alone",
         false,
         true,
         true,
         false,
         true,
         {q("CallForExe_CommandBar_ViewChange_RetrimmingCmd False")},
         true},
        {"only the font colour", false, true, true, true, false, {}, false},
        {"only the font colour, 64-bit, no macro workbook",
         true,
         false,
         false,
         false,
         false,
         {},
         false},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.name);
        host::objects::Host other;
        if (c.macroWorkbook)
            other.registerAddInWorkbook(picrows::macroWorkbook());
        other.adoptWorkbook(objects_test::bookWithSheets({"Sheet1"}), q("Book1"));
        if (c.menuAddIn)
            other.registerComAddIn(q("TORVA_Picrows.Connect"), q("menu"),
                                   std::make_shared<RecordingAddIn>(calls));
        if (c.ribbonAddIn)
            other.registerComAddIn(q("TORVA_PicrowsFor2007.Connect2"), q("ribbon"),
                                   std::make_shared<RecordingAddIn>(calls));
        const xl::Application otherApp(other.application());
        context().gobjXlApp = otherApp;
        context().gblnXl64bit = c.is64Bit;
        forgetSettings();
        calls.clear();
        messages.clear();

        runCommand([&](frmSetting& dialog) {
            if (c.change)
                dialog.chkReTrimmingAdd->click();
            else
                QTest::mouseClick(dialog.lblTextBox_ColorIndex->label(7), Qt::LeftButton);
            dialog.cmdOK->click();
        });
        EXPECT_EQ(calls, c.calls);
        if (c.message) {
            EXPECT_EQ(messages.shown(),
                      std::vector<platform::Message>{message(kAfterRestart, MsgIcon::Information)});
        } else {
            EXPECT_TRUE(messages.shown().empty());
        }
        EXPECT_EQ(setting().ReTrimmingAdd, !c.change);
        openSettings();
        EXPECT_EQ(setting().ReTrimmingAdd, !c.change); // saved before the hand-over
        context().gobjXlApp = app;
    }
}

// The macro workbook is found by its name whatever its case, and named in quotes when it holds
// an "@".
TEST_F(CommandSettingTest, TheMacroWorkbookIsCalledByItsName)
{
    bool found = false;
    for (const xl::Workbook& book : app.Workbooks().items())
        found = found || book.Name() == q("@TORVA_Picrows.xlam");
    ASSERT_TRUE(found);
    picrows::s_TellAddInsReTrimmingChanged(app, true, false);
    EXPECT_TRUE(messages.shown().empty());

    // A host whose Run refuses the macro: the change waits for a restart.
    host::objects::Host other; // no macro workbook registered
    other.adoptWorkbook(objects_test::bookWithSheets({"Sheet1"}), q("TORVA_Picrows.xlam.xlsx"));
    picrows::s_TellAddInsReTrimmingChanged(xl::Application(other.application()), true, true);
    EXPECT_EQ(messages.shown(),
              std::vector<platform::Message>{message(kAfterRestart, MsgIcon::Information)});
}

} // namespace
