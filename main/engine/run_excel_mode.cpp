#include "main/engine/run_excel_mode.h"

#include "main/engine/cancel_prompt.h"
#include "main/engine/insert_picture.h"
#include "main/engine/picture_list.h"
#include "main/engine/run_paste.h"
#include "main/engine/run_steps.h"
#include "main/engine/status_panel.h"
#include "main/startup/state_checks.h"

namespace picrows {

RunOutcome s_RunPasteWhenExcelmode(PasteRun& run, PictureList& list)
{
    RunOutcome outcome;
    if (list.isEmpty())
        return outcome;
    // Protected contents do not stop this mode: it writes no cells.
    if (!f_CheckAndMessageOfExcelStates(true, true, true, true, true, false, false, false, false))
        return outcome;
    const xl::Application& app = run.app;
    run.failedPictureStays = false;
    try {
        app.setScreenUpdating(false);
        s_ReadAheadPictureFiles(app, list.paths());
        int n = 0; // place in the cascade
        while (!list.isEmpty()) {
            ++n;
            const xl::Picture picture = f_RunPaste(run, list.first(), xl::Range(), n);
            if (run.refusal)
                outcome.refused << *run.refusal;
            if (picture.isNothing())
                --n; // the next picture takes this one's place in the cascade
            else
                outcome.inserted << picture.Name();
            list.RemoveFastList();
            if (run.statusPanel)
                run.statusPanel->setText(runProgressText(n));
            if (f_CancelRequested()) {
                outcome.stoppedByUser = true;
                break;
            }
        }
        s_SelectInserted(app, outcome.inserted);
    } catch (const host::HostError& e) {
        outcome.error = e;
        if (run.failedPictureStays)
            list.RemoveFastList(); // its picture could not be taken off the sheet
        s_ReportRunError(e);
    }
    s_EndRunDisplay(app, run.statusPanel);
    return outcome;
}

} // namespace picrows
