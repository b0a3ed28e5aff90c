#pragma once

#include "main/startup/commands.h"

#include <span>

namespace picrows {

// The main program's command table, in the order of the words: every routine that exists,
// from every feature library.
inline constexpr int kCommandCount = 9;
std::span<const CommandEntry> commandTable();

} // namespace picrows
