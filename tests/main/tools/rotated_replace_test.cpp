// Swapping an inserted picture for a JPEG of it turned, through the host's clipboard.
#include "host/imaging/picture_codecs.h"
#include "host/model/drawing.h"
#include "host/render/copy_paste.h"
#include "main/tools/rotated_replace.h"
#include "tests/main/engine/engine_host_support.h"

namespace {

using namespace engine_test;
using picrows::s_ReplaceWithRotatedPicture;

// Takes what is put on it and hands it out once: the first paste works, later ones are
// refused as from an empty clipboard.
class OnePasteClipboard : public host::render::HostClipboard
{
public:
    void put(const host::render::ClipContent& content) override
    {
        if (m_handedOut)
            return;
        m_content = content;
    }
    std::optional<host::render::ClipContent> content() const override
    {
        if (m_handedOut || m_content.isEmpty())
            return std::nullopt;
        m_handedOut = true;
        return m_content;
    }
    void clear() override { m_content = {}; }

private:
    host::render::ClipContent m_content;
    mutable bool m_handedOut = false;
};

// A clipboard that takes nothing: every paste is refused.
class RefusingClipboard : public host::render::HostClipboard
{
public:
    void put(const host::render::ClipContent&) override {}
    std::optional<host::render::ClipContent> content() const override { return std::nullopt; }
    void clear() override {}
};

class RotatedReplace : public EngineTest
{
protected:
    // A 200 × 100 pixel picture inserted at B2, and the image it was made from.
    xl::Picture insert()
    {
        bool canCrop = false;
        const xl::Picture picture =
            picrows::f_InsertPictureFile(app, pictureFile(200, 100), canCrop);
        m_firstName = picture.Name();
        return picture;
    }
    QImage untouched() const
    {
        QImage image(200, 100, QImage::Format_RGB32);
        image.fill(Qt::red);
        QPainter painter(&image);
        painter.fillRect(100, 0, 100, 100, Qt::blue);
        return image;
    }
    bool firstIsGone()
    {
        for (const xl::Shape& shape : shapes().items())
            if (shape.Name() == m_firstName)
                return false;
        return true;
    }

    // A size in points as the host's copy gives it back: with its margin on both sides.
    static double withMargin(double points) { return points + 2 * host::render::kCopyMargin; }

