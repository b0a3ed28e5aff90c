// Times the host application's sheet view on a sheet of 400 pictures: the first drawn view
// after opening the workbook, and frames at 60 successive scroll positions. Baselines measured
// in the same run: the same frames of an empty sheet, and of the picture sheet with the
// picture caches dropped before every frame.
#include "host/imaging/picture_render.h"
#include "host/objects/application.h"
#include "host/objects/host.h"
#include "host/objects/workbook.h"
#include "host/objects/worksheet.h"
#include "host_app/host_dialogs.h"
#include "host_app/main_window.h"
#include "host_app/recent_files.h"
#include "host_app/sheet_view.h"
#include "host_app/workbook_window.h"

#include <QApplication>
#include <QElapsedTimer>
#include <QImage>
#include <QPainter>
#include <QTemporaryDir>

#include <algorithm>
#include <cstdio>
#include <functional>
#include <vector>

namespace {

using host::Variant;

constexpr int kPictures = 400;
constexpr int kColumns = 8; // pictures per row of cells
constexpr int kFrames = 60;

class NoDialogs : public host_app::HostDialogs
{
public:
    QStringList workbooksToOpen(QWidget*) override { return {}; }
    QString saveAsPath(QWidget*, const QString&) override { return {}; }
    QStringList picturesToInsert(QWidget*) override { return {}; }
    QString saveFileName(QWidget*, const QString&, const QString&, const QString&, int) override
    {
        return {};
    }
    std::optional<QString> sheetName(QWidget*, const QString&) override { return {}; }
    std::optional<Protection> sheetProtection(QWidget*) override { return {}; }
    std::optional<QString> unprotectPassword(QWidget*) override { return {}; }
};

// A photograph-like JPEG: gradients and a disc, different for every index.
QString makePicture(const QString& folder, int index)
{
    QImage image(1600, 1200, QImage::Format_RGB32);
    QPainter painter(&image);
    QLinearGradient gradient(0, 0, 1600, 1200);
    gradient.setColorAt(0, QColor::fromHsv((index * 37) % 360, 160, 230));
    gradient.setColorAt(1, QColor::fromHsv((index * 37 + 120) % 360, 200, 90));
    painter.fillRect(image.rect(), gradient);
    painter.setBrush(QColor::fromHsv((index * 53) % 360, 220, 250));
    painter.drawEllipse(QPointF(300 + index % 10 * 100, 300 + index % 7 * 90), 260, 260);
    painter.end();
    const QString path = folder + QStringLiteral("/p%1.jpg").arg(index, 3, 10, QChar(u'0'));
    image.save(path, "JPEG", 85);
    return path;
}

// 400 pictures in cells of 8 columns, each fitted into its cell, saved as a workbook.
QString makeWorkbook(const QString& folder)
{
    host::objects::Host maker;
    const auto book = maker.app().addNew(1);
    const auto sheet = book->activeSheet();
    const host::ObjectRef columns = sheet->get(QStringLiteral("Columns")).toObject();
    for (int c = 1; c <= kColumns; ++c)
        columns->get(QStringLiteral("Item"), {Variant(std::int32_t(c))})
            .toObject()
            ->let(QStringLiteral("ColumnWidth"), Variant(20.0));
    const host::ObjectRef rows = sheet->get(QStringLiteral("Rows")).toObject();
    const host::ObjectRef pictures = sheet->get(QStringLiteral("Pictures")).toObject();
    for (int i = 0; i < kPictures; ++i) {
        const int row = i / kColumns + 1;
        const int column = i % kColumns + 1;
        if (column == 1)
            rows->get(QStringLiteral("Item"), {Variant(std::int32_t(row))})
                .toObject()
                ->let(QStringLiteral("RowHeight"), Variant(80.0));
        const host::ObjectRef cell =
            sheet
                ->get(QStringLiteral("Cells"),
                      {Variant(std::int32_t(row)), Variant(std::int32_t(column))})
                .toObject();
        cell->call(QStringLiteral("Select"));
        const host::ObjectRef picture =
            pictures->call(QStringLiteral("Insert"), {makePicture(folder, i)}).toObject();
        const host::ObjectRef shape = picture->get(QStringLiteral("ShapeRange")).toObject();
        shape->let(QStringLiteral("LockAspectRatio"), Variant(false));
        shape->let(QStringLiteral("Width"), cell->get(QStringLiteral("Width")));
        shape->let(QStringLiteral("Height"), cell->get(QStringLiteral("Height")));
    }
    const QString path = folder + QStringLiteral("/pictures.xlsx");
    book->saveAs(path);
    return path;
}

// Lets the windows follow the model and lay themselves out, as the event loop would.
void settle(host_app::MainWindow& window)
{
    for (int i = 0; i < 3; ++i) {
        window.flush();
        QApplication::processEvents();
    }
}

double median(std::vector<double> values)
{
    std::sort(values.begin(), values.end());
    const size_t n = values.size();
    return n % 2 ? values[n / 2] : (values[n / 2 - 1] + values[n / 2]) / 2;
}

// Milliseconds of each synchronous repaint at 60 successive scroll rows.
std::vector<double> scrollFrames(host::objects::Workbook& book, host_app::SheetView& view,
                                 const std::function<void()>& beforeFrame)
{
    std::vector<double> frames;
    const host::ObjectRef window = book.window();
    for (int i = 0; i < kFrames; ++i) {
        window->let(QStringLiteral("ScrollRow"), Variant(std::int32_t(1 + i)));
        if (beforeFrame)
            beforeFrame();
        QElapsedTimer timer;
        timer.start();
        view.repaint();
        frames.push_back(timer.nsecsElapsed() / 1e6);
    }
    window->let(QStringLiteral("ScrollRow"), Variant(std::int32_t(1)));
    return frames;
}

} // namespace

