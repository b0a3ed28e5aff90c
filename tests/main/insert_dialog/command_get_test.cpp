// The "get" command: the host check, the selection repair, the event sink, and frmGet shown
// modally within the program but not for the window manager.
#include "host/xl/worksheet.h"
#include "main/controls/modal_loop.h"
#include "main/engine/run_paste.h"
#include "main/insert_dialog/app_with_events.h"
#include "main/insert_dialog/command_get.h"
#include "tests/main/insert_dialog/dialog_test_support.h"

#include <QTest>
#include <QTimer>
#include <QToolButton>
#include <QWindow>

namespace {

using namespace dialog_test;

class CommandGetTest : public DialogTest
{
};

TEST_F(CommandGetTest, ShowsTheDialogWithTheHostsEventsConnectedAndTheHostTakingInput)
{
    bool canCrop = false;
    picrows::f_InsertPictureFile(app, picture(q("shape.png")), canCrop); // a picture selected
    ASSERT_NE(app.Selection().TypeName().toUpper(), q("RANGE"));
    int selectionEvents = 0;
    const int cookie =
        app.onSheetSelectionChange([&](xl::Worksheet, xl::Range) { ++selectionEvents; });
    app.setInteractive(false);

    bool seen = false;
    QTimer::singleShot(0, [&] {
        auto* dialog = qobject_cast<picrows::frmGet*>(picrows::currentModalDialog());
        ASSERT_NE(dialog, nullptr);
        seen = true;
        EXPECT_TRUE(dialog->isVisible());
        EXPECT_FALSE(dialog->isModal());
        EXPECT_EQ(dialog->windowHandle()->modality(), Qt::NonModal);
        EXPECT_TRUE(app.Interactive());
        EXPECT_EQ(app.Selection().TypeName(), q("Range")) << "the object selection was replaced";
        EXPECT_EQ(selectionEvents, 0) << "without the host's selection events";
        ASSERT_NE(dialog->eventSink(), nullptr);
        EXPECT_EQ(dialog->eventSink()->gobjApp(), app);
        QTest::mouseClick(dialog->findChild<QToolButton*>(q("END")), Qt::LeftButton);
    });
    picrows::s_Command_Get();
    EXPECT_TRUE(seen);
    EXPECT_EQ(picrows::currentModalDialog(), nullptr);
    app.unadvise(cookie);
}

TEST_F(CommandGetTest, AHostStateTheDialogCannotWorkInEndsTheCommandWithTheChecksMessage)
{
    sheet().Protect(true, false);
    bool shown = false;
    QTimer::singleShot(0, [&] {
        if (auto* dialog = picrows::currentModalDialog()) {
            shown = true;
            dialog->close();
        }
    });
    picrows::s_Command_Get();
    QCoreApplication::processEvents();
    EXPECT_FALSE(shown);
    EXPECT_EQ(messages.shown(), (std::vector<platform::Message>{message(
                                    q("描画オブジェクトが保護されている状態では実行できません。"),
                                    platform::MsgButtons::OK, platform::MsgIcon::Critical)}));
}

} // namespace
