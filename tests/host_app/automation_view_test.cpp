// One object model, two doors: what automation does shows in the window, and what the user
// does in the window is what automation reads.
#include "tests/host_app/host_app_support.h"

#include "host/objects/built_in_bars.h"
#include "host_app/command_bar_view.h"
#include "host_app/host_publication.h"

#include <QComboBox>
#include <QMdiArea>
#include <QMdiSubWindow>

using namespace host_app_test;
using host::Variant;

namespace {

class AutomationViewTest : public HostAppTest
{
protected:
    QStringList windowTitles() const
    {
        QStringList titles;
        for (QMdiSubWindow* sub : window.mdiArea().subWindowList())
            titles << sub->windowTitle();
        titles.sort();
        return titles;
    }
    QString activeTitle() const
    {
        QMdiSubWindow* sub = window.mdiArea().activeSubWindow();
        return sub ? sub->windowTitle() : QString();
    }
};

TEST_F(AutomationViewTest, WorkbooksOpenedActivatedAndClosedThroughAutomationShow)
{
    EXPECT_TRUE(windowTitles().isEmpty());
    app.Workbooks().Add();
    app.Workbooks().Add();
    settle();
    EXPECT_EQ(windowTitles(), (QStringList{q("Book1"), q("Book2")}));
    EXPECT_EQ(activeTitle(), q("Book2"));
    EXPECT_EQ(window.windowTitle(), q("Book2 - Picrows Host"));
    EXPECT_EQ(window.windowTitle(), app.Caption());

    app.Workbooks().Item(q("Book1")).Activate();
    settle();
    EXPECT_EQ(activeTitle(), q("Book1"));
    EXPECT_EQ(window.windowTitle(), q("Book1 - Picrows Host"));

    const xl::Workbook opened = app.Workbooks().Open(sourcePath("samples/photo_album.xlsx"));
    settle();
    EXPECT_EQ(activeTitle(), q("photo_album.xlsx"));
    EXPECT_EQ(app.get(q("Windows")).toObject()->get(q("Count")), Variant(std::int32_t(3)));
    opened.call(q("Close"), {Variant(false)});
    settle();
    EXPECT_EQ(windowTitles(), (QStringList{q("Book1"), q("Book2")}));
    EXPECT_EQ(activeTitle(), q("Book1"));
}

TEST_F(AutomationViewTest, ActivatingAWorkbookWindowActivatesItsWorkbook)
{
    app.Workbooks().Add();
    app.Workbooks().Add();
    settle();
    for (QMdiSubWindow* sub : window.mdiArea().subWindowList())
        if (sub->windowTitle() == q("Book1"))
            window.mdiArea().setActiveSubWindow(sub);
    settle();
    EXPECT_EQ(app.ActiveWorkbook().Name(), q("Book1"));
    EXPECT_EQ(app.ActiveWindow().get(q("Caption")), Variant(q("Book1")));
    EXPECT_EQ(app.get(q("Windows"))
                  .toObject()
                  ->get(q("Item"), {Variant(std::int32_t(1))})
                  .toObject()
                  ->get(q("Caption")),
              Variant(q("Book1")));
}

TEST_F(AutomationViewTest, ZoomSheetsAndCaptionSetThroughAutomationShow)
{
    app.Workbooks().Add();
    settle();
    app.ActiveWindow().setZoom(200);
    settle();
    EXPECT_DOUBLE_EQ(layout().scale(), 8.0 / 3.0);
    QComboBox* zoomBox = window.commandBars().comboFor(host::objects::kControlZoomBox);
    ASSERT_NE(zoomBox, nullptr);
    EXPECT_EQ(zoomBox->currentText(), q("200%"));

    app.ActiveWorkbook().get(q("Worksheets")).toObject()->call(q("Add"));
    settle();
    EXPECT_EQ(bookWindow().tabs().count(), 2);
    EXPECT_EQ(bookWindow().tabs().tabText(bookWindow().tabs().currentIndex()),
              app.ActiveSheet().Name());

    app.let(q("Caption"), q("Picrows Host A"));
    settle();
    EXPECT_EQ(window.windowTitle(), q("Picrows Host A"));
    EXPECT_EQ(window.publication().current().title, q("Picrows Host A"));
}

TEST_F(AutomationViewTest, HwndIsTheMainWindowsIdAndThePublicationFollowsTheFiles)
{
    EXPECT_EQ(app.get(q("Hwnd")), Variant(std::int32_t(window.winId())));
    QList<host_app::PublishedHost> published;
    QObject::connect(&window.publication(), &host_app::HostPublication::changed, &window,
                     [&published](const host_app::PublishedHost& p) { published << p; });
    app.Workbooks().Add(); // never saved: no file to publish
    app.Workbooks().Open(sourcePath("samples/photo_album.xlsx"));
    settle();
    ASSERT_FALSE(published.isEmpty());
    EXPECT_EQ(published.back().windowId, std::int32_t(window.winId()));
    EXPECT_EQ(published.back().openFiles, QStringList{sourcePath("samples/photo_album.xlsx")});
    EXPECT_EQ(published.back().title, q("photo_album.xlsx - Picrows Host"));
}

} // namespace
