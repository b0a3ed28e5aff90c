// `picrows --attach`: the batch command working on a workbook open in a running host (the test
// host, a process of its own) prints, draws and inserts as it does on the saved file, and saves
// only when asked to.
#include "tests/cli/run_picrows.h"
#include "tests/host/remote/host_process.h"

#include <QDir>
#include <QFile>
#include <QProcess>
#include <QProcessEnvironment>
#include <QTemporaryDir>

#include <gtest/gtest.h>

namespace {

using clitest::runPicrows;
using clitest::samplePath;

QString q(const char* text)
{
    return QString::fromUtf8(text);
}

QByteArray bytesOf(const QString& path)
{
    QFile file(path);
    return file.open(QIODevice::ReadOnly) ? file.readAll() : QByteArray();
}

class Attach : public ::testing::Test
{
protected:
    void SetUp() override
    {
        m_oldRuntime = qgetenv("XDG_RUNTIME_DIR");
        // A registry of its own: only this test's host is found.
        qputenv("XDG_RUNTIME_DIR", QFile::encodeName(dir.filePath(q("runtime"))));
        QDir().mkdir(dir.filePath(q("runtime")));
        QFile::setPermissions(dir.filePath(q("runtime")), QFileDevice::ReadOwner |
                                                              QFileDevice::WriteOwner |
                                                              QFileDevice::ExeOwner);
        ASSERT_TRUE(QFile::copy(samplePath(q("photo_album.xlsx")), book()));
        QFile::setPermissions(book(), QFileDevice::ReadOwner | QFileDevice::WriteOwner);
    }
    void TearDown() override { qputenv("XDG_RUNTIME_DIR", m_oldRuntime); }

    QString book() const { return dir.filePath(q("album.xlsx")); }
    QString photo(const char* name) const
    {
        return QDir(samplePath(q("photos"))).filePath(q(name));
    }

