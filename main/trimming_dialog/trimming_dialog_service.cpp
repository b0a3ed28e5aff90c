#include "main/trimming_dialog/trimming_dialog_service.h"

#include "main/controls/modal_loop.h"

namespace picrows {

void TrimmingDialogService::showTrimming(const QImage& picture, QSizeF points, TrimmingState& state,
                                         bool blnTrimmingMode)
{
    frmTrimming dialog(state, m_context);
    dialog.LoadSet(picture, points, blnTrimmingMode);
    showModal(dialog);
}

} // namespace picrows
