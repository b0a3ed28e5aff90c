// Pictures.Insert: a picture file at the active cell's top-left corner at its untouched size
// (pixels at the stored resolution), upright, the file's bytes kept; refused files and
// protected drawings add nothing.
#include "tests/host/objects/shape_test_support.h"

#include "host/imaging/gif_writer.h"
#include "tests/host/imaging/test_images.h"

#include <QFile>

using namespace objects_test;

namespace {

class PictureInsert : public ShapeTest
{
};

struct FormatCase
{
    const char* fileName;
    const char* format;
    int width, height;
    double dpi;
    double points[2]; // the untouched size
};

TEST_F(PictureInsert, UntouchedSizeIsThePixelsAtTheStoredResolution)
{
    const FormatCase cases[] = {
        {"a.png", "PNG", 120, 90, 96, {90, 67.5}},   {"b.png", "PNG", 120, 90, 144, {60, 45}},
        {"c.jpg", "JPEG", 120, 90, 72, {120, 90}},   {"d.jpg", "JPEG", 64, 48, 96, {48, 36}},
        {"f.bmp", "BMP", 120, 90, 192, {45, 33.75}}, {"g.tif", "TIFF", 120, 90, 48, {180, 135}},
    };
    // A GIF states no resolution: 96 dpi.
    const QString gif = writeBytes(host::imaging::writeGif(solid(120, 90)), q("e.gif"));
    EXPECT_EQ(pictures().Insert(gif).Width(), 90);
    for (const FormatCase& c : cases) {
        SCOPED_TRACE(c.fileName);
        const QString path = writeImage(solid(c.width, c.height), q(c.fileName), c.format, c.dpi);
        const xl::Picture picture = pictures().Insert(path);
        EXPECT_NEAR(picture.Width(), c.points[0], 0.01);
        EXPECT_NEAR(picture.Height(), c.points[1], 0.01);
        const host::model::Shape& shape = drawing().shapes.back();
        EXPECT_EQ(shape.kind, host::model::ShapeKind::Picture);
        EXPECT_NEAR(shape.picture->untouchedWidth, c.points[0], 0.01);
        // The bytes as they are in the file.
        QFile file(path);
        ASSERT_TRUE(file.open(QIODevice::ReadOnly));
        EXPECT_EQ(shape.picture->image.bytes, file.readAll());
        // 100 % of the untouched size, also through ScaleWidth.
        xl::ShapeRange range = picture.ShapeRange();
        range.setLockAspectRatio(false);
        range.setWidth(10);
        range.ScaleWidth(1, true);
        EXPECT_NEAR(range.Width(), c.points[0], 0.01);
    }
    EXPECT_EQ(pictures().Count(), 7);
}

TEST_F(PictureInsert, AtTheActiveCellsTopLeftNamedAfterItsId)
{
    range("C4").Select();
    const xl::Picture first = insertPicture(40, 20);
    EXPECT_EQ(first.Left(), range("C4").Left());
    EXPECT_EQ(first.Top(), range("C4").Top());
    EXPECT_EQ(first.TypeName(), q("Picture"));
    const int id = drawing().shapes.back().id;
    EXPECT_EQ(first.Name(), q("図 ") + QString::number(id));

    const xl::Shape shape = shapes().Item(first.Name());
    EXPECT_EQ(shape.Type(), 13);
    EXPECT_EQ(shape.ID(), id);
    EXPECT_TRUE(shape.LockAspectRatio());
    EXPECT_FALSE(shape.Fill().Visible());
    EXPECT_FALSE(shape.Line().Visible());
    EXPECT_EQ(shape.TopLeftCell().Address(), q("$C$4"));

    const xl::Picture second = insertPicture();
    EXPECT_EQ(second.Name(), q("図 ") + QString::number(id + 1));
    // Inserting leaves the cells selected.
    EXPECT_EQ(app.Selection().TypeName(), q("Range"));
}

TEST_F(PictureInsert, ATurnedPhotographIsInsertedUpright)
{
    // Stored 48 × 32 pixels (whole blocks, so the lossless turn trims nothing), EXIF
    // orientation 6: shown turned a quarter clockwise.
    const QImage stored = imaging_test::quadrants(48, 32);
    const QByteArray jpeg = imaging_test::withExif(imaging_test::encodeJpeg(stored, false),
                                                   imaging_test::exifTiff(6, QSize(48, 32)));
    const xl::Picture picture = pictures().Insert(writeBytes(jpeg, q("turned.jpg")));
    EXPECT_EQ(picture.Width(), 24);
    EXPECT_EQ(picture.Height(), 36);
    const host::model::PictureData& data = *drawing().shapes.back().picture;
    EXPECT_EQ(data.image.pixelSize, QSize(32, 48));
    EXPECT_EQ(data.untouchedWidth, 24);
    EXPECT_NE(data.image.bytes, jpeg); // turned, not kept as it came
}

TEST_F(PictureInsert, ARefusedFileAddsNothing)
{
    insertPicture();
    const QByteArray png = imaging_test::encode(solid(50, 40), "PNG");
    const std::pair<const char*, QByteArray> cases[] = {
        {"truncated.png", png.left(png.size() / 2)},
        {"empty.png", QByteArray()},
        {"text.jpg", QByteArray("not a picture at all, only words")},
        {"huge.png", imaging_test::pngClaiming(png, 70000, 70000)},
    };
    for (const auto& [name, bytes] : cases) {
        SCOPED_TRACE(name);
        const QString path = writeBytes(bytes, q(name));
        EXPECT_EQ(errorOf([&] { pictures().Insert(path); }), host::err::ApplicationDefined);
        EXPECT_EQ(shapes().Count(), 1);
        EXPECT_EQ(pictures().Count(), 1);
    }
    EXPECT_EQ(errorOf([&] { pictures().Insert(m_dir.filePath(q("missing.png"))); }),
              host::err::ApplicationDefined);
    EXPECT_EQ(shapes().Count(), 1);
    EXPECT_FALSE(drawing().shapes.empty());
}

TEST_F(PictureInsert, AProtectedDrawingRefusesNewAndChangedShapes)
{
    const xl::Picture picture = insertPicture();
    const xl::Shape shape = shapes().Item(1);
    sheet().Protect(true, true);
    ASSERT_TRUE(sheet().ProtectDrawingObjects());

    const QString path = writeImage(solid(10, 10), q("later.png"), "PNG");
    EXPECT_EQ(descriptionOf([&] { pictures().Insert(path); }),
              q("Unable to get the Insert property of the Pictures class"));
    EXPECT_EQ(errorOf([&] { shapes().AddTextbox(1, 0, 0, 10, 10); }), 1004);
    EXPECT_EQ(descriptionOf([&] { shape.setLeft(50); }),
              q("Unable to set the Left property of the Shape class"));
    EXPECT_EQ(descriptionOf([&] { picture.setWidth(50); }),
              q("Unable to set the Width property of the Picture class"));
    EXPECT_EQ(errorOf([&] { shape.PictureFormat().setCropLeft(5); }), 1004);
    EXPECT_EQ(errorOf([&] { shape.ScaleWidth(2, false); }), 1004);
    EXPECT_EQ(errorOf([&] { shape.Duplicate(); }), 1004);
    EXPECT_EQ(errorOf([&] { shape.Delete(); }), 1004);
    EXPECT_EQ(shapes().Count(), 1);
    EXPECT_EQ(shape.Left(), 0);
    EXPECT_EQ(shape.PictureFormat().CropLeft(), 0);
    // Reading and selecting stay possible.
    shape.Select();
    EXPECT_EQ(app.Selection().TypeName(), q("Picture"));

    // Contents protected, drawing objects not: shapes may change.
    sheet().Unprotect();
    sheet().Protect(false, true);
    shape.setLeft(50);
    EXPECT_EQ(shape.Left(), 50);
    pictures().Insert(path);
    EXPECT_EQ(shapes().Count(), 2);
}

} // namespace
