// The host's geometry rules for shapes: crops move and resize the box at the picture's scale,
// the aspect-ratio lock, ScaleWidth/ScaleHeight about each anchor, rotation normalisation.
#include "tests/host/objects/shape_test_support.h"

#include "host/objects/shape_errors.h"

using namespace objects_test;

namespace {

struct Box
{
    double left, top, width, height;
};

void expectBox(const xl::ShapeBase& shape, Box box)
{
    EXPECT_NEAR(shape.Left(), box.left, 1e-9);
    EXPECT_NEAR(shape.Top(), box.top, 1e-9);
    EXPECT_NEAR(shape.Width(), box.width, 1e-9);
    EXPECT_NEAR(shape.Height(), box.height, 1e-9);
}

class ShapeGeometry : public ShapeTest
{
protected:
    // 200 × 100 untouched, shown at 50 % at (10, 20).
    xl::Shape halfScalePicture()
    {
        xl::Shape p = modelPicture(200, 100, 10, 20);
        p.setLockAspectRatio(false);
        p.setWidth(100);
        p.setHeight(50);
        return p;
    }
};

struct CropCase
{
    const char* side;
    double value;
    Box expected;
};

TEST_F(ShapeGeometry, CropKeepsTheScaleAndMovesTheCroppedEdge)
{
    const CropCase cases[] = {
        {"CropLeft", 40, {30, 20, 80, 50}},  // the left edge moves right by 40 × 0.5
        {"CropRight", 40, {10, 20, 80, 50}}, // the right edge moves in
        {"CropTop", 20, {10, 30, 100, 40}},       {"CropBottom", 20, {10, 20, 100, 40}},
        {"CropLeft", -20, {0, 20, 110, 50}}, // a negative crop adds a margin
        {"CropBottom", -100, {10, 20, 100, 100}},
    };
    for (const CropCase& c : cases) {
        SCOPED_TRACE(std::string(c.side) + " " + std::to_string(c.value));
        xl::Shape p = halfScalePicture();
        p.PictureFormat().let(q(c.side), c.value);
        expectBox(p, c.expected);
        EXPECT_EQ(p.PictureFormat().get(q(c.side)).toDouble(), c.value);
        // The scale stayed: 100 % of the visible part is the untouched size less the crops.
        const xl::PictureFormat f = p.PictureFormat();
        p.ScaleWidth(1, true);
        p.ScaleHeight(1, true);
        EXPECT_NEAR(p.Width(), 200 - f.CropLeft() - f.CropRight(), 1e-9);
        EXPECT_NEAR(p.Height(), 100 - f.CropTop() - f.CropBottom(), 1e-9);
        p.Delete();
    }
}

TEST_F(ShapeGeometry, CropsAddUpAndUndo)
{
    xl::Shape p = halfScalePicture();
    const xl::PictureFormat f = p.PictureFormat();
    f.setCropLeft(50);
    f.setCropRight(50);
    expectBox(p, {35, 20, 50, 50});
    f.setCropLeft(0);
    f.setCropRight(0);
    expectBox(p, {10, 20, 100, 50});
}

TEST_F(ShapeGeometry, ACropThatLeavesNothingIsRefused)
{
    xl::Shape p = halfScalePicture();
    p.PictureFormat().setCropLeft(150);
    EXPECT_EQ(errorOf([&] { p.PictureFormat().setCropRight(50); }),
              host::objects::kInvalidArgument);
    EXPECT_EQ(p.PictureFormat().CropRight(), 0);
    expectBox(p, {85, 20, 25, 50});
}

struct LockCase
{
    bool locked;
    const char* side;
    double value;
    Box expected;
};

TEST_F(ShapeGeometry, WidthAndHeightFollowTheAspectRatioLock)
{
    const LockCase cases[] = {
        {true, "Width", 100, {10, 20, 100, 50}},  {true, "Height", 20, {10, 20, 40, 20}},
        {true, "Width", 300, {10, 20, 300, 150}}, {false, "Width", 100, {10, 20, 100, 100}},
        {false, "Height", 20, {10, 20, 200, 20}},
    };
    for (const LockCase& c : cases) {
        SCOPED_TRACE(std::string(c.side) + " locked " + std::to_string(c.locked));
        xl::Shape p = modelPicture(200, 100, 10, 20);
        EXPECT_TRUE(p.LockAspectRatio()); // pictures start locked
        p.setLockAspectRatio(c.locked);
        EXPECT_EQ(p.get(q("LockAspectRatio")), host::Variant(std::int32_t(c.locked ? -1 : 0)));
        p.let(q(c.side), c.value);
        expectBox(p, c.expected);
        p.Delete();
    }
}

TEST_F(ShapeGeometry, NegativeOrNonNumericSizesAreRefused)
{
    xl::Shape p = modelPicture(200, 100);
    EXPECT_EQ(errorOf([&] { p.setWidth(-1); }), host::objects::kInvalidArgument);
    EXPECT_EQ(errorOf([&] { p.let(q("Height"), q("tall")); }), host::err::TypeMismatch);
    expectBox(p, {0, 0, 200, 100});
}

struct ScaleCase
{
    bool height; // ScaleHeight, else ScaleWidth
    double factor;
    bool relative;
    int anchor;
    bool locked;
    Box expected;
};

TEST_F(ShapeGeometry, ScaleAboutEachAnchor)
{
    // Untouched 200 × 100, shown at 100 × 50 at (100, 100).
    const ScaleCase cases[] = {
        {false, 2, false, 0, false, {100, 100, 200, 50}},
        {false, 2, false, 1, false, {50, 100, 200, 50}},
        {false, 2, false, 2, false, {0, 100, 200, 50}},
        {true, 2, false, 0, false, {100, 100, 100, 100}},
        {true, 2, false, 1, false, {100, 75, 100, 100}},
        {true, 2, false, 2, false, {100, 50, 100, 100}},
        {false, 1, true, 0, false, {100, 100, 200, 50}}, // 100 % of the untouched width
        {true, 1, true, 2, false, {100, 50, 100, 100}},
        {false, 0.5, true, 1, false, {100, 100, 100, 50}}, // already 50 %: nothing moves
        {false, 2, false, 0, true, {100, 100, 200, 100}},  // locked: the height follows
        {true, 1, true, 1, true, {50, 75, 200, 100}},
    };
    for (const ScaleCase& c : cases) {
        SCOPED_TRACE(::testing::Message()
                     << (c.height ? "ScaleHeight " : "ScaleWidth ") << c.factor << " rel "
                     << c.relative << " anchor " << c.anchor << " locked " << c.locked);
        xl::Shape p = modelPicture(200, 100, 100, 100);
        p.setLockAspectRatio(false);
        p.setWidth(100);
        p.setHeight(50);
        p.setLockAspectRatio(c.locked);
        if (c.height)
            p.ScaleHeight(c.factor, c.relative, c.anchor);
        else
            p.ScaleWidth(c.factor, c.relative, c.anchor);
        expectBox(p, c.expected);
        p.Delete();
    }
}

TEST_F(ShapeGeometry, ScaleRefusals)
{
    xl::Shape box = shapes().AddTextbox(1, 0, 0, 50, 20);
    // Only a picture has an original size.
    EXPECT_EQ(errorOf([&] { box.ScaleWidth(1, true); }), host::objects::kInvalidArgument);
    box.ScaleWidth(2, false);
    EXPECT_EQ(box.Width(), 100);
    xl::Shape p = modelPicture(20, 10);
    EXPECT_EQ(errorOf([&] { p.ScaleWidth(0, false); }), host::objects::kInvalidArgument);
    EXPECT_EQ(errorOf([&] { p.ScaleHeight(1, false, 3); }), host::objects::kInvalidArgument);
    EXPECT_EQ(p.Width(), 20);
}

TEST_F(ShapeGeometry, RotationIsNormalisedAndTurnsAboutTheCentre)
{
    const std::pair<double, double> cases[] = {{0, 0},         {90, 90},   {360, 0},
                                               {450, 90},      {-90, 270}, {-450, 270},
                                               {359.5, 359.5}, {720, 0},   {-360, 0}};
    xl::Shape p = modelPicture(200, 100, 10, 20);
    for (const auto& [set, expected] : cases) {
        SCOPED_TRACE(set);
        p.setRotation(set);
        EXPECT_DOUBLE_EQ(p.Rotation(), expected);
        expectBox(p, {10, 20, 200, 100}); // the unrotated box stays
    }
}

TEST_F(ShapeGeometry, PlacementTakesTheHostsThreeValues)
{
    xl::Shape p = modelPicture(20, 10);
    for (int placement : {1, 2, 3}) {
        p.setPlacement(placement);
        EXPECT_EQ(p.Placement(), placement);
        EXPECT_EQ(int(drawing().shapes.back().placement), placement);
    }
    EXPECT_EQ(errorOf([&] { p.setPlacement(4); }), host::objects::kInvalidArgument);
    EXPECT_EQ(p.Placement(), 3);
}

TEST_F(ShapeGeometry, AChangeMarksTheShapeTheDrawingAndTheBook)
{
    xl::Shape p = modelPicture(20, 10);
    ASSERT_FALSE(drawing().shapes.back().dirty);
    ASSERT_TRUE(book().Saved());
    p.setLeft(30);
    EXPECT_TRUE(drawing().shapes.back().dirty);
    EXPECT_TRUE(drawing().dirty);
    EXPECT_FALSE(book().Saved());
    p.PictureFormat().setBrightness(0.7);
    EXPECT_TRUE(drawing().shapes.back().picture->imageChanged);
    EXPECT_DOUBLE_EQ(drawing().shapes.back().picture->brightness, 0.7);
    EXPECT_EQ(errorOf([&] { p.PictureFormat().setContrast(1.5); }),
              host::objects::kInvalidArgument);
}

TEST_F(ShapeGeometry, AGroupMovesAndScalesItsMembers)
{
    modelPicture(20, 10, 0, 0, "a");
    modelPicture(20, 10, 30, 20, "b");
    xl::Shape group = shapes().Range(QStringList{q("a"), q("b")}).Group();
    expectBox(group, {0, 0, 50, 30});
    group.setLeft(100);
    expectBox(shapes().Item(q("b")), {130, 20, 20, 10});
    group.setWidth(100); // twice as wide; the group is not locked
    expectBox(group, {100, 0, 100, 30});
    expectBox(shapes().Item(q("b")), {160, 20, 40, 10});
    // A member moved alone widens the group.
    shapes().Item(q("b")).setTop(50);
    expectBox(group, {100, 0, 100, 60});
}

} // namespace
