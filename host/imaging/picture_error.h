#pragma once

#include <QString>

namespace host::imaging {

// A picture the host refuses (unreadable, damaged, too large, not a picture) is the host's
// error 1004 with a description naming the reason; nothing has been changed when it is raised.
[[noreturn]] void refusePicture(const QString& reason);

} // namespace host::imaging
