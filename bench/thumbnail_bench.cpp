// Times the insertion dialog's thumbnails of 12-megapixel photographs dropped on its list: the
// time until the rows the list shows have theirs, and until every photograph has one, against
// the floor for this work (decoding every photograph once, on one core, at 1/8 of its size),
// and how long the dialog's event loop was held up meanwhile. Builds its photographs in a
// work folder that later runs (and insert_bench) reuse.
//
//   thumbnail_bench [--work DIR] [--count 1000] [--distinct 100]
//
// Photographs the work folder lacks are made: the first `distinct` drawn, the others copies of
// them with comments of their own (other files, the same decoding work).

#include "bench/bench_photos.h"
#include "host/objects/host.h"
#include "main/insert_dialog/frm_get.h"
#include "main/insert_dialog/picture_list_model.h"
#include "main/insert_dialog/picture_list_view.h"
#include "main/insert_dialog/thumbnail_image.h"
#include "main/insert_dialog/thumbnail_loader.h"
#include "main/settings/setting.h"
#include "main/startup/startup_context.h"
#include "platform/settings_store.h"

#include <QApplication>
#include <QDragEnterEvent>
#include <QEventLoop>
#include <QMimeData>
#include <QTemporaryDir>
#include <QThread>
#include <QTimer>
#include <QUrl>

#include <cstdio>

namespace {

double seconds(const QElapsedTimer& timer)
{
    return double(timer.nsecsElapsed()) / 1e9;
}

// Every row the list shows has its thumbnail (or the error image).
bool firstScreenDone(const picrows::frmGet& dialog)
{
    const picrows::PictureListView* list = dialog.lstFiles();
    if (!list->isVisible() || dialog.pictureFiles().isEmpty())
        return false;
    const int first = std::max(0, list->indexAt(QPoint(1, 1)).row());
    int last = list->indexAt(QPoint(1, list->viewport()->height() - 1)).row();
    if (last < 0)
        last = dialog.pictureFiles().count() - 1;
    return dialog.listModel()->pathsWaitingForThumbnails(first, last).isEmpty();
}

} // namespace

