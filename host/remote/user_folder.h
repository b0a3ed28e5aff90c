#pragma once

#include <QString>

#include <sys/types.h>

// Where a user's hosts listen and list themselves: a folder nobody else can enter.
namespace host::remote {

// The session's runtime folder: XDG_RUNTIME_DIR, else "runtime-picrows-UID" in the temporary
// folder (the one the batch command provides when a session has none).
QString runtimeFolder();

// The folder of this user's host sockets and registry entries: "picrows" in the runtime
// folder, each created with mode 0700. Empty, with the reason in `error`, when either is not
// a folder of this user that only this user can enter.
QString userSocketFolder(QString* error = nullptr);

// Makes `path` a folder owned by `owner` with mode 0700, or checks that it is one. A folder
// that is a symbolic link, belongs to someone else or lets others in is refused (false, with
// the reason), never repaired: someone else may be holding it.
bool ensurePrivateFolder(const QString& path, uid_t owner, QString* error);

} // namespace host::remote
