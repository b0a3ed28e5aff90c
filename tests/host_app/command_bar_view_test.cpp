// Menus and toolbars as views of the host's command bars: built-in controls whose enabled
// state follows the host, whose click raises their event first, and controls added through
// automation showing at once.
#include "tests/host_app/host_app_support.h"

#include "host/automation/events.h"
#include "host/objects/built_in_bars.h"
#include "host_app/command_bar_view.h"

#include <QAction>
#include <QComboBox>
#include <QFontDatabase>
#include <QMenu>
#include <QMenuBar>
#include <QToolBar>

using namespace host_app_test;
using host::ObjectRef;
using host::Variant;

namespace {

class CommandBarViewTest : public HostAppTest
{
protected:
    host_app::CommandBarView& bars() { return window.commandBars(); }
    QAction* action(int id)
    {
        const QList<QAction*> found = bars().actionsFor(id);
        return found.isEmpty() ? nullptr : found.front();
    }
    ObjectRef control(int id)
    {
        return app.CommandBars()
            .call(q("FindControl"), host::Args{}.add(q("Id"), Variant(std::int32_t(id))))
            .toObject();
    }
    ObjectRef bar(const char* name)
    {
        return app.CommandBars().get(q("Item"), {q(name)}).toObject();
    }
    QStringList captions(const QList<QAction*>& actions)
    {
        QStringList out;
        for (QAction* a : actions)
            if (!a->isSeparator())
                out << a->text();
        return out;
    }
    QString makePicture(const char* name)
    {
        QImage image(64, 48, QImage::Format_RGB32);
        image.fill(Qt::darkGreen);
        const QString path = dir.filePath(q(name));
        image.save(path);
        return path;
    }
};

TEST_F(CommandBarViewTest, TheMenusAndToolbarsAreTheHostsBars)
{
    EXPECT_EQ(captions(window.menuBar()->actions()),
              (QStringList{q("ファイル(&F)"), q("編集(&E)"), q("挿入(&I)"), q("ウィンドウ(&W)")}));
    for (const char* name : {"Standard", "Formatting", "Picture"})
        EXPECT_NE(bars().toolBar(q(name)), nullptr) << name;
    for (int id : {18, 748, 732, 1362, 2619})
        EXPECT_NE(action(id), nullptr) << id;
    // The font box lists the installed fonts while cells of a sheet are selected.
    QComboBox* fonts = bars().comboFor(1728);
    ASSERT_NE(fonts, nullptr);
    EXPECT_EQ(fonts->count(), 0);
    app.Workbooks().Add();
    settle();
    EXPECT_EQ(fonts->count(), QFontDatabase::families().size());
    EXPECT_GT(fonts->count(), 0);
}

TEST_F(CommandBarViewTest, EnabledStatesFollowTheHost)
{
    EXPECT_FALSE(action(748)->isEnabled()); // no workbook yet
    EXPECT_FALSE(action(2619)->isEnabled());
    app.Workbooks().Add();
    settle();
    EXPECT_TRUE(action(748)->isEnabled());
    EXPECT_TRUE(action(2619)->isEnabled());
    EXPECT_FALSE(action(732)->isEnabled());

    app.ActiveSheet().Range(q("B2")).Select();
    app.ActiveSheet()
        .get(q("Pictures"))
        .toObject()
        ->call(q("Insert"), {makePicture("a.png")})
        .toObject()
        ->call(q("Select"));
    settle();
    EXPECT_EQ(app.Selection().TypeName(), q("Picture"));
    EXPECT_TRUE(action(732)->isEnabled());
    EXPECT_TRUE(action(1362)->isEnabled());
    EXPECT_TRUE(app.CommandBars().GetEnabledMso(q("PictureCrop")));

    host.options().cellEditing = true; // the editing state disables New
    app.ActiveSheet().Range(q("A1")).Select();
    settle();
    EXPECT_FALSE(action(18)->isEnabled());
    EXPECT_FALSE(action(732)->isEnabled());
    host.options().cellEditing = false;
}

TEST_F(CommandBarViewTest, AClickRaisesTheControlsEventFirstAndCancelDefaultStopsTheCommand)
{
    QStringList heard;
    bool cancel = true;
    const ObjectRef held = control(18);
    held->events()->advise(std::make_shared<host::ByRefCallbackSink>(
        [&](const QString& name, std::vector<Variant>& args) {
            heard << name + q(" ") + QString::number(openBooks());
            args[1] = Variant(cancel);
        }));
    action(18)->trigger();
    settle();
    EXPECT_EQ(heard, QStringList{q("Click 0")});
    EXPECT_EQ(openBooks(), 0);

    cancel = false;
    action(18)->trigger();
    settle();
    EXPECT_EQ(heard, (QStringList{q("Click 0"), q("Click 0")}));
    EXPECT_EQ(openBooks(), 1);
    EXPECT_NE(window.activeWorkbookWindow(), nullptr);

    // Execute through automation does what the click does, event first.
    held->call(q("Execute"));
    settle();
    EXPECT_EQ(heard.back(), q("Click 1"));
    EXPECT_EQ(openBooks(), 2);
}

TEST_F(CommandBarViewTest, ControlsAddedChangedAndDeletedThroughAutomationShowAtOnce)
{
    const ObjectRef added =
        bar("Picture")->get(q("Controls")).toObject()->call(q("Add")).toObject();
    added->let(q("Caption"), q("再トリミング(&R)"));
    settle();
    EXPECT_TRUE(captions(bars().toolBar(q("Picture"))->actions()).contains(q("再トリミング(&R)")));

    added->let(q("Caption"), q("別の名前"));
    settle();
    EXPECT_TRUE(captions(bars().toolBar(q("Picture"))->actions()).contains(q("別の名前")));

    // Clicking the shown button reaches the add-in's sink.
    int clicks = 0;
    added->events()->advise(std::make_shared<host::CallbackSink>(
        [&clicks](const QString&, const std::vector<Variant>&) { ++clicks; }));
    for (QAction* a : bars().toolBar(q("Picture"))->actions())
        if (a->text() == q("別の名前"))
            a->trigger();
    EXPECT_EQ(clicks, 1);

    const ObjectRef inMenu =
        added->call(q("Copy"), {Variant(bar("Pictures Context Menu"))}).toObject();
    settle();
    QMenu* menu = bars().popupMenu(q("Pictures Context Menu"));
    ASSERT_NE(menu, nullptr);
    EXPECT_TRUE(captions(menu->actions()).contains(q("別の名前")));
    menu->close();

    added->call(q("Delete"));
    inMenu->call(q("Delete"));
    settle();
    EXPECT_FALSE(captions(bars().toolBar(q("Picture"))->actions()).contains(q("別の名前")));

    // A pop-up added to the menu bar with a button inside shows as a menu.
    const ObjectRef popup =
        bar("Worksheet Menu Bar")
            ->get(q("Controls"))
            .toObject()
            ->call(q("Add"), host::Args{}.add(q("Type"), Variant(std::int32_t(10))))
            .toObject();
    popup->let(q("Caption"), q("TORVA(&M)"));
    popup->get(q("Controls"))
        .toObject()
        ->call(q("Add"))
        .toObject()
        ->let(q("Caption"), q("ピクロウ(&O)"));
    settle();
    QMenu* torva = nullptr;
    for (QAction* a : window.menuBar()->actions())
        if (a->text() == q("TORVA(&M)"))
            torva = a->menu();
    ASSERT_NE(torva, nullptr);
    EXPECT_EQ(captions(torva->actions()), QStringList{q("ピクロウ(&O)")});
}

TEST_F(CommandBarViewTest, InsertPictureFromFileInsertsAtTheActiveCell)
{
    app.Workbooks().Add();
    app.ActiveSheet().Range(q("D5")).Select();
    settle();
    dialogs.picturesAnswer = {makePicture("one.png"), makePicture("two.png")};
    action(2619)->trigger();
    settle();
    EXPECT_EQ(dialogs.asked, 1);
    const ObjectRef shapes = app.ActiveSheet().get(q("Shapes")).toObject();
    ASSERT_EQ(shapes->get(q("Count")), Variant(std::int32_t(2)));
    const ObjectRef first = shapes->get(q("Item"), {Variant(std::int32_t(1))}).toObject();
    EXPECT_DOUBLE_EQ(first->get(q("Left")).toDouble(), app.ActiveSheet().Range(q("D5")).Left());
    EXPECT_DOUBLE_EQ(first->get(q("Top")).toDouble(), app.ActiveSheet().Range(q("D5")).Top());
    EXPECT_EQ(app.Selection().TypeName(), q("DrawingObjects"));

    // Cancelled: nothing is inserted.
    dialogs.picturesAnswer.clear();
    control(2619)->call(q("Execute"));
    EXPECT_EQ(shapes->get(q("Count")), Variant(std::int32_t(2)));
}

TEST_F(CommandBarViewTest, TheZoomBoxSetsTheWindowsZoom)
{
    app.Workbooks().Add();
    settle();
    QComboBox* zoom = bars().comboFor(host::objects::kControlZoomBox);
    ASSERT_NE(zoom, nullptr);
    EXPECT_EQ(zoom->currentText(), q("100%"));
    Q_EMIT zoom->textActivated(q("50%"));
    settle();
    EXPECT_EQ(app.ActiveWindow().Zoom(), 50);
    Q_EMIT zoom->textActivated(q("1000"));
    settle();
    EXPECT_EQ(app.ActiveWindow().Zoom(), 50);
    ASSERT_EQ(messages.shown().size(), 1u);
    EXPECT_EQ(messages.shown().front().icon, platform::MsgIcon::Exclamation);
}

} // namespace
