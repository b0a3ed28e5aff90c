// Re-pasting a placed picture: the paste format, when it happens, what the copy shows, and
// the re-paste that unlinks a freshly inserted picture.
#include "host/imaging/image_format.h"
#include "host/render/copy_paste.h"
#include "main/engine/resample.h"
#include "main/engine/run_paste.h"
#include "tests/main/engine/engine_host_support.h"
#include "tests/support/image_distance.h"

#include <cmath>
#include <optional>

namespace {

using namespace engine_test;
using picrows::ResampleInput;
using picrows::s_ResamplePicture;

TEST(ResamplePasteFormat, ByTheFileEndingOrTheTurnDrawnIntoPixels)
{
    struct Case
    {
        const char* path;
        double angle;
        bool apiMode;
        const char* format; // nullptr: none
    } cases[] = {
        {"a.jpg", 0, false, "図 (JPEG)"},
        {"a.JPEG", 0, false, "図 (JPEG)"},
        {"a.jfif", 0, false, "図 (JPEG)"},
        {"a.jpe", 0, false, "図 (JPEG)"},
        {"a.gif", 0, false, "図 (GIF)"},
        {"a.gfa", 0, false, "図 (GIF)"},
        {"a.png", 0, false, "図 (PNG)"},
        {"a.bmp", 0, false, "図 (拡張メタファイル)"},
        {"a.tiff", 0, false, "図 (拡張メタファイル)"},
        {"a.emf", 0, false, "図 (拡張メタファイル)"},
        {"a.pcx", 0, false, nullptr},
        {"a.webp", 0, false, nullptr},
        {"a.pcx", 90, true, "図 (拡張メタファイル)"},
        {"a.png", 90, false, "図 (PNG)"},
    };
    for (const Case& c : cases) {
        const std::optional<QString> format =
            picrows::resamplePasteFormat(q(c.path), c.angle, c.apiMode);
        if (c.format)
            EXPECT_EQ(format, std::optional<QString>(q(c.format))) << c.path;
        else
            EXPECT_FALSE(format.has_value()) << c.path;
    }
}

// Mean distance of two images of one size, 0 (same) to 1.
double meanDistance(const QImage& a, const QImage& b)
{
    return test_support::meanLevels(a, b) / 255;
}

// Mean distance over the ring of pixels `inset` to `inset` + `width` from the edges of two
// images of one size, 0 (same) to 1: where a white frame would show.
double edgeDistance(const QImage& a, const QImage& b, int inset, int width)
{
    if (a.size() != b.size())
        return 1;
    double sum = 0;
    int count = 0;
    for (int y = inset; y < a.height() - inset; ++y)
        for (int x = inset; x < a.width() - inset; ++x) {
            const bool ring = x < inset + width || y < inset + width ||
                              x >= a.width() - inset - width || y >= a.height() - inset - width;
            if (!ring)
                continue;
            const QRgb p = a.pixel(x, y), r = b.pixel(x, y);
            sum += (std::abs(qRed(p) - qRed(r)) + std::abs(qGreen(p) - qGreen(r)) +
                    std::abs(qBlue(p) - qBlue(r))) /
                   (3 * 255.0);
            ++count;
        }
    return count ? sum / count : 1;
}

class Resample : public EngineTest
{
protected:
    host::model::Shape& modelShape(const xl::Picture& picture)
    {
        return *drawing().find(picture.ShapeRange().ID());
    }
    // What the picture shows: the host's copy of it, over white.
    QImage shows(const xl::Picture& picture)
    {
        const host::render::ClipContent copy =
            host::render::copyOfShapes(model(), modelSheet(), {picture.ShapeRange().ID()});
        QImage out(copy.bitmap.size(), QImage::Format_RGB32);
        out.fill(Qt::white);
        QPainter painter(&out);
        painter.drawImage(0, 0, copy.bitmap);
        return out;
    }
};

// When the step re-pastes: a 300 × 150 point picture shown at the given size.
TEST_F(Resample, ConditionsForReducingAndCutting)
{
    struct Case
    {
        const char* what;
        bool reduce;
        bool cut;
        bool notAuto;
        int mode;
        bool canCrop;
        double width, height;
        const char* path;
        bool replaced;
    } cases[] = {
        {"twice the display fits the untouched width", true, false, false, 0, true, 75, 37.5,
         "pic.png", true},
        {"twice the display is larger both ways", true, false, false, 0, true, 200, 100, "pic.png",
         false},
        {"exactly twice the display", true, false, false, 0, true, 150, 100, "pic.png", true},
        {"only the height is small enough", true, false, false, 0, true, 200, 75, "pic.png", true},
        {"cut, automatic fill excluded", false, true, true, 2, true, 75, 75, "pic.png", false},
        {"cut, manual fill", false, true, true, 3, true, 75, 75, "pic.png", true},
        {"cut, automatic fill", false, true, false, 2, true, 75, 75, "pic.png", true},
        {"cut, stretch", false, true, false, 0, true, 75, 75, "pic.png", false},
        {"cut, fit inside", false, true, false, 1, true, 75, 75, "pic.png", false},
        {"cut, cannot crop", false, true, false, 2, false, 75, 75, "pic.png", false},
        {"no paste format for the ending", true, true, false, 2, true, 75, 75, "pic.pcx", false},
        {"neither setting", false, false, false, 2, true, 75, 75, "pic.png", false},
    };
    const QString file = pictureFile(400, 200);
    for (const Case& c : cases) {
        bool canCrop = false;
        const xl::Picture picture = picrows::f_InsertPictureFile(app, file, canCrop);
        const xl::ShapeRange shape = picture.ShapeRange();
        shape.setLockAspectRatio(false);
        shape.setWidth(c.width);
        shape.setHeight(c.height);
        picrows::RunOptions options;
        options.InsertSyukusyou = c.reduce;
        options.InsertSyukusyou_Bairitsu = 2;
        options.InsertCutTrimming = c.cut;
        options.InsertCutTrimming_NotAuto = c.notAuto;
        options.glngPasteSize = c.mode;
        const QString name = picture.Name();
        const xl::Picture after = s_ResamplePicture(app, picture, m_dir.filePath(q(c.path)),
                                                    ResampleInput{300, 150, c.canCrop, 0}, options);
        EXPECT_EQ(after.Name() != name, c.replaced) << c.what;
        EXPECT_EQ(pictures().Count(), 1) << c.what;
        EXPECT_NEAR(after.Width(), c.width, 1e-9) << c.what;
        EXPECT_NEAR(after.Height(), c.height, 1e-9) << c.what;
        EXPECT_TRUE(messages.shown().empty()) << c.what;
        after.Delete();
    }
}

// A cropped picture filling B2 through f_RunPaste, re-pasted: the copy stands where the
// picture stood and shows what it showed, from fewer pixels.
TEST_F(Resample, ReducedCopyShowsTheSameVisiblePart)
{
    run.options.glngPasteSize = 2;
    run.options.glngPastePoint = 2;
    const QString file = pictureFile(800, 400); // 600 × 300 points
    const xl::Picture original = f_RunPaste(run, file, range("B2"), 1);
    const QImage before = shows(original);
    const double left = original.Left(), top = original.Top();
    original.Delete();

    run.options.InsertSyukusyou = true;
    run.options.InsertSyukusyou_Bairitsu = 2;
    const xl::Picture copy = f_RunPaste(run, file, range("B2"), 1);
    EXPECT_EQ(pictures().Count(), 1);
    EXPECT_DOUBLE_EQ(copy.Left(), left);
    EXPECT_DOUBLE_EQ(copy.Top(), top);
    EXPECT_NEAR(copy.Width(), 75, 1e-9);
    EXPECT_NEAR(copy.Height(), 75, 1e-9);
    // The whole picture at twice the displayed scale (300 × 150) plus the copy's edge.
    const host::model::Shape& stored = modelShape(copy);
    EXPECT_NEAR(stored.picture->untouchedWidth, 300 + 2 * 4.0 / 3, 0.01);
    EXPECT_NEAR(stored.picture->untouchedHeight, 150 + 2 * 4.0 / 3, 0.01);
    const xl::PictureFormat crop = copy.ShapeRange().PictureFormat();
    EXPECT_NEAR(crop.CropLeft(), 75 + 4.0 / 3, 1e-5); // a quarter of 300, plus the edge
    EXPECT_NEAR(crop.CropTop(), 4.0 / 3, 1e-5);
    const QImage after = shows(copy);
    ASSERT_EQ(after.size(), before.size());
    EXPECT_LT(meanDistance(before, after), 0.03);
    EXPECT_TRUE(messages.shown().empty());
}

TEST_F(Resample, CutCopyHoldsOnlyTheVisiblePart)
{
    run.options.glngPasteSize = 2;
    run.options.glngPastePoint = 0; // the left half stays: red, with the green band
    const QString file = pictureFile(800, 400);
    const xl::Picture original = f_RunPaste(run, file, range("B2"), 1);
    const QImage before = shows(original);
    original.Delete();

    run.options.InsertCutTrimming = true;
    const xl::Picture copy = f_RunPaste(run, file, range("B2"), 1);
    const host::model::Shape& stored = modelShape(copy);
    EXPECT_NEAR(stored.picture->untouchedWidth, 300 + 2 * 4.0 / 3, 0.01);
    EXPECT_NEAR(stored.picture->untouchedHeight, 300 + 2 * 4.0 / 3, 0.01);
    const xl::PictureFormat crop = copy.ShapeRange().PictureFormat();
    for (double c : {crop.CropLeft(), crop.CropTop(), crop.CropRight(), crop.CropBottom()})
        EXPECT_NEAR(c, 4.0 / 3, 1e-5);
    EXPECT_NEAR(copy.Width(), 75, 1e-9);
    const QImage after = shows(copy);
    ASSERT_EQ(after.size(), before.size());
    EXPECT_LT(meanDistance(before, after), 0.03);
    EXPECT_EQ(after.pixelColor(after.width() / 2, after.height() * 3 / 4).red() > 200, true);
}

TEST_F(Resample, QuarterTurnFromTheTrimmingDialogComesBackOnTheCopy)
{
    bool canCrop = false;
    const xl::Picture picture = picrows::f_InsertPictureFile(app, pictureFile(400, 200), canCrop);
    const xl::ShapeRange shape = picture.ShapeRange();
    shape.setLockAspectRatio(false);
    shape.setRotation(90);
    shape.setWidth(50);
    shape.setHeight(100);
    shape.setLeft(100);
    shape.setTop(40);
    picrows::RunOptions options;
    options.InsertCutTrimming = true;
    options.glngPasteSize = 3;
    const xl::Picture copy =
        s_ResamplePicture(app, picture, q("pic.png"), ResampleInput{300, 150, true, 90}, options);
    const xl::ShapeRange turned = copy.ShapeRange();
    EXPECT_NE(copy.Name(), q(""));
    EXPECT_EQ(pictures().Count(), 1);
    EXPECT_EQ(turned.Rotation(), 90);
    EXPECT_NEAR(turned.Width(), 100, 1e-9);
    EXPECT_NEAR(turned.Height(), 50, 1e-9);
    EXPECT_NEAR(turned.Left(), 100 + (50 - 100) / 2.0, 1e-9);
    EXPECT_NEAR(turned.Top(), 40 + (100 - 50) / 2.0, 1e-9);
}

// The unlinking re-paste (host 14 and later) keeps exactly the picture: the edge the host's
// copy adds is cropped away and the size is the file's, in its proportions. Alone, stretched,
// fitted or filled into a cell, it looks as the picture inserted without it (version 12).
TEST_F(Resample, UnlinkedPictureShowsWhatTheFileShows)
{
    const QString file = pictureFile(400, 300); // 300 × 225 points
    const auto looks = [&](const char* version, int size) {
        setVersion(version);
        xl::Picture picture;
        if (size < 0) {
            bool canCrop = false;
            picture = picrows::f_InsertPictureFile(app, file, canCrop);
        } else {
            run.options.glngPasteSize = size;
            run.options.glngPastePoint = 2;
            picture = f_RunPaste(run, file, range("B2"), 1);
        }
        const QImage image = shows(picture);
        const QSizeF shown(picture.Width(), picture.Height());
        picture.Delete();
        return std::pair{image, shown};
    };
    for (const int size : {-1, 0, 1, 2}) {
        SCOPED_TRACE(size);
        const auto [expected, expectedSize] = looks("12.0", size);
        const auto [unlinked, unlinkedSize] = looks("16.0", size);
        EXPECT_NEAR(unlinkedSize.width(), expectedSize.width(), 1e-9);
        EXPECT_NEAR(unlinkedSize.height(), expectedSize.height(), 1e-9);
        ASSERT_EQ(unlinked.size(), expected.size());
        EXPECT_LT(meanDistance(expected, unlinked), 0.01);
        // The copy's own edge is 2 pixels; the picture's outermost 2 pixels follow.
        EXPECT_LT(edgeDistance(expected, unlinked, 2, 2), 0.05);
    }
    EXPECT_TRUE(messages.shown().empty());
}

TEST_F(Resample, UnlinkingRepastesAsMetafileOrJpeg)
{
    setVersion("14.0");
    bool canCrop = false;
    const xl::Picture inserted = picrows::f_InsertPictureFile(app, pictureFile(40, 20), canCrop);
    EXPECT_EQ(pictures().Count(), 1);
    EXPECT_EQ(modelShape(inserted).picture->image.format, host::imaging::ImageFormat::Jpeg);
    EXPECT_TRUE(canCrop);

    xl::Picture picture = inserted;
    const QString name = inserted.Name();
    EXPECT_TRUE(picrows::f_UnLinkObjectInExcel2010(app, picture, q("/tmp/x.emf")));
    EXPECT_NE(picture.Name(), name);
    EXPECT_EQ(pictures().Count(), 1);
    EXPECT_EQ(modelShape(picture).picture->image.format, host::imaging::ImageFormat::Emf);
}

// A WebP (as a HEIC, HEIF or AVIF) is stored as JPEG, or as PNG when it has transparency, and
// re-pasted as the picture it was stored as, transparency kept.
TEST_F(Resample, PhotographsAreRepastedAsWhatTheyWereStoredAs)
{
    run.options.glngPasteSize = 2;
    run.options.InsertCutTrimming = true;
    for (const bool transparent : {false, true}) {
        QImage image(400, 200, QImage::Format_ARGB32);
        image.fill(transparent ? Qt::transparent : QColor(Qt::red));
        QPainter(&image).fillRect(0, 0, 400, 100, Qt::blue);
        const QString file =
            writeImage(image, q(transparent ? "clear.webp" : "photo.WEBP"), "webp");
        const xl::Picture copy = f_RunPaste(run, file, range("B2"), 1);
        const QString stored = transparent ? q("png") : q("jpeg");
        EXPECT_EQ(copy.ShapeRange().PictureFormat().StoredFormat(), stored) << transparent;
        // Cut: the copy holds only the visible part and its own edge.
        EXPECT_NEAR(modelShape(copy).picture->untouchedWidth, 150 + 2 * 4.0 / 3, 0.01);
        if (transparent) {
            EXPECT_EQ(shows(copy).pixelColor(50, 70), QColor(Qt::white)); // nothing drawn there
        }
        copy.Delete();
    }
    EXPECT_TRUE(messages.shown().empty());
}

} // namespace

