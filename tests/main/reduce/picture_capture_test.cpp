// Capture of a picture's untouched image: its size, the cap on the long side, what is reset
// and what is kept, and that the sheet is left as it was.
#include "host/xl/command_bars.h"
#include "host/xl/window.h"
#include "main/reduce/picture_capture.h"
#include "main/reduce/screen_updating.h"
#include "tests/main/reduce/reduce_test_support.h"

#include <QMimeData>

namespace {

using namespace reduce_test;
using picrows::CapturedPicture;
using picrows::f_GetImageFromShaperange;

class Capture : public ReduceTest
{
};

TEST_F(Capture, UntouchedSizeAndTheCapOnTheLongerSide)
{
    struct Case
    {
        double w, h; // untouched size
        double capturedW, capturedH;
    } cases[] = {
        {2000, 1000, 1000, 500},
        {1000, 2000, 500, 1000},
        {1500, 1500, 1500, 1500}, // a square is never capped
        {800, 600, 800, 600},
    };
    for (const Case& c : cases) {
        const xl::ShapeRange shape = placePicture(c.w, c.h);
        shape.setLockAspectRatio(false);
        shape.setWidth(120); // shown small and out of proportion
        shape.setHeight(90);
        double uw = 0, uh = 0;
        const CapturedPicture picture = f_GetImageFromShaperange(app, clipboard(), shape, uw, uh);
        ASSERT_FALSE(picture.isNull()) << c.w;
        EXPECT_EQ(picture.kind, CapturedPicture::Kind::Bitmap);
        EXPECT_NEAR(uw, c.w, 1e-6);
        EXPECT_NEAR(uh, c.h, 1e-6);
        EXPECT_NEAR(picture.points.width(), c.capturedW, 0.01) << c.w << "x" << c.h;
        EXPECT_NEAR(picture.points.height(), c.capturedH, 0.01) << c.w << "x" << c.h;
        // The image holds the picture only, without the copy's border.
        EXPECT_NEAR(double(picture.image.width()) / picture.image.height(), c.w / c.h, 0.01);
        // The source is untouched and the duplicate gone.
        EXPECT_EQ(shapes().Count(), 1);
        EXPECT_NEAR(shape.Width(), 120, 1e-9);
        EXPECT_NEAR(shape.Height(), 90, 1e-9);
        EXPECT_FALSE(hostClipboard().content().has_value());
        shape.Delete();
    }
    EXPECT_TRUE(messages.shown().empty());
}

// Cropped, turned and recoloured on the sheet: the capture shows the whole picture upright and
// in colour, with the brightness and contrast the sheet gives it.
TEST_F(Capture, ResetsCropTurnAndColourButKeepsBrightnessAndContrast)
{
    for (const char* version : {"16.0", "11.0"}) {
        setVersion(version);
        const xl::ShapeRange shape = placePicture(400, 200);
        const xl::PictureFormat format = shape.PictureFormat();
        format.setCropLeft(150);
        format.setCropTop(40);
        format.setColorType(2); // grayscale
        format.setBrightness(0.7);
        format.setContrast(0.6);
        shape.setRotation(30);
        shape.Shadow().setVisible(true);

        // The same file, only brightened and contrasted.
        const xl::ShapeRange reference = placePicture(400, 200, "same.png");
        reference.PictureFormat().setBrightness(0.7);
        reference.PictureFormat().setContrast(0.6);
        const QImage expected = shows(reference);
        const QImage plain = [&] {
            reference.PictureFormat().setBrightness(0.5);
            reference.PictureFormat().setContrast(0.5);
            return shows(reference);
        }();
        reference.Delete();

        double uw = 0, uh = 0;
        CapturedPicture picture = f_GetImageFromShaperange(app, clipboard(), shape, uw, uh);
        ASSERT_FALSE(picture.isNull()) << version;
        // Older hosts take the metafile, newer ones the bitmap.
        EXPECT_EQ(picture.kind, q(version) == q("16.0") ? CapturedPicture::Kind::Bitmap
                                                        : CapturedPicture::Kind::Metafile);
        EXPECT_EQ(picture.emf.isEmpty(), picture.kind == CapturedPicture::Kind::Bitmap);
        EXPECT_NEAR(uw, 400, 1e-6) << version;
        EXPECT_NEAR(uh, 200, 1e-6) << version;
        EXPECT_NEAR(picture.points.width(), 400, 0.01) << version;
        EXPECT_NEAR(picture.points.height(), 200, 0.01) << version;
        // `expected` carries the copy's border; compare the inside.
        const int border = (expected.width() - picture.image.width()) / 2;
        ASSERT_GT(border, 0);
        const QImage inner =
            expected.copy(border, border, picture.image.width(), picture.image.height());
        QImage got(picture.image.size(), QImage::Format_RGB32);
        got.fill(Qt::white);
        QPainter(&got).drawImage(0, 0, picture.image);
        EXPECT_LT(meanDistance(got, inner), 0.02) << version;
        EXPECT_GT(meanDistance(got, plain.copy(border, border, got.width(), got.height())), 0.05)
            << version << ": brightness and contrast kept";
        // The picture on the sheet keeps everything.
        EXPECT_EQ(shape.Rotation(), 30);
        EXPECT_NEAR(format.CropLeft(), 150, 1e-9);
        EXPECT_EQ(format.ColorType(), 2);
        EXPECT_EQ(shapes().Count(), 1);
        shape.Delete();
    }
}

TEST_F(Capture, RestoresSelectionAndScreenUpdating)
{
    const xl::ShapeRange shape = placePicture(400, 200);
    range("C3:D4").Select();
    for (bool updating : {true, false}) {
        app.setScreenUpdating(updating);
        double uw = 0, uh = 0;
        f_GetImageFromShaperange(app, clipboard(), shape, uw, uh);
        EXPECT_EQ(app.ScreenUpdating(), updating);
        EXPECT_EQ(xl::Range(app.Selection().ref()).Address(), q("$C$3:$D$4"));
    }
}

// A clipboard the host's copy never reaches.
class EmptyClipboard : public platform::Clipboard
{
public:
    QStringList formats() const override { return {}; }
    bool hasImage() const override { return false; }
    QImage image() const override { return {}; }
    QByteArray data(const QString&) const override { return {}; }
    void clear() override { ++clears; }
    void setMimeData(std::unique_ptr<QMimeData>) override {}
    int clears = 0;
};

TEST_F(Capture, NothingOnTheClipboardIsReportedAndStillMeasured)
{
    const xl::ShapeRange shape = placePicture(400, 200);
    EmptyClipboard empty;
    double uw = 0, uh = 0;
    const CapturedPicture picture = f_GetImageFromShaperange(app, empty, shape, uw, uh);
    EXPECT_TRUE(picture.isNull());
    EXPECT_NEAR(uw, 400, 1e-6);
    EXPECT_NEAR(uh, 200, 1e-6);
    ASSERT_EQ(messages.shown().size(), 1u);
    EXPECT_EQ(
        messages.shown()[0],
        (platform::Message{q("不明なエラー:必要な画像を取得できません。"), platform::MsgButtons::OK,
                           platform::MsgIcon::Critical, q("ピクロウアドイン")}));
    EXPECT_GE(empty.clears, 2); // before the copy, and after
    EXPECT_EQ(shapes().Count(), 1);
}

TEST_F(Capture, NoDuplicateOnAProtectedSheetGivesNothingSilently)
{
    const xl::ShapeRange shape = placePicture(400, 200);
    sheet().Protect(true, true);
    double uw = 0, uh = 0;
    EXPECT_TRUE(f_GetImageFromShaperange(app, clipboard(), shape, uw, uh).isNull());
    EXPECT_EQ(uw, 0);
    EXPECT_EQ(uh, 0);
    EXPECT_TRUE(messages.shown().empty());
}

TEST_F(Capture, ScreenUpdatingOnKeepsTheZoom)
{
    for (const char* version : {"16.0", "11.0"}) {
        setVersion(version);
        app.ActiveWindow().setZoom(85);
        app.setScreenUpdating(false);
        picrows::s_SetScreenUpdating(app, true);
        EXPECT_TRUE(app.ScreenUpdating());
        EXPECT_EQ(app.ActiveWindow().Zoom(), 85) << version;
        picrows::s_SetScreenUpdating(app, false);
        EXPECT_FALSE(app.ScreenUpdating());
    }
}

} // namespace
