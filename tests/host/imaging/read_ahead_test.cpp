// Picture files announced ahead are read on the worker threads and handed over in their turn;
// what a caller gets is what reading the file then would have given.
#include "host/automation/host_error.h"
#include "host/imaging/encoded_image.h"
#include "host/imaging/read_ahead.h"
#include "host/imaging/worker_pool.h"
#include "tests/host/imaging/test_images.h"

#include <QDateTime>
#include <QFile>
#include <QTemporaryDir>
#include <QThreadPool>

#include <gtest/gtest.h>

namespace {

using namespace host::imaging;

class ReadAhead : public ::testing::Test
{
protected:
    ~ReadAhead() override { announcePictureFiles({}); }

    QString write(const char* name, const QByteArray& bytes)
    {
        const QString path = m_dir.filePath(QString::fromUtf8(name));
        QFile file(path);
        EXPECT_TRUE(file.open(QIODevice::WriteOnly));
        file.write(bytes);
        return path;
    }
    QString png(const char* name, int width)
    {
        return write(name, imaging_test::encode(imaging_test::quadrants(width, 10), "png"));
    }

    QTemporaryDir m_dir;
};

TEST_F(ReadAhead, TakenInTurnSkippedOnesDroppedChangedOnesReadAgain)
{
    const QString a = png("a.png", 10), b = png("b.png", 20), c = png("c.png", 30);
    announcePictureFiles({a, b, c});
    workerPool().waitForDone();

    EXPECT_EQ(loadPictureFile(b).pixelSize, QSize(20, 10));
    EXPECT_FALSE(takeAnnouncedPicture(a)) << "a file passed over is dropped";
    EXPECT_EQ(loadPictureFile(a).pixelSize, QSize(10, 10)) << "and read when asked for later";

    // c was read ahead; then it changed on disk.
    png("c.png", 40);
    QFile changed(c);
    ASSERT_TRUE(changed.open(QIODevice::ReadWrite));
    changed.setFileTime(QDateTime::currentDateTime().addSecs(60),
                        QFileDevice::FileModificationTime);
    changed.close();
    EXPECT_EQ(loadPictureFile(c).pixelSize, QSize(40, 10));
}

TEST_F(ReadAhead, RefusedFileRaisesTheSameErrorInItsTurn)
{
    QByteArray jpeg = imaging_test::encodeJpeg(imaging_test::photoLike(64, 48), true);
    jpeg.chop(jpeg.size() / 2);
    const QString broken = write("broken.jpg", jpeg);
    QString direct;
    try {
        loadPictureFileNow(broken);
    } catch (const host::HostError& e) {
        direct = e.description();
    }
    ASSERT_FALSE(direct.isEmpty());

    announcePictureFiles({broken, png("next.png", 10)});
    workerPool().waitForDone();
    try {
        loadPictureFile(broken);
        FAIL() << "a damaged file must be refused";
    } catch (const host::HostError& e) {
        EXPECT_EQ(e.description(), direct);
    }
}

} // namespace
