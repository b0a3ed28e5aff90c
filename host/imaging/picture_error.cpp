#include "host/imaging/picture_error.h"

#include "host/automation/host_error.h"

namespace host::imaging {

void refusePicture(const QString& reason)
{
    host::raise(host::err::ApplicationDefined, reason);
}

} // namespace host::imaging
