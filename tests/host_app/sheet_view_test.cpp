// The sheet view draws cells where the host's geometry puts them, through the same renderer
// as `picrows render`, and scrolls and zooms through the window's object.
#include "tests/host_app/host_app_support.h"

#include "host/model/workbook.h"
#include "host/render/sheet_render.h"
#include "host_app/sheet_tabs.h"
#include "tests/support/image_distance.h"

#include <QPainter>
#include <QScrollBar>
#include <QWheelEvent>

using namespace host_app_test;
using host::Variant;

namespace {

class SheetViewTest : public HostAppTest
{
protected:
    // A workbook of empty cells with widths, heights, a hidden column and a hidden row, so
    // that nothing but grid lines is drawn.
    void openSizedSheet()
    {
        app.Workbooks().Add();
        settle();
        const xl::Worksheet sheet = app.ActiveSheet();
        sheet.Range(q("B1")).setColumnWidth(20);
        sheet.Range(q("C1")).get(q("EntireColumn")).toObject()->let(q("Hidden"), Variant(true));
        sheet.Range(q("D1")).setColumnWidth(4.5);
        sheet.Range(q("A2")).setRowHeight(33);
        sheet.Range(q("A4")).get(q("EntireRow")).toObject()->let(q("Hidden"), Variant(true));
        sheet.Range(q("A5")).setRowHeight(8.25);
        sheet.Range(q("Z200")).Select(); // the selection's marks stay out of sight
        settle();
    }

