#include "main/save_picture/bitmap_encoders.h"

#include "tests/main/save_picture/image_compare.h"

#include <QBuffer>
#include <QImageReader>

#include <gtest/gtest.h>

using namespace picrows;
using savepic_test::meanDistance;
using savepic_test::quadrants;

namespace {

struct ExtensionCase
{
    const char* path;
    std::optional<BitmapEncoder> encoder;
};

TEST(BitmapEncoders, TheExtensionAfterTheLastDotPicksTheWriterWithoutRegardToCase)
{
    const ExtensionCase cases[] = {
        {"a.jpg", BitmapEncoder::Jpeg},     {"a.JPEG", BitmapEncoder::Jpeg},
        {"a.Gif", BitmapEncoder::Gif},      {"a.png", BitmapEncoder::Png},
        {"a.TIF", BitmapEncoder::Tiff},     {"a.bmp", BitmapEncoder::Bmp},
        {"a.png.jpg", BitmapEncoder::Jpeg}, {"/tmp/x.jpg/a.bmp", BitmapEncoder::Bmp},
        {"a.tiff", std::nullopt},           {"a.emf", std::nullopt},
        {"a.jpg.txt", std::nullopt},        {"/tmp/x.png/noextension", std::nullopt},
        {"noextension", std::nullopt},      {"a.", std::nullopt},
    };
    for (const ExtensionCase& c : cases)
        EXPECT_EQ(encoderForPath(QString::fromUtf8(c.path)), c.encoder) << c.path;
}

QByteArray readerFormat(const QByteArray& bytes)
{
    QBuffer buffer;
    buffer.setData(bytes);
    return QImageReader(&buffer).format();
}

struct RoundTrip
{
    BitmapEncoder encoder;
    const char* qtFormat;
    double maxDistance; // 0: the writer is lossless for this image; JPEG blurs the edges
};

TEST(BitmapEncoders, EachWriterMakesItsFormatWithTheImagesSizeAndPixels)
{
    QImage image = quadrants(64, 40);
    image.setDotsPerMeterX(5669); // 144 dpi
    image.setDotsPerMeterY(5669);
    const RoundTrip cases[] = {
        {BitmapEncoder::Jpeg, "jpeg", 5.0}, {BitmapEncoder::Gif, "gif", 0},
        {BitmapEncoder::Png, "png", 0},     {BitmapEncoder::Tiff, "tiff", 0},
        {BitmapEncoder::Bmp, "bmp", 0},
    };
    for (const RoundTrip& c : cases) {
        const QByteArray bytes = encodeBitmap(image, c.encoder);
        ASSERT_FALSE(bytes.isEmpty()) << c.qtFormat;
        EXPECT_EQ(readerFormat(bytes), QByteArray(c.qtFormat));
        const QImage back = QImage::fromData(bytes);
        ASSERT_EQ(back.size(), image.size()) << c.qtFormat;
        EXPECT_LE(meanDistance(back, image), c.maxDistance) << c.qtFormat;
        if (c.encoder != BitmapEncoder::Gif) { // GIF records no resolution
            EXPECT_NEAR(back.dotsPerMeterX(), 5669, 20) << c.qtFormat;
        }
    }
}

TEST(BitmapEncoders, JpegWithoutAQualityUsesTheDefaultAndALowerQualityLosesMore)
{
    QImage photo(96, 64, QImage::Format_RGB32);
    for (int y = 0; y < photo.height(); ++y)
        for (int x = 0; x < photo.width(); ++x)
            photo.setPixel(x, y, qRgb((x * 7 + y * 3) % 256, (x * y) % 256, (255 - x * 2) % 256));
    const QByteArray byDefault = encodeBitmap(photo, BitmapEncoder::Jpeg);
    EXPECT_EQ(byDefault, encodeBitmap(photo, BitmapEncoder::Jpeg, kDefaultJpegQuality));
    const QByteArray low = encodeBitmap(photo, BitmapEncoder::Jpeg, 10);
    const QByteArray high = encodeBitmap(photo, BitmapEncoder::Jpeg, 98);
    EXPECT_LT(low.size(), byDefault.size());
    EXPECT_LT(byDefault.size(), high.size());
    EXPECT_GT(meanDistance(QImage::fromData(low), photo),
              meanDistance(QImage::fromData(high), photo));
}

TEST(BitmapEncoders, OpaqueCopyPutsTransparentPartsOnWhiteAndKeepsSizeAndResolution)
{
    QImage image(10, 6, QImage::Format_ARGB32);
    image.fill(Qt::transparent);
    image.setPixel(1, 1, qRgba(255, 0, 0, 255));
    image.setPixel(2, 1, qRgba(0, 0, 0, 128));
    image.setDotsPerMeterX(3780);
    image.setDotsPerMeterY(7560);
    const QImage flat = opaqueCopy(image);
    EXPECT_FALSE(flat.hasAlphaChannel());
    EXPECT_EQ(flat.size(), image.size());
    EXPECT_EQ(flat.dotsPerMeterX(), 3780);
    EXPECT_EQ(flat.dotsPerMeterY(), 7560);
    EXPECT_EQ(flat.pixel(0, 0), qRgb(255, 255, 255));
    EXPECT_EQ(flat.pixel(1, 1), qRgb(255, 0, 0));
    EXPECT_NEAR(qRed(flat.pixel(2, 1)), 127, 2); // half black over white
    EXPECT_TRUE(opaqueCopy(QImage()).isNull());
}

} // namespace
