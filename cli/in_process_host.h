#pragma once

#include "host/objects/host.h"

#include <memory>

namespace cli {

// The batch command's host, in its own process: what the host application provides, the
// suite's macro workbook included.
std::unique_ptr<host::objects::Host> makeInProcessHost();

} // namespace cli
