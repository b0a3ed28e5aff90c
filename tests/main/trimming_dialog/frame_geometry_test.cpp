// The crop frame's arithmetic: the initial frame, fitting the picture into the preview, the
// frame and its fractions both ways, dragging the frame and its handles, and the angles.
#include "main/trimming_dialog/frame_geometry.h"

#include <gtest/gtest.h>

#include <cmath>
#include <ostream>

namespace picrows {
void PrintTo(const TwipsRect& r, std::ostream* os)
{
    *os << "{" << r.left << ", " << r.top << ", " << r.width << " x " << r.height << "}";
}
void PrintTo(const CropFractions& f, std::ostream* os)
{
    *os << "{l " << f.left << ", r " << f.right << ", t " << f.top << ", b " << f.bottom << "}";
}
} // namespace picrows

namespace {

using namespace picrows;

void expectNear(const CropFractions& actual, const CropFractions& expected, double tolerance,
                const char* what)
{
    EXPECT_NEAR(actual.left, expected.left, tolerance) << what;
    EXPECT_NEAR(actual.right, expected.right, tolerance) << what;
    EXPECT_NEAR(actual.top, expected.top, tolerance) << what;
    EXPECT_NEAR(actual.bottom, expected.bottom, tolerance) << what;
}

TEST(InitialFrame, TheLargestFrameOfTheAspectCentredOnTheCanvas)
{
    const struct
    {
        float W, H;
        double aspect;
        CropFractions expected;
    } cases[] = {
        {400, 400, 2.0, {0, 0, 0.25, 0.25}},
        {400, 400, 0.5, {0.25, 0.25, 0, 0}},
        {6000, 3000, 1.0, {0.25, 0.25, 0, 0}},         // wider than the frame
        {3000, 6000, 4.0 / 3, {0, 0, 0.3125, 0.3125}}, // taller than the frame
        {4000, 3000, 4.0 / 3, {0, 0, 0, 0}},           // the frame's own proportions
        {4000, 3000, 0, {0, 0, 0, 0}},                 // no frame
    };
    for (const auto& c : cases)
        expectNear(initialFrame(c.W, c.H, c.aspect), c.expected, 1e-12, "initial");
}

TEST(DisplayRect, TheCanvasFitsInsideTheMarginAndIsCentred)
{
    const struct
    {
        float PW, PH, W, H;
        std::optional<TwipsRect> expected;
    } cases[] = {
        {6000, 5000, 4000, 2000, TwipsRect{400, 1200, 5200, 2600}}, // width decides
        {6000, 5000, 1000, 3000, TwipsRect{2300, 400, 1400, 4200}}, // height decides
        {6000, 5000, 52, 42, TwipsRect{400, 400, 5200, 4200}},      // both at once: height
        {800, 5000, 1000, 1000, std::nullopt},                      // no room inside the margin
        {6000, 5000, 0, 1000, std::nullopt},
    };
    for (const auto& c : cases)
        EXPECT_EQ(displayRect(c.PW, c.PH, c.W, c.H), c.expected) << c.PW << "x" << c.PH;
}

// The preview shows a 4000 × 2000 canvas at 1.3 times its size.
const TwipsRect kDisplay{400, 1200, 5200, 2600};

TEST(FrameFractions, FractionsPlaceTheFrameAndTheFrameGivesThemBack)
{
    const CropFractions quarter{0.25, 0.25, 0, 0};
    EXPECT_EQ(frameFromFractions(kDisplay, quarter), (TwipsRect{1700, 1200, 2600, 2600}));
    EXPECT_EQ(fractionsFromFrame(kDisplay, TwipsRect{1700, 1200, 2600, 2600}, 4000, 2000), quarter);

    // Fractions that are whole canvas twips come back unchanged, however often the frame is
    // placed and measured again (a resize fits and places, and measures, every time).
    for (const TwipsRect& display :
         {kDisplay, TwipsRect{437, 1211, 4321, 2160.5f}, TwipsRect{13, 7, 999, 499.5f}}) {
        CropFractions f{0.1, 0.2, 0.05, 0.15};
        for (int i = 0; i < 50; ++i)
            f = fractionsFromFrame(display, frameFromFractions(display, f), 4000, 2000);
        EXPECT_EQ(f, (CropFractions{0.1, 0.2, 0.05, 0.15})) << display.width;
    }
}

TEST(FrameFractions, MarginsAreCutToWholeCanvasTwipsAndTinyNegativesVanish)
{
    const struct
    {
        float leftMargin; // twips of the preview, 1.3 per canvas twip
        double expected;
    } cases[] = {
        {13, 10.0 / 4000},   // exactly 10 canvas twips
        {14, 10.0 / 4000},   // 10.77: cut toward zero
        {0.5f, 0},           // 0.38
        {-1, 0},             // −0.77 is cut to 0
        {-2, 0},             // −1 twip, −0.00025: above −0.001, so none
        {-13, -10.0 / 4000}, // −0.0025 stays: a frame larger than the picture
    };
    for (const auto& c : cases) {
        const TwipsRect frame{kDisplay.left + c.leftMargin, 1200, 2000, 1000};
        EXPECT_DOUBLE_EQ(fractionsFromFrame(kDisplay, frame, 4000, 2000).left, c.expected)
            << c.leftMargin;
    }
}

TEST(DragFrame, TheFrameStopsAtThePicturesEdges)
{
    const TwipsRect start{1700, 1200, 2600, 2600};
    const struct
    {
        float dx, dy;
        TwipsRect expected;
    } cases[] = {
        {500, 0, {2200, 1200, 2600, 2600}},
        {-2000, 0, {400, 1200, 2600, 2600}},  // at the left edge
        {5000, 0, {3000, 1200, 2600, 2600}},  // at the right edge
        {300, 100, {2000, 1200, 2600, 2600}}, // the frame is as high as the picture
        {-300, -100, {1400, 1200, 2600, 2600}},
    };
    for (const auto& c : cases)
        EXPECT_EQ(dragFrame(start, c.dx, c.dy, kDisplay), c.expected) << c.dx << "," << c.dy;
    // Wider than the picture: left stops first, then right wins.
    EXPECT_EQ(dragFrame(TwipsRect{400, 1200, 6000, 2600}, -50, 0, kDisplay),
              (TwipsRect{-400, 1200, 6000, 2600}));
}

TEST(DragHandle, EdgesMoveInProportionWithinThePictureAndNoSmallerThan100)
{
    const TwipsRect display{400, 400, 8000, 6000}; // right 8400, bottom 6400
    const TwipsRect start{2400, 2400, 2000, 1000}; // aspect 2
    const struct
    {
        Corner corner;
        float dx, dy;
        TwipsRect expected;
    } cases[] = {
        // Growing: the direction that moved more against the aspect is limited first.
        {Corner::RightBottom, 400, 0, {2400, 2400, 2400, 1200}},
        {Corner::RightBottom, 0, 400, {2400, 2400, 2800, 1400}},
        {Corner::RightTop, 400, 0, {2400, 2200, 2400, 1200}},    // the bottom stays
        {Corner::LeftBottom, -400, 0, {2000, 2400, 2400, 1200}}, // the right stays
        {Corner::LeftTop, -400, -200, {2000, 2200, 2400, 1200}},
        // Far beyond the picture: stops at its right edge (the bottom would allow more).
        {Corner::RightBottom, 20000, 20000, {2400, 2400, 6000, 3000}},
        // Beyond the top-left corner: the top stops first, then the left edge.
        {Corner::LeftTop, -5000, -5000, {400, 1400, 4000, 2000}},
        // Shrinking stops at 100 twips in the driven direction (here the height).
        {Corner::LeftTop, 5000, 5000, {4200, 3300, 200, 100}},
        {Corner::RightBottom, -5000, -5000, {2400, 2400, 200, 100}},
        // Pulled inwards along one axis only, the other axis keeps the frame as it was.
        {Corner::LeftTop, 5000, 0, {2400, 2400, 2000, 1000}},
    };
    for (const auto& c : cases) {
        const std::optional<TwipsRect> moved =
            dragHandle(start, c.corner, c.dx, c.dy, display, 2.0);
        ASSERT_TRUE(moved) << int(c.corner);
        EXPECT_EQ(*moved, c.expected) << int(c.corner) << " by " << c.dx << "," << c.dy;
        EXPECT_FLOAT_EQ(moved->width / moved->height, 2.f);
        EXPECT_GE(moved->left, display.left);
        EXPECT_LE(moved->right(), display.right());
    }
    EXPECT_FALSE(dragHandle(start, Corner::RightBottom, 0, 0, display, 2.0));
    EXPECT_FALSE(dragHandle(start, Corner::RightBottom, 10, 10, display, 0));
}

TEST(DragHandle, AFramePulledFlatKeepsItsProportion)
{
    // The height would become 0: the proportion of the pull is unbounded, so the width is
    // limited first and the height follows it.
    const std::optional<TwipsRect> moved =
        dragHandle(TwipsRect{2400, 2400, 2000, 1000}, Corner::RightBottom, 0, -1000,
                   {400, 400, 8000, 6000}, 2);
    ASSERT_TRUE(moved);
    EXPECT_EQ(*moved, (TwipsRect{2400, 2400, 2000, 1000}));
}

TEST(Handles, CentresLie100TwipsOutsideTheirCorners)
{
    const TwipsRect frame{1000, 2000, 300, 200};
    EXPECT_EQ(handleCentre(frame, Corner::LeftTop), QPointF(900, 1900));
    EXPECT_EQ(handleCentre(frame, Corner::RightTop), QPointF(1400, 1900));
    EXPECT_EQ(handleCentre(frame, Corner::LeftBottom), QPointF(900, 2300));
    EXPECT_EQ(handleCentre(frame, Corner::RightBottom), QPointF(1400, 2300));
}

TEST(Angles, QuarterTurnsCountFromTheNearestQuarter)
{
    const struct
    {
        double angle;
        bool right;
        double expected; // before the angle box wraps it
    } cases[] = {
        {0, true, 90},  {90, true, 180},  {270, true, 360}, {0, false, -90},  {45, true, 180},
        {45, false, 0}, {135, true, 180}, {135, false, 0},  {17.5, true, 90}, {359.9, true, 450},
    };
    for (const auto& c : cases)
        EXPECT_EQ(quarterTurn(c.angle, c.right), c.expected) << c.angle << (c.right ? " R" : " L");
}

TEST(Angles, SnappingGoesToTheNearestQuarterWithinOneTurn)
{
    const std::pair<double, double> cases[] = {{44.9, 0}, {45, 0},  {135, 180}, {225, 180},
                                               {315, 0},  {350, 0}, {100, 90},  {269.9, 270}};
    for (const auto& [angle, expected] : cases)
        EXPECT_EQ(snapToQuarter(angle), expected) << angle;
}

TEST(Angles, TheRotatedCanvasInWholePixels)
{
    // 300 × 150 points are 400 × 200 pixels at 15 twips a pixel.
    EXPECT_EQ(rotatedCanvasTwips({300, 150}, 0, 15), QSizeF(6000, 3000));
    EXPECT_EQ(rotatedCanvasTwips({300, 150}, 90, 15), QSizeF(3000, 6000));
    EXPECT_EQ(rotatedCanvasTwips({300, 150}, 180, 15), QSizeF(6000, 3000));
    EXPECT_EQ(rotatedCanvasTwips({300, 150}, 45, 15), QSizeF(424 * 15, 424 * 15)); // 424.26
    EXPECT_EQ(rotatedCanvasTwips({300, 150}, 0, 10), QSizeF(6000, 3000));
}

} // namespace
