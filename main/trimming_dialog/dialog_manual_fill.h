#pragma once

#include "main/engine/manual_fill.h"
#include "main/trimming_dialog/trimming_dialog_service.h"

#include <memory>

namespace picrows {

// The manual fill as the main program runs it: the trimming dialog of the running command
// (owned by its host's window), the clipboard in place (the desktop's, which the host copies
// to) and the command's settings object, which must exist while this does. Hand fill() to a
// run as its PasteRun::manualFill.
class DialogManualFill
{
public:
    DialogManualFill();
    ~DialogManualFill();

    ManualFill& fill() { return *m_fill; }

private:
    TrimmingDialogService m_dialog;
    std::unique_ptr<ManualTrimmingFill> m_fill;
};

} // namespace picrows