    QString m_firstName;
};

TEST_F(RotatedReplace, QuarterTurnBecomesOneJpegAtItsOwnSize)
{
    const xl::Picture first = insert();
    const auto result =
        s_ReplaceWithRotatedPicture(app, first, untouched(), 90, 0xFFFFFF, clipboard());
    ASSERT_TRUE(result.has_value());
    EXPECT_TRUE(messages.shown().empty());
    EXPECT_EQ(pictures().Count(), 1);
    EXPECT_TRUE(firstIsGone());
    EXPECT_EQ(result->picture.Name(), pictures().Item(1).Name());

    // The turned canvas is 100 × 200 pixels, 75 × 150 points at 96 dpi; the JPEG is the
    // host's copy of the pasted bitmap, with the copy margin around it, shown at 100 %.
    const host::model::Shape& shape = *drawing().find(result->picture.ShapeRange().ID());
    ASSERT_TRUE(shape.picture.has_value());
    EXPECT_EQ(shape.picture->image.format, host::imaging::ImageFormat::Jpeg);
    EXPECT_NEAR(result->width, withMargin(75), 1e-9);
    EXPECT_NEAR(result->height, withMargin(150), 1e-9);
    EXPECT_NEAR(result->picture.Width(), shape.picture->untouchedWidth, 1e-9);
    EXPECT_NEAR(result->picture.Height(), shape.picture->untouchedHeight, 1e-9);
    EXPECT_NEAR(result->width, shape.picture->untouchedWidth, 1e-9);
    EXPECT_NEAR(result->height, shape.picture->untouchedHeight, 1e-9);

    const QImage pixels = host::imaging::decodeImage(shape.picture->image.encodedBytes());
    ASSERT_EQ(pixels.height(), std::lround(withMargin(150) * 1.5));
    // Turned clockwise: the red left half on top, the blue right half below.
    const int middle = pixels.width() / 2;
    EXPECT_GT(qRed(pixels.pixel(middle, pixels.height() / 4)), 200);
    EXPECT_LT(qBlue(pixels.pixel(middle, pixels.height() / 4)), 60);
    EXPECT_GT(qBlue(pixels.pixel(middle, pixels.height() * 3 / 4)), 200);
    EXPECT_LT(qRed(pixels.pixel(middle, pixels.height() * 3 / 4)), 60);

    EXPECT_FALSE(hostClipboard().content().has_value());
    EXPECT_FALSE(app.CutCopyMode().toBool());
}

TEST_F(RotatedReplace, BackgroundShowsInTheCornersOfAnOddAngle)
{
    const xl::Picture first = insert();
    // 0x00BBGGRR: green.
    const auto result =
        s_ReplaceWithRotatedPicture(app, first, untouched(), 30, 0x00FF00, clipboard());
    ASSERT_TRUE(result.has_value());
    // The canvas of a 200 × 100 picture turned 30 degrees is 223 × 187 pixels.
    EXPECT_NEAR(result->width, withMargin(223 * 0.75), 1e-9);
    EXPECT_NEAR(result->height, withMargin(187 * 0.75), 1e-9);
    const host::model::Shape& shape = *drawing().find(result->picture.ShapeRange().ID());
    const QImage pixels = host::imaging::decodeImage(shape.picture->image.encodedBytes());
    const int w = pixels.width() - 1;
    const int h = pixels.height() - 1;
    for (const QPoint corner :
         {QPoint(8, 8), QPoint(w - 8, 8), QPoint(8, h - 8), QPoint(w - 8, h - 8)}) {
        const QRgb pixel = pixels.pixel(corner);
        EXPECT_LT(qRed(pixel), 40) << corner.x() << "," << corner.y();
        EXPECT_GT(qGreen(pixel), 215) << corner.x() << "," << corner.y();
        EXPECT_LT(qBlue(pixel), 40) << corner.x() << "," << corner.y();
    }
    EXPECT_GT(qRed(pixels.pixel(w / 2, h / 2)) + qBlue(pixels.pixel(w / 2, h / 2)), 200);
}

TEST_F(RotatedReplace, RefusedBitmapPasteIsReportedAndLeavesNoPicture)
{
    const xl::Picture first = insert();
    m_host.options().clipboard = std::make_shared<RefusingClipboard>();
    const auto result =
        s_ReplaceWithRotatedPicture(app, first, untouched(), 90, 0xFFFFFF, clipboard());
    EXPECT_FALSE(result.has_value());
    ASSERT_EQ(messages.shown().size(), 1u);
    EXPECT_EQ(messages.shown()[0],
              (platform::Message{
                  q("回転図形のビットマップ化に失敗しました。\r\n回転せずにやり直してください。"),
                  platform::MsgButtons::OK, platform::MsgIcon::Critical, q("ピクロウアドイン")}));
    EXPECT_EQ(shapes().Count(), 0);
}

TEST_F(RotatedReplace, RefusedJpegPasteStillTakesTheBitmapAway)
{
    const xl::Picture first = insert();
    m_host.options().clipboard = std::make_shared<OnePasteClipboard>();
    const auto result =
        s_ReplaceWithRotatedPicture(app, first, untouched(), 45, 0xFFFFFF, clipboard());
    EXPECT_FALSE(result.has_value());
    ASSERT_EQ(messages.shown().size(), 1u);
    EXPECT_EQ(messages.shown()[0].text,
              q("回転図形のJpeg化に失敗しました。\r\n回転せずにやり直してください。"));
    EXPECT_EQ(messages.shown()[0].icon, platform::MsgIcon::Critical);
    EXPECT_EQ(shapes().Count(), 0);
}

} // namespace
