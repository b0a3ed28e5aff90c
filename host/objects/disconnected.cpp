#include "host/objects/disconnected.h"

#include "host/automation/host_error.h"

namespace host::objects {

void raiseDisconnected()
{
    raise(kDisconnected, QStringLiteral("Automation error\nThe object invoked has disconnected "
                                        "from its clients."));
}

} // namespace host::objects
