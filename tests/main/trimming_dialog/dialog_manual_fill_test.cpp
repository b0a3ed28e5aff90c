// The manual fill as the main program wires it: the real trimming dialog of the running
// command, the desktop clipboard shared with the in-process host, the command's settings.
#include "host/model/drawing.h"
#include "main/controls/modal_loop.h"
#include "main/engine/run_paste.h"
#include "main/startup/startup_context.h"
#include "main/trimming_dialog/dialog_manual_fill.h"

#include "macro_workbook/macro_workbook.h"
#include "tests/host/objects/objects_support.h"
#include "tests/main/trimming_dialog/trimming_dialog_support.h"

#include <QPushButton>
#include <QTimer>

namespace {

class DialogFill : public objects_test::HostTest
{
protected:
    DialogFill() : m_messagesInPlace(messages)
    {
        m_host.registerAddInWorkbook(picrows::macroWorkbook());
        picrows::StartupContext& startup = picrows::startupContext();
        startup.gobjXlApp = app;
        startup.store = std::make_unique<platform::SettingsStore>(m_dir.path());
        startup.gobjSetting = std::make_unique<picrows::c_Setting>(*startup.store, app.ref());
    }
    ~DialogFill() override { picrows::startupContext().clear(); }

    QTemporaryDir m_dir;
    platform::ScriptedMessages messages;

private:
    platform::ScopedMessageService m_messagesInPlace;
};

TEST_F(DialogFill, TheDialogOpensOnTheInsertedPictureAndItsFrameBecomesTheCrop)
{
    const QString path = m_dir.filePath(QStringLiteral("wide.png"));
    ASSERT_TRUE(trimming_test::halves().save(path)); // 300 × 150 points
    const xl::Range target = range("B2:C3");         // 96 × 30 points: a 3.2 frame
    target.Select();

    picrows::DialogManualFill manual;
    picrows::PasteRun run;
    run.app = app;
    run.options.glngPasteSize = 3;
    run.manualFill = &manual.fill();

    QString caption;
    QTimer poll;
    poll.setInterval(10);
    QObject::connect(&poll, &QTimer::timeout, &poll, [&] {
        auto* dialog = qobject_cast<picrows::frmTrimming*>(picrows::currentModalDialog());
        if (!dialog || !dialog->isVisible())
            return;
        poll.stop();
        caption = dialog->windowTitle();
        dialog->cmdOK()->click();
    });
    poll.start();
    const xl::Picture picture = picrows::f_RunPaste(run, path, target, 1);

    EXPECT_EQ(caption, QStringLiteral("ピクロウアドイン - トリミング"));
    ASSERT_FALSE(picture.isNothing());
    // The centred frame of the target's proportions on the untouched picture (the host has
    // replaced the inserted picture by an embedded copy, which has a size of its own): as much
    // goes at the top as at the bottom.
    const host::model::PictureData& data =
        *modelSheet().drawing.find(picture.ShapeRange().ID())->picture;
    const double uh = data.untouchedHeight;
    const double margin = (1 - (data.untouchedWidth / uh) / (target.Width() / target.Height())) / 2;
    ASSERT_GT(margin, 0.1);
    const xl::PictureFormat crop = picture.ShapeRange().PictureFormat();
    EXPECT_NEAR(crop.CropTop(), margin * uh, 0.05);
    EXPECT_NEAR(crop.CropBottom(), margin * uh, 0.05);
    EXPECT_EQ(crop.CropLeft(), 0);
    EXPECT_NEAR(picture.Left(), target.Left(), 1e-9);
    EXPECT_NEAR(picture.Top(), target.Top(), 1e-9);
    EXPECT_NEAR(picture.Width(), target.Width(), 1e-9);
    EXPECT_NEAR(picture.Height(), target.Height(), 1e-9);
    EXPECT_TRUE(messages.shown().empty());
}

} // namespace
