#include "main/trimming_dialog/dialog_manual_fill.h"

#include "host/render/clipboard.h"
#include "main/settings/setting.h"
#include "main/startup/startup_context.h"

namespace picrows {

DialogManualFill::DialogManualFill()
    : m_dialog(TrimmingDialogContext::fromStartup()),
      m_clipboard(host::render::makeDefaultClipboard()),
      m_fill(std::make_unique<ManualTrimmingFill>(m_dialog, *m_clipboard,
                                                  *startupContext().gobjSetting))
{
}

DialogManualFill::~DialogManualFill() = default;

} // namespace picrows
