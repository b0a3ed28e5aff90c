#pragma once

// The errors a call on an object of another process can end with besides the object's own:
// the numbers the platform's automation reports for the same failures.
namespace host::remote {

// The host ended or the connection broke while a call was under way.
inline constexpr int kCallFailed = -2147023170; // 0x800706BE
// No host answers at the address, or the connection has already ended.
inline constexpr int kServerUnavailable = -2147023174; // 0x800706BA
// The object was released, or never existed on this connection.
inline constexpr int kDisconnected = -2147417848; // 0x80010108

[[noreturn]] void raiseCallFailed();
[[noreturn]] void raiseServerUnavailable();
[[noreturn]] void raiseDisconnected();

} // namespace host::remote
