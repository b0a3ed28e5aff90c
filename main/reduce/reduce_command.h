#pragma once

namespace picrows {

// The command entry of the reduction tool: the host state checks, then the tool's dialog with
// the host not interactive meanwhile. The dialog is not part of this build yet: the command
// says so where it would open.
void s_Command_Tool_ReSmall();

} // namespace picrows
