// Thumbnails of picture files: their size and place in the box, and files that give none.
#include "main/reduce/picture_thumbnail.h"

#include <QImage>
#include <QPainter>
#include <QTemporaryDir>

#include <gtest/gtest.h>

namespace {

const QRgb kBackground = qRgb(1, 2, 3);

// The smallest rectangle of pixels that differ from the background.
QRect paintedArea(const QImage& box)
{
    QRect area;
    for (int y = 0; y < box.height(); ++y)
        for (int x = 0; x < box.width(); ++x)
            if (box.pixel(x, y) != kBackground)
                area |= QRect(x, y, 1, 1);
    return area;
}

class Thumbnail : public ::testing::Test
{
protected:
    QString file(int w, int h, const char* format)
    {
        QImage image(w, h, QImage::Format_RGB32);
        image.fill(Qt::darkGreen);
        const QString path =
            m_dir.filePath(QStringLiteral("p%1.%2").arg(++m_n).arg(QString::fromLatin1(format)));
        EXPECT_TRUE(image.save(path, format));
        return path;
    }

    // Draws into a box of the background colour; answers the area painted (empty when none).
    QRect draw(const QString& path, int boxW, int boxH, bool keep, bool* drawn = nullptr)
    {
        QImage box(boxW, boxH, QImage::Format_RGB32);
        box.fill(kBackground);
        QPainter painter(&box);
        const bool ok = picrows::F_DrawPictureThumbnail(painter, path, boxW, boxH, keep);
        painter.end();
        if (drawn)
            *drawn = ok;
        return paintedArea(box);
    }

    QTemporaryDir m_dir;
    int m_n = 0;
};

TEST_F(Thumbnail, SizeAndPlaceInTheBox)
{
    struct Case
    {
        int w, h, boxW, boxH;
        bool keep;
        QRect area;
    } cases[] = {
        {400, 100, 100, 100, true, QRect(0, 38, 100, 25)}, // 37.5 rounds to the even 38
        {100, 400, 100, 100, true, QRect(38, 0, 25, 100)},
        {300, 200, 90, 60, true, QRect(0, 0, 90, 60)},     // equal ratios: the height rules
        {201, 100, 100, 100, true, QRect(0, 25, 100, 50)}, // 49.75 → 50, (100 − 50) / 2
        {400, 100, 100, 100, false, QRect(0, 0, 100, 100)},
        {30, 10, 100, 100, true, QRect(0, 34, 100, 33)}, // enlarged; 33.33 → 33, 33.5 → 34
    };
    for (const Case& c : cases) {
        bool drawn = false;
        EXPECT_EQ(draw(file(c.w, c.h, "png"), c.boxW, c.boxH, c.keep, &drawn), c.area)
            << c.w << "x" << c.h << " keep " << c.keep;
        EXPECT_TRUE(drawn);
    }
}

// A large photograph is decoded at the reduced size and still fills its place.
TEST_F(Thumbnail, LargeJpegDecodedSmall)
{
    bool drawn = false;
    EXPECT_EQ(draw(file(2400, 1800, "jpg"), 160, 160, true, &drawn), QRect(0, 20, 160, 120));
    EXPECT_TRUE(drawn);
}

TEST_F(Thumbnail, UnreadableFilesDrawNothing)
{
    const QString text = m_dir.filePath(QStringLiteral("notes.png"));
    {
        QFile f(text);
        ASSERT_TRUE(f.open(QIODevice::WriteOnly));
        f.write("not a picture");
    }
    for (const QString& path : {text, m_dir.filePath(QStringLiteral("missing.jpg"))}) {
        bool drawn = true;
        EXPECT_TRUE(draw(path, 50, 50, true, &drawn).isEmpty());
        EXPECT_FALSE(drawn) << path.toStdString();
    }
}

} // namespace