int main(int argc, char** argv)
{
    if (!qEnvironmentVariableIsSet("QT_QPA_PLATFORM"))
        qputenv("QT_QPA_PLATFORM", "offscreen");
    QApplication qtApp(argc, argv);
    QTemporaryDir work;
    std::printf("making %d pictures and their workbook...\n", kPictures);
    const QString path = makeWorkbook(work.path());
    host::imaging::clearPictureCaches();

    host::objects::Host host;
    NoDialogs dialogs;
    host_app::RecentFiles recent(work.path() + QStringLiteral("/recent.ini"));
    host_app::MainWindow window(host.app(), dialogs, recent);
    window.resize(1280, 800);
    window.show();
    window.workbookCommands().newWorkbook();
    window.flush();
    QApplication::processEvents();

    // The first view: opening the workbook until its window has been drawn once.
    QElapsedTimer first;
    first.start();
    window.workbookCommands().open({path});
    window.flush();
    settle(window); // the new window laid out
    host_app::WorkbookWindow* shown = window.activeWorkbookWindow();
    shown->view().repaint();
    const double firstView = first.nsecsElapsed() / 1e6;
    host::objects::Workbook& book = *shown->book();
    const QSize size = shown->view().size();

    const std::vector<double> warm = scrollFrames(book, shown->view(), {});
    const std::vector<double> cached = scrollFrames(book, shown->view(), {});
    const std::vector<double> uncached =
        scrollFrames(book, shown->view(), [] { host::imaging::clearPictureCaches(); });

    window.workbookCommands().newWorkbook();
    settle(window);
    host_app::WorkbookWindow* empty = window.activeWorkbookWindow();
    const std::vector<double> emptyFrames = scrollFrames(*empty->book(), empty->view(), {});

    std::printf("view %dx%d pixels at 100 %%, %d pictures on the sheet\n", size.width(),
                size.height(), kPictures);
    std::printf("first drawn view (open + first paint): %8.1f ms   (target < 1000 ms)\n",
                firstView);
    std::printf("scroll frames, first pass:             %8.2f ms median, %.2f ms worst\n",
                median(warm), *std::max_element(warm.begin(), warm.end()));
    std::printf("scroll frames, again:                  %8.2f ms median (target < 16 ms)\n",
                median(cached));
    std::printf("baseline, empty sheet:                 %8.2f ms median   ratio %.1f\n",
                median(emptyFrames), median(cached) / std::max(0.001, median(emptyFrames)));
    std::printf("baseline, picture caches dropped:      %8.2f ms median   ratio %.2f\n",
                median(uncached), median(cached) / std::max(0.001, median(uncached)));
    return 0;
}
