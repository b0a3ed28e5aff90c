#pragma once

namespace picrows {

// The reduction tool's command: after the host state checks (a workbook, not minimised, no
// cell being edited, one sheet selected, drawing objects not protected) the tool's dialog
// opens, owned by the host's main window, with the host not interactive meanwhile.
void s_Command_Tool_ReSmall();

} // namespace picrows
