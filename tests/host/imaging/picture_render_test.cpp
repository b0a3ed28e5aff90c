#include "host/imaging/picture_render.h"

#include "host/imaging/decode_cache.h"
#include "host/imaging/encoded_image.h"
#include "tests/host/imaging/test_images.h"

#include <QPainter>

#include <gtest/gtest.h>

using namespace host::imaging;
using namespace imaging_test;

namespace {

constexpr QRgb Red = 0xFFFF0000, Green = 0xFF00FF00, Blue = 0xFF0000FF, Yellow = 0xFFFFFF00;

// 200 × 200 pixels at 96 dpi: 150 × 150 points, each quadrant 75 × 75.
EncodedImage quadrantPng()
{
    QImage picture = quadrants(200, 200);
    picture.setDotsPerMeterX(3780);
    picture.setDotsPerMeterY(3780);
    return loadPicture(encode(picture, "png"));
}

PictureLook lookOf(const EncodedImage& image)
{
    PictureLook look;
    look.untouched = image.untouchedSize();
    return look;
}

QRgb at(const QImage& image, int x, int y)
{
    return image.convertToFormat(QImage::Format_ARGB32).pixel(x, y);
}

} // namespace

TEST(PictureRender, QuadrantCroppedToOneQuadrantShowsItAlone)
{
    const EncodedImage png = quadrantPng();
    ASSERT_EQ(png.untouchedSize(), QSizeF(150, 150));
    const struct
    {
        double left, top, right, bottom;
        QRgb colour;
    } crops[] = {
        {0, 0, 75, 75, Red}, {75, 0, 0, 75, Green}, {0, 75, 75, 0, Blue}, {75, 75, 0, 0, Yellow}};
    for (const auto& crop : crops) {
        PictureLook look = lookOf(png);
        look.cropLeft = crop.left, look.cropTop = crop.top;
        look.cropRight = crop.right, look.cropBottom = crop.bottom;
        for (int pixels : {37, 100, 300}) {
            const QImage out = renderPicture(png, look, QSizeF(75, 75), QSize(pixels, pixels));
            QImage expected(out.size(), QImage::Format_ARGB32);
            expected.fill(crop.colour);
            EXPECT_EQ(maxDistance(out, expected), 0)
                << std::hex << crop.colour << " at " << std::dec << pixels;
        }
    }

    // The same from a JPEG decoded at a reduced scale: colours bleed only by compression.
    const EncodedImage jpeg = loadPicture(encodeJpeg(quadrants(1600, 1600), true, 92));
    PictureLook look = lookOf(jpeg);
    look.cropLeft = look.untouched.width() / 2;
    look.cropBottom = look.untouched.height() / 2;
    const QImage out = renderPicture(jpeg, look, QSizeF(75, 75), QSize(100, 100));
    QImage green(out.size(), QImage::Format_ARGB32);
    green.fill(Green);
    EXPECT_LE(maxDistance(out, green), 24);
}

TEST(PictureRender, CropAndScaleGeometry)
{
    const EncodedImage png = quadrantPng();
    // Crop a third off the left (50 px): the red/green edge, at 100 px, is a third of the way
    // across what remains; shown twice as wide as tall.
    PictureLook look = lookOf(png);
    look.cropLeft = 37.5;
    const QImage out = renderPicture(png, look, QSizeF(225, 75), QSize(300, 100));
    EXPECT_EQ(at(out, 97, 10), Red);
    EXPECT_EQ(at(out, 103, 10), Green);
    EXPECT_EQ(at(out, 97, 90), Blue);
    EXPECT_EQ(at(out, 103, 90), Yellow);
    EXPECT_EQ(at(out, 299, 47), Green);
    EXPECT_EQ(at(out, 299, 53), Yellow);
    EXPECT_EQ(out.dotsPerMeterX(), int(std::lround(300 / (225 / 72.0 * 0.0254))));
}

TEST(PictureRender, RotationTurnsAboutTheCentre)
{
    const EncodedImage png = quadrantPng();
    PictureLook look = lookOf(png);
    look.cropBottom = 75; // the top half: red left, green right
    const struct
    {
        double rotation;
        QSize pixels;
        QPoint redAt, greenAt;
    } cases[] = {
        {0, {150, 75}, {30, 37}, {120, 37}},
        {90, {75, 150}, {37, 30}, {37, 120}}, // left end turns to the top
        {180, {150, 75}, {120, 37}, {30, 37}},
        {270, {75, 150}, {37, 120}, {37, 30}},
        {-90, {75, 150}, {37, 120}, {37, 30}},
    };
    for (const auto& c : cases) {
        look.rotation = c.rotation;
        const QRectF bounds = rotatedBounds(QRectF(0, 0, 150, 75), c.rotation);
        EXPECT_NEAR(bounds.width(), c.pixels.width(), 1e-9) << c.rotation;
        EXPECT_NEAR(bounds.height(), c.pixels.height(), 1e-9) << c.rotation;
        const QImage out = renderPicture(png, look, QSizeF(150, 75), c.pixels);
        EXPECT_EQ(at(out, c.redAt.x(), c.redAt.y()), Red) << c.rotation;
        EXPECT_EQ(at(out, c.greenAt.x(), c.greenAt.y()), Green) << c.rotation;
    }

    // At 45° the bounds grow and their corners stay empty.
    look.rotation = 45;
    const QRectF bounds = rotatedBounds(QRectF(0, 0, 150, 75), 45);
    EXPECT_NEAR(bounds.width(), 225 / std::sqrt(2.0), 1e-9);
    const QImage out = renderPicture(png, look, QSizeF(150, 75), bounds.size().toSize());
    EXPECT_EQ(qAlpha(at(out, 2, 2)), 0);
    EXPECT_EQ(qAlpha(at(out, out.width() - 3, out.height() - 3)), 0);
    EXPECT_EQ(at(out, out.width() / 2 - 15, out.height() / 2 - 15), Red);
    EXPECT_EQ(at(out, out.width() / 2 + 15, out.height() / 2 + 15), Green);
}

