#pragma once

#include <QString>

namespace host::objects {

// The 16-bit password hash of the workbook format's legacy sheet protection, as four
// upper-case hex digits: what the file's `password` attribute holds and what Unprotect checks
// a password against.
QString legacyPasswordHash(const QString& password);

} // namespace host::objects
