#pragma once

#include "main/engine/run_outcome.h"
#include "main/engine/target_scan.h"

namespace xl {
class Range;
}

namespace picrows {

class c_Setting;
class PictureList;
struct PasteRun;

// The settings the selected-cells and click-mode runner reads.
struct SelectedRunSettings
{
    TargetScanOptions scan;       // per cell or per area, and the exclusion tests
    bool UnPaste_ShowMsg = false; // hand the exclusions to the view after the run

    static SelectedRunSettings from(const c_Setting& setting);
};

// Inserts the listed pictures into the cells of `range`, one per target, in the scan's order:
// `selected` is true in selected-cells mode (the current selection), false in click mode (the
// range just selected). Checks the host first (through the start-up context's host), refuses
// whole rows and columns (with a message in selected-cells mode only), scans the range,
// then places the first listed file into each target through f_RunPaste; every file tried
// leaves the list, and a file the host refused leaves its target to the next one. Progress
// goes to the run's status panel; Escape (answered Yes) stops after the current picture. At
// the end the inserted pictures are selected, a trapped host error is reported as "(err:…",
// and, when the settings ask for it, the exclusions go to `view` (may be null).
RunOutcome s_RunPasteWhenSelectedModeOrClickMode(PasteRun& run, PictureList& list, xl::Range range,
                                                 bool selected, const SelectedRunSettings& settings,
                                                 ExclusionListView* view);

} // namespace picrows
