#pragma once

#include <cstdint>

namespace picrows {

// The host's main window: the top-level window of class "XLMAIN" whose title equals the
// attached host's Application.Caption; 0 when there is none (or the caption cannot be read).
std::int32_t f_GetXlHwnd();

} // namespace picrows