TEST(PictureRender, NegativeCropsLeaveEmptyMargins)
{
    const EncodedImage png = quadrantPng();
    PictureLook look = lookOf(png);
    look.cropLeft = -75; // a margin half the picture's width on the left
    look.cropBottom = -30;
    const QImage out = renderPicture(png, look, QSizeF(225, 180), QSize(225, 180));
    for (QPoint margin : {QPoint(5, 5), QPoint(70, 100), QPoint(100, 175), QPoint(220, 155)})
        EXPECT_EQ(qAlpha(at(out, margin.x(), margin.y())), 0) << margin.x() << "," << margin.y();
    EXPECT_EQ(at(out, 80, 5), Red);
    EXPECT_EQ(at(out, 220, 5), Green);
    EXPECT_EQ(at(out, 80, 145), Blue);
    EXPECT_EQ(at(out, 220, 145), Yellow);
}

TEST(PictureRender, PaintsIntoARectOfAPage)
{
    const EncodedImage png = quadrantPng();
    QImage page(200, 100, QImage::Format_ARGB32);
    page.fill(Qt::white);
    QPainter painter(&page);
    painter.scale(2, 2); // the page renderer's points to pixels
    PictureLook look = lookOf(png);
    paintPicture(painter, QRectF(10, 5, 40, 40), png, look);
    painter.end();
    EXPECT_EQ(at(page, 19, 9), 0xFFFFFFFF); // outside the box
    EXPECT_EQ(at(page, 22, 12), Red);
    EXPECT_EQ(at(page, 97, 87), Yellow);
    EXPECT_EQ(at(page, 101, 50), 0xFFFFFFFF);
}

TEST(PictureRender, DecodesJpegAtTheSmallestSufficientScale)
{
    const EncodedImage jpeg = loadPicture(encodeJpeg(photoLike(1600, 1200), true));
    const struct
    {
        int width;       // rendered width in pixels
        int crop;        // points cropped from each side
        int denominator; // the scale the render must have decoded at
    } cases[] = {
        {100, 0, 8}, // 200 px decoded for 100 shown
        {200, 0, 8},
        {201, 0, 4},
        {500, 0, 2},
        {900, 0, 1},
        {100, 450, 4}, // cropped to the middle quarter: 400 px of picture shown on
                       // 100
        {101, 450, 2},
    };
    for (const auto& c : cases) {
        clearDecodeCache();
        PictureLook look = lookOf(jpeg);
        look.cropLeft = look.cropRight = c.crop;
        const double shownWidth = look.untouched.width() - 2 * c.crop;
        const QSizeF displayed(shownWidth, look.untouched.height());
        const int height = int(std::lround(c.width * displayed.height() / displayed.width()));
        renderPicture(jpeg, look, displayed, QSize(c.width, height));
        EXPECT_EQ(decodeCacheStats().misses, 1) << c.width;
        cachedDecode(jpeg, c.denominator);
        EXPECT_EQ(decodeCacheStats().hits, 1) << c.width << ": decoded at another scale";
    }

    // Rendering again decodes nothing.
    clearDecodeCache();
    PictureLook look = lookOf(jpeg);
    const QImage first = renderPicture(jpeg, look, look.untouched, QSize(300, 225));
    const QImage second = renderPicture(jpeg, look, look.untouched, QSize(300, 225));
    EXPECT_EQ(decodeCacheStats().misses, 1);
    EXPECT_EQ(decodeCacheStats().hits, 1);
    EXPECT_EQ(first, second);
    // And the reduced decode shows the picture: compare with a full decode scaled down.
    QImage reference =
        photoLike(1600, 1200).scaled(300, 225, Qt::IgnoreAspectRatio, Qt::SmoothTransformation);
    EXPECT_LT(meanDistance(first, reference), 3.0);
}

TEST(PictureRender, LargePicturesInOtherFormatsKeepTheirReduction)
{
    // A PNG cannot decode smaller: a large one is decoded whole once, reduced, and the
    // reduction serves later renders.
    const QImage photo = photoLike(2000, 1500);
    const EncodedImage png = loadPicture(encode(photo, "png"));
    clearDecodeCache();
    PictureLook look = lookOf(png);
    const QImage first = renderPicture(png, look, look.untouched, QSize(300, 225));
    EXPECT_EQ(decodeCacheStats().misses, 2); // the whole picture, then its reduction to 1/4
    const QImage second = renderPicture(png, look, look.untouched, QSize(300, 225));
    EXPECT_EQ(decodeCacheStats().misses, 2);
    EXPECT_EQ(decodeCacheStats().hits, 1);
    EXPECT_EQ(first, second);
    EXPECT_EQ(cachedDecode(png, 4).size(), QSize(500, 375));
    const QImage reference =
        photo.scaled(300, 225, Qt::IgnoreAspectRatio, Qt::SmoothTransformation);
    EXPECT_LT(meanDistance(first, reference), 2.0);
}
