#include "platform/file_date.h"

#include <QFile>
#include <QFileInfo>
#include <QTemporaryDir>

#include <gtest/gtest.h>

using namespace platform;

namespace {

const DatePart kParts[] = {DatePart::DateTime, DatePart::DateOnly, DatePart::TimeOnly};
const DateKind kKinds[] = {DateKind::Created, DateKind::Modified, DateKind::Accessed};

TEST(FileDate, MissingFilesAndFoldersAnswerTheZeroDate)
{
    QTemporaryDir dir;
    ASSERT_TRUE(dir.isValid());
    EXPECT_EQ(zeroDate(), QDateTime(QDate(1899, 12, 30), QTime(0, 0)));
    for (const QString& path : {dir.filePath(QStringLiteral("missing.jpg")), dir.path(), QString()})
        for (DatePart part : kParts)
            for (DateKind kind : kKinds)
                EXPECT_EQ(F_GetFileDate(path, part, kind), zeroDate())
                    << path.toStdString() << ' ' << int(part) << ' ' << int(kind);
}

TEST(FileDate, PartsSplitDateAndTimeInWholeSeconds)
{
    QTemporaryDir dir;
    ASSERT_TRUE(dir.isValid());
    const QString path = dir.filePath(QStringLiteral("写真.jpg"));
    QFile file(path);
    ASSERT_TRUE(file.open(QIODevice::WriteOnly));
    const QDateTime modified(QDate(2001, 2, 3), QTime(4, 5, 6, 789));
    const QDateTime accessed(QDate(2002, 3, 4), QTime(23, 59, 58));
    ASSERT_TRUE(file.setFileTime(modified, QFileDevice::FileModificationTime));
    ASSERT_TRUE(file.setFileTime(accessed, QFileDevice::FileAccessTime));
    file.close();

    const QDateTime modifiedSeconds(QDate(2001, 2, 3), QTime(4, 5, 6));
    EXPECT_EQ(F_GetFileDate(path, DatePart::DateTime, DateKind::Modified), modifiedSeconds);
    EXPECT_EQ(F_GetFileDate(path, DatePart::DateOnly, DateKind::Modified),
              QDateTime(QDate(2001, 2, 3), QTime(0, 0)));
    EXPECT_EQ(F_GetFileDate(path, DatePart::TimeOnly, DateKind::Modified),
              QDateTime(QDate(1899, 12, 30), QTime(4, 5, 6)));
    EXPECT_EQ(F_GetFileDate(path, DatePart::DateTime, DateKind::Accessed), accessed);
    EXPECT_EQ(F_GetFileDate(path, static_cast<DatePart>(3), DateKind::Modified), zeroDate());

    // Created is the birth time, which setting the other times leaves alone; a file system
    // without birth times answers the modification time instead.
    const QDateTime created = F_GetFileDate(path, DatePart::DateTime, DateKind::Created);
    if (QFileInfo(path).birthTime().isValid()) {
        EXPECT_LE(qAbs(created.secsTo(QDateTime::currentDateTime())), 60);
        EXPECT_EQ(created.time().msec(), 0);
    } else {
        EXPECT_EQ(created, modifiedSeconds);
    }
}

} // namespace
