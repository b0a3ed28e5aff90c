// Where a save writes while it works, and what it leaves when it cannot finish: nothing in the
// temporary folder, nothing half-written beside the target, the reason in plain words.
#include "tests/cli/run_picrows.h"
#include "tests/support/scoped_env.h"

#include <QDir>
#include <QFile>
#include <QProcess>
#include <QTemporaryDir>

#include <gtest/gtest.h>

namespace {

using test_support::ScopedEnv;

using clitest::runPicrows;

QString q(const char* text)
{
    return QString::fromUtf8(text);
}

// The package is built beside the target and renamed over it: a save does not need the
// temporary folder, so a process killed while saving leaves nothing there.
TEST(Save, WritesBesideTheTargetNotInTheTemporaryFolder)
{
    QTemporaryDir dir;
    ASSERT_TRUE(dir.isValid());
    const ScopedEnv runtime("XDG_RUNTIME_DIR", dir.path().toLocal8Bit());
    // A temporary "folder" that is a file: nothing can be made in it, whoever runs the test.
    const QString notAFolder = dir.filePath(q("not-a-folder"));
    {
        QFile file(notAFolder);
        ASSERT_TRUE(file.open(QIODevice::WriteOnly));
    }
    const ScopedEnv temp("TMPDIR", notAFolder.toLocal8Bit());
    const QString out = dir.filePath(q("out.xlsx"));
    const clitest::Result r =
        runPicrows({q("resave"), clitest::samplePath(q("photo_album.xlsx")), q("-o"), out});
    EXPECT_EQ(r.exitCode, 0) << r.err.toStdString();
    EXPECT_EQ(QDir(dir.path()).entryList(QDir::Files | QDir::Hidden),
              (QStringList{q("not-a-folder"), q("out.xlsx")}));

    // Saved over itself, the file keeps the permissions it had.
    const auto permissions = QFileDevice::ReadOwner | QFileDevice::WriteOwner |
                             QFileDevice::ReadUser | QFileDevice::WriteUser |
                             QFileDevice::ReadOther;
    ASSERT_TRUE(QFile::setPermissions(out, permissions));
    EXPECT_EQ(runPicrows({q("resave"), out, q("-o"), out}).exitCode, 0);
    EXPECT_EQ(QFile::permissions(out), permissions);
    EXPECT_EQ(QDir(dir.path()).entryList(QDir::Files | QDir::Hidden).size(), 2);
}

// A disk that fills up during the save: the reason says so, the file that was there stays,
// and nothing of the new one is left. The small file system is mounted in a mount namespace
// of our own; without user namespaces the test cannot run here.
TEST(Save, AFullDiskSaysSoAndKeepsWhatWasThere)
{
    QTemporaryDir dir;
    ASSERT_TRUE(dir.isValid());
    const QString book = dir.filePath(q("big.xlsx"));
    const clitest::Result made =
        runPicrows({q("insert"), clitest::samplePath(q("photo_album.xlsx")), q("--range"),
                    q("B3:B10,D3:D10,B13:B20,D13:D20"), q("--no-exclude"), q("--no-reduce"),
                    clitest::samplePath(q("photos")), q("-o"), book, q("-q")});
    ASSERT_EQ(made.exitCode, 0) << made.err.toStdString();

    const QString small = dir.filePath(q("small"));
    ASSERT_TRUE(QDir().mkpath(small));
    QProcess process;
    process.start(
        q("unshare"),
        {q("-rm"), q("sh"), q("-c"),
         q("mount -t tmpfs -o size=16k tmpfs \"$1\" || exit 77; echo keep > \"$1/out.xlsx\"; "
           "\"$2\" resave \"$3\" -o \"$1/out.xlsx\"; code=$?; "
           "echo \"exit $code\"; ls -A \"$1\"; cat \"$1/out.xlsx\""),
         q("sh"), small, q(PICROWS_BIN), book});
    ASSERT_TRUE(process.waitForFinished(120000));
    const QString err = QString::fromUtf8(process.readAllStandardError());
    if (process.exitCode() == 77 || process.exitStatus() != QProcess::NormalExit ||
        err.startsWith(q("unshare:")))
        GTEST_SKIP() << "no mount namespace here: " << err.toStdString();
    const QString out = QString::fromUtf8(process.readAllStandardOutput());
    EXPECT_EQ(out, q("exit 3\nout.xlsx\nkeep\n"));
    EXPECT_TRUE(err.contains(q("No space left on device"))) << err.toStdString();
    EXPECT_EQ(err.count(u'\n'), 1) << err.toStdString();
}

} // namespace
