// The thumbnail loader: worker threads, the shown rows first, each path once.
#include "main/insert_dialog/thumbnail_image.h"
#include "main/insert_dialog/thumbnail_loader.h"

#include <QMutex>
#include <QSemaphore>
#include <QTemporaryDir>
#include <QTest>
#include <QThread>

#include <gtest/gtest.h>

#include <atomic>

namespace {

using picrows::ThumbnailLoader;

QString path(int i)
{
    return QStringLiteral("/pictures/%1.jpg").arg(i);
}

TEST(ThumbnailLoader, MakesTheShownPathsFirstAndEachPathOnce)
{
    QSemaphore entered;
    QSemaphore gate;
    QMutex mutex;
    QStringList made;
    ThumbnailLoader loader(
        QSize(8, 8), nullptr,
        [&](const QString& p, QSize size) {
            if (p == path(0)) {
                entered.release();
                gate.acquire(); // the first stays busy until the priorities are set
            }
            QMutexLocker lock(&mutex);
            made << p;
            QImage image(size, QImage::Format_ARGB32);
            image.fill(Qt::red);
            return p == path(9) ? QImage() : image;
        },
        1);
    QStringList delivered;
    int failed = 0;
    QObject::connect(&loader, &ThumbnailLoader::loaded, [&](const QString& p, const QImage& i) {
        delivered << p;
        failed += i.isNull() ? 1 : 0;
    });
    for (int i = 0; i < 10; ++i)
        loader.request(path(i));
    loader.request(path(3)); // asked for again: made once
    EXPECT_EQ(loader.outstanding(), 10);
    ASSERT_TRUE(entered.tryAcquire(1, 5000));
    loader.prioritise({path(7), path(8)});
    gate.release();
    ASSERT_TRUE(QTest::qWaitFor([&] { return loader.outstanding() == 0; }, 5000));

    EXPECT_EQ(made.mid(0, 3), QStringList({path(0), path(7), path(8)}));
    EXPECT_EQ(made.size(), 10);
    EXPECT_EQ(delivered.size(), 10);
    EXPECT_EQ(failed, 1);
}

TEST(ThumbnailLoader, UsesAtMostOneWorkerPerCoreAndStopsWithWorkWaiting)
{
    std::atomic<int> running{0};
    std::atomic<int> most{0};
    std::atomic<int> made{0};
    {
        ThumbnailLoader loader(QSize(8, 8), nullptr, [&](const QString&, QSize) {
            const int now = ++running;
            int seen = most.load();
            while (now > seen && !most.compare_exchange_weak(seen, now)) {
            }
            QThread::msleep(5);
            --running;
            ++made;
            return QImage();
        });
        EXPECT_EQ(loader.workers(), std::max(1, QThread::idealThreadCount()));
        for (int i = 0; i < 200; ++i)
            loader.request(path(i));
        QTest::qWait(30);
    } // gone with work waiting: it stops without delivering to a dead object
    EXPECT_LE(most.load(), std::max(1, QThread::idealThreadCount()));
    EXPECT_LT(made.load(), 200);
}

TEST(ThumbnailImage, KeepsTheProportionsCentredAndMarksTheErrorImage)
{
    QTemporaryDir dir;
    QImage tall(50, 100, QImage::Format_RGB32);
    tall.fill(Qt::blue);
    const QString file = dir.filePath(QStringLiteral("tall.jpg"));
    ASSERT_TRUE(tall.save(file));
    const QImage thumb = picrows::f_MakeThumbnail(file, QSize(80, 50));
    ASSERT_EQ(thumb.size(), QSize(80, 50));
    EXPECT_EQ(qAlpha(thumb.pixel(2, 25)), 0) << "beside the picture: transparent";
    EXPECT_GT(qBlue(thumb.pixel(40, 25)), 200);
    EXPECT_EQ(qAlpha(thumb.pixel(40, 25)), 255);
    EXPECT_TRUE(
        picrows::f_MakeThumbnail(dir.filePath(QStringLiteral("none.png")), QSize(8, 8)).isNull());

    const QImage error = picrows::errorThumbnail(QSize(80, 50));
    ASSERT_EQ(error.size(), QSize(80, 50));
    int dark = 0;
    for (int y = 0; y < 50; ++y)
        for (int x = 0; x < 80; ++x)
            dark += qGray(error.pixel(x, y)) < 128 ? 1 : 0;
    EXPECT_GT(dark, 20) << "the words LoadError";
    EXPECT_EQ(error.pixel(0, 0), qRgb(255, 255, 255));
}

} // namespace
