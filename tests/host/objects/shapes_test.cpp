// The Shapes collection and its shapes: the host's names, lookups by index and by name, the
// z-order with cell comments last, duplicate, delete, group and ungroup.
#include "tests/host/objects/shape_test_support.h"

#include "host/objects/shape_errors.h"
#include "host/objects/shape_site.h"

using namespace objects_test;

namespace {

class ShapesTest : public ShapeTest
{
protected:
    // The sheet's most recently added shape that is not a cell comment, found the way the
    // insertion engine finds a pasted picture.
    xl::Shape lastAddedShape()
    {
        const xl::Shapes all = shapes();
        int n = all.Count();
        while (n >= 1 && all.Item(n).Type() == 4)
            --n;
        return n >= 1 ? all.Item(n) : xl::Shape();
    }

    QStringList names()
    {
        QStringList out;
        for (const xl::Shape& s : shapes().items())
            out << s.Name();
        return out;
    }
};

TEST_F(ShapesTest, NewShapesTakeTheHostsJapaneseNamesAfterTheirIds)
{
    drawing().nextId = 5; // as after loading a sheet with four shapes
    insertPicture();
    shapes().AddTextbox(1, 0, 0, 50, 20);
    const xl::Shape group = shapes().Range(std::vector<std::int32_t>{1, 2}).Group();
    EXPECT_EQ(group.Name(), q("グループ化 7"));
    EXPECT_EQ(group.Type(), 6);
    EXPECT_EQ(group.ID(), 7);
    const xl::Shapes members = group.GroupItems();
    EXPECT_EQ(members.Count(), 2);
    EXPECT_EQ(members.Item(1).Name(), q("図 5"));
    EXPECT_EQ(members.Item(2).Name(), q("テキスト ボックス 6"));
    EXPECT_EQ(members.Item(2).Type(), 17);
    EXPECT_EQ(drawing().nextId, 8);
}

TEST_F(ShapesTest, NamesAreUniqueAndFoundWithoutRegardToCase)
{
    modelPicture(10, 10, 0, 0, "Photo");
    modelPicture(10, 10, 0, 0, "Other");
    EXPECT_EQ(shapes().Item(q("PHOTO")).Name(), q("Photo"));
    EXPECT_EQ(errorOf([&] { shapes().Item(q("Missing")); }), host::objects::kInvalidArgument);
    EXPECT_EQ(errorOf([&] { shapes().Item(3); }), host::objects::kInvalidArgument);
    EXPECT_EQ(errorOf([&] { shapes().Item(0); }), host::objects::kInvalidArgument);

    const xl::Shape other = shapes().Item(q("Other"));
    EXPECT_EQ(errorOf([&] { other.setName(q("photo")); }), host::objects::kPermissionDenied);
    EXPECT_EQ(other.Name(), q("Other"));
    other.setName(q("OTHER")); // its own name in other letters
    other.setName(q("写真"));
    EXPECT_EQ(shapes().Item(q("写真")).ID(), other.ID());
    EXPECT_EQ(errorOf([&] { other.setName(QString()); }), host::objects::kInvalidArgument);
}

TEST_F(ShapesTest, RangeTakesNamesOrIndexesInTheGivenOrder)
{
    modelPicture(10, 10, 0, 0, "a");
    modelPicture(10, 10, 0, 0, "b");
    modelPicture(10, 10, 0, 0, "c");
    const xl::ShapeRange byName = shapes().Range(QStringList{q("C"), q("a")});
    EXPECT_EQ(byName.Count(), 2);
    EXPECT_EQ(byName.Item(1).Name(), q("c"));
    EXPECT_EQ(byName.Item(q("A")).Name(), q("a"));
    const xl::ShapeRange byIndex = shapes().Range(std::vector<std::int32_t>{2});
    EXPECT_EQ(byIndex.Name(), q("b"));
    EXPECT_EQ(shapes().get(q("Range"), {q("b")}).typeName(), q("ShapeRange"));
    EXPECT_EQ(errorOf([&] {
                  shapes().Range(QStringList{q("a"), q("zz")});
              }),
              host::objects::kInvalidArgument);

    // Assignments go to every shape of the range.
    byName.setTop(40);
    EXPECT_EQ(shapes().Item(q("a")).Top(), 40);
    EXPECT_EQ(shapes().Item(q("b")).Top(), 0);
    EXPECT_EQ(shapes().Item(q("c")).Top(), 40);
}

TEST_F(ShapesTest, NewShapesGoOnTopButUnderTheCellComments)
{
    modelPicture(10, 10, 0, 0, "old");
    modelComment(2, 2);
    modelComment(5, 1);
    EXPECT_EQ(lastAddedShape().Name(), q("old"));

    const xl::Picture added = insertPicture();
    EXPECT_EQ(names(), (QStringList{q("old"), added.Name(), q("Comment 2"), q("Comment 3")}));
    EXPECT_EQ(lastAddedShape().Name(), added.Name());
    EXPECT_EQ(shapes().Item(added.Name()).ZOrderPosition(), 2);
    EXPECT_EQ(shapes().Item(4).Type(), 4);
    // Pictures count pictures only, the newest last.
    EXPECT_EQ(pictures().Count(), 2);
    EXPECT_EQ(pictures().Item(pictures().Count()).Name(), added.Name());
}

TEST_F(ShapesTest, OnlyCommentsMeanNoLastAddedShape)
{
    modelComment(1, 1);
    modelComment(1, 2);
    EXPECT_TRUE(lastAddedShape().isNothing());
}

TEST_F(ShapesTest, DuplicateIsANewShapeOffsetOnTop)
{
    const xl::Shape original = modelPicture(200, 100, 30, 40, "orig");
    original.setLockAspectRatio(false);
    original.PictureFormat().setCropLeft(20);
    original.setRotation(90);
    modelComment(1, 1);

    const xl::Shape copy = original.Duplicate();
    EXPECT_NE(copy.ID(), original.ID());
    EXPECT_EQ(copy.Name(), q("図 ") + QString::number(copy.ID()));
    EXPECT_EQ(copy.Left(), original.Left() + host::objects::kDuplicateOffset);
    EXPECT_EQ(copy.Top(), original.Top() + host::objects::kDuplicateOffset);
    EXPECT_EQ(copy.Width(), original.Width());
    EXPECT_EQ(copy.PictureFormat().CropLeft(), 20);
    EXPECT_EQ(copy.Rotation(), 90);
    EXPECT_FALSE(copy.LockAspectRatio());
    EXPECT_EQ(copy.ZOrderPosition(), 2); // under the comment
    // The copy changes alone.
    copy.PictureFormat().setCropLeft(0);
    EXPECT_EQ(original.PictureFormat().CropLeft(), 20);
    // Through the Picture class too.
    const xl::Picture again = xl::Picture(original.DrawingObject().ref()).Duplicate();
    EXPECT_EQ(again.TypeName(), q("Picture"));
    EXPECT_EQ(shapes().Count(), 4);
}

TEST_F(ShapesTest, ADeletedShapeAnswersAnError)
{
    const xl::Shape a = modelPicture(10, 10, 0, 0, "a");
    const xl::Picture b = xl::Picture(modelPicture(10, 10, 0, 0, "b").DrawingObject().ref());
    a.Select();
    a.Delete();
    EXPECT_EQ(shapes().Count(), 1);
    EXPECT_EQ(errorOf([&] { a.Name(); }), host::objects::kObjectDeleted);
    EXPECT_EQ(errorOf([&] { a.setLeft(3); }), host::objects::kObjectDeleted);
    EXPECT_TRUE(drawing().selection.empty());
    EXPECT_EQ(app.Selection().TypeName(), q("Range"));
    b.Delete();
    EXPECT_EQ(errorOf([&] { b.Left(); }), host::objects::kObjectDeleted);
    EXPECT_TRUE(drawing().shapes.empty());
    EXPECT_TRUE(drawing().dirty);
}

TEST_F(ShapesTest, GroupAndUngroup)
{
    modelPicture(10, 10, 0, 0, "under");
    modelPicture(20, 10, 5, 5, "p");
    shapes().AddTextbox(1, 40, 0, 30, 15);
    modelPicture(10, 10, 0, 0, "over");
    const QString box = shapes().Item(3).Name();

    // The text box's name first, as the paste-info step names them.
    const xl::Shape group = shapes().Range(QStringList{box, q("p")}).Group();
    EXPECT_EQ(names(), (QStringList{q("under"), group.Name(), q("over")}));
    EXPECT_EQ(group.GroupItems().Item(1).Name(), q("p")); // members in z-order
    EXPECT_EQ(group.Left(), 5);
    EXPECT_EQ(group.Width(), 65);
    // A grouped picture is still one of the sheet's pictures, without a range of its own; the
    // sheet's Shapes still finds it by name.
    EXPECT_EQ(pictures().Count(), 3);
    const xl::Picture grouped = pictures().Item(2);
    EXPECT_EQ(grouped.Name(), q("p"));
    EXPECT_EQ(errorOf([&] { grouped.ShapeRange(); }), host::err::ApplicationDefined);
    EXPECT_EQ(shapes().Item(q("p")).Name(), q("p"));
    EXPECT_EQ(errorOf([&] {
                  shapes().Range(QStringList{q("p"), q("over")}).Group();
              }),
              host::objects::kInvalidArgument);
    EXPECT_EQ(errorOf([&] { shapes().Range(QStringList{q("over")}).Group(); }),
              host::objects::kInvalidArgument);
    EXPECT_EQ(errorOf([&] { shapes().Item(q("over")).GroupItems(); }),
              host::objects::kInvalidArgument);

    const xl::ShapeRange freed = group.Ungroup();
    EXPECT_EQ(freed.Count(), 2);
    EXPECT_EQ(names(), (QStringList{q("under"), q("p"), box, q("over")}));
    EXPECT_EQ(errorOf([&] { group.Name(); }), host::objects::kObjectDeleted);
    EXPECT_EQ(xl::Picture(pictures().Item(2).ref()).ShapeRange().Name(), q("p"));
}

TEST_F(ShapesTest, DeletingAMemberOfAGroupOfTwoDissolvesTheGroup)
{
    modelPicture(10, 10, 0, 0, "a");
    modelPicture(10, 10, 20, 0, "b");
    modelPicture(10, 10, 40, 0, "c");
    const xl::Shape trio = shapes().Range(QStringList{q("a"), q("b"), q("c")}).Group();
    shapes().Item(q("c")).Delete();
    EXPECT_EQ(trio.GroupItems().Count(), 2);
    EXPECT_EQ(trio.Width(), 30);
    shapes().Item(q("a")).Delete();
    EXPECT_EQ(errorOf([&] { trio.Name(); }), host::objects::kObjectDeleted);
    EXPECT_EQ(names(), QStringList{q("b")});
}

TEST_F(ShapesTest, ParentAndEnumeration)
{
    const xl::Picture p = insertPicture();
    EXPECT_EQ(p.Parent().Name(), q("Sheet1"));
    const xl::Shape s = shapes().Item(1);
    EXPECT_EQ(s.Parent().Name(), q("Sheet1"));
    EXPECT_EQ(s.DrawingObject().TypeName(), q("Picture"));
    EXPECT_EQ(s.OLEFormatObject().TypeName(), q("Picture"));
    EXPECT_EQ(xl::Picture(s.OLEFormatObject().ref()).Name(), s.Name());
    EXPECT_EQ(pictures().items().size(), 1u);
    EXPECT_EQ(shapes().items().size(), 1u);
    EXPECT_EQ(sheet(2).Shapes().Count(), 0);
    EXPECT_EQ(sheet().get(q("Pictures"), {std::int32_t(1)}).typeName(), q("Picture"));
}

} // namespace
