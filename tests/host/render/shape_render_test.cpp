#include "host/render/copy_paste.h"

#include "host/automation/host_error.h"
#include "host/render/shape_paint.h"
#include "tests/host/render/render_support.h"

#include <gtest/gtest.h>

using namespace host;
using namespace render_test;
using imaging_test::maxDistance;
using imaging_test::quadrants;

namespace {

constexpr QRgb Red = 0xFFFF0000, Green = 0xFF00FF00, Blue = 0xFF0000FF, Yellow = 0xFFFFFF00;

// What the copy of these shapes shows inside its margin (1.5 pixels per point).
QImage shown(const model::Workbook& book, const std::vector<int>& ids)
{
    const render::ClipContent copy = render::copyOfShapes(book, *book.sheets.front(), ids);
    return withoutMargin(copy.bitmap, 2).convertToFormat(QImage::Format_ARGB32);
}

QImage solid(QSize size, QRgb colour)
{
    QImage image(size, QImage::Format_ARGB32);
    image.fill(colour);
    return image;
}

// The colours at the centres of the four quarters of the image.
std::array<QRgb, 4> quarterColours(const QImage& image)
{
    const int w = image.width(), h = image.height();
    return {image.pixel(w / 4, h / 4), image.pixel(3 * w / 4, h / 4), image.pixel(w / 4, 3 * h / 4),
            image.pixel(3 * w / 4, 3 * h / 4)};
}

class ShapeRender : public ::testing::Test
{
protected:
    // The quadrant picture: 200 × 200 pixels at 96 dpi, 150 × 150 points untouched.
    model::Shape& addQuadrants(QRectF box)
    {
        auto& shapes = book->sheets.front()->drawing.shapes;
        shapes.push_back(pictureShape(int(shapes.size()) + 1, quadrants(200, 200), box));
        return shapes.back();
    }

