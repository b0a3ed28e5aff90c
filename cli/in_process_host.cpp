#include "cli/in_process_host.h"

#include "macro_workbook/macro_workbook.h"

namespace cli {

std::unique_ptr<host::objects::Host> makeInProcessHost()
{
    auto host = std::make_unique<host::objects::Host>();
    host->registerAddInWorkbook(picrows::macroWorkbook());
    return host;
}

} // namespace cli
