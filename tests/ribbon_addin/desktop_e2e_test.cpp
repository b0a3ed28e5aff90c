// On a real X display (Xvfb): picrows-host --version 16 loads both add-ins from the user's
// add-in list and shows the suite's ribbon group; the key tips Alt+X, G press the suite's
// insertion button in the window's own ribbon, and the main program's insertion dialog opens
// owned by the host window, for the workbook the host shows.
#include "host/automation/host_error.h"
#include "tests/support/addin_desktop.h"

namespace {

using namespace test_support;

class RibbonDesktop : public AddinDesktopTest
{
protected:
    RibbonDesktop()
        : AddinDesktopTest(
              "[TORVA_Picrows.Connect]\nDescription=ピクロウアドイン\nFriendlyName=TORVA_Picrows\n"
              "LoadBehavior=3\nLibrary=" PICROWS_MENU_ADDIN "\n"
              "[TORVA_PicrowsFor2007.Connect2]\nDescription=ｻﾝﾌﾟﾙ ｱﾄﾞｲﾝ ﾌﾟﾛｼﾞｪｸﾄ\n"
              "FriendlyName=TORVA_PicrowsFor2007\nLoadBehavior=3\nLibrary=" PICROWS_RIBBON_ADDIN
              "\n")
    {
    }
};

TEST_F(RibbonDesktop, TheRibbonButtonOpensTheInsertionDialogOverTheHostWindow)
{
    startHost("16");
    ASSERT_FALSE(HasFatalFailure());
    // Both add-ins connected; the ribbon add-in's object answers by name across processes.
    const xl::Object ribbon = m_app.COMAddIns(q("TORVA_PicrowsFor2007.Connect2")).Object();
    ASSERT_FALSE(ribbon.isNothing());
    EXPECT_FALSE(ribbon.call(q("CallForExe_GetTrimmingEnabled")).toBool());
    EXPECT_FALSE(m_app.COMAddIns(q("TORVA_Picrows.Connect")).Object().isNothing());

    keys({q("alt+x"), q("g")});
    const QString dialog = insertionDialog();
    ASSERT_FALSE(dialog.isEmpty());
    EXPECT_EQ(property(dialog, "WM_TRANSIENT_FOR").toLongLong(nullptr, 16),
              m_app.get(q("Hwnd")).toInt32());
    // The main program was started for the workbook the host shows.
    QFile cmdline(q("/proc/") + property(dialog, "_NET_WM_PID") + q("/cmdline"));
    ASSERT_TRUE(cmdline.open(QIODevice::ReadOnly));
    EXPECT_TRUE(QString::fromUtf8(cmdline.readAll()).contains(m_book));
}

} // namespace
