#include "main/engine/run_selected.h"

#include "host/xl/range.h"
#include "main/engine/cancel_prompt.h"
#include "main/engine/insert_picture.h"
#include "main/engine/picture_list.h"
#include "main/engine/run_paste.h"
#include "main/engine/run_steps.h"
#include "main/engine/status_panel.h"
#include "main/settings/setting.h"
#include "main/startup/state_checks.h"
#include "platform/message_box.h"

namespace picrows {

namespace {

bool isTrue(const host::Variant& v)
{
    return !v.isNull() && v.toBool();
}

// A selection of whole rows or columns (or every cell) is no place for pictures.
bool wholeRowsOrColumns(const xl::Application& app)
{
    const xl::Range selection(app.Selection().ref());
    const xl::Range cells = app.Cells();
    return selection.Rows().Count() == cells.Rows().Count() ||
           selection.Columns().Count() == cells.Columns().Count();
}

} // namespace

SelectedRunSettings SelectedRunSettings::from(const c_Setting& setting)
{
    return {TargetScanOptions::from(setting), setting.UnPaste_ShowMsg};
}

RunOutcome s_RunPasteWhenSelectedModeOrClickMode(PasteRun& run, PictureList& list, xl::Range range,
                                                 bool selected, const SelectedRunSettings& settings,
                                                 ExclusionListView* view)
{
    RunOutcome outcome;
    if (list.isEmpty() || range.isNothing())
        return outcome;
    if (!f_CheckAndMessageOfExcelStates(true, true, true, true, true, true, false, true, true))
        return outcome;
    const xl::Application& app = run.app;
    if (wholeRowsOrColumns(app)) {
        if (selected)
            platform::showMessage(
                QStringLiteral("セルの全選択または列の選択または行の選択中は実行できません。"),
                platform::MsgButtons::OK, platform::MsgIcon::Critical, platform::programTitle());
        return outcome;
    }

    // From here every host error ends the run; what was inserted stays, and nothing of the
    // picture being placed (see f_RunPaste).
    bool selectAtEnd = true;
    run.failedPictureStays = false;
    try {
        TargetScanResult scan = f_ScanTargets(range, selected, list.count(), settings.scan);
        outcome.ExclusionList = scan.ExclusionList;
        outcome.targets = int(scan.TargetList.size());
        range = xl::Range();
        if (scan.cancelled) {
            outcome.stoppedByUser = true;
        } else {
            app.setScreenUpdating(false);
            s_ReadAheadPictureFiles(app, list.paths());
            std::size_t k = 0;
            while (!list.isEmpty() && k < scan.TargetList.size()) {
                ++k;
                const xl::Range& t = scan.TargetList[k - 1];
                const xl::Range cells = isTrue(t.MergeCells()) ? t.Item(1).MergeArea() : t;
                run.trimmingCancelled = false;
                const xl::Picture picture = f_RunPaste(run, list.first(), cells, 0);
                if (run.trimmingCancelled) {
                    // The cancelled file stays first in the list and nothing is selected.
                    outcome.stoppedByUser = true;
                    selectAtEnd = false;
                    break;
                }
                list.RemoveFastList();
                if (run.refusal)
                    outcome.refused << *run.refusal;
                if (picture.isNothing())
                    --k; // the next file takes this target
                else
                    outcome.inserted << picture.Name();
                if (run.statusPanel)
                    run.statusPanel->setText(runProgressText(int(k)));
                if (f_CancelRequested()) {
                    outcome.stoppedByUser = true;
                    break;
                }
            }
        }
        if (selectAtEnd)
            s_SelectInserted(app, outcome.inserted);
    } catch (const host::HostError& e) {
        outcome.error = e;
        if (run.failedPictureStays)
            list.RemoveFastList(); // its picture could not be taken off the sheet
    }

    if (outcome.error)
        s_ReportRunError(*outcome.error);
    s_EndRunDisplay(app, run.statusPanel);
    if (!outcome.ExclusionList.isEmpty() && settings.UnPaste_ShowMsg && view)
        view->showExclusions(outcome.ExclusionList);
    return outcome;
}

} // namespace picrows
