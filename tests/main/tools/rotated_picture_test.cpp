// A picture drawn turned onto a canvas of the turned size, over the background colour.
#include "main/tools/rotated_picture.h"

#include <QImage>
#include <QPainter>

#include <gtest/gtest.h>

namespace {

using picrows::colourFromBgr;
using picrows::drawRotatedPicture;
using picrows::rotatedBounds;

// Left half red, right half blue.
QImage halves(int w, int h)
{
    QImage image(w, h, QImage::Format_RGB32);
    image.fill(Qt::red);
    QPainter painter(&image);
    painter.fillRect(w / 2, 0, w - w / 2, h, Qt::blue);
    return image;
}

int countOf(const QImage& image, QRgb colour)
{
    int n = 0;
    for (int y = 0; y < image.height(); ++y)
        for (int x = 0; x < image.width(); ++x)
            n += image.pixel(x, y) == colour;
    return n;
}

TEST(RotatedBounds, TheBoxThatHoldsTheTurnedPicture)
{
    struct Case
    {
        float w, h;
        double angle;
        double width, height;
    } cases[] = {
        {200, 100, 0, 200, 100},
        {200, 100, 90, 100, 200},
        {200, 100, 180, 200, 100},
        {200, 100, 270, 100, 200},
        {100, 100, 45, 141.421, 141.421},
        {200, 100, 30, 223.205, 186.603},
        {200, 100, 359.9, 200.175, 100.349},
    };
    for (const Case& c : cases) {
        const QSizeF size = rotatedBounds(c.w, c.h, c.angle);
        EXPECT_NEAR(size.width(), c.width, 1e-3) << c.angle;
        EXPECT_NEAR(size.height(), c.height, 1e-3) << c.angle;
    }
}

TEST(RotatedPicture, QuarterTurnFillsTheSwappedCanvasWithNoBackgroundShowing)
{
    const QColor back = colourFromBgr(0x00FF00); // green: in neither half
    const QImage canvas = drawRotatedPicture(halves(200, 100), 90, back);
    ASSERT_EQ(canvas.size(), QSize(100, 200));
    EXPECT_EQ(countOf(canvas, back.rgb()), 0);
    // Turned clockwise, the left half goes to the top.
    EXPECT_EQ(countOf(canvas, qRgb(255, 0, 0)), 100 * 100);
    EXPECT_EQ(canvas.pixel(0, 0), qRgb(255, 0, 0));
    EXPECT_EQ(canvas.pixel(99, 99), qRgb(255, 0, 0));
    EXPECT_EQ(canvas.pixel(0, 100), qRgb(0, 0, 255));
    EXPECT_EQ(canvas.pixel(99, 199), qRgb(0, 0, 255));
}

TEST(RotatedPicture, EighthTurnLeavesBackgroundCorners)
{
    // 0x00BBGGRR: red 0x99, green 0x66, blue 0x33.
    const QColor back = colourFromBgr(0x00336699);
    EXPECT_EQ(back.rgb(), qRgb(0x99, 0x66, 0x33));
    QImage source(100, 100, QImage::Format_RGB32);
    source.fill(Qt::black);
    const QImage canvas = drawRotatedPicture(source, 45, back);
    ASSERT_EQ(canvas.size(), QSize(141, 141));
    for (const QPoint corner : {QPoint(0, 0), QPoint(140, 0), QPoint(0, 140), QPoint(140, 140),
                                QPoint(20, 20), QPoint(120, 120)})
        EXPECT_EQ(canvas.pixel(corner), back.rgb()) << corner.x() << "," << corner.y();
    for (const QPoint inside : {QPoint(70, 70), QPoint(70, 4), QPoint(4, 70), QPoint(136, 70),
                                QPoint(70, 136), QPoint(40, 40)})
        EXPECT_EQ(canvas.pixel(inside), qRgb(0, 0, 0)) << inside.x() << "," << inside.y();
    // The turned square covers half the canvas; the four triangles the other half.
    const double covered = countOf(canvas, qRgb(0, 0, 0)) / (141.0 * 141.0);
    EXPECT_NEAR(covered, 0.5, 0.02);
    EXPECT_FALSE(canvas.hasAlphaChannel());
}

TEST(RotatedPicture, NoTurnCopiesTheSourceAt96DotsPerInch)
{
    const QImage source = halves(31, 17);
    const QImage canvas = drawRotatedPicture(source, 0, Qt::green);
    ASSERT_EQ(canvas.size(), source.size());
    EXPECT_EQ(canvas, source.convertToFormat(QImage::Format_RGB32));
    EXPECT_EQ(canvas.dotsPerMeterX(), 3780);
    EXPECT_EQ(canvas.dotsPerMeterY(), 3780);
}

// Halves of odd sides round to even: the source's corner lands at (−16, −8) from the canvas
// centre (16, 8), so half a turn moves every pixel one column right and one row up; the first
// column and last row show the background.
TEST(RotatedPicture, HalfTurnOfOddSidesRoundsHalvesToEven)
{
    QImage source(31, 17, QImage::Format_RGB32);
    for (int y = 0; y < 17; ++y)
        for (int x = 0; x < 31; ++x)
            source.setPixel(x, y, qRgb(x * 8, y * 15, 200));
    const QImage canvas = drawRotatedPicture(source, 180, Qt::white);
    ASSERT_EQ(canvas.size(), QSize(31, 17));
    for (int y = 0; y < 16; ++y)
        for (int x = 1; x < 31; ++x)
            ASSERT_EQ(canvas.pixel(31 - x, 15 - y), source.pixel(x, y)) << x << "," << y;
    for (int y = 0; y < 17; ++y)
        EXPECT_EQ(canvas.pixel(0, y), qRgb(255, 255, 255)) << y;
    for (int x = 0; x < 31; ++x)
        EXPECT_EQ(canvas.pixel(x, 16), qRgb(255, 255, 255)) << x;
}

} // namespace
