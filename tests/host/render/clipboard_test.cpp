#include "host/render/clipboard.h"

#include "host/imaging/picture_codecs.h"
#include "tests/host/render/render_support.h"

#include <QClipboard>
#include <QGuiApplication>
#include <QMimeData>

#include <gtest/gtest.h>

using namespace host;
using imaging_test::maxDistance;

namespace {

render::ClipContent sampleCopy(bool cells)
{
    QImage image = imaging_test::quadrants(94, 64);
    image.setDotsPerMeterX(4252);
    image.setDotsPerMeterY(4252);
    render::ClipContent content;
    content.bitmap = image;
    content.emf = imaging::encodePicture(image, imaging::ImageFormat::Emf);
    content.points = QSizeF(60 + 8.0 / 3, 40 + 8.0 / 3);
    content.margin = 4.0 / 3;
    content.cells = cells;
    if (cells)
        content.text = QStringLiteral("1\t2\n");
    return content;
}

void expectSame(const render::ClipContent& got, const render::ClipContent& put)
{
    EXPECT_EQ(maxDistance(got.bitmap, put.bitmap), 0);
    EXPECT_EQ(got.bitmap.dotsPerMeterX(), put.bitmap.dotsPerMeterX());
    EXPECT_EQ(got.emf, put.emf);
    EXPECT_EQ(got.text, put.text);
    EXPECT_EQ(got.cells, put.cells);
    EXPECT_EQ(got.points, put.points);
    EXPECT_EQ(got.margin, put.margin);
}

TEST(HostClipboard, KeepsEveryFormatOfACopy)
{
    QGuiApplication::clipboard()->clear();
    for (const auto& clipboard : {render::makeProcessClipboard(), render::makeDefaultClipboard()}) {
        EXPECT_FALSE(clipboard->content());
        for (bool cells : {false, true}) {
            const render::ClipContent put = sampleCopy(cells);
            clipboard->put(put);
            const auto got = clipboard->content();
            ASSERT_TRUE(got);
            expectSame(*got, put);
        }
        clipboard->clear();
        EXPECT_FALSE(clipboard->content());
    }
}

TEST(HostClipboard, TheDefaultOneIsTheDesktopsWhenAGuiRuns)
{
    const auto clipboard = render::makeDefaultClipboard();
    clipboard->put(sampleCopy(false));
    EXPECT_TRUE(QGuiApplication::clipboard()->mimeData()->hasImage());
    EXPECT_TRUE(QGuiApplication::clipboard()->mimeData()->hasFormat(QStringLiteral("image/x-emf")));

    // What another program copied: a picture at its resolution, or text alone.
    QImage picture(96, 48, QImage::Format_RGB32);
    picture.fill(Qt::blue);
    picture.setDotsPerMeterX(7559); // 192 dpi
    picture.setDotsPerMeterY(7559);
    QGuiApplication::clipboard()->setImage(picture);
    auto got = clipboard->content();
    ASSERT_TRUE(got);
    EXPECT_NEAR(got->points.width(), 36, 0.01);
    EXPECT_NEAR(got->points.height(), 18, 0.01);
    EXPECT_EQ(got->margin, 0);
    EXPECT_FALSE(got->cells);
    EXPECT_TRUE(got->emf.isEmpty());

    QGuiApplication::clipboard()->setText(QStringLiteral("text"));
    got = clipboard->content();
    ASSERT_TRUE(got);
    EXPECT_TRUE(got->bitmap.isNull());
    EXPECT_EQ(got->text, QStringLiteral("text"));
    QGuiApplication::clipboard()->clear();
}

} // namespace
