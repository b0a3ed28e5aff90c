// Writing the paste-info text: the text cell at its offset with the overwrite question, and
// the text box in the picture's corner, grouped with it when asked.
#include "main/engine/paste_info_writer.h"
#include "main/engine/run_paste.h"
#include "tests/main/engine/engine_host_support.h"

#include <algorithm>
#include <cmath>

namespace {

using namespace engine_test;
using picrows::f_RunPaste;
using platform::Message;
using platform::MsgAnswer;
using platform::MsgButtons;
using platform::MsgIcon;

const Message kOverwrite{q("パスを貼り付けようとしているセルに、すでに値または数式が入力されてい"
                           "ます。\r\n上書きしますか？"),
                         MsgButtons::YesNo, MsgIcon::Exclamation, q("ピクロウアドイン")};

class PasteInfoCell : public EngineTest
{
protected:
    PasteInfoCell()
    {
        run.options.gblnPasteInfo = true;
        run.options.gintPasteInfo_Type = 0;
        run.options.gstrPasteInfo_Value = q("[FILENAME1]");
        range("B2:C3").setMergeCells(true);
    }
    xl::Picture paste() { return f_RunPaste(run, pictureFile(40, 20), range("B2:C3"), 1); }
};

TEST_F(PasteInfoCell, OffsetsCountFromTheFarEdgeWhenPositive)
{
    struct Case
    {
        int x, y;
        const char* cell;
    } cases[] = {{1, 0, "D2"}, {0, 1, "B4"}, {-1, 0, "A2"}, {2, 2, "E5"}, {0, -1, "B1"}};
    for (const Case& c : cases) {
        run.options.glngPasteInfo_X = c.x;
        run.options.glngPasteInfo_Y = c.y;
        ASSERT_FALSE(paste().isNothing());
        EXPECT_EQ(range(c.cell).Value().toString(), q("pic.png")) << c.cell;
        range(c.cell).setValue(host::Variant());
    }
    EXPECT_TRUE(messages.shown().empty());
}

TEST_F(PasteInfoCell, OccupiedCellIsOverwrittenOnlyOnYes)
{
    run.options.glngPasteInfo_X = 1;
    range("D2").setValue(host::Variant(q("old")));
    messages.answerNext(MsgAnswer::No);
    const xl::Picture kept = paste();
    EXPECT_FALSE(kept.isNothing()); // the picture stays either way
    EXPECT_EQ(range("D2").Value().toString(), q("old"));
    messages.answerNext(MsgAnswer::Yes);
    paste();
    EXPECT_EQ(range("D2").Value().toString(), q("pic.png"));
    ASSERT_EQ(messages.shown().size(), 2u);
    EXPECT_EQ(messages.shown()[0], kOverwrite);
    EXPECT_EQ(messages.shown()[1], kOverwrite);
}

TEST_F(PasteInfoCell, EmptyTemplateWritesNothingButStillAsks)
{
    run.options.gstrPasteInfo_Value.clear();
    run.options.glngPasteInfo_X = 1;
    range("D2").setValue(host::Variant(q("old")));
    messages.answerNext(MsgAnswer::Yes);
    paste();
    EXPECT_EQ(messages.shown().size(), 1u);
    EXPECT_EQ(range("D2").Value().toString(), q("old"));
    run.options.gintPasteInfo_Type = 1;
    paste();
    EXPECT_EQ(shapes().Count(), 2); // two pictures, no text box
}

class PasteInfoTextBox : public EngineTest
{
protected:
    PasteInfoTextBox()
    {
        run.options.gblnPasteInfo = true;
        run.options.gintPasteInfo_Type = 1;
        run.options.gstrPasteInfo_Value = q("[FILENAME1]");
        run.options.Textbox_Fontname = q("Carlito");
        run.options.Textbox_Fontsize = 9;
        run.options.Textbox_ColorIndex = 3;
    }
};

// The box of the measured size, in the picture's corner or centre; AutoSize then keeps the
// edge the text is aligned to. The picture fills the 75 × 75 target B2.
TEST_F(PasteInfoTextBox, SitsInTheNamedCornerAlignedToIt)
{
    const QSizeF measured = picrows::measurePasteInfoText(q("pic.png"));
    ASSERT_GT(measured.width(), 2);
    ASSERT_GT(measured.height(), 2);
    const double pl = range("B2").Left(), pt = range("B2").Top();
    struct Case
    {
        int point;
        std::int32_t alignment;
    } cases[] = {{0, -4131}, {1, -4152}, {2, -4108}, {3, -4131}, {4, -4152}};
    for (const Case& c : cases) {
        run.options.gintPasteInfo_Point = c.point;
        const xl::Picture picture = f_RunPaste(run, pictureFile(40, 40), range("B2"), 1);
        const xl::Shape box = shapes().Item(shapes().Count());
        ASSERT_EQ(box.Type(), 17) << c.point;
        const xl::TextFrame frame = box.TextFrame();
        EXPECT_EQ(frame.Characters().Text(), q("pic.png"));
        EXPECT_EQ(frame.HorizontalAlignment(), c.alignment) << c.point;
        EXPECT_EQ(frame.VerticalAlignment(), -4160);
        EXPECT_TRUE(frame.AutoSize());
        EXPECT_FALSE(box.Fill().Visible());
        EXPECT_FALSE(box.Line().Visible());
        EXPECT_EQ(
            frame.MarginLeft() + frame.MarginTop() + frame.MarginRight() + frame.MarginBottom(), 0);
        const xl::Font font = frame.Characters().Font();
        EXPECT_EQ(font.Name(), q("Carlito"));
        EXPECT_EQ(font.Size(), 9);
        EXPECT_EQ(font.ColorIndex(), 3);

        const double right = box.Left() + box.Width();
        switch (c.point) {
        case 0:
            EXPECT_NEAR(box.Left(), pl, 1e-6);
            break;
        case 1:
        case 4:
            EXPECT_NEAR(right, pl + 75, 1e-6) << c.point;
            break;
        case 2:
            EXPECT_NEAR(box.Left() + box.Width() / 2, pl + 37.5, 1e-6);
            break;
        case 3:
            EXPECT_NEAR(box.Left(), pl, 1e-6);
            break;
        }
        const double top = c.point <= 1   ? pt + 75 - measured.height()
                           : c.point == 2 ? pt + (75 - measured.height()) / 2
                                          : pt;
        EXPECT_NEAR(box.Top(), top, 1e-6) << c.point;
        EXPECT_EQ(picture.ShapeRange().Type(), 13);
        box.Delete();
        picture.Delete();
    }
    EXPECT_TRUE(messages.shown().empty());
}

// A fresh settings store holds 0, which the settings dialog shows as "自動": the host's
// automatic colour, black text.
TEST_F(PasteInfoTextBox, TheStoredZeroColourIsAutomatic)
{
    run.options.Textbox_ColorIndex = 0;
    const xl::Picture picture = f_RunPaste(run, pictureFile(40, 40), range("B2"), 1);
    EXPECT_FALSE(picture.isNothing());
    ASSERT_EQ(shapes().Count(), 2);
    const xl::Shape box = shapes().Item(2);
    ASSERT_EQ(box.Type(), 17);
    EXPECT_EQ(box.TextFrame().Characters().Font().Color(), 0);
    EXPECT_TRUE(messages.shown().empty());
}

TEST_F(PasteInfoTextBox, GroupedWithThePictureWhenAsked)
{
    run.options.gblnPasteInfo_Group = true;
    const xl::Picture picture = f_RunPaste(run, pictureFile(40, 40), range("B2"), 1);
    ASSERT_EQ(shapes().Count(), 1);
    const xl::Shape group = shapes().Item(1);
    EXPECT_EQ(group.Type(), 6);
    const xl::Shapes members = group.GroupItems();
    ASSERT_EQ(members.Count(), 2);
    QStringList names;
    std::vector<int> types;
    for (const xl::Shape& member : members.items()) {
        names << member.Name();
        types.push_back(member.Type());
    }
    EXPECT_TRUE(names.contains(picture.Name()));
    EXPECT_NE(std::find(types.begin(), types.end(), 17), types.end()); // the text box
}

TEST(PasteInfoMeasure, LongerTextIsWiderAndRoundedToCurrency)
{
    const QSizeF a = picrows::measurePasteInfoText(QStringLiteral("a.jpg"));
    const QSizeF b = picrows::measurePasteInfoText(QStringLiteral("a much longer name.jpg"));
    EXPECT_GT(b.width(), a.width());
    EXPECT_EQ(a.height(), b.height());
    EXPECT_DOUBLE_EQ(a.width() * 10000, std::round(a.width() * 10000));
}

} // namespace
