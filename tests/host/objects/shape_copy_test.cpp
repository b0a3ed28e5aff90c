// Copy of shapes onto the host's clipboard, and the round trips the suite makes with it:
// capturing a picture's untouched image through a reset duplicate, and re-pasting a picture.
#include "tests/host/objects/shape_test_support.h"

#include "host/objects/application.h"
#include "host/objects/shape_errors.h"
#include "host/render/clipboard.h"
#include "host/render/copy_paste.h"

using namespace objects_test;

namespace {

class ShapeCopy : public ShapeTest
{
protected:
    ShapeCopy() { m_host.options().clipboard = host::render::makeProcessClipboard(); }

    std::optional<host::render::ClipContent> held() const
    {
        return m_host.app().clipboard().content();
    }

    // A picture file of w × h pixels inserted at A1: w × h × 0.75 points.
    xl::Shape insertedShape(int w, int h) { return shapes().Item(insertPicture(w, h).Name()); }
};

TEST_F(ShapeCopy, CopyPutsTheShapeAtItsDisplayedSizeWithTheMargin)
{
    const xl::Shape p = insertedShape(80, 40); // 60 × 30 points
    p.setWidth(90);                            // locked: 90 × 45
    p.Copy();
    const auto content = held();
    ASSERT_TRUE(content);
    EXPECT_FALSE(content->bitmap.isNull());
    const double m = host::render::kCopyMargin;
    EXPECT_NEAR(content->points.width(), 90 + 2 * m, 0.5);
    EXPECT_NEAR(content->points.height(), 45 + 2 * m, 0.5);
    EXPECT_EQ(app.CutCopyMode(), host::Variant(false)); // a copied shape is no copy of cells

    // Two selected pictures copy together: their joint bounds.
    m_host.app().clipboard().clear();
    const xl::Shape q2 = insertedShape(40, 40);
    q2.setLeft(200);
    shapes().Range(QStringList{p.Name(), q2.Name()}).Select();
    xl::DrawingObjects(app.Selection().ref()).Copy();
    ASSERT_TRUE(held());
    EXPECT_NEAR(held()->points.width(), 230 + 2 * m, 0.5);
}

TEST_F(ShapeCopy, ADeletedShapeCopiesNothing)
{
    const xl::Shape p = insertedShape(20, 20);
    p.Delete();
    EXPECT_EQ(errorOf([&] { p.Copy(); }), host::objects::kObjectDeleted);
    EXPECT_FALSE(held());
}

// The picture-capture steps: duplicate the picture through its sheet's Shapes, select the
// duplicate, reset it with the host's command, scale it to 100 %, read its size, copy it
// through OLEFormat.Object, delete it and select the original again.
TEST_F(ShapeCopy, CaptureThroughAResetDuplicateGivesTheUntouchedPicture)
{
    const xl::Shape source = insertedShape(160, 80); // 120 × 60 points
    source.setLockAspectRatio(false);
    source.PictureFormat().setCropLeft(30);
    source.setRotation(90);
    source.setWidth(40);
    source.PictureFormat().setBrightness(0.7);
    source.Select();
    const int before = shapes().Count();

    const xl::Shape copy = source.Parent().Shapes().Item(source.Name()).Duplicate();
    copy.Select();
    app.CommandBars().ExecuteMso(q("PictureReset"));
    app.CommandBars().ExecuteMso(q("PictureReset"));
    copy.ScaleWidth(1, true, 0);
    copy.ScaleHeight(1, true, 0);
    copy.Shadow().setVisible(false);
    EXPECT_EQ(copy.Width(), 120);
    EXPECT_EQ(copy.Height(), 60);
    EXPECT_EQ(copy.Rotation(), 0);
    copy.PictureFormat().setBrightness(0.7);

    m_host.app().clipboard().clear();
    xl::Picture(copy.OLEFormatObject().ref()).Copy();
    ASSERT_TRUE(held());
    EXPECT_NEAR(held()->points.width(), 120 + 2 * host::render::kCopyMargin, 0.5);
    copy.Delete();
    source.Select();

    EXPECT_EQ(shapes().Count(), before);
    EXPECT_EQ(xl::Picture(app.Selection().ref()).Name(), source.Name());
    // The source kept everything.
    EXPECT_EQ(source.PictureFormat().CropLeft(), 30);
    EXPECT_EQ(source.Rotation(), 90);
    EXPECT_EQ(source.Width(), 40);
}

// Re-pasting: copy, paste as PNG, find the copy as the last added shape, crop the copy
// margin: it shows what the original showed at the original's size.
TEST_F(ShapeCopy, ARepastedPictureCroppedByTheMarginMatchesTheOriginal)
{
    const xl::Shape original = insertedShape(120, 60); // 90 × 45 points
    original.setLockAspectRatio(false);
    original.setWidth(60);
    original.setHeight(30);
    modelComment(3, 3);
    original.Copy();
    sheet().PasteSpecial(q("図 (PNG)"));
    original.Delete();

    const xl::Shapes all = shapes();
    int n = all.Count();
    while (n >= 1 && all.Item(n).Type() == 4)
        --n;
    const xl::Shape pasted = all.Item(n);
    EXPECT_EQ(pasted.Type(), 13);
    EXPECT_EQ(xl::Picture(app.Selection().ref()).Name(), pasted.Name());
    EXPECT_EQ(pictures().Item(pictures().Count()).Name(), pasted.Name());

    pasted.setLockAspectRatio(false);
    pasted.ScaleHeight(1, true, 0);
    pasted.ScaleWidth(1, true, 0);
    const double m = host::render::kCopyMargin;
    const xl::PictureFormat f = pasted.PictureFormat();
    f.setCropLeft(m);
    f.setCropTop(m);
    f.setCropRight(m);
    f.setCropBottom(m);
    EXPECT_NEAR(pasted.Width(), 60, 0.5);
    EXPECT_NEAR(pasted.Height(), 30, 0.5);
}

} // namespace
