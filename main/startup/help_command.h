#pragma once

namespace picrows {

// The "help" command: opens Help.pdf (beside the main program, else in the help folder of an
// installation with one folder per deliverable) with the desktop's handler, or says it is
// missing. Runs no host check.
void s_Command_Help();

} // namespace picrows
