#pragma once

#include <QString>

namespace ribbon_addin {

// The add-in's own temporary-file service, with the same messages as the main program's: a
// new, empty, uniquely named file in the temporary folder whose name starts with the first
// three characters of `prefix`; an empty text after a message when none can be made.
QString F_GetTempFileFullpath(const QString& prefix);

} // namespace ribbon_addin
