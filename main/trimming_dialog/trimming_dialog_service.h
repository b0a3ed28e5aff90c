#pragma once

#include "main/engine/trimming_state.h"
#include "main/trimming_dialog/frm_trimming.h"

namespace picrows {

// The trimming the engine and re-trimming ask for, answered by frmTrimming: a fresh dialog
// for each picture, shown modally within the program and owned by the host's window.
class TrimmingDialogService : public TrimmingService
{
public:
    explicit TrimmingDialogService(TrimmingDialogContext context) : m_context(std::move(context)) {}

    void showTrimming(const QImage& picture, QSizeF points, TrimmingState& state,
                      bool blnTrimmingMode) override;

private:
    TrimmingDialogContext m_context;
};

} // namespace picrows
