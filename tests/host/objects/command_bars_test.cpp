// The command-bar model: the host's bars and built-in controls, controls added, copied and
// deleted by add-ins, searches, and click events with CancelDefault.
#include "tests/host/objects/objects_support.h"

#include "host/automation/events.h"
#include "host/objects/application.h"
#include "host/objects/change_notifier.h"
#include "host/objects/window.h"

#include <QFile>
#include <QImage>

using namespace objects_test;
using host::ObjectRef;
using host::Variant;

namespace {

struct Clicks
{
    QStringList seen;    // "<event> <caption>"
    bool cancel = false; // what the handler answers in CancelDefault
};

// Advises a sink on `control` that records its events and sets CancelDefault as told.
int listen(const ObjectRef& control, Clicks& clicks)
{
    auto sink = std::make_shared<host::ByRefCallbackSink>(
        [&clicks](const QString& name, std::vector<Variant>& args) {
            clicks.seen << name + u' ' + args.at(0).toObject()->get(q("Caption")).toString();
            if (args.size() > 1 && clicks.cancel)
                args[1] = Variant(true);
        });
    return control->events()->advise(sink);
}

class CommandBarsTest : public HostTest
{
protected:
    ObjectRef bars() const { return app.get(q("CommandBars")).toObject(); }
    ObjectRef bar(const char* name) const { return bars()->get(q("Item"), {q(name)}).toObject(); }
    ObjectRef findControl(host::Args args) const
    {
        return bars()->call(q("FindControl"), std::move(args)).toObject();
    }
    ObjectRef findById(int id) const
    {
        return findControl(host::Args{}.add(q("Id"), Variant(std::int32_t(id))));
    }
    ObjectRef findByTag(const char* tag) const
    {
        return findControl(host::Args{}.add(q("Tag"), q(tag)));
    }
};

TEST_F(CommandBarsTest, TheHostsBarsHoldTheBuiltInControlsTheSuiteLooksFor)
{
    EXPECT_EQ(bars()->get(q("Item"), {Variant(std::int32_t(1))}).toObject()->get(q("Name")),
              Variant(q("Worksheet Menu Bar")));
    for (const char* name : {"Standard", "Formatting", "Picture", "Pictures Context Menu"})
        EXPECT_NE(bar(name), nullptr) << name;
    EXPECT_EQ(bar("Pictures Context Menu")->get(q("Type")), Variant(std::int32_t(2)));
    for (int id : {18, 748, 732, 1362, 1728, 2619}) {
        const ObjectRef control = findById(id);
        ASSERT_NE(control, nullptr) << id;
        EXPECT_EQ(control->get(q("Id")), Variant(std::int32_t(id)));
        EXPECT_EQ(control->get(q("BuiltIn")), Variant(true));
    }
    // The crop button is on the Picture toolbar; a search that is not recursive finds it there.
    const ObjectRef crop =
        bar("Picture")
            ->call(q("FindControl"), host::Args{}.add(q("Id"), Variant(std::int32_t(732))))
            .toObject();
    ASSERT_NE(crop, nullptr);
    EXPECT_GT(crop->get(q("Index")).toInt32(), 1);
    // 2619 stands in the menu and on two toolbars; all of them are the same command.
    const ObjectRef all =
        bars()
            ->call(q("FindControls"), host::Args{}.add(q("Id"), Variant(std::int32_t(2619))))
            .toObject();
    EXPECT_EQ(all->get(q("Count")), Variant(std::int32_t(3)));
}

TEST_F(CommandBarsTest, ControlsAddedCopiedAndDeletedByAnAddIn)
{
    const ObjectRef menuBar = bars()->get(q("Item"), {Variant(std::int32_t(1))}).toObject();
    const ObjectRef controls = menuBar->get(q("Controls")).toObject();
    const int before = controls->get(q("Count")).toInt32();
    const ObjectRef popup = controls
                                ->call(q("Add"), host::Args{}
                                                     .add(q("Type"), Variant(std::int32_t(10)))
                                                     .add(q("Temporary"), Variant(true)))
                                .toObject();
    popup->let(q("Caption"), q("TORVA(&M)"));
    popup->let(q("Tag"), q("TORVA"));
    EXPECT_EQ(controls->get(q("Count")), Variant(std::int32_t(before + 1)));
    EXPECT_EQ(popup->get(q("Index")), Variant(std::int32_t(before + 1)));

    const ObjectRef inner = popup->get(q("Controls")).toObject();
    const ObjectRef sub =
        inner->call(q("Add"), host::Args{}.add(q("Type"), Variant(std::int32_t(10)))).toObject();
    sub->let(q("Tag"), q("TORVA_PICROWS"));
    const ObjectRef first = inner
                                ->call(q("Add"), host::Args{}
                                                     .add(q("Type"), Variant(std::int32_t(10)))
                                                     .add(q("Before"), Variant(std::int32_t(1))))
                                .toObject();
    EXPECT_EQ(first->get(q("Index")), Variant(std::int32_t(1)));
    EXPECT_EQ(sub->get(q("Index")), Variant(std::int32_t(2)));
    const ObjectRef button = sub->get(q("Controls")).toObject()->call(q("Add")).toObject();
    button->let(q("Caption"), q("再トリミング(&R)"));
    button->let(q("Tag"), q("TORVA_RETRIMMINGCOMMAND_COPY"));

    // Searches of all bars go into pop-ups; the bar's own search only when told to.
    EXPECT_EQ(findByTag("TORVA_PICROWS"), sub);
    EXPECT_EQ(findByTag("TORVA_RETRIMMINGCOMMAND_COPY"), button);
    EXPECT_EQ(menuBar->call(q("FindControl"), host::Args{}.add(q("Tag"), q("TORVA_PICROWS"))),
              Variant(ObjectRef()));
    EXPECT_EQ(
        menuBar->call(
            q("FindControl"),
            host::Args{}.add(q("Tag"), q("TORVA_PICROWS")).add(q("Recursive"), Variant(true))),
        Variant(sub));

    // A copy after the crop button, and one at the end of the context menu.
    const ObjectRef picture = bar("Picture");
    const int cropIndex = findControl(host::Args{}.add(q("Id"), Variant(std::int32_t(732))))
                              ->get(q("Index"))
                              .toInt32();
    const ObjectRef copy =
        button->call(q("Copy"), {Variant(picture), Variant(std::int32_t(cropIndex + 1))})
            .toObject();
    EXPECT_EQ(copy->get(q("Index")), Variant(std::int32_t(cropIndex + 1)));
    EXPECT_EQ(copy->get(q("Parent")).toObject()->get(q("Name")), Variant(q("Picture")));
    EXPECT_EQ(copy->get(q("Caption")), Variant(q("再トリミング(&R)")));
    EXPECT_EQ(copy->get(q("Tag")), Variant(q("TORVA_RETRIMMINGCOMMAND_COPY")));
    const ObjectRef menuCopy =
        button->call(q("Copy"), {Variant(bar("Pictures Context Menu"))}).toObject();
    const ObjectRef found =
        bars()
            ->call(q("FindControls"), host::Args{}.add(q("Tag"), q("TORVA_RETRIMMINGCOMMAND_COPY")))
            .toObject();
    EXPECT_EQ(found->get(q("Count")), Variant(std::int32_t(3)));
    EXPECT_EQ(bars()->call(q("FindControls"), host::Args{}.add(q("Tag"), q("NO_SUCH_TAG"))),
              Variant(ObjectRef()));

    // Deleting a pop-up takes its controls with it; deleted controls answer errors.
    copy->call(q("Delete"));
    menuCopy->call(q("Delete"));
    popup->call(q("Delete"));
    EXPECT_EQ(findByTag("TORVA_RETRIMMINGCOMMAND_COPY"), nullptr);
    EXPECT_EQ(controls->get(q("Count")), Variant(std::int32_t(before)));
    EXPECT_EQ(errorOf([&] { button->get(q("Caption")); }), host::objects::kDisconnected);
    EXPECT_EQ(errorOf([&] { inner->get(q("Count")); }), host::objects::kDisconnected);
    EXPECT_EQ(errorOf([&] {
                  picture->get(q("Controls"))
                      .toObject()
                      ->call(q("Add"), {Variant(std::int32_t(1)), Variant(std::int32_t(1)),
                                        Variant(), Variant(std::int32_t(99))});
              }),
              host::err::InvalidCall);
}

TEST_F(CommandBarsTest, AClickRaisesTheEventOfEveryControlOfTheCommandBeforeItRuns)
{
    // The built-in New: its Execute raises Click on the control held, then adds a workbook;
    // a handler that sets CancelDefault keeps the host's command from running.
    const ObjectRef held = findById(18);
    Clicks clicks;
    listen(held, clicks);
    const int books = app.Workbooks().Count();
    held->call(q("Execute"));
    EXPECT_EQ(clicks.seen, QStringList{q("Click 新規作成(&N)...")});
    EXPECT_EQ(app.Workbooks().Count(), books + 1);
    clicks.cancel = true;
    held->call(q("Execute"));
    EXPECT_EQ(clicks.seen.size(), 2);
    EXPECT_EQ(app.Workbooks().Count(), books + 1);

    // Copies of a custom button share its tag, so its sink hears their clicks too.
    const ObjectRef button =
        bar("Standard")->get(q("Controls")).toObject()->call(q("Add")).toObject();
    button->let(q("Caption"), q("menu"));
    button->let(q("Tag"), q("SHARED"));
    const ObjectRef copy = button->call(q("Copy"), {Variant(bar("Picture"))}).toObject();
    copy->let(q("Caption"), q("copy"));
    Clicks custom;
    listen(button, custom);
    copy->call(q("Execute"));
    button->call(q("Execute"));
    EXPECT_EQ(custom.seen, (QStringList{q("Click copy"), q("Click menu")}));

    // A control that is disabled refuses Execute and raises nothing.
    button->let(q("Enabled"), Variant(false));
    EXPECT_EQ(errorOf([&] { button->call(q("Execute")); }), host::err::ApplicationDefined);
    EXPECT_EQ(custom.seen.size(), 2);
}

TEST_F(CommandBarsTest, InsertPictureFromFileInsertsTheChosenFilesAtTheActiveCell)
{
    const QTemporaryDir dir;
    QStringList files;
    for (int i = 0; i < 2; ++i) {
        QImage image(40 + i * 10, 30, QImage::Format_RGB32);
        image.fill(i ? Qt::red : Qt::blue);
        files << dir.filePath(QStringLiteral("p%1.png").arg(i));
        ASSERT_TRUE(image.save(files.back()));
    }
    QFile(dir.filePath(q("broken.png"))).open(QIODevice::WriteOnly);
    const ObjectRef insert = findById(2619);

    // Without a dialog to ask, the command is not available.
    EXPECT_EQ(errorOf([&] { insert->call(q("Execute")); }), host::err::ApplicationDefined);

    QStringList answer = files;
    m_host.options().pictureFilesDialog = [&answer] { return answer; };
    range("C4").Select();
    insert->call(q("Execute"));
    const xl::Range c4 = range("C4");
    ASSERT_EQ(sheet().get(q("Shapes")).toObject()->get(q("Count")), Variant(std::int32_t(2)));
    const ObjectRef second =
        sheet().get(q("Shapes")).toObject()->get(q("Item"), {Variant(std::int32_t(2))}).toObject();
    EXPECT_DOUBLE_EQ(second->get(q("Left")).toDouble(), c4.Left());
    EXPECT_DOUBLE_EQ(second->get(q("Top")).toDouble(), c4.Top());
    EXPECT_DOUBLE_EQ(second->get(q("Width")).toDouble(), 50 * 0.75);
    EXPECT_EQ(app.Selection().TypeName(), q("DrawingObjects")); // both inserted are selected

    // A refused file is named; the others go in.
    range("A1").Select();
    answer = {dir.filePath(q("broken.png")), files.front()};
    EXPECT_NE(descriptionOf([&] { insert->call(q("Execute")); }).indexOf(q("broken.png")), -1);
    EXPECT_EQ(sheet().get(q("Shapes")).toObject()->get(q("Count")), Variant(std::int32_t(3)));
    EXPECT_EQ(app.Selection().TypeName(), q("Picture"));

    // Cancelled: nothing happens.
    answer.clear();
    insert->call(q("Execute"));
    EXPECT_EQ(sheet().get(q("Shapes")).toObject()->get(q("Count")), Variant(std::int32_t(3)));

    // On a sheet whose drawing is protected the command is disabled.
    sheet().call(q("Protect"));
    EXPECT_EQ(insert->get(q("Enabled")), Variant(false));
}

// Records the changes the object layer announces.
class Recorder : public host::objects::ChangeObserver
{
public:
    void changed(const host::objects::Change& change) override { kinds.push_back(change.kind); }
    std::vector<host::objects::ChangeKind> kinds;
};

TEST_F(CommandBarsTest, TheObjectLayerAnnouncesWhatChanges)
{
    using K = host::objects::ChangeKind;
    Recorder recorder;
    m_host.app().changes().add(&recorder);
    const auto announced = [&](const std::function<void()>& change) {
        recorder.kinds.clear();
        change();
        return recorder.kinds;
    };
    const auto has = [](const std::vector<K>& kinds, K kind) {
        return std::find(kinds.begin(), kinds.end(), kind) != kinds.end();
    };
    EXPECT_TRUE(has(announced([&] { range("B2").setValue(Variant(1.0)); }), K::Cells));
    EXPECT_TRUE(has(announced([&] { range("B2:C3").Select(); }), K::Selection));
    EXPECT_TRUE(has(announced([&] { sheet(2).Activate(); }), K::Sheets));
    EXPECT_TRUE(has(announced([&] { app.ActiveWindow().setZoom(150); }), K::View));
    EXPECT_TRUE(has(announced([&] { app.ActiveWindow().setScrollRow(20); }), K::View));
    EXPECT_TRUE(has(announced([&] { app.setScreenUpdating(false); }), K::Switches));
    EXPECT_TRUE(has(announced([&] { app.Workbooks().Add(); }), K::Workbooks));
    EXPECT_TRUE(has(announced([&] { book().Activate(); }), K::Workbooks));
    EXPECT_TRUE(
        has(announced([&] { bar("Standard")->get(q("Controls")).toObject()->call(q("Add")); }),
            K::CommandBars));
    // Nothing is announced for what changes nothing.
    EXPECT_TRUE(announced([&] { app.setScreenUpdating(false); }).empty());
    EXPECT_TRUE(announced([&] { app.ActiveWindow().setZoom(150); }).empty());
    m_host.app().changes().remove(&recorder);
}

TEST_F(CommandBarsTest, WindowsHwndCursorAndCaption)
{
    app.Workbooks().Add();
    const ObjectRef windows = app.get(q("Windows")).toObject();
    EXPECT_EQ(windows->get(q("Count")), Variant(std::int32_t(2)));
    // The active window comes first.
    EXPECT_EQ(windows->get(q("Item"), {Variant(std::int32_t(1))}),
              Variant(app.ActiveWindow().ref()));
    EXPECT_EQ(windows->get(q("Item"), {q("Book1")}).toObject()->get(q("Index")),
              Variant(std::int32_t(2)));
    book().Activate();
    EXPECT_EQ(app.ActiveWindow().get(q("Caption")), Variant(q("Book1")));
    EXPECT_EQ(app.ActiveWindow().get(q("Index")), Variant(std::int32_t(1)));

    EXPECT_EQ(app.get(q("Hwnd")), Variant(std::int32_t(0)));
    m_host.app().setMainWindowId(0x2a00007);
    EXPECT_EQ(app.get(q("Hwnd")), Variant(std::int32_t(0x2a00007)));

    EXPECT_EQ(app.get(q("Cursor")), Variant(std::int32_t(-4143)));
    app.let(q("Cursor"), Variant(std::int32_t(2)));
    EXPECT_EQ(app.get(q("Cursor")), Variant(std::int32_t(2)));
    EXPECT_EQ(errorOf([&] { app.let(q("Cursor"), Variant(std::int32_t(7))); }),
              host::err::ApplicationDefined);

    // The host application's title names the active workbook until a caption is set.
    m_host.options().captionFollowsWorkbook = true;
    EXPECT_EQ(app.Caption(), q("Book1 - Picrows Host"));
    app.let(q("Caption"), q("Mine"));
    EXPECT_EQ(app.Caption(), q("Mine"));
    app.let(q("Caption"), q(""));
    EXPECT_EQ(app.Caption(), q("Book1 - Picrows Host"));
}

TEST_F(CommandBarsTest, VisibleRangeFollowsTheWindowsSizeZoomAndScroll)
{
    const auto window = std::static_pointer_cast<host::objects::Window>(app.ActiveWindow().ref());
    // Columns of 64 pixels and rows of 20 at 100 %: 640 × 200 pixels show ten by ten.
    window->setViewportPixels(QSize(640, 200));
    EXPECT_EQ(app.ActiveWindow().get(q("VisibleRange")).toObject()->get(q("Address")),
              Variant(q("$A$1:$J$10")));
    app.ActiveWindow().setScrollRow(5);
    app.ActiveWindow().setScrollColumn(3);
    EXPECT_EQ(app.ActiveWindow().get(q("VisibleRange")).toObject()->get(q("Address")),
              Variant(q("$C$5:$L$14")));
    app.ActiveWindow().setZoom(200);
    EXPECT_EQ(app.ActiveWindow().get(q("VisibleRange")).toObject()->get(q("Address")),
              Variant(q("$C$5:$G$9")));
    window->setViewportPixels(QSize(650, 210)); // parts of cells count
    EXPECT_EQ(app.ActiveWindow().get(q("VisibleRange")).toObject()->get(q("Address")),
              Variant(q("$C$5:$H$10")));
    EXPECT_DOUBLE_EQ(app.ActiveWindow().get(q("UsableWidth")).toDouble(), 650 * 0.75);

    // Without a window on a screen there are no screen pixels to answer with.
    EXPECT_EQ(
        errorOf([&] { app.ActiveWindow().call(q("PointsToScreenPixelsX"), {Variant(10.0)}); }),
        host::err::ApplicationDefined);
}

} // namespace
