#include "platform/version_record.h"

#include <QCoreApplication>
#include <QFile>
#include <QTemporaryDir>

#include <cstring>

#include <gtest/gtest.h>

using namespace platform;

namespace {

QString selfPath()
{
    QFile self(QStringLiteral("/proc/self/exe"));
    return self.symLinkTarget();
}

TEST(VersionRecord, ReadsTheRecordCompiledIntoEachFile)
{
    EXPECT_EQ(readVersionRecord(selfPath()), (VersionNumbers{1, 26, 0, 3}));
    EXPECT_EQ(readVersionRecord(QStringLiteral(PROBE_LIBRARY)), (VersionNumbers{2, 5, 1, 0}));
}

TEST(VersionRecord, FilesWithoutARecordAnswerNone)
{
    QTemporaryDir dir;
    ASSERT_TRUE(dir.isValid());
    QFile self(selfPath());
    ASSERT_TRUE(self.open(QIODevice::ReadOnly));
    const QByteArray whole = self.readAll();

    struct Case
    {
        const char* name;
        QByteArray bytes;
    };
    QByteArray noNotes = whole;
    noNotes.replace(QByteArray("TORVA\0", 6), QByteArray("XXXXX\0", 6));
    QByteArray wildTable = whole.left(64);
    std::memset(wildTable.data() + 0x28, 0xff, 8); // section table far beyond the end
    const Case cases[] = {
        {"empty", {}},
        {"text", QByteArrayLiteral("MZ this is no ELF file at all, but long enough to read")},
        {"header only", whole.left(64)},
        {"cut in the middle", whole.left(whole.size() / 2)},
        {"section table out of bounds", wildTable},
        {"record renamed", noNotes},
    };
    for (const Case& c : cases) {
        const QString path = dir.filePath(QString::fromUtf8(c.name));
        QFile f(path);
        ASSERT_TRUE(f.open(QIODevice::WriteOnly));
        f.write(c.bytes);
        f.close();
        EXPECT_EQ(readVersionRecord(path), std::nullopt) << c.name;
    }
    EXPECT_EQ(readVersionRecord(dir.filePath(QStringLiteral("missing"))), std::nullopt);
    EXPECT_EQ(readVersionRecord(dir.path()), std::nullopt);
}

} // namespace