    QTemporaryDir dir;
    QByteArray m_oldRuntime;
};

TEST_F(Attach, InspectPrintsWhatInspectOfTheSavedFilePrints)
{
    // Pictures cropped, rotated and adjusted, in groups and beside comments, as LibreOffice
    // wrote them; the album is the active workbook.
    const QString pictures = dir.filePath(q("pictures.xlsx"));
    ASSERT_TRUE(QFile::copy(clitest::fixturePath(q("libreoffice_pictures.xlsx")), pictures));
    remote_test::HostProcess host({pictures, book()});
    ASSERT_TRUE(host.ready());
    const QList<QStringList> variants = {
        {}, {q("--json")}, {q("--range"), q("B2:E6"), q("--sheet"), q("アルバム")}};
    for (const QStringList& more : variants) {
        const clitest::Result file = runPicrows(QStringList{q("inspect"), book()} + more);
        ASSERT_EQ(file.exitCode, 0) << file.err.toStdString();
        for (const QStringList& which :
             {QStringList{}, QStringList{book()}, QStringList{q("album.xlsx")}}) {
            const clitest::Result attached =
                runPicrows(QStringList{q("inspect"), q("--attach")} + which + more);
            EXPECT_EQ(attached.exitCode, 0) << attached.err.toStdString();
            EXPECT_EQ(attached.out, file.out) << more.join(u' ').toStdString();
        }
    }
    for (const QStringList& more : {QStringList{}, QStringList{q("--json")}}) {
        const clitest::Result file = runPicrows(QStringList{q("inspect"), pictures} + more);
        ASSERT_EQ(file.exitCode, 0) << file.err.toStdString();
        EXPECT_TRUE(file.out.contains("13")) << "the fixture holds pictures";
        const clitest::Result attached =
            runPicrows(QStringList{q("inspect"), q("--attach"), q("pictures.xlsx")} + more);
        EXPECT_EQ(attached.out, file.out);
    }
}

TEST_F(Attach, RenderDrawsWhatRenderOfTheSavedFileDraws)
{
    remote_test::HostProcess host({book()});
    ASSERT_TRUE(host.ready());
    for (const QStringList& more :
         {QStringList{},
          QStringList{q("--range"), q("B3:D10"), q("--grid"), q("--scale"), q("2")}}) {
        const QString fromFile = dir.filePath(q("file.png"));
        const QString attached = dir.filePath(q("attached.png"));
        ASSERT_EQ(runPicrows(QStringList{q("render"), book(), q("-o"), fromFile} + more).exitCode,
                  0);
        const clitest::Result r =
            runPicrows(QStringList{q("render"), q("--attach"), q("-o"), attached} + more);
        ASSERT_EQ(r.exitCode, 0) << r.err.toStdString();
        EXPECT_FALSE(bytesOf(attached).isEmpty());
        EXPECT_EQ(bytesOf(attached), bytesOf(fromFile));
    }
    // Errors come back as the in-process run reports them.
    const clitest::Result split = runPicrows(
        {q("render"), q("--attach"), q("--range"), q("B3,D5"), q("-o"), dir.filePath(q("x.png"))});
    EXPECT_EQ(split.exitCode, 2);
    EXPECT_EQ(split.err,
              QByteArray("picrows render: bad range 'B3,D5': one block of cells only\n"));
}

TEST_F(Attach, InsertFillsTheServedBookWhichIsSavedOnlyWhenAsked)
{
    remote_test::HostProcess host({book()});
    ASSERT_TRUE(host.ready());
    const QByteArray onDisk = bytesOf(book());
    const QStringList insertion = {q("--range"),
                                   q("B3:B10,D3:D10"),
                                   q("--no-exclude"),
                                   q("--size"),
                                   q("fill"),
                                   q("--config-dir"),
                                   dir.filePath(q("config")),
                                   photo("01_sakura.jpg"),
                                   photo("02_nyugakushiki.jpg")};
    const clitest::Result inserted =
        runPicrows(QStringList{q("insert"), q("--attach")} + insertion);
    ASSERT_EQ(inserted.exitCode, 0) << inserted.err.toStdString();
    EXPECT_EQ(bytesOf(book()), onDisk); // nothing saved behind the user's back

    const clitest::Result after = runPicrows({q("inspect"), q("--attach"), q("--json")});
    ASSERT_EQ(after.exitCode, 0);
    EXPECT_EQ(after.out.count("\"type\":13"), 2) << after.out.toStdString();

    // Saved, the book is what the same insertion in process saves.
    const clitest::Result saved = runPicrows({q("save"), q("--attach"), q("album.xlsx")});
    ASSERT_EQ(saved.exitCode, 0) << saved.err.toStdString();
    const QString inProcess = dir.filePath(q("in_process.xlsx"));
    const clitest::Result reference =
        runPicrows(QStringList{q("insert"), samplePath(q("photo_album.xlsx")), q("-o"), inProcess} +
                   insertion);
    ASSERT_EQ(reference.exitCode, 0) << reference.err.toStdString();
    const clitest::Result fromFile = runPicrows({q("inspect"), book(), q("--json")});
    EXPECT_EQ(fromFile.out, runPicrows({q("inspect"), inProcess, q("--json")}).out);
    const clitest::Result reopened = runPicrows({q("inspect"), q("--attach"), q("--json")});

    // Saved under another name, the host holds the new file.
    const QString copy = dir.filePath(q("copy.xlsx"));
    ASSERT_EQ(runPicrows({q("save"), q("--attach"), q("-o"), copy}).exitCode, 0);
    const clitest::Result byNewName = runPicrows({q("inspect"), q("--attach"), copy, q("--json")});
    EXPECT_EQ(byNewName.exitCode, 0) << byNewName.err.toStdString();
    EXPECT_EQ(byNewName.out, reopened.out);
}

TEST_F(Attach, RefusalsSayWhy)
{
    struct Case
    {
        QStringList args;
        int exitCode;
        const char* err;
    };
    const Case withoutHost[] = {
        {{q("inspect"), q("--attach")}, 3, "picrows inspect: no running host to attach to\n"},
        {{q("save"), q("--attach")}, 3, "picrows save: no running host to attach to\n"},
        {{q("save"), book()},
         2,
         "picrows save: save works on a workbook open in the running host: give --attach\n"},
        {{q("insert"), q("--attach"), q("--range"), q("B3"), q("-o"), q("x.xlsx"),
          photo("01_sakura.jpg")},
         2,
         "picrows insert: --attach leaves saving to the host: no -o or --in-place\n"},
    };
    for (const Case& c : withoutHost) {
        const clitest::Result r = runPicrows(c.args);
        EXPECT_EQ(r.exitCode, c.exitCode) << c.args.join(u' ').toStdString();
        EXPECT_EQ(r.err, QByteArray(c.err)) << c.args.join(u' ').toStdString();
    }
    remote_test::HostProcess host({book()});
    ASSERT_TRUE(host.ready());
    const clitest::Result other = runPicrows({q("inspect"), q("--attach"), q("other.xlsx")});
    EXPECT_EQ(other.exitCode, 3);
    EXPECT_EQ(other.err, QByteArray("picrows inspect: other.xlsx is not open in a running host\n"));
}

} // namespace

