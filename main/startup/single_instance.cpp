#include "main/startup/single_instance.h"

#include <QDir>
#include <QLockFile>
#include <QStandardPaths>

#include <unistd.h>

namespace picrows {

InstanceLock::InstanceLock(const QString& path) : m_lock(std::make_unique<QLockFile>(path))
{
    m_lock->setStaleLockTime(0); // age alone never makes the lock stale
    m_acquired = m_lock->tryLock(0);
}

InstanceLock::~InstanceLock() = default;

QString InstanceLock::defaultPath()
{
    // The user's runtime folder; without one the temporary folder, with the user in the name.
    if (!qEnvironmentVariableIsEmpty("XDG_RUNTIME_DIR"))
        return QDir(QStandardPaths::writableLocation(QStandardPaths::RuntimeLocation))
            .filePath(QStringLiteral("TORVA_PicrowsMain.lock"));
    return QDir(QDir::tempPath())
        .filePath(QStringLiteral("TORVA_PicrowsMain-%1.lock").arg(::getuid()));
}

} // namespace picrows
