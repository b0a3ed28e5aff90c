#include "main/trimming_dialog/dialog_manual_fill.h"

#include "main/settings/setting.h"
#include "main/startup/startup_context.h"
#include "platform/clipboard.h"

namespace picrows {

DialogManualFill::DialogManualFill()
    : m_dialog(TrimmingDialogContext::fromStartup()),
      m_fill(std::make_unique<ManualTrimmingFill>(m_dialog, platform::clipboard(),
                                                  *startupContext().gobjSetting))
{
}

DialogManualFill::~DialogManualFill() = default;

} // namespace picrows
