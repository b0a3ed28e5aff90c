#include "host/remote/user_folder.h"

#include <QDir>

#include <sys/stat.h>
#include <unistd.h>

#include <cerrno>
#include <cstring>

namespace host::remote {

QString runtimeFolder()
{
    const QString session = qEnvironmentVariable("XDG_RUNTIME_DIR");
    if (!session.isEmpty())
        return session;
    return QDir::tempPath() + QStringLiteral("/runtime-picrows-") + QString::number(getuid());
}

bool ensurePrivateFolder(const QString& path, uid_t owner, QString* error)
{
    const auto fail = [&](const QString& why) {
        if (error)
            *error = path + QStringLiteral(": ") + why;
        return false;
    };
    const QByteArray native = QFile::encodeName(path);
    if (mkdir(native.constData(), 0700) != 0 && errno != EEXIST)
        return fail(QString::fromLocal8Bit(std::strerror(errno)));
    struct stat st;
    if (lstat(native.constData(), &st) != 0)
        return fail(QString::fromLocal8Bit(std::strerror(errno)));
    if (!S_ISDIR(st.st_mode))
        return fail(QStringLiteral("not a folder"));
    if (st.st_uid != owner)
        return fail(QStringLiteral("belongs to another user"));
    if ((st.st_mode & 077) != 0)
        return fail(QStringLiteral("other users may enter it (mode %1)")
                        .arg(st.st_mode & 0777, 3, 8, QLatin1Char('0')));
    return true;
}

QString userSocketFolder(QString* error)
{
    const QString runtime = runtimeFolder();
    // XDG_RUNTIME_DIR is the session's and already private; the fallback is ours to make.
    if (qEnvironmentVariableIsEmpty("XDG_RUNTIME_DIR") &&
        !ensurePrivateFolder(runtime, getuid(), error))
        return {};
    const QString folder = runtime + QStringLiteral("/picrows");
    if (!ensurePrivateFolder(folder, getuid(), error))
        return {};
    return folder;
}

} // namespace host::remote
