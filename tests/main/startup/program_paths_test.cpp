#include "main/startup/program_paths.h"

#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QTemporaryDir>

#include <gtest/gtest.h>

using namespace picrows;

namespace {

class ProgramPaths : public ::testing::Test
{
protected:
    void SetUp() override
    {
        ASSERT_TRUE(m_dir.isValid());
        m_main = m_dir.filePath(QStringLiteral("製品_メイン実行EXE"));
        ASSERT_TRUE(QDir().mkpath(m_main));
        setMainFolder(m_main);
    }
    void TearDown() override { setMainFolder({}); }

    QString place(const QString& relative, const QString& copyOf = {})
    {
        const QString path = m_dir.filePath(relative);
        QDir().mkpath(QFileInfo(path).absolutePath());
        if (copyOf.isEmpty()) {
            QFile f(path);
            EXPECT_TRUE(f.open(QIODevice::WriteOnly));
        } else {
            EXPECT_TRUE(QFile::copy(copyOf, path));
        }
        return path;
    }

    QTemporaryDir m_dir;
    QString m_main;
};

TEST_F(ProgramPaths, CheckDirFileWantsAnExistingFileByAPlainName)
{
    const QString file = place(QStringLiteral("a.txt"));
    EXPECT_TRUE(f_CheckDirFile(file));
    EXPECT_FALSE(f_CheckDirFile(QString()));
    EXPECT_FALSE(f_CheckDirFile(file + QLatin1Char('/')));
    EXPECT_FALSE(f_CheckDirFile(m_dir.path()));
    EXPECT_FALSE(f_CheckDirFile(m_dir.path() + QLatin1Char('/')));
    EXPECT_FALSE(f_CheckDirFile(m_dir.filePath(QStringLiteral("missing"))));
    EXPECT_FALSE(f_CheckDirFile(file + QStringLiteral("/below")));
    EXPECT_EQ(joinPath(QStringLiteral("/a/"), QStringLiteral("b")), QStringLiteral("/a/b"));
    EXPECT_EQ(joinPath(QStringLiteral("/a"), QStringLiteral("b")), QStringLiteral("/a/b"));
}

TEST_F(ProgramPaths, FilesAreFoundBesideTheMainProgramElseInTheirSiblingFolders)
{
    EXPECT_EQ(f_GetBaseProgramPath(), QString());
    EXPECT_EQ(f_GetRibbonProgramPath(), QString());
    EXPECT_EQ(f_GetRibbonProgramPath(true), QString());

    const QString menuSibling = place(QStringLiteral("製品_旧アドイン/TORVA_Picrows.so"));
    const QString ribbonSibling =
        place(QStringLiteral("製品_リボン用アドイン/TORVA_PicrowsFor2007.so"));
    const QString macroParent = place(QStringLiteral("@TORVA_Picrows.xlam"));
    EXPECT_EQ(f_GetBaseProgramPath(), menuSibling);
    EXPECT_EQ(f_GetRibbonProgramPath(), ribbonSibling);
    EXPECT_EQ(f_GetRibbonProgramPath(true), macroParent);

    const QString menuBeside = place(QStringLiteral("製品_メイン実行EXE/TORVA_Picrows.so"));
    EXPECT_EQ(f_GetBaseProgramPath(), menuBeside);

    // A main folder outside the one-folder-per-deliverable layout has no fallback.
    setMainFolder(m_dir.filePath(QStringLiteral("elsewhere")));
    EXPECT_EQ(f_GetRibbonProgramPath(), QString());
}

TEST_F(ProgramPaths, VersionInfoComesFromTheRecordInTheFile)
{
    const QString addin =
        place(QStringLiteral("製品_旧アドイン/TORVA_Picrows.so"), QStringLiteral(PROBE_LIBRARY));
    const QDateTime stamp(QDate(2024, 5, 6), QTime(7, 8, 9));
    {
        QFile f(addin);
        ASSERT_TRUE(f.open(QIODevice::ReadWrite));
        ASSERT_TRUE(f.setFileTime(stamp, QFileDevice::FileModificationTime));
    }
    std::int32_t major = -1, minor = -1, build = -1, revision = -1;
    QDateTime date;
    ASSERT_TRUE(
        F_GetVersionInfoByFile(f_GetBaseProgramPath(), major, minor, build, revision, date));
    EXPECT_EQ((std::vector<std::int32_t>{major, minor, build, revision}),
              (std::vector<std::int32_t>{2, 5, 1, 0}));
    EXPECT_EQ(date, stamp);

    // The main program carries the project's version.
    ASSERT_TRUE(
        F_GetVersionInfoByFile(QStringLiteral(MAIN_PROGRAM), major, minor, build, revision, date));
    EXPECT_EQ((std::vector<std::int32_t>{major, minor, build, revision}),
              (std::vector<std::int32_t>{1, 0, 0, 0}));

    // No record, or no file: false and nothing touched.
    major = minor = build = revision = -1;
    date = QDateTime();
    for (const QString& path : {place(QStringLiteral("plain.so")), m_dir.path(), QString()}) {
        EXPECT_FALSE(F_GetVersionInfoByFile(path, major, minor, build, revision, date));
        EXPECT_EQ((std::vector<std::int32_t>{major, minor, build, revision}),
                  (std::vector<std::int32_t>{-1, -1, -1, -1}));
        EXPECT_FALSE(date.isValid());
    }
}

} // namespace
