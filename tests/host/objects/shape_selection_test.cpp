// Selected shapes: what Selection answers, how selecting cells ends it, and the picture
// commands whose state follows it (crop availability, Reset Picture, the font box).
#include "tests/host/objects/shape_test_support.h"

#include <QFontDatabase>

using namespace objects_test;

namespace {

class ShapeSelection : public ShapeTest
{
protected:
    ShapeSelection()
    {
        modelPicture(200, 100, 10, 10, "p1");
        modelPicture(80, 60, 300, 10, "p2");
        shapes().AddTextbox(1, 10, 200, 60, 20).setName(q("box"));
        host::model::Shape chart;
        chart.id = drawing().takeId();
        chart.name = q("chart");
        chart.kind = host::model::ShapeKind::Chart;
        chart.width = 100;
        chart.height = 80;
        drawing().shapes.push_back(chart);
        modelPicture(10, 10, 0, 300, "g1");
        modelPicture(10, 10, 20, 300, "g2");
        shapes().Range(QStringList{q("g1"), q("g2")}).Group().setName(q("group"));
    }

    void select(const QStringList& names) { shapes().Range(names).Select(); }

    bool cropEnabled() const { return app.CommandBars().GetEnabledMso(q("PictureCrop")); }
};

TEST_F(ShapeSelection, SelectionAnswersTheSelectedDrawingObjects)
{
    const std::pair<QStringList, const char*> cases[] = {
        {{q("p1")}, "Picture"},
        {{q("box")}, "TextBox"},
        {{q("group")}, "GroupObject"},
        {{q("chart")}, "ChartObject"},
        {{q("g1")}, "Picture"}, // a group member on its own
        {{q("p2"), q("box")}, "DrawingObjects"},
    };
    EXPECT_EQ(app.Selection().TypeName(), q("Range"));
    for (const auto& [names, type] : cases) {
        SCOPED_TRACE(type);
        select(names);
        EXPECT_EQ(app.Selection().TypeName(), q(type));
        EXPECT_EQ(app.ActiveWindow().get(q("Selection")).typeName(), q(type));
    }
    const xl::DrawingObjects several(app.Selection().ref());
    EXPECT_EQ(several.Count(), 2);
    EXPECT_EQ(several.Item(2).Name(), q("box"));
    EXPECT_EQ(several.ShapeRange().Count(), 2);

    // Selecting cells ends the selection of shapes, and so does activating one.
    range("B2").Select();
    EXPECT_EQ(app.Selection().TypeName(), q("Range"));
    EXPECT_TRUE(drawing().selection.empty());
    select({q("p1")});
    range("B2").Activate();
    EXPECT_EQ(xl::Range(app.Selection().ref()).Address(), q("$B$2"));
    EXPECT_TRUE(drawing().selection.empty());
}

TEST_F(ShapeSelection, SelectWithoutReplaceAddsToTheSelection)
{
    shapes().Item(q("p1")).Select();
    xl::Picture(shapes().Item(q("p2")).DrawingObject().ref()).Select(false);
    const xl::DrawingObjects selected(app.Selection().ref());
    ASSERT_EQ(selected.TypeName(), q("DrawingObjects"));
    EXPECT_EQ(selected.Item(1).Name(), q("p1"));
    EXPECT_EQ(selected.Item(2).Name(), q("p2"));
    // The selected picture is the one its Picture object names.
    const xl::Picture first = selected.Item(1);
    EXPECT_EQ(first.ShapeRange().Name(), q("p1"));
    selected.Delete();
    EXPECT_EQ(app.Selection().TypeName(), q("Range"));
    EXPECT_EQ(pictures().Count(), 2); // the two grouped pictures
}

TEST_F(ShapeSelection, ShapesOfAnotherSheetCannotBeSelected)
{
    sheet(2).Activate();
    EXPECT_EQ(descriptionOf([&] { sheet(1).Shapes().Item(1).Select(); }),
              q("Select method of Shape class failed"));
    EXPECT_TRUE(drawing().selection.empty());
}

TEST_F(ShapeSelection, CropIsAvailableForExactlyOnePicture)
{
    const std::pair<QStringList, bool> cases[] = {
        {{}, false},
        {{q("p1")}, true},
        {{q("g2")}, true},
        {{q("p1"), q("p2")}, false},
        {{q("box")}, false},
        {{q("group")}, false},
        {{q("p1"), q("box")}, false},
    };
    for (const auto& [names, expected] : cases) {
        SCOPED_TRACE(names.join(u',').toStdString());
        if (names.isEmpty())
            range("A1").Select();
        else
            select(names);
        EXPECT_EQ(cropEnabled(), expected);
        EXPECT_EQ(app.CommandBars().FindControl(732).Enabled(), expected);
    }
}

TEST_F(ShapeSelection, ResetPictureUndoesCropRotationScaleAndColour)
{
    for (const bool throughControl : {false, true}) {
        SCOPED_TRACE(throughControl);
        xl::Shape p = shapes().Item(q("p1"));
        p.setLeft(40);
        p.setTop(50);
        p.PictureFormat().setCropLeft(30);
        p.PictureFormat().setCropBottom(10);
        p.setRotation(90);
        p.setWidth(50);
        p.PictureFormat().setBrightness(0.8);
        p.PictureFormat().setContrast(0.2);
        p.Select();
        if (throughControl) {
            ASSERT_TRUE(app.CommandBars().FindControl(1362).Enabled());
            app.CommandBars().FindControl(1362).Execute();
        } else {
            app.CommandBars().ExecuteMso(q("PictureReset"));
        }
        const xl::PictureFormat f = p.PictureFormat();
        EXPECT_EQ(f.CropLeft(), 0);
        EXPECT_EQ(f.CropBottom(), 0);
        EXPECT_EQ(p.Rotation(), 0);
        EXPECT_EQ(p.Left(), 70); // the crop had moved it; the corner stays where it is now
        EXPECT_EQ(p.Top(), 50);
        EXPECT_EQ(p.Width(), 200);
        EXPECT_EQ(p.Height(), 100);
        EXPECT_EQ(f.Brightness(), 0.5);
        EXPECT_EQ(f.Contrast(), 0.5);
        p.setLeft(10);
    }
}

TEST_F(ShapeSelection, ResetPictureNeedsASelectedPicture)
{
    range("A1").Select();
    EXPECT_FALSE(app.CommandBars().FindControl(1362).Enabled());
    EXPECT_NE(errorOf([&] { app.CommandBars().ExecuteMso(q("PictureReset")); }), 0);
    EXPECT_NE(errorOf([&] { app.CommandBars().FindControl(1362).Execute(); }), 0);
    select({q("box")});
    EXPECT_NE(errorOf([&] { app.CommandBars().ExecuteMso(q("PictureReset")); }), 0);
    EXPECT_NE(errorOf([&] { app.CommandBars().GetEnabledMso(q("NoSuchCommand")); }), 0);
}

TEST_F(ShapeSelection, TheFontBoxListsTheInstalledFamiliesWhileCellsAreSelected)
{
    const QStringList families = QFontDatabase::families();
    ASSERT_FALSE(families.isEmpty());
    const xl::CommandBarControl box = app.CommandBars().FindControl(1728);
    EXPECT_EQ(box.TypeName(), q("CommandBarComboBox"));
    EXPECT_EQ(box.ListCount(), families.size());
    EXPECT_EQ(box.List(1), families.front());
    EXPECT_EQ(box.List(box.ListCount()), families.back());
    EXPECT_EQ(errorOf([&] { box.List(0); }), host::err::InvalidCall);
    select({q("p1")});
    EXPECT_EQ(box.ListCount(), 0);
}

} // namespace
