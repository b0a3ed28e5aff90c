// HEIC and AVIF through libheif: the container's rotation and mirroring applied, transparency
// kept, the EXIF block handed out, damaged data refused. (Image data that is merely wrong
// decodes to a wrong picture, as a JPEG's does: HEVC decoders conceal such errors.)
#include "host/imaging/heif_decoder.h"

#include "host/imaging/orientation.h"
#include "host/imaging/tiff_tags.h"
#include "tests/host/imaging/heif_images.h"
#include "tests/host/imaging/test_images.h"

#include <gtest/gtest.h>

using namespace host::imaging;
using namespace imaging_test;

namespace {

// The colour at the centre of each quadrant, for pictures that went through a lossy codec.
void expectQuadrants(const QImage& shown, const QImage& expected, const std::string& label)
{
    ASSERT_EQ(shown.size(), expected.size()) << label;
    for (const auto& [fx, fy] : {std::pair{1, 1}, {3, 1}, {1, 3}, {3, 3}}) {
        const QPoint at(shown.width() * fx / 4, shown.height() * fy / 4);
        EXPECT_LE(channelDistance(shown.pixel(at), expected.pixel(at)), 60)
            << label << " at " << at.x() << "," << at.y();
    }
}

TEST(HeifDecoder, ShowsThePrimaryImageAsItsContainerTurnsIt)
{
    const QImage stored = quadrants(96, 48);
    for (const bool avif : {false, true}) {
        for (int orientation = 1; orientation <= 8; ++orientation) {
            const std::string label =
                std::string(avif ? "avif " : "heic ") + std::to_string(orientation);
            const QByteArray file = encodeHeif(stored, avif, orientation);
            const QImage upright = orientUpright(stored, orientation);
            const auto header = readHeifHeader(file);
            ASSERT_TRUE(header) << label;
            EXPECT_EQ(header->size, upright.size()) << label;
            EXPECT_FALSE(header->alpha) << label;
            QString error;
            const QImage shown = decodeHeif(file, true, &error);
            ASSERT_FALSE(shown.isNull()) << label << ": " << error.toStdString();
            EXPECT_EQ(shown.format(), QImage::Format_RGB32) << label;
            expectQuadrants(shown, upright, label);
        }
    }
}

TEST(HeifDecoder, KeepsTransparency)
{
    QImage stored(64, 32, QImage::Format_ARGB32);
    stored.fill(Qt::transparent);
    for (int y = 0; y < 16; ++y)
        for (int x = 0; x < 16; ++x)
            stored.setPixel(x, y, qRgb(255, 0, 0));
    for (const bool avif : {false, true}) {
        const QByteArray file = encodeHeif(stored, avif);
        ASSERT_TRUE(readHeifHeader(file)->alpha);
        const QImage shown = decodeHeif(file, true, nullptr);
        ASSERT_EQ(shown.format(), QImage::Format_ARGB32);
        EXPECT_LE(channelDistance(shown.pixel(8, 8), qRgb(255, 0, 0)), 40) << avif;
        EXPECT_LE(qAlpha(shown.pixel(48, 24)), 10) << avif;
    }
}

TEST(HeifDecoder, HandsOutTheExifBlock)
{
    const QByteArray exif = exifDates(6, "2023:07:08 09:10:11", "2023:07:08 09:10:12");
    const auto header = readHeifHeader(encodeHeif(quadrants(32, 32), false, 1, exif));
    ASSERT_TRUE(header);
    const TiffTags tags(header->exif);
    ASSERT_TRUE(tags.isValid());
    EXPECT_EQ(orientationOf(tags), 6);
    const auto original = tags.findExif(tiff::DateTimeOriginal);
    ASSERT_TRUE(original);
    EXPECT_EQ(tags.text(*original).value_or(""), QByteArrayView("2023:07:08 09:10:11"));
    EXPECT_TRUE(readHeifHeader(encodeHeif(quadrants(32, 32), false))->exif.isEmpty());
}

TEST(HeifDecoder, RefusesWhatItCannotDecode)
{
    const QByteArray file = encodeHeif(photoLike(128, 96), false);
    const struct
    {
        const char* label;
        QByteArray bytes;
    } cases[] = {
        {"empty", {}},
        {"file-type box only", file.left(32)},
        {"cut in its image data", file.left(file.size() * 3 / 4)},
        {"not HEIF", encode(quadrants(8, 8), "png")},
    };
    for (const auto& c : cases) {
        QString error;
        EXPECT_TRUE(decodeHeif(c.bytes, true, &error).isNull()) << c.label;
        EXPECT_FALSE(error.isEmpty()) << c.label;
    }
}

} // namespace
