// What the shape objects change reaches the saved file: shapes made and changed through the
// object model read back the same from the .xlsx the host writes.
#include "tests/host/objects/shape_test_support.h"

using namespace objects_test;

namespace {

class ShapeSave : public ShapeTest
{
};

TEST_F(ShapeSave, ShapesMadeThroughTheObjectModelSurviveSaving)
{
    range("B3").Select();
    const xl::Picture picture = insertPicture(80, 40);
    xl::ShapeRange p = picture.ShapeRange();
    p.setLockAspectRatio(false);
    p.PictureFormat().setCropLeft(10);
    p.setRotation(90);
    p.setPlacement(1);
    const xl::Shape box = shapes().AddTextbox(1, 100, 10, 80, 20);
    box.TextFrame().Characters().setText(q("写真.jpg"));
    box.TextFrame().Characters().Font().setSize(9);
    box.Fill().setVisible(false);
    const QString boxName = box.Name();
    const QString pictureName = picture.Name();
    const xl::Shape group = shapes().Range(QStringList{boxName, pictureName}).Group();
    const QString groupName = group.Name();
    const double left = p.Left();
    const double width = p.Width();

    const QString path = m_dir.filePath(q("shapes.xlsx"));
    const xl::Workbook original = book();
    original.SaveAs(path);
    original.Close();
    const xl::Workbook reopened = app.Workbooks().Open(path);
    const xl::Shapes saved = reopened.Worksheets(1).Shapes();
    ASSERT_EQ(saved.Count(), 1);
    const xl::Shape g = saved.Item(1);
    EXPECT_EQ(g.Name(), groupName);
    EXPECT_EQ(g.Type(), 6);
    ASSERT_EQ(g.GroupItems().Count(), 2);
    const xl::Shape pic = g.GroupItems().Item(pictureName);
    EXPECT_NEAR(pic.Left(), left, 0.01);
    EXPECT_NEAR(pic.Width(), width, 0.01);
    EXPECT_NEAR(pic.PictureFormat().CropLeft(), 10, 0.01);
    EXPECT_EQ(pic.Rotation(), 90);
    const xl::Shape text = g.GroupItems().Item(boxName);
    EXPECT_EQ(text.TextFrame().Characters().Text(), q("写真.jpg"));
    EXPECT_EQ(text.TextFrame().Characters().Font().Size(), 9);
    EXPECT_FALSE(text.Fill().Visible());
    // Names and ids go on after the ones read.
    EXPECT_GT(reopened.Worksheets(1).Shapes().AddTextbox(1, 0, 0, 5, 5).ID(), g.ID());
}

} // namespace
