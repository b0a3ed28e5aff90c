// The folder that guards the sockets: only its user may enter it.
#include "host/remote/user_folder.h"
#include "tests/support/scoped_env.h"

#include <QDir>
#include <QFile>
#include <QTemporaryDir>

#include <gtest/gtest.h>

#include <sys/stat.h>
#include <unistd.h>

namespace {

using test_support::ScopedEnv;

mode_t modeOf(const QString& path)
{
    struct stat st;
    return lstat(QFile::encodeName(path).constData(), &st) == 0 ? st.st_mode & 0777 : 0;
}

TEST(UserFolder, APrivateFolderIsMadeOrAcceptedAndAnyOtherRefused)
{
    QTemporaryDir dir;
    const uid_t self = getuid();
    const QString fresh = dir.filePath(QStringLiteral("fresh"));
    QString why;
    EXPECT_TRUE(host::remote::ensurePrivateFolder(fresh, self, &why)) << why.toStdString();
    EXPECT_EQ(modeOf(fresh), 0700u);
    EXPECT_TRUE(host::remote::ensurePrivateFolder(fresh, self, &why)); // again: accepted

    struct Case
    {
        const char* name;
        std::function<void(const QString&)> make;
        const char* reason;
    };
    const Case refused[] = {
        {"open",
         [](const QString& p) {
             QDir().mkdir(p);
             chmod(QFile::encodeName(p), 0755);
         },
         "other users may enter it (mode 755)"},
        {"group",
         [](const QString& p) {
             QDir().mkdir(p);
             chmod(QFile::encodeName(p), 0770);
         },
         "other users may enter it (mode 770)"},
        {"file",
         [](const QString& p) {
             QFile f(p);
             f.open(QIODevice::WriteOnly);
         },
         "not a folder"},
        {"link", [&](const QString& p) { QFile::link(fresh, p); }, "not a folder"},
    };
    for (const Case& c : refused) {
        const QString path = dir.filePath(QString::fromLatin1(c.name));
        c.make(path);
        why.clear();
        EXPECT_FALSE(host::remote::ensurePrivateFolder(path, self, &why)) << c.name;
        EXPECT_EQ(why, path + QStringLiteral(": ") + QString::fromLatin1(c.reason)) << c.name;
        EXPECT_NE(modeOf(path), 0700u) << c.name << ": a refused folder is never repaired";
    }
    // A folder made by somebody else (the check is given another owner than the folder's).
    EXPECT_FALSE(host::remote::ensurePrivateFolder(fresh, self + 1, &why));
    EXPECT_EQ(why, fresh + QStringLiteral(": belongs to another user"));
}

TEST(UserFolder, UnderTheSessionsRuntimeFolderElseInTheTemporaryFolder)
{
    QTemporaryDir dir;
    {
        const ScopedEnv runtime("XDG_RUNTIME_DIR", QFile::encodeName(dir.path()));
        EXPECT_EQ(host::remote::userSocketFolder(), dir.filePath(QStringLiteral("picrows")));
        EXPECT_EQ(modeOf(dir.filePath(QStringLiteral("picrows"))), 0700u);
    }
    const ScopedEnv runtime("XDG_RUNTIME_DIR", QByteArray());
    const ScopedEnv temp("TMPDIR", QFile::encodeName(dir.path()));
    const QString fallback =
        dir.filePath(QStringLiteral("runtime-picrows-") + QString::number(getuid()));
    EXPECT_EQ(host::remote::runtimeFolder(), fallback);
    EXPECT_EQ(host::remote::userSocketFolder(), fallback + QStringLiteral("/picrows"));
    EXPECT_EQ(modeOf(fallback), 0700u);
    // Somebody opened the fallback folder up: nothing is served from it.
    chmod(QFile::encodeName(fallback), 0777);
    QString why;
    EXPECT_TRUE(host::remote::userSocketFolder(&why).isEmpty());
    EXPECT_EQ(why, fallback + QStringLiteral(": other users may enter it (mode 777)"));
}

} // namespace