    std::unique_ptr<model::Workbook> book = oneSheetBook();
};

TEST_F(ShapeRender, PictureCroppedToOneQuadrantShowsItAlone)
{
    const struct
    {
        double left, top, right, bottom;
        QRgb colour;
    } crops[] = {
        {0, 0, 75, 75, Red}, {75, 0, 0, 75, Green}, {0, 75, 75, 0, Blue}, {75, 75, 0, 0, Yellow}};
    for (const auto& crop : crops) {
        book->sheets.front()->drawing.shapes.clear();
        model::PictureData& picture = *addQuadrants(QRectF(30, 45, 60, 60)).picture;
        picture.cropLeft = crop.left, picture.cropTop = crop.top;
        picture.cropRight = crop.right, picture.cropBottom = crop.bottom;
        const QImage image = shown(*book, {1});
        ASSERT_EQ(image.size(), QSize(90, 90));
        EXPECT_EQ(maxDistance(image, solid(image.size(), crop.colour)), 0)
            << std::hex << crop.colour;
    }
}

TEST_F(ShapeRender, RotationFlipAndScaleMoveTheQuadrants)
{
    const struct
    {
        double rotation;
        bool flipH;
        QRectF box;
        QSize pixels;
        std::array<QRgb, 4> quarters; // top-left, top-right, bottom-left, bottom-right
    } cases[] = {
        {0, false, {10, 10, 120, 60}, {180, 90}, {Red, Green, Blue, Yellow}},
        {90, false, {10, 10, 120, 60}, {90, 180}, {Blue, Red, Yellow, Green}},
        {180, false, {10, 10, 120, 60}, {180, 90}, {Yellow, Blue, Green, Red}},
        {270, false, {10, 10, 120, 60}, {90, 180}, {Green, Yellow, Red, Blue}},
        {0, true, {10, 10, 120, 60}, {180, 90}, {Green, Red, Yellow, Blue}},
        {0, false, {0, 0, 30, 90}, {45, 135}, {Red, Green, Blue, Yellow}},
    };
    for (const auto& c : cases) {
        book->sheets.front()->drawing.shapes.clear();
        model::Shape& shape = addQuadrants(c.box);
        shape.rotation = c.rotation;
        shape.flipH = c.flipH;
        const QImage image = shown(*book, {1});
        ASSERT_EQ(image.size(), c.pixels) << c.rotation;
        EXPECT_EQ(quarterColours(image), c.quarters) << c.rotation << (c.flipH ? " flipped" : "");
    }
}

TEST_F(ShapeRender, NegativeCropShowsAnEmptyMargin)
{
    model::Shape& shape = addQuadrants(QRectF(0, 0, 200, 150));
    shape.picture->cropLeft = -50; // 50 points of nothing left of the picture
    const QImage image = shown(*book, {1});
    ASSERT_EQ(image.size(), QSize(300, 225));
    for (int x : {0, 37, 73})
        EXPECT_EQ(qAlpha(image.pixel(x, 50)), 0) << x;
    EXPECT_EQ(image.pixel(77, 50), Red);
    EXPECT_EQ(image.pixel(220, 50), Green);
    EXPECT_EQ(image.pixel(77, 200), Blue);
}

TEST_F(ShapeRender, GroupTurnsItsMembersAndAMemberCopiesWhereItShows)
{
    model::Shape group;
    group.id = 10;
    group.kind = model::ShapeKind::Group;
    group.left = 0, group.top = 0, group.width = 120, group.height = 60;
    group.rotation = 180;
    group.members.push_back(pictureShape(11, solid({40, 40}, Red), QRectF(0, 0, 60, 60)));
    group.members.push_back(pictureShape(12, solid({40, 40}, Blue), QRectF(60, 0, 60, 60)));
    book->sheets.front()->drawing.shapes.push_back(group);

    const QImage whole = shown(*book, {10});
    ASSERT_EQ(whole.size(), QSize(180, 90));
    EXPECT_EQ(quarterColours(whole), (std::array<QRgb, 4>{Blue, Red, Blue, Red}));

    // The red member, turned with its group, now stands on the right: copied alone it is
    // the red square.
    const render::ClipContent member = render::copyOfShapes(*book, *book->sheets.front(), {11});
    EXPECT_EQ(member.points, QSizeF(60 + 2 * render::kCopyMargin, 60 + 2 * render::kCopyMargin));
    const QImage red = withoutMargin(member.bitmap, 2).convertToFormat(QImage::Format_ARGB32);
    EXPECT_EQ(maxDistance(red, solid(red.size(), Red)), 0);
}

TEST_F(ShapeRender, ShapesPaintInDrawingOrderWhateverTheOrderAsked)
{
    auto& shapes = book->sheets.front()->drawing.shapes;
    shapes.push_back(pictureShape(1, solid({40, 40}, Red), QRectF(0, 0, 60, 60)));
    shapes.push_back(pictureShape(2, solid({40, 40}, Blue), QRectF(20, 20, 60, 60)));
    const QImage image = shown(*book, {2, 1});
    ASSERT_EQ(image.size(), QSize(120, 120));
    EXPECT_EQ(image.pixel(10, 10), Red);
    EXPECT_EQ(image.pixel(60, 60), Blue); // the later shape lies on top
    EXPECT_EQ(qAlpha(image.pixel(110, 10)), 0);

    shapes[1].hidden = true;
    EXPECT_EQ(shown(*book, {1, 2}).pixel(60, 60), Red);
}

TEST_F(ShapeRender, CopyOfNothingIsRefused)
{
    addQuadrants(QRectF(0, 0, 60, 60));
    try {
        render::copyOfShapes(*book, *book->sheets.front(), {99});
        FAIL() << "no error";
    } catch (const HostError& e) {
        EXPECT_EQ(e.number(), 1004);
    }
}

TEST_F(ShapeRender, TextBoxDrawsFillLineAndItsTextInside)
{
    model::Shape box;
    box.id = 1;
    box.kind = model::ShapeKind::TextBox;
    box.left = 0, box.top = 0, box.width = 160, box.height = 60;
    box.fillVisible = true;
    box.fillColor = 0xFFFFFFCC;
    box.lineVisible = true;
    box.lineColor = 0xFF0000FF;
    box.lineWeight = 2;
    model::TextBody text;
    text.text = QStringLiteral("日本語のテキスト\nTwo lines");
    text.font.size = 14;
    text.font.bold = true;
    text.horizontalAlignment = model::kAlignCenter;
    text.verticalAlignment = model::kAlignCenter;
    box.text = text;
    book->sheets.front()->drawing.shapes.push_back(box);

    const QImage image = shown(*book, {1});
    ASSERT_EQ(image.size(), QSize(240, 90));
    EXPECT_EQ(image.pixel(120, 0), Blue);      // the line, on the box's edge
    EXPECT_EQ(image.pixel(6, 6), 0xFFFFFFCCu); // the fill
    // Ink of the text: dark pixels, all inside the margins and around the centre.
    QRect ink;
    for (int y = 0; y < image.height(); ++y)
        for (int x = 0; x < image.width(); ++x)
            if (qGray(image.pixel(x, y)) < 100 && qBlue(image.pixel(x, y)) < 200)
                ink |= QRect(x, y, 1, 1);
    ASSERT_FALSE(ink.isEmpty());
    EXPECT_GT(ink.left(), 10);
    EXPECT_LT(ink.right(), 230);
    EXPECT_NEAR(ink.center().x(), 120, 6);
    EXPECT_NEAR(ink.center().y(), 45, 6);

    // At 60 % line spacing the second line comes up by 40 % of a line: the ink is that much
    // shorter, still centred.
    book->sheets.front()->drawing.shapes.front().text->lineSpacing = 0.6;
    const QImage tight = shown(*book, {1});
    QRect tightInk;
    for (int y = 0; y < tight.height(); ++y)
        for (int x = 0; x < tight.width(); ++x)
            if (qGray(tight.pixel(x, y)) < 100 && qBlue(tight.pixel(x, y)) < 200)
                tightInk |= QRect(x, y, 1, 1);
    const double lineHeight = 14 * 1.5 * 1.1; // pixels: at least the font size, plus leading
    EXPECT_LT(tightInk.height(), ink.height() - 0.4 * lineHeight + 2);
    EXPECT_NEAR(tightInk.center().y(), 45, 6);
}

} // namespace
