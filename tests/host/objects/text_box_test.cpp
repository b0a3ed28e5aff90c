// Text boxes: AddTextbox, their text and font, and AutoSize, which fits the box to its text.
#include "tests/host/objects/shape_test_support.h"

#include "host/objects/shape_errors.h"

using namespace objects_test;

namespace {

class TextBox : public ShapeTest
{
protected:
    // A text box set up the way the paste-info step sets it up.
    xl::Shape pasteInfoBox(const QString& text, int alignment, double left = 100, double top = 50)
    {
        xl::Shape box = shapes().AddTextbox(1, left, top, 40, 14);
        const xl::TextFrame frame = box.TextFrame();
        frame.Characters().setText(text);
        frame.setHorizontalAlignment(alignment);
        frame.setVerticalAlignment(-4160);
        frame.setMarginLeft(0);
        frame.setMarginRight(0);
        frame.setMarginTop(0);
        frame.setMarginBottom(0);
        frame.setAutoSize(true);
        box.Fill().setVisible(false);
        box.Line().setVisible(false);
        return box;
    }
};

TEST_F(TextBox, AddTextboxMakesAFilledOutlinedBox)
{
    const xl::Shape box = shapes().AddTextbox(1, 10, 20, 100, 30);
    EXPECT_EQ(box.Type(), 17);
    EXPECT_EQ(box.Left(), 10);
    EXPECT_EQ(box.Top(), 20);
    EXPECT_EQ(box.Width(), 100);
    EXPECT_EQ(box.Height(), 30);
    EXPECT_FALSE(box.LockAspectRatio());
    EXPECT_TRUE(box.Fill().Visible());
    EXPECT_TRUE(box.Line().Visible());
    EXPECT_EQ(box.DrawingObject().TypeName(), q("TextBox"));
    const xl::TextFrame frame = box.TextFrame();
    EXPECT_EQ(frame.Orientation(), 1);
    EXPECT_EQ(frame.HorizontalAlignment(), -4131);
    EXPECT_FALSE(frame.AutoSize());
    EXPECT_EQ(frame.Characters().Font().Name(), model().defaultFontName);
    EXPECT_EQ(errorOf([&] { shapes().AddTextbox(7, 0, 0, 10, 10); }),
              host::objects::kInvalidArgument);
    EXPECT_EQ(errorOf([&] { shapes().AddTextbox(1, 0, 0, -10, 10); }),
              host::objects::kInvalidArgument);
}

TEST_F(TextBox, CharactersReadAndReplaceTheText)
{
    const xl::Shape box = shapes().AddTextbox(1, 0, 0, 100, 30);
    const xl::TextFrame frame = box.TextFrame();
    frame.Characters().setText(q("写真_001.jpg"));
    EXPECT_EQ(frame.Characters().Text(), q("写真_001.jpg"));
    EXPECT_EQ(frame.Characters().Count(), 10);
    EXPECT_EQ(frame.Characters(4, 3).Text(), q("001"));
    frame.Characters(4, 3).setText(q("九"));
    EXPECT_EQ(frame.Characters().Text(), q("写真_九.jpg"));
    EXPECT_EQ(frame.Characters(8, 10).Text(), q("g")); // a length past the end stops there
    EXPECT_EQ(xl::Object(box.DrawingObject()).get(q("Text")).toString(), q("写真_九.jpg"));
    EXPECT_EQ(drawing().shapes.back().text->text, q("写真_九.jpg"));
    // A picture has no text.
    const xl::Shape p = modelPicture(10, 10);
    EXPECT_EQ(errorOf([&] { p.TextFrame().Characters().Text(); }), host::err::NotSupported);
}

TEST_F(TextBox, FontMembers)
{
    const xl::Font font = shapes().AddTextbox(1, 0, 0, 100, 30).TextFrame().Characters().Font();
    font.setName(q("Noto Sans CJK JP"));
    font.setSize(9.5);
    EXPECT_EQ(font.Name(), q("Noto Sans CJK JP"));
    EXPECT_EQ(font.Size(), 9.5);

    font.setColorIndex(3); // the palette's red
    EXPECT_EQ(font.ColorIndex(), 3);
    EXPECT_EQ(font.Color(), 0x0000ff);
    font.setColor(0xff0000); // blue, in the host's BGR order
    EXPECT_EQ(font.ColorIndex(), 5);
    EXPECT_EQ(drawing().shapes.back().text->font.color, qRgb(0, 0, 255));
    EXPECT_EQ(errorOf([&] { font.setColorIndex(0); }), 1004);
    EXPECT_EQ(errorOf([&] { font.setSize(0); }), 1004);

    font.setSuperscript(true);
    font.setSubscript(true);
    EXPECT_FALSE(font.Superscript()); // one or the other
    EXPECT_TRUE(font.Subscript());
    for (const char* flag : {"Bold", "Italic", "Strikethrough", "OutlineFont", "Shadow"}) {
        font.let(q(flag), true);
        EXPECT_TRUE(font.get(q(flag)).toBool()) << flag;
        font.let(q(flag), false);
        EXPECT_FALSE(font.get(q(flag)).toBool()) << flag;
    }
    font.setUnderline(2);
    EXPECT_EQ(font.Underline(), 2);
    EXPECT_TRUE(drawing().shapes.back().text->font.underline);
}

TEST_F(TextBox, AutoSizeFitsTheBoxToTheText)
{
    const xl::Shape shortText = pasteInfoBox(q("a.jpg"), -4131);
    const xl::Shape longText = pasteInfoBox(q("a much longer file name.jpg"), -4131);
    EXPECT_GT(shortText.Width(), 0);
    EXPECT_GT(longText.Width(), shortText.Width() * 2);
    EXPECT_EQ(shortText.Height(), longText.Height());
    EXPECT_GT(shortText.Height(), 5);
    EXPECT_EQ(shortText.Left(), 100); // left-aligned: the left edge stays
    EXPECT_EQ(shortText.Top(), 50);
    EXPECT_FALSE(shortText.Fill().Visible());
    EXPECT_FALSE(shortText.Line().Visible());

    // Two lines are taller; a larger font is larger.
    const double oneLine = shortText.Height();
    shortText.TextFrame().Characters().setText(q("a.jpg\nb.jpg"));
    EXPECT_GT(shortText.Height(), oneLine * 1.5);
    const double width = longText.Width();
    longText.TextFrame().Characters().Font().setSize(22);
    EXPECT_NEAR(longText.Width(), width * 2, width * 0.2);
    // Margins add to the fitted size.
    const double before = longText.Width();
    longText.TextFrame().setMarginLeft(7.2);
    longText.TextFrame().setMarginRight(7.2);
    EXPECT_NEAR(longText.Width(), before + 14.4, 1e-9);
}

TEST_F(TextBox, AutoSizeKeepsTheAlignedEdge)
{
    // The box was placed so that its right edge (its centre) met the picture's.
    const xl::Shape left = pasteInfoBox(q("name.jpg"), -4131);
    const xl::Shape right = pasteInfoBox(q("name.jpg"), -4152);
    const xl::Shape centre = pasteInfoBox(q("name.jpg"), -4108);
    EXPECT_EQ(right.Width(), left.Width());
    EXPECT_NEAR(right.Left() + right.Width(), 100 + 40, 1e-9);
    EXPECT_NEAR(centre.Left() + centre.Width() / 2, 100 + 20, 1e-9);
    EXPECT_EQ(errorOf([&] { right.TextFrame().setHorizontalAlignment(5); }), 1004);
    EXPECT_EQ(errorOf([&] { right.TextFrame().setMarginTop(-1); }), 1004);
}

TEST_F(TextBox, GroupedWithItsPicture)
{
    const xl::Shape picture = modelPicture(80, 60, 100, 50, "pic");
    const xl::Shape box = pasteInfoBox(q("a.jpg"), -4152, 140, 96);
    const xl::Shape group = shapes().Range(QStringList{box.Name(), picture.Name()}).Group();
    EXPECT_EQ(group.GroupItems().Count(), 2);
    EXPECT_EQ(group.Left(), 100);
    EXPECT_EQ(group.Top(), 50);
    // The paste goes on with the picture, still reachable by name.
    EXPECT_EQ(shapes().Item(q("pic")).Width(), 80);
    EXPECT_EQ(shapes().Count(), 1);
}

} // namespace
