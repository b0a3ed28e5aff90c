// A host going away takes the picture files it announced for reading ahead with it.
#include "host/imaging/read_ahead.h"
#include "host/imaging/worker_pool.h"
#include "host/objects/host.h"
#include "host/xl/application.h"
#include "tests/host/imaging/test_images.h"

#include <QFile>
#include <QTemporaryDir>
#include <QThreadPool>

#include <gtest/gtest.h>

namespace {

// The files not begun are not read, the ones being read are finished before the host is gone,
// so no worker is left decoding while the process ends.
TEST(HostReadAhead, AHostThatEndsStopsItsReading)
{
    QTemporaryDir dir;
    const QByteArray jpeg = imaging_test::encodeJpeg(imaging_test::photoLike(2400, 1800), false);
    host::VariantArray files;
    QStringList paths;
    for (int i = 0; i < 12; ++i) {
        paths << dir.filePath(QStringLiteral("big%1.jpg").arg(i));
        QFile file(paths.back());
        ASSERT_TRUE(file.open(QIODevice::WriteOnly));
        file.write(jpeg);
        files.items.emplace_back(paths.back());
    }
    files.rows = int(files.items.size());
    {
        host::objects::Host host;
        const xl::Application app(host.application());
        app.call(QStringLiteral("ReadAheadPictureFiles"), {host::Variant(std::move(files))});
    }
    EXPECT_EQ(host::imaging::workerPool().activeThreadCount(), 0);
    EXPECT_FALSE(host::imaging::takeAnnouncedPicture(paths.front()))
        << "its announcement went with it";
    host::imaging::announcePictureFiles({});
}

} // namespace