// The commands that read the host's copies from the clipboard need the desktop's clipboard,
// shared between the host and the command: run under a display (ctest runs these under
// xvfb-run).
class AttachOnDisplay : public Attach
{
protected:
    void SetUp() override
    {
        if (qEnvironmentVariableIsEmpty("DISPLAY"))
            GTEST_SKIP() << "needs a display";
        Attach::SetUp();
        m_oldPlatform = qgetenv("QT_QPA_PLATFORM");
        qputenv("QT_QPA_PLATFORM", "xcb"); // the host's, inherited
    }
    void TearDown() override
    {
        qputenv("QT_QPA_PLATFORM", m_oldPlatform);
        Attach::TearDown();
    }

    // The command on the display, as a user's terminal runs it.
    clitest::Result onDisplay(const QStringList& args)
    {
        QProcess process;
        QProcessEnvironment env = QProcessEnvironment::systemEnvironment();
        env.remove(q("QT_QPA_PLATFORM"));
        process.setProcessEnvironment(env);
        process.start(QStringLiteral(PICROWS_BIN), args);
        clitest::Result result;
        if (!process.waitForFinished(120000))
            return result;
        result.exitCode = process.exitStatus() == QProcess::NormalExit ? process.exitCode() : -1;
        result.out = process.readAllStandardOutput();
        result.err = process.readAllStandardError();
        return result;
    }

    QByteArray m_oldPlatform;
};

TEST_F(AttachOnDisplay, SavepicAndReduceTakeTheHostsCopiesFromTheDesktopClipboard)
{
    remote_test::HostProcess host({book()});
    ASSERT_TRUE(host.ready());
    for (const char* ending : {"bmp", "emf"}) {
        const QString attached = dir.filePath(q("attached.") + q(ending));
        const QString fromFile = dir.filePath(q("file.") + q(ending));
        const clitest::Result r =
            onDisplay({q("savepic"), q("--attach"), q("--range"), q("B3:D5"), q("-o"), attached});
        ASSERT_EQ(r.exitCode, 0) << r.err.toStdString();
        ASSERT_EQ(runPicrows({q("savepic"), book(), q("--range"), q("B3:D5"), q("-o"), fromFile})
                      .exitCode,
                  0);
        EXPECT_FALSE(bytesOf(attached).isEmpty());
        EXPECT_EQ(bytesOf(attached), bytesOf(fromFile)) << ending;
    }

    ASSERT_EQ(runPicrows({q("insert"), q("--attach"), q("--range"), q("B3:B10"), q("--no-exclude"),
                          q("--no-reduce"), q("--config-dir"), dir.filePath(q("config")),
                          photo("01_sakura.jpg")})
                  .exitCode,
              0);
    const clitest::Result reduced = onDisplay({q("reduce"), q("--attach"), q("--factor"), q("1")});
    ASSERT_EQ(reduced.exitCode, 0) << reduced.err.toStdString();
    EXPECT_TRUE(reduced.out.contains("○\talbum.xlsx\t")) << reduced.out.toStdString();
    EXPECT_FALSE(reduced.out.contains("size\t")); // nothing saved, so no sizes
}
