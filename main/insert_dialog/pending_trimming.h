#pragma once

#include "main/engine/run_paste.h"

namespace picrows {

// Size mode 3 ("びっしり（手動）") while the trimming dialog is not part of this build: the
// first picture a run would trim by hand is taken off the sheet again, the user is told that
// the trimming dialog is not available yet, and the run stops as when the trimming dialog is
// cancelled (the file stays first in the list). The lead replaces this by the trimming dialog's
// fill.
class PendingTrimmingFill : public ManualFill
{
public:
    ManualFillResult fill(const xl::Application& app, const xl::Picture& picture,
                          const xl::Range& target, bool canCrop, double uw, double uh,
                          const QString& path, RunOptions& options) override;
    void finish(const xl::Application& app, const xl::Picture& picture) override;
};

} // namespace picrows
