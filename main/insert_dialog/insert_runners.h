#pragma once

#include "main/engine/run_excel_mode.h"
#include "main/engine/run_selected.h"

#include <functional>

namespace picrows {

// The runners a run of the insertion dialog hands its options and its list to: the engine's,
// unless a test puts recorders in their place.
struct InsertRunners
{
    std::function<RunOutcome(PasteRun&, PictureList&)> excelMode = &s_RunPasteWhenExcelmode;
    std::function<RunOutcome(PasteRun&, PictureList&, xl::Range, bool, const SelectedRunSettings&,
                             ExclusionListView*)>
        selectedOrClickMode = &s_RunPasteWhenSelectedModeOrClickMode;
};

} // namespace picrows
