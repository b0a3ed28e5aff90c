// The runs of frmGet: the mode buttons and RunGoPaste, which copies the options into the run
// and hands the list to the engine's runners.
#include "host/automation/host_error.h"
#include "main/engine/run_steps.h"
#include "main/insert_dialog/dialog_icons.h"
#include "main/insert_dialog/frm_get.h"

#include "main/startup/state_checks.h"
#include "main/trimming_dialog/dialog_manual_fill.h"
#include "platform/message_box.h"

#include <QClipboard>
#include <QGuiApplication>
#include <QTimer>
#include <QToolButton>

namespace picrows {

void frmGet::modeButton(std::int16_t mode, QToolButton* button)
{
    if (m_pictures.isEmpty()) {
        platform::showMessage(QStringLiteral("挿入する図がありません。"), platform::MsgButtons::OK,
                              platform::MsgIcon::Critical, platform::programTitle());
        refreshControls();
        return;
    }
    button->setEnabled(false);
    setContentEnabled(false);
    RunGoPaste(mode, xl::Range());
    setContentEnabled(true);
    button->setEnabled(true);
    refreshControls();
}

// The dialog's controls, but not the windows it owns: a message box or the excluded-cell list
// that a run opens must take input while the dialog itself does not.
void frmGet::setContentEnabled(bool enabled)
{
    for (QWidget* child : findChildren<QWidget*>(Qt::FindDirectChildrenOnly))
        if (!child->isWindow())
            child->setEnabled(enabled);
}

void frmGet::clickModeToggled(bool pressed)
{
    m_btnClickMode->setIcon(
        dialogIcon(pressed ? QStringLiteral("CLICKMODE_CHECK") : QStringLiteral("CLICKMODE")));
    m_btnExcelMode->setEnabled(!pressed);
    m_btnSelectedMode->setEnabled(!pressed);
    refreshControls();
}

void frmGet::RunGoPaste(std::int16_t mode, const xl::Range& target)
{
    if (m_pictures.isEmpty() || m_closed)
        return;
    if (mode == 3 && !m_btnClickMode->isChecked())
        return;
    const bool cells = mode != 1;
    try {
        if (!f_CheckAndMessageOfExcelStates(true, true, true, true, true, true, false, cells,
                                            cells))
            return;
    } catch (const host::HostError& e) {
        s_ReportRunError(e);
        return;
    }

    // A range selected in click mode while a run lets events through starts a run inside it,
    // on the same list; the dialog counts the runs so that it stays busy until the outer one
    // ends.
    ++m_runDepth;
    PasteRun run;
    run.app = m_app;
    run.options = runOptionsFromControls();
    if (run.options.glngPasteSize == 3) {
        if (!m_manualFill)
            m_manualFill = std::make_unique<DialogManualFill>();
        run.manualFill = &m_manualFill->fill();
    }
    run.statusPanel = m_status.get();
    const bool watching = m_btnClip->isChecked();
    if (watching)
        m_timClipboard->stop();

    try {
        switch (mode) {
        case 1:
            m_runners.excelMode(run, m_pictures);
            break;
        case 2:
            m_runners.selectedOrClickMode(run, m_pictures, xl::Range(m_app.Selection().ref()), true,
                                          SelectedRunSettings::from(m_setting),
                                          m_exclusionView.get());
            break;
        case 3:
            m_runners.selectedOrClickMode(run, m_pictures, target, false,
                                          SelectedRunSettings::from(m_setting),
                                          m_exclusionView.get());
            break;
        default:
            break;
        }
    } catch (const host::HostError& e) {
        // The runners report their own; this is an error reading the selection.
        s_ReportRunError(e);
    }
    m_status->setText(QString());

    refreshControls();
    --m_runDepth;
    if (watching && m_btnClip->isChecked()) {
        m_timClipboard->start();
        // What the run put on the clipboard is not a picture to capture.
        QGuiApplication::clipboard()->clear();
    }
}

} // namespace picrows
