#pragma once

#include <QString>

namespace platform {

// The system's temporary folder (TMPDIR, else /tmp) with exactly one trailing "/", or an
// empty text after the message "Error:GetTempFolder" when TMPDIR is a relative path.
QString temporaryFolder();

// Creates a new, empty, uniquely named file in the temporary folder whose name starts with the
// first three characters of `prefix`, and answers its full path. On failure it shows why
// (the folder exists but takes no file, or the folder does not exist) and answers an empty
// text. The caller owns the file and deletes it.
QString F_GetTempFileFullpath(const QString& prefix);

} // namespace platform
