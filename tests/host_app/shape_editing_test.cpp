// Shapes changed with the mouse and keys: moved by a drag, resized by their handles (the
// aspect kept when locked or with Shift), deleted, grouped and ungrouped; what the object
// model then reports, and undo bringing each back.
#include "host_app/commands/shape_commands.h"
#include "host_app/edit_history.h"
#include "host_app/edit_menu.h"
#include "tests/host_app/host_app_support.h"

#include <QMenu>
#include <QUndoStack>

using namespace host_app_test;
using host::Variant;
using host_app::commands::Handle;

namespace {

struct Box
{
    double left, top, width, height;
};

Box boxOf(const xl::Shape& shape)
{
    return Box{shape.Left(), shape.Top(), shape.Width(), shape.Height()};
}

void expectBox(const xl::Shape& shape, Box want, const char* what)
{
    SCOPED_TRACE(what);
    EXPECT_NEAR(shape.Left(), want.left, 0.8);
    EXPECT_NEAR(shape.Top(), want.top, 0.8);
    EXPECT_NEAR(shape.Width(), want.width, 0.8);
    EXPECT_NEAR(shape.Height(), want.height, 0.8);
}

class ShapeEditingTest : public HostAppTest
{
protected:
    ShapeEditingTest()
    {
        app.Workbooks().Add();
        QImage image(80, 60, QImage::Format_RGB32); // 60 × 45 points
        image.fill(Qt::darkCyan);
        const QString file = dir.filePath(q("picture.png"));
        image.save(file);
        const xl::Worksheet sheet = app.ActiveSheet();
        sheet.Range(q("C6")).Select();
        sheet.Pictures().Insert(file);
        const xl::Shape box = sheet.Shapes().AddTextbox(1, 300, 100, 80, 40);
        box.setLockAspectRatio(false);
        sheet.Range(q("A1")).Select();
        settle();
    }
    xl::Shape picture() { return app.ActiveSheet().Shapes().Item(1); }
    xl::Shape textBox() { return app.ActiveSheet().Shapes().Item(2); }
    QPoint viewAt(double x, double y) { return layout().toView(QPointF(x, y)).toPoint(); }
    QPoint inside(const xl::Shape& shape)
    {
        return viewAt(shape.Left() + shape.Width() / 2, shape.Top() + shape.Height() / 2);
    }
    QUndoStack& stack() { return window.history().stackFor(*host.app().activeWorkbook()); }
    host_app::EditHistory& history() { return window.history(); }
};

TEST_F(ShapeEditingTest, ADragMovesTheShapeByThePointersTravelAndUndoPutsItBack)
{
    const Box before = boxOf(picture());
    const QPoint from = inside(picture());
    // 60 × 30 pixels at 100 % are 45 × 22.5 points.
    drag(from, from + QPoint(60, 30));
    expectBox(picture(), {before.left + 45, before.top + 22.5, before.width, before.height},
              "moved");
    EXPECT_EQ(app.Selection().TypeName(), q("Picture"));
    EXPECT_EQ(stack().count(), 1);

    stack().undo();
    settle();
    expectBox(picture(), before, "undone");
    stack().redo();
    settle();
    EXPECT_NEAR(picture().Left(), before.left + 45, 0.8);
}

TEST_F(ShapeEditingTest, AClickOnAShapeWithoutMovingLeavesNoStep)
{
    click(inside(picture()));
    EXPECT_EQ(app.Selection().TypeName(), q("Picture"));
    EXPECT_EQ(stack().count(), 0);
}

TEST_F(ShapeEditingTest, AllSelectedShapesMoveTogether)
{
    const Box pictureBefore = boxOf(picture());
    const Box boxBefore = boxOf(textBox());
    click(inside(picture()));
    click(inside(textBox()), Qt::ControlModifier);
    ASSERT_EQ(app.Selection().TypeName(), q("DrawingObjects"));
    const QPoint from = inside(textBox());
    drag(from, from + QPoint(-40, 20)); // -30, +15 points
    EXPECT_NEAR(picture().Left(), pictureBefore.left - 30, 0.8);
    EXPECT_NEAR(textBox().Left(), boxBefore.left - 30, 0.8);
    EXPECT_NEAR(textBox().Top(), boxBefore.top + 15, 0.8);
    EXPECT_EQ(stack().count(), 1);
}

TEST_F(ShapeEditingTest, HandlesResizeKeepingTheOppositeSideAndTheAspectWhenAsked)
{
    // Text box 300,100 80×40; 40 px are 30 points, 20 px 15 points.
    struct Case
    {
        const char* what;
        double hx, hy; // the handle's position in the box, 0..1
        QPoint travel;
        Qt::KeyboardModifiers modifiers;
        bool lockAspect;
        Box want;
    };
    const Case cases[] = {
        {"bottom-right corner", 1, 1, {40, 20}, {}, false, {300, 100, 110, 55}},
        {"top-left corner", 0, 0, {40, 20}, {}, false, {330, 115, 50, 25}},
        {"right side", 1, 0.5, {40, 20}, {}, false, {300, 100, 110, 40}},
        {"bottom side", 0.5, 1, {40, 20}, {}, false, {300, 100, 80, 55}},
        {"corner, aspect free", 1, 1, {40, 0}, {}, false, {300, 100, 110, 40}},
        {"corner with Shift", 1, 1, {40, 0}, Qt::ShiftModifier, false, {300, 100, 110, 55}},
        {"corner, aspect locked", 1, 1, {40, 0}, {}, true, {300, 100, 110, 55}},
        // A side with the aspect kept scales the other side about its middle.
        {"right side, aspect locked", 1, 0.5, {40, 20}, {}, true, {300, 92.5, 110, 55}},
        // Past the opposite side the box stops at a point's width.
        {"left side past the right", 0, 0.5, {200, 0}, {}, false, {379, 100, 1, 40}},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.what);
        const xl::Shape box = textBox();
        box.setLeft(300);
        box.setTop(100);
        box.setLockAspectRatio(false);
        box.setWidth(80);
        box.setHeight(40);
        box.setLockAspectRatio(c.lockAspect);
        box.Select();
        settle();
        const QPoint handle = viewAt(300 + 80 * c.hx, 100 + 40 * c.hy);
        drag(handle, handle + c.travel, c.modifiers);
        expectBox(textBox(), c.want, c.what);
    }
}

