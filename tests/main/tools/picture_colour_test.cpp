// The brightness and contrast preview: the contrast curve, the brightness layer, their order.
#include "main/tools/picture_colour.h"
#include "main/tools/rotated_picture.h"

#include <QImage>

#include <gtest/gtest.h>

namespace {

using picrows::blendBrightness;
using picrows::brightnessAlpha;
using picrows::drawColourPreview;
using picrows::S_SetPictureContrast;

// One pixel per value, the same value in blue, green and red.
QImage greys(std::initializer_list<int> values)
{
    QImage image(int(values.size()), 1, QImage::Format_RGB32);
    int x = 0;
    for (int v : values)
        image.setPixel(x++, 0, qRgb(v, v, v));
    return image;
}

// The pixel as it lies in memory: blue, green, red, fourth byte.
quint32 raw(const QImage& image, int x)
{
    return reinterpret_cast<const quint32*>(image.constScanLine(0))[x];
}

TEST(Contrast, ChannelsMoveAwayFromOrTowardTheMiddleAndClamp)
{
    struct Case
    {
        int angle;
        int in;
        int out;
    } cases[] = {
        {81, 200, 255},                 // 72 × 6.3138 + 128 ≈ 582.6
        {81, 100, 0},                   // −28 × 6.3138 + 128 ≈ −48.8
        {81, 128, 128}, {81, 140, 204}, // 12 × 6.3138 + 128 ≈ 203.8
        {9, 0, 108},    {9, 255, 148},  {9, 128, 128},  {45, 0, 0},
        {45, 77, 77},   {45, 255, 255}, {63, 150, 171}, // 22 × 1.9626 + 128 ≈ 171.2
    };
    for (const Case& c : cases) {
        QImage image = greys({c.in});
        S_SetPictureContrast(image, c.angle);
        EXPECT_EQ(raw(image, 0), quint32(c.out * 0x010101)) << c.angle << " " << c.in;
    }
}

TEST(Contrast, EachChannelOnItsOwnAndTheFourthByteWrittenZero)
{
    QImage image(2, 1, QImage::Format_RGB32);
    image.setPixel(0, 0, qRgb(200, 100, 0));
    image.setPixel(1, 0, qRgb(0, 255, 128));
    S_SetPictureContrast(image, 9);
    // red 200 → 139.4, green 100 → 123.6, blue 0 → 108; red 0 → 108, green 255 → 148.
    EXPECT_EQ(raw(image, 0), 0x008B7C6Cu);
    EXPECT_EQ(raw(image, 1), 0x006C9480u);
}

TEST(Brightness, OpacityOfTheLayerForEachSliderStep)
{
    const std::pair<float, int> cases[] = {{0.1f, 204}, {0.9f, 204}, {0.2f, 153}, {0.8f, 153},
                                           {0.3f, 102}, {0.7f, 102}, {0.4f, 51},  {0.6f, 51},
                                           {0.5f, 0},   {0.0f, 255}, {1.0f, 255}};
    for (const auto& [brightness, alpha] : cases)
        EXPECT_EQ(brightnessAlpha(brightness), alpha) << brightness;
}

TEST(Brightness, BlackBelowTheMiddleWhiteAbove)
{
    struct Case
    {
        float brightness;
        int in;
        int out;
    } cases[] = {
        {0.9f, 0, 204},   // white at 204 over black
        {0.1f, 255, 51},  // black at 204 over white
        {0.6f, 100, 131}, // (255 × 51 + 100 × 204) / 255
        {0.4f, 100, 80},  // 100 × 204 / 255
        {0.2f, 0, 0},     {0.8f, 255, 255},
    };
    for (const Case& c : cases) {
        QImage image = greys({c.in});
        blendBrightness(image, c.brightness);
        EXPECT_EQ(raw(image, 0), quint32(c.out * 0x010101)) << c.brightness << " " << c.in;
    }
}

TEST(ColourPreview, UnchangedValuesGiveAnExactCopyAndNoNote)
{
    QImage source(5, 3, QImage::Format_RGB32);
    for (int y = 0; y < 3; ++y)
        for (int x = 0; x < 5; ++x)
            source.setPixel(x, y, qRgb(x * 50, y * 100, 7));
    struct Case
    {
        float contrast, brightness;
        bool disabled;
    } cases[] = {
        {0.5f, 0.5f, false},
        {0.54f, 0.46f, false}, // one decimal: 0.5
        {0.9f, 0.1f, true},    // adjustments disabled
    };
    for (const Case& c : cases) {
        QImage colour(1, 1, QImage::Format_RGB32);
        EXPECT_FALSE(drawColourPreview(source, colour, c.contrast, c.brightness, c.disabled));
        EXPECT_EQ(colour, source) << c.contrast << " " << c.brightness;
    }
}

TEST(ColourPreview, ContrastThenBrightnessAndTheNoteWhenEitherRan)
{
    const QImage source = greys({0, 128, 255});
    QImage colour;

    // Contrast 0.1 is 9 degrees: 0 → 108; then white at 204: (255 × 204 + 108 × 51) / 255.
    EXPECT_TRUE(drawColourPreview(source, colour, 0.1f, 0.9f, false));
    EXPECT_EQ(raw(colour, 0), quint32(226 * 0x010101));
    EXPECT_EQ(raw(colour, 1), quint32(230 * 0x010101)); // 128 stays, then (52020 + 6528) / 255
    EXPECT_EQ(raw(colour, 2), quint32(234 * 0x010101)); // 148, then (52020 + 7548) / 255

    EXPECT_TRUE(drawColourPreview(source, colour, 0.9f, 0.5f, false)); // 81 degrees
    EXPECT_EQ(raw(colour, 0), 0u);
    EXPECT_EQ(raw(colour, 1), quint32(128 * 0x010101));
    EXPECT_EQ(raw(colour, 2), quint32(255 * 0x010101));

    EXPECT_TRUE(drawColourPreview(source, colour, 0.5f, 0.2f, false));
    EXPECT_EQ(raw(colour, 2), quint32(102 * 0x010101)); // 255 × 102 / 255
    EXPECT_EQ(colour.size(), source.size());
}

// The adjusted canvas (fourth byte 0) still draws opaque when turned afterwards.
TEST(ColourPreview, AdjustedCanvasTurnsOpaque)
{
    QImage source(20, 10, QImage::Format_RGB32);
    source.fill(qRgb(0, 0, 0));
    QImage colour;
    ASSERT_TRUE(drawColourPreview(source, colour, 0.5f, 0.9f, false));
    const QImage turned = picrows::drawRotatedPicture(colour, 90, Qt::blue);
    ASSERT_EQ(turned.size(), QSize(10, 20));
    EXPECT_EQ(turned.pixel(5, 10), qRgb(204, 204, 204));
    EXPECT_EQ(qAlpha(turned.convertToFormat(QImage::Format_ARGB32).pixel(5, 10)), 255);
}

} // namespace