int main(int argc, char** argv)
{
    if (qEnvironmentVariableIsEmpty("QT_QPA_PLATFORM"))
        qputenv("QT_QPA_PLATFORM", "offscreen");
    QApplication application(argc, argv);
    QString work = QDir::tempPath() + QStringLiteral("/picrows-insert-bench");
    int count = 1000;
    int distinct = 100;
    const QStringList args = QCoreApplication::arguments();
    for (qsizetype i = 1; i < args.size(); ++i) {
        if (args[i] == QStringLiteral("--work") && i + 1 < args.size())
            work = args[++i];
        else if (args[i] == QStringLiteral("--count") && i + 1 < args.size())
            count = std::max(1, args[++i].toInt());
        else if (args[i] == QStringLiteral("--distinct") && i + 1 < args.size())
            distinct = std::max(1, args[++i].toInt());
        else {
            std::fprintf(stderr,
                         "usage: thumbnail_bench [--work DIR] [--count 1000] [--distinct 100]\n");
            return 2;
        }
    }
    const QString folder = work + QStringLiteral("/photos");
    bench::makePhotos(folder, count, distinct);
    QStringList photos;
    for (int i = 0; i < count; ++i)
        photos << bench::photoPath(folder, i);

    // Once through every file first, so that both measurements find them in the page cache.
    bench::decodeFloor(photos.mid(0, 1), 8);
    for (const QString& p : photos) {
        QFile file(p);
        if (file.open(QIODevice::ReadOnly))
            file.readAll();
    }
    const double floor = bench::decodeFloor(photos, 8);
    // One thumbnail as the workers make it, on this thread alone, for a per-photograph figure.
    const QStringList sample = photos.mid(0, std::min<qsizetype>(photos.size(), 20));
    QElapsedTimer one;
    one.start();
    for (const QString& p : sample)
        picrows::f_MakeThumbnail(p, QSize(80, 50));
    const double perThumbnail = seconds(one) / double(sample.size());
    const double perDecode = bench::decodeFloor(sample, 8) / double(sample.size());

    QTemporaryDir config;
    host::objects::Host host;
    picrows::StartupContext& context = picrows::startupContext();
    context.gobjXlApp = xl::Application(host.application());
    context.store = std::make_unique<platform::SettingsStore>(config.path());
    context.gobjSetting =
        std::make_unique<picrows::c_Setting>(*context.store, context.gobjXlApp.ref());

    double listed = 0, firstScreen = 0, all = 0, longestGap = 0, opened = 0;
    int workers = 0;
    QSize iconSize;
    {
        QElapsedTimer opening;
        opening.start();
        picrows::frmGet dialog;
        dialog.show();
        QCoreApplication::processEvents();
        opened = seconds(opening);
        workers = dialog.thumbnails()->workers();
        iconSize = dialog.thumbnails()->size();

        // How long the event loop goes without running a 5 ms timer.
        QElapsedTimer sinceTick;
        QTimer ticker;
        ticker.setInterval(5);
        QObject::connect(&ticker, &QTimer::timeout, [&] {
            longestGap = std::max(longestGap, seconds(sinceTick));
            sinceTick.restart();
        });

        QMimeData data;
        QList<QUrl> urls;
        for (const QString& p : photos)
            urls << QUrl::fromLocalFile(p);
        data.setUrls(urls);
        QWidget* target = dialog.lstFiles()->viewport();
        QElapsedTimer timer;
        timer.start();
        sinceTick.start();
        ticker.start();
        QDragEnterEvent enter(QPoint(5, 5), Qt::CopyAction, &data, Qt::LeftButton, Qt::NoModifier);
        QCoreApplication::sendEvent(target, &enter);
        QDropEvent drop(QPointF(5, 5), Qt::CopyAction, &data, Qt::LeftButton, Qt::NoModifier);
        QCoreApplication::sendEvent(target, &drop);
        listed = seconds(timer);
        while (!firstScreenDone(dialog))
            QCoreApplication::processEvents(QEventLoop::AllEvents, 5);
        firstScreen = seconds(timer);
        // A real event loop, sleeping between deliveries as the dialog's own does (a loop of
        // processEvents calls would spin and take a core from the workers).
        if (dialog.thumbnails()->outstanding() > 0) {
            QEventLoop loop;
            const QMetaObject::Connection done = QObject::connect(
                dialog.thumbnails(), &picrows::ThumbnailLoader::loaded, &loop,
                [&] {
                    if (dialog.thumbnails()->outstanding() == 0)
                        loop.quit();
                },
                Qt::QueuedConnection);
            loop.exec();
            QObject::disconnect(done);
        }
        all = seconds(timer);
        ticker.stop();
        dialog.close();
    }
    context.clear();

    std::printf("%d photographs of %d x %d pixels (JPEG, quality 90) into thumbnails of %d x %d; "
                "%d cores, %d workers\n\n",
                count, bench::kPhotoWidth, bench::kPhotoHeight, iconSize.width(), iconSize.height(),
                QThread::idealThreadCount(), workers);
    std::printf(
        "  one photograph, one core: decoded at 1/8 %.1f ms, made into a thumbnail %.1f ms\n",
        perDecode * 1000, perThumbnail * 1000);
    std::printf("  the dialog made and shown (host in this process)    %8.3f s\n", opened);
    std::printf("  floor: every photograph decoded at 1/8, one core   %8.3f s\n", floor);
    std::printf("  dropped on the list, listed                         %8.3f s\n", listed);
    std::printf("  first screen of thumbnails                          %8.3f s   (target 1 s)\n",
                firstScreen);
    std::printf("  every thumbnail                                     %8.3f s   %.2f x floor "
                "(target 0.7)\n",
                all, all / floor);
    std::printf("  longest wait of the dialog's event loop meanwhile   %8.3f s\n", longestGap);
    return 0;
}
