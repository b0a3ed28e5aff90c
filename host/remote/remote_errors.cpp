#include "host/remote/remote_errors.h"

#include "host/automation/host_error.h"

namespace host::remote {

void raiseCallFailed()
{
    raise(kCallFailed, QStringLiteral("Automation error\nThe remote procedure call failed."));
}

void raiseServerUnavailable()
{
    raise(kServerUnavailable, QStringLiteral("Automation error\nThe RPC server is unavailable."));
}

void raiseDisconnected()
{
    raise(kDisconnected, QStringLiteral("Automation error\nThe object invoked has disconnected "
                                        "from its clients."));
}

} // namespace host::remote
