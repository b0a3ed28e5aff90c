#include "host/imaging/picture_codecs.h"

#include "host/automation/host_error.h"
#include "host/imaging/emf.h"
#include "host/imaging/encoded_image.h"
#include "tests/host/imaging/test_images.h"

#include <QPainter>

#include <gtest/gtest.h>

using namespace host::imaging;
using namespace imaging_test;

namespace {

// Flat colours, antialiased shapes and a transparent corner: what a pasted rendering holds.
QImage rendering()
{
    QImage image(120, 80, QImage::Format_ARGB32);
    image.fill(Qt::transparent);
    QPainter painter(&image);
    painter.fillRect(0, 0, 120, 60, QColor(250, 240, 200));
    painter.fillRect(10, 10, 40, 30, QColor(30, 90, 160));
    painter.setRenderHint(QPainter::Antialiasing);
    painter.setPen(QPen(QColor(200, 30, 30), 3));
    painter.drawEllipse(60, 5, 50, 45);
    painter.end();
    image.setDotsPerMeterX(3780);
    image.setDotsPerMeterY(3780);
    return image;
}

} // namespace

TEST(PictureCodecs, EachPasteFormatRoundTrips)
{
    const QImage flat = rendering();
    const QImage photo = photoLike(160, 120);
    const struct
    {
        ImageFormat format;
        bool keepsAlpha;
        int flatMax;      // largest channel error on the flat rendering
        double photoMean; // mean channel error on the photograph, seen at a quarter size
    } cases[] = {
        {ImageFormat::Png, true, 0, 0.0},
        {ImageFormat::Bmp, false, 0, 0.0},
        {ImageFormat::Emf, false, 0, 0.0},
        // An exact palette for the rendering; the photograph is dithered over 256 colours,
        // which keeps local averages (what the eye sees) close, not single pixels.
        {ImageFormat::Gif, true, 0, 4.0},
        {ImageFormat::Jpeg, false, 90, 2.0},
    };
    const auto quarter = [](const QImage& image) {
        return image.scaled(image.size() / 4, Qt::IgnoreAspectRatio, Qt::SmoothTransformation);
    };
    for (const auto& c : cases) {
        const std::string label = fileExtension(c.format).toStdString();
        const QByteArray bytes = encodePicture(flat, c.format);
        const EncodedImage image = loadPicture(bytes);
        EXPECT_EQ(image.format, c.format) << label;
        EXPECT_EQ(image.pixelSize, flat.size()) << label;
        // 96 dpi is stated (or assumed, for GIF), so the untouched size is the rendered size.
        EXPECT_NEAR(image.untouchedSize().width(), 90.0, 0.01) << label;
        EXPECT_NEAR(image.untouchedSize().height(), 60.0, 0.01) << label;

        const QImage back = decodeImage(bytes);
        const QImage expected = c.keepsAlpha ? flat : onWhite(flat);
        EXPECT_LE(maxDistance(back, expected), c.flatMax) << label;
        if (c.format == ImageFormat::Jpeg) {
            EXPECT_LT(meanDistance(back, expected), 3.0) << label;
        }

        const QImage photoBack = decodeImage(encodePicture(photo, c.format));
        EXPECT_LE(meanDistance(quarter(photoBack), quarter(photo)), c.photoMean) << label;
    }
}

TEST(PictureCodecs, GifDithersPhotographsOverAQuantisedPalette)
{
    // A smooth ramp of more than 256 colours: the palette cannot hold them all, and error
    // diffusion keeps the average colour of each region right even so.
    QImage ramp(512, 64, QImage::Format_RGB32);
    for (int x = 0; x < 512; ++x)
        for (int y = 0; y < 64; ++y)
            ramp.setPixel(x, y, qRgb(x / 2, 255 - x / 2, (x * 3 / 4) % 256));
    const QImage back = decodeImage(encodePicture(ramp, ImageFormat::Gif));
    const QImage blurredBack = back.scaled(64, 8, Qt::IgnoreAspectRatio, Qt::SmoothTransformation);
    const QImage blurred = ramp.scaled(64, 8, Qt::IgnoreAspectRatio, Qt::SmoothTransformation);
    EXPECT_LT(maxDistance(blurredBack, blurred), 10);
    EXPECT_LT(meanDistance(back, ramp), 6.0);
}

TEST(PictureCodecs, MetafileHoldsOneBitmapRecord)
{
    QImage picture = quadrants(30, 20);
    picture.setDotsPerMeterX(3780), picture.setDotsPerMeterY(3780);
    const QByteArray emf = writeEmf(picture);
    // Header (108), EMR_STRETCHDIBITS (80 + 40 + 20 rows of 92 bytes), EMR_EOF (20).
    EXPECT_EQ(emf.size(), 108 + 80 + 40 + 20 * 92 + 20);
    const auto header = readEmfHeader(emf);
    ASSERT_TRUE(header);
    EXPECT_EQ(header->pixelSize, QSize(30, 20));
    EXPECT_NEAR(header->points.width(), 22.5, 1e-9);
    EXPECT_EQ(maxDistance(readEmf(emf), picture), 0);

    // A damaged metafile reads as no picture, and is refused as one.
    QByteArray cut = emf.left(200);
    EXPECT_TRUE(readEmf(cut).isNull());
    EXPECT_THROW(loadPicture(cut), host::HostError);
}

TEST(PictureCodecs, RefusesWhatItCannotWrite)
{
    EXPECT_THROW(encodePicture(QImage(), ImageFormat::Png), host::HostError);
    EXPECT_THROW(encodePicture(rendering(), ImageFormat::Unknown), host::HostError);
}
