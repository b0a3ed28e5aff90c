#include "main/insert_dialog/pending_trimming.h"

#include "host/automation/host_error.h"
#include "main/controls/not_available.h"

namespace picrows {

ManualFillResult PendingTrimmingFill::fill(const xl::Application&, const xl::Picture& picture,
                                           const xl::Range&, bool, double, double, const QString&,
                                           RunOptions&)
{
    try {
        picture.Delete();
    } catch (const host::HostError&) {
        // Already gone: nothing is left on the sheet either way.
    }
    s_ShowNotAvailableYet(QStringLiteral("frmTrimming"));
    ManualFillResult result;
    result.outcome = ManualFillOutcome::Dropped;
    result.cancelled = true;
    return result;
}

void PendingTrimmingFill::finish(const xl::Application&, const xl::Picture&) {}

} // namespace picrows
