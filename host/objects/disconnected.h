#pragma once

namespace host::objects {

// Raised by a reference whose object left the host (a closed workbook, a deleted sheet,
// an ended host).
inline constexpr int kDisconnected = -2147417848;

[[noreturn]] void raiseDisconnected();

} // namespace host::objects