namespace {

// A clipboard that takes nothing: every paste is refused.
class RefusingClipboard : public host::render::HostClipboard
{
public:
    void put(const host::render::ClipContent&) override {}
    std::optional<host::render::ClipContent> content() const override { return std::nullopt; }
    void clear() override {}
};

TEST_F(Resample, RefusedPasteReportsAndPutsThePictureBack)
{
    bool canCrop = false;
    const xl::Picture picture = picrows::f_InsertPictureFile(app, pictureFile(400, 200), canCrop);
    const xl::ShapeRange shape = picture.ShapeRange();
    shape.setLockAspectRatio(false);
    shape.setRotation(30);
    shape.PictureFormat().setCropLeft(60);
    shape.PictureFormat().setCropBottom(15);
    shape.setWidth(60);
    shape.setHeight(40);
    shape.setLeft(20);
    shape.setTop(10);
    m_host.options().clipboard = std::make_shared<RefusingClipboard>();

    picrows::RunOptions options;
    options.InsertSyukusyou = true;
    options.InsertSyukusyou_Bairitsu = 2;
    const xl::Picture after =
        s_ResamplePicture(app, picture, q("pic.png"), ResampleInput{300, 150, true, 0}, options);
    ASSERT_EQ(messages.shown().size(), 1u);
    EXPECT_EQ(messages.shown()[0],
              (platform::Message{q("図の縮小エラー"), platform::MsgButtons::OK,
                                 platform::MsgIcon::Critical, q("ピクロウアドイン")}));
    EXPECT_EQ(after.Name(), picture.Name());
    EXPECT_EQ(pictures().Count(), 1);
    EXPECT_EQ(shape.Rotation(), 30);
    EXPECT_NEAR(shape.PictureFormat().CropLeft(), 60, 1e-9);
    EXPECT_NEAR(shape.PictureFormat().CropBottom(), 15, 1e-9);
    EXPECT_NEAR(shape.PictureFormat().CropRight(), 0, 1e-9);
    EXPECT_NEAR(shape.Width(), 60, 1e-9);
    EXPECT_NEAR(shape.Height(), 40, 1e-9);
    EXPECT_NEAR(shape.Left(), 20, 1e-9);
    EXPECT_NEAR(shape.Top(), 10, 1e-9);
}

} // namespace