TEST_F(ShapeEditingTest, ARotatedShapeResizesAlongItsOwnSidesWithTheOppositeSideInPlace)
{
    const xl::Shape box = textBox();
    box.setRotation(90);
    box.Select();
    settle();
    // Turned a quarter clockwise about its centre (340, 120): its right side now faces down,
    // its left side (the handle opposite) up at y = 80.
    const QPoint rightHandle = viewAt(340, 160);
    drag(rightHandle, rightHandle + QPoint(0, 40)); // 30 points along the box's own width
    EXPECT_NEAR(textBox().Width(), 110, 0.8);
    EXPECT_NEAR(textBox().Height(), 40, 0.8);
    // The side that stayed: the turned box's top edge, at the same place as before.
    const double centreY = textBox().Top() + textBox().Height() / 2;
    EXPECT_NEAR(centreY - textBox().Width() / 2, 80, 0.8);
}

TEST_F(ShapeEditingTest, DeleteDeletesTheSelectedShapesAndUndoBringsThemBack)
{
    click(inside(picture()));
    click(inside(textBox()), Qt::ControlModifier);
    press(Qt::Key_Delete);
    EXPECT_EQ(app.ActiveSheet().Shapes().Count(), 0);
    EXPECT_EQ(app.Selection().TypeName(), q("Range")) << "the cells come back";
    stack().undo();
    settle();
    EXPECT_EQ(app.ActiveSheet().Shapes().Count(), 2);

    // Delete over cells still clears cells, not shapes.
    app.ActiveSheet().Range(q("A1")).setValue(Variant(5.0));
    click("A1");
    press(Qt::Key_Delete);
    EXPECT_EQ(app.ActiveSheet().Shapes().Count(), 2);
    EXPECT_TRUE(app.ActiveSheet().Range(q("A1")).Value().isEmpty());
}

TEST_F(ShapeEditingTest, GroupAndUngroupFromTheEditMenuAreUndoable)
{
    click(inside(picture()));
    auto enabledOf = [&](const QString& caption) {
        QMenu menu;
        host_app::EditMenu::fill(menu, view(), history());
        for (QAction* action : menu.actions())
            if (action->text().startsWith(caption))
                return action->isEnabled();
        ADD_FAILURE() << "no " << caption.toStdString();
        return false;
    };
    EXPECT_FALSE(enabledOf(q("グループ化"))) << "one shape";
    click(inside(textBox()), Qt::ControlModifier);
    EXPECT_TRUE(enabledOf(q("グループ化")));
    EXPECT_FALSE(enabledOf(q("グループ解除")));

    host_app::EditMenu::group(view(), history());
    settle();
    ASSERT_EQ(app.ActiveSheet().Shapes().Count(), 1);
    const xl::Shape group = app.ActiveSheet().Shapes().Item(1);
    EXPECT_EQ(group.Type(), 6);
    EXPECT_EQ(app.Selection().TypeName(), q("GroupObject"));
    EXPECT_TRUE(enabledOf(q("グループ解除")));

    // The group moves as one.
    const double left = group.Left();
    const QPoint from = inside(group.GroupItems().Item(2));
    drag(from, from + QPoint(20, 0));
    EXPECT_NEAR(app.ActiveSheet().Shapes().Item(1).Left(), left + 15, 0.8);

    host_app::EditMenu::ungroup(view(), history());
    settle();
    EXPECT_EQ(app.ActiveSheet().Shapes().Count(), 2);
    EXPECT_EQ(app.Selection().TypeName(), q("DrawingObjects"));

    ASSERT_EQ(stack().count(), 3);
    stack().undo(); // ungroup
    stack().undo(); // move
    stack().undo(); // group
    settle();
    EXPECT_EQ(app.ActiveSheet().Shapes().Count(), 2);
    EXPECT_EQ(app.ActiveSheet().Shapes().Item(2).Left(), 300);
}

TEST_F(ShapeEditingTest, AProtectedDrawingRefusesMovesAndDeletes)
{
    click(inside(picture()));
    const Box before = boxOf(picture());
    app.ActiveSheet().call(q("Protect"));
    settle();
    const QPoint from = inside(picture());
    drag(from, from + QPoint(40, 40));
    expectBox(picture(), before, "not moved");
    press(Qt::Key_Delete);
    EXPECT_EQ(app.ActiveSheet().Shapes().Count(), 2);
    EXPECT_EQ(messages.shown().size(), 2u) << "each refusal is told";
    EXPECT_EQ(stack().count(), 0);
}

} // namespace
