// Handing brightness and contrast to an inserted picture.
#include "main/tools/apply_colour.h"
#include "tests/main/engine/engine_host_support.h"

namespace {

using namespace engine_test;
using picrows::s_ApplyPictureColour;

const platform::Message kColourFailed{
    q("色彩の変更が失敗しました。\r\nこの画像形式では、色彩の変更をできない可能性があります。"),
    platform::MsgButtons::OK, platform::MsgIcon::Critical, q("ピクロウアドイン")};

class ApplyColour : public EngineTest
{
};

TEST_F(ApplyColour, ReachesAPictureGivenAsPictureOrAsShape)
{
    const xl::Picture picture = insertPicture();
    const xl::PictureFormat format = picture.ShapeRange().PictureFormat();
    s_ApplyPictureColour(picture, 0.3f, 0.7f);
    EXPECT_NEAR(format.Contrast(), 0.3, 1e-6);
    EXPECT_NEAR(format.Brightness(), 0.7, 1e-6);

    const xl::Shape shape = shapes().Item(picture.Name());
    s_ApplyPictureColour(shape, 0.9f, 0.1f);
    EXPECT_NEAR(format.Contrast(), 0.9, 1e-6);
    EXPECT_NEAR(format.Brightness(), 0.1, 1e-6);
    EXPECT_TRUE(messages.shown().empty());
}

TEST_F(ApplyColour, LeavesAValueAtTheMiddleAlone)
{
    const xl::Picture picture = insertPicture();
    const xl::PictureFormat format = picture.ShapeRange().PictureFormat();
    format.setContrast(0.8);
    format.setBrightness(0.2);
    s_ApplyPictureColour(picture, 0.5f, 0.6f);
    EXPECT_NEAR(format.Contrast(), 0.8, 1e-9);
    EXPECT_NEAR(format.Brightness(), 0.6, 1e-6);
    s_ApplyPictureColour(picture, 0.4f, 0.5f);
    EXPECT_NEAR(format.Contrast(), 0.4, 1e-6);
    EXPECT_NEAR(format.Brightness(), 0.6, 1e-6);
}

TEST_F(ApplyColour, RefusedByTheHostIsReportedOnceAndTheRunGoesOn)
{
    const xl::Shape box = shapes().AddTextbox(1, 10, 10, 80, 20);
    s_ApplyPictureColour(box, 0.9f, 0.1f);
    ASSERT_EQ(messages.shown().size(), 1u);
    EXPECT_EQ(messages.shown()[0], kColourFailed);

    messages.clear();
    s_ApplyPictureColour(box, 0.5f, 0.5f); // nothing to set, nothing to report
    EXPECT_TRUE(messages.shown().empty());
}

TEST_F(ApplyColour, OnAnotherKindOfObjectShowsItsTypeNameForEachValue)
{
    s_ApplyPictureColour(range("A1"), 0.9f, 0.1f);
    const platform::Message typeName{q("Range"), platform::MsgButtons::OK, platform::MsgIcon::None,
                                     q("ピクロウアドイン")};
    ASSERT_EQ(messages.shown().size(), 2u);
    EXPECT_EQ(messages.shown()[0], typeName);
    EXPECT_EQ(messages.shown()[1], typeName);
}

} // namespace
