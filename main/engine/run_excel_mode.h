#pragma once

#include "main/engine/run_outcome.h"

namespace picrows {

class PictureList;
struct PasteRun;

// The host-standard mode: inserts every listed picture where the host puts an inserted
// picture (at the active cell), at its natural size, each one 10 points further right and down
// than the one before; a file the host refuses leaves no gap. Checks the host first (through
// the start-up context's host), reports progress on the run's status panel, stops when Escape
// is answered Yes, selects the inserted pictures, and reports a trapped host error as
// "(err:…". Every file tried leaves the list.
RunOutcome s_RunPasteWhenExcelmode(PasteRun& run, PictureList& list);

} // namespace picrows
