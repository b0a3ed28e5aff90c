// When a photograph was taken, from the EXIF block of every format that carries one.
#include "host/imaging/shooting_date.h"

#include "tests/host/imaging/heif_images.h"
#include "tests/host/imaging/test_images.h"

#include <QFile>
#include <QTemporaryDir>

#include <gtest/gtest.h>

using namespace host::imaging;
using namespace imaging_test;

namespace {

TEST(ShootingDate, ReadsTheExifDateOfEveryFormat)
{
    const QImage picture = quadrants(32, 16);
    const QByteArray both = exifDates(1, "2019:12:31 23:59:58", "2020:01:01 00:00:05");
    const QByteArray digitizedOnly = exifDates(1, "", "2021:06:07 08:09:10", true);
    const QDateTime taken(QDate(2019, 12, 31), QTime(23, 59, 58));
    const QDateTime digitized(QDate(2021, 6, 7), QTime(8, 9, 10));
    const struct
    {
        const char* label;
        QByteArray bytes;
        std::optional<QDateTime> expected;
    } cases[] = {
        {"jpeg", withExif(encodeJpeg(picture, true), both), taken},
        {"jpeg, digitised only, big-endian", withExif(encodeJpeg(picture, true), digitizedOnly),
         digitized},
        {"jpeg without dates", withExif(encodeJpeg(picture, true), exifTiff(6, {32, 16})),
         std::nullopt},
        {"jpeg without EXIF", encodeJpeg(picture, true), std::nullopt},
        {"jpeg, clock never set",
         withExif(encodeJpeg(picture, true),
                  exifDates(1, "    :  :     :  :  ", "0000:00:00 00:00:00")),
         std::nullopt},
        {"png eXIf", withPngChunk(encode(picture, "png"), "eXIf", both), taken},
        {"webp", withWebpExif(encode(picture, "webp", 90), both), taken},
        {"heic", encodeHeif(picture, false, 6, both), taken},
        {"avif", encodeHeif(picture, true, 1, digitizedOnly), digitized},
        {"heic without EXIF", encodeHeif(picture, false), std::nullopt},
        {"tiff", both, taken},
        {"not a picture", QByteArray("2019:12:31 23:59:58"), std::nullopt},
    };
    for (const auto& c : cases) {
        EXPECT_EQ(shootingDate(c.bytes), c.expected) << c.label;
    }
}

TEST(ShootingDate, OfAFile)
{
    QTemporaryDir dir;
    const QString path = dir.filePath(QStringLiteral("写真.heic"));
    QFile file(path);
    ASSERT_TRUE(file.open(QIODevice::WriteOnly));
    file.write(encodeHeif(quadrants(16, 16), false, 1, exifDates(1, "2022:02:03 04:05:06", "")));
    file.close();
    EXPECT_EQ(shootingDateOfFile(path), QDateTime(QDate(2022, 2, 3), QTime(4, 5, 6)));
    EXPECT_EQ(shootingDateOfFile(dir.filePath(QStringLiteral("missing.jpg"))), std::nullopt);
}

} // namespace
