#pragma once

#include <QString>

namespace picrows {

// What a control says while the dialog or command it opens is not part of this build yet: the
// same words the start-up says of a command word whose routine is missing, naming the routine
// (error icon, OK, program title). The lead wires each caller to its routine once it exists.
void s_ShowNotAvailableYet(const QString& routine);

} // namespace picrows