    // A grid line's grey: at 100 % and more the renderer's light grey, below it paler where
    // the line is thinner than a pixel.
    bool gridAt(const QImage& image, int x, int y) const
    {
        if (!image.rect().contains(x, y))
            return false;
        const QRgb p = image.pixel(x, y);
        return qRed(p) == qGreen(p) && qGreen(p) == qBlue(p) && qRed(p) >= 0xd4 && qRed(p) < 0xf8;
    }
};

// Where the host says column edges and row edges are, the view draws its grid lines: at
// (Left − the scroll position's Left) × 4/3 × zoom pixels from the cell area's corner.
TEST_F(SheetViewTest, GridLinesLieWhereRangeGeometryPutsTheCells)
{
    openSizedSheet();
    const xl::Worksheet sheet = app.ActiveSheet();
    for (int zoom : {100, 50, 200}) {
        app.ActiveWindow().setZoom(zoom);
        const QImage image = grabView();
        const host_app::SheetLayout l = layout();
        const double scale = 4.0 / 3.0 * zoom / 100.0;
        const QRect area = l.cellArea();
        ASSERT_DOUBLE_EQ(l.scale(), scale);
        // A row in the middle of row 3, a column in the middle of column A.
        const int yProbe = area.top() + int((sheet.Range(q("A3")).Top() + 5) * scale);
        const int xProbe = area.left() + int(10 * scale);
        for (const char* column : {"B", "D", "E", "F"}) {
            const xl::Range cell = sheet.Range(q(column) + q("1"));
            const int x = area.left() + int(std::lround(cell.Left() * scale));
            EXPECT_TRUE(gridAt(image, x, yProbe) || gridAt(image, x - 1, yProbe))
                << "zoom " << zoom << " column " << column << " x " << x;
            EXPECT_FALSE(gridAt(image, x + 3, yProbe)) << "zoom " << zoom << " column " << column;
        }
        for (int row : {2, 3, 5, 6, 7}) {
            const xl::Range cell = sheet.Range(q("A") + QString::number(row));
            const int y = area.top() + int(std::lround(cell.Top() * scale));
            EXPECT_TRUE(gridAt(image, xProbe, y) || gridAt(image, xProbe, y - 1))
                << "zoom " << zoom << " row " << row << " y " << y;
            EXPECT_FALSE(gridAt(image, xProbe, y + 3)) << "zoom " << zoom << " row " << row;
        }
        // The hidden column C and row 4 take no room: B's right edge is D's left edge.
        EXPECT_DOUBLE_EQ(sheet.Range(q("B1")).Left() + sheet.Range(q("B1")).Width(),
                         sheet.Range(q("D1")).Left());
    }
}

// A picture placed on a block of cells covers exactly the block's pixels at 100 %.
TEST_F(SheetViewTest, APictureOnABlockCoversItsPixels)
{
    openSizedSheet();
    QImage red(60, 40, QImage::Format_RGB32);
    red.fill(Qt::red);
    const QString file = dir.filePath(q("red.png"));
    ASSERT_TRUE(red.save(file));
    const xl::Worksheet sheet = app.ActiveSheet();
    const xl::Range block = sheet.Range(q("B2:D3"));
    block.Select();
    const host::ObjectRef picture =
        sheet.get(q("Pictures")).toObject()->call(q("Insert"), {file}).toObject();
    const host::ObjectRef shape = picture->get(q("ShapeRange")).toObject();
    shape->let(q("LockAspectRatio"), Variant(false));
    shape->let(q("Width"), Variant(block.Width()));
    shape->let(q("Height"), Variant(block.Height()));
    sheet.Range(q("Z200")).Select();

    const QImage image = grabView();
    const QRect area = layout().cellArea();
    QRect found;
    for (int y = area.top(); y <= area.bottom(); ++y)
        for (int x = area.left(); x <= area.right(); ++x)
            if (image.pixel(x, y) == qRgb(255, 0, 0))
                found |= QRect(x, y, 1, 1);
    const QRect expected(area.left() + int(std::lround(block.Left() * 4 / 3)),
                         area.top() + int(std::lround(block.Top() * 4 / 3)),
                         int(std::lround(block.Width() * 4 / 3)),
                         int(std::lround(block.Height() * 4 / 3)));
    EXPECT_LE((found.topLeft() - expected.topLeft()).manhattanLength(), 1)
        << found.x() << "," << found.y();
    EXPECT_LE(std::abs(found.width() - expected.width()), 1);
    EXPECT_LE(std::abs(found.height() - expected.height()), 1);
}

// The window's drawing of a block of cells is the batch command's rendering of the same
// block: the same renderer, pictures included, rotated and cropped ones too.
TEST_F(SheetViewTest, TheWindowDrawsABlockAsTheBatchRenderDoes)
{
    window.workbookCommands().open({sourcePath("tests/fixtures/openpyxl_pictures.xlsx")});
    settle();
    const xl::Worksheet sheet = app.ActiveSheet();
    // Turn and crop the pictures, and shade one, so that those paths are compared too.
    const host::ObjectRef shapes = sheet.get(q("Shapes")).toObject();
    const host::ObjectRef first = shapes->get(q("Item"), {Variant(std::int32_t(1))}).toObject();
    first->let(q("Rotation"), Variant(30.0));
    const host::ObjectRef format = first->get(q("PictureFormat")).toObject();
    format->let(q("CropLeft"), Variant(12.0));
    format->let(q("Brightness"), Variant(0.7));
    format->let(q("Contrast"), Variant(0.35));
    sheet.Range(q("AA300")).Select();

    const auto ws = std::static_pointer_cast<host::objects::Worksheet>(sheet.ref());
    const host::model::Workbook& model = ws->book().model();
    const host::model::CellRect block = host::render::usedArea(model, ws->sheet());
    const QImage rendered =
        host::render::renderRange(model, ws->sheet(), block, 4.0 / 3.0, {.gridLines = true})
            .convertToFormat(QImage::Format_RGB32);
    const QImage image = grabView();
    const host_app::SheetLayout l = layout();
    const QRect shown = l.cellRect(block).toRect();
    ASSERT_TRUE(l.cellArea().contains(shown)) << "the block must show whole";
    const QImage windowBlock = image.copy(shown);
    ASSERT_EQ(windowBlock.size(), rendered.size());
    EXPECT_EQ(windowBlock, rendered);
}

TEST_F(SheetViewTest, WheelBarsAndZoomSetTheWindowsScrollAndZoom)
{
    openSizedSheet();
    const xl::Window w = app.ActiveWindow();
    const QPoint inside = centreOf("B3");
    QWheelEvent down(inside, view().mapToGlobal(inside), QPoint(), QPoint(0, -240), Qt::NoButton,
                     Qt::NoModifier, Qt::NoScrollPhase, false);
    QApplication::sendEvent(&view(), &down);
    settle();
    EXPECT_EQ(w.ScrollRow(), 7);
    EXPECT_EQ(bookWindow().verticalBar().value(), 7);

    QWheelEvent zoom(inside, view().mapToGlobal(inside), QPoint(), QPoint(0, 120), Qt::NoButton,
                     Qt::ControlModifier, Qt::NoScrollPhase, false);
    QApplication::sendEvent(&view(), &zoom);
    settle();
    EXPECT_EQ(w.Zoom(), 110);

    bookWindow().horizontalBar().setValue(4);
    settle();
    EXPECT_EQ(w.ScrollColumn(), 4);
    EXPECT_EQ(layout().visibleCells().left, 4);

    // Automation moves the view and its bars; VisibleRange answers what the view shows.
    w.setScrollRow(40);
    w.setZoom(100);
    settle();
    EXPECT_EQ(bookWindow().verticalBar().value(), 40);
    const host::model::CellRect shown = layout().visibleCells();
    EXPECT_EQ(w.get(q("VisibleRange")).toObject()->get(q("Address")),
              Variant(host::model::formatA1(shown)));
    EXPECT_EQ(shown.top, 40);

    // PointsToScreenPixelsX/Y: where the view draws a sheet position, on the screen, at the
    // scroll position and zoom it has now.
    w.setZoom(150);
    settle();
    const xl::Range d45 = app.ActiveSheet().Range(q("D45"));
    const QPoint drawn = view().mapToGlobal(
        layout()
            .toView(QPointF(d45.get(q("Left")).toDouble(), d45.get(q("Top")).toDouble()))
            .toPoint());
    EXPECT_EQ(w.call(q("PointsToScreenPixelsX"), {d45.get(q("Left"))}).toInt32(), drawn.x());
    EXPECT_EQ(w.call(q("PointsToScreenPixelsY"), {d45.get(q("Top"))}).toInt32(), drawn.y());
    w.setZoom(100);
    settle();

    // Keys bring the active cell into view.
    app.ActiveSheet().Range(q("D40")).Select();
    settle();
    press(Qt::Key_PageDown);
    const xl::Range active = app.ActiveCell();
    EXPECT_GT(active.get(q("Row")).toInt32(), 40);
    EXPECT_GE(w.ScrollRow(), 41);
}

TEST_F(SheetViewTest, ManyChangesInOneTurnRepaintOnce)
{
    openSizedSheet();
    const int before = view().paintCount();
    const xl::Worksheet sheet = app.ActiveSheet();
    for (int i = 1; i <= 50; ++i)
        sheet.Range(q("A") + QString::number(i)).setValue(Variant(double(i)));
    sheet.Range(q("A1:A50")).Select();
    app.ActiveWindow().setScrollRow(3);
    settle();
    QApplication::processEvents();
    EXPECT_EQ(view().paintCount(), before + 1);
}

TEST_F(SheetViewTest, TabsShowTheVisibleSheetsAndActivateThem)
{
    app.Workbooks().Add();
    const xl::Workbook book = app.ActiveWorkbook();
    book.get(q("Worksheets")).toObject()->call(q("Add"));
    book.get(q("Worksheets")).toObject()->call(q("Add"));
    book.Worksheets(2).let(q("Visible"), Variant(std::int32_t(0)));
    settle();
    host_app::SheetTabs& tabs = bookWindow().tabs();
    ASSERT_EQ(tabs.count(), 2);
    EXPECT_EQ(tabs.tabText(tabs.currentIndex()), app.ActiveSheet().Name());
    tabs.setCurrentIndex(1);
    settle();
    EXPECT_EQ(app.ActiveSheet().Name(), tabs.tabText(1));
    book.Worksheets(1).Activate();
    settle();
    EXPECT_EQ(tabs.currentIndex(), 0);
}

} // namespace
