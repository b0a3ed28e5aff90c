// `picrows savepic`: LibreOffice Draw opens the saved metafile and shows the same picture as
// the saved bitmap, at its natural size.
#include "tests/cli/run_picrows.h"
#include "tests/support/image_distance.h"

#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QImage>
#include <QProcess>
#include <QStandardPaths>
#include <QTemporaryDir>
#include <QUrl>

#include <gtest/gtest.h>

#include <cstdlib>

namespace {

using clitest::fixturePath;
using clitest::runPicrows;

// The bounds of the pixels that are not white.
QRect inkBounds(const QImage& image)
{
    int left = image.width(), top = image.height(), right = -1, bottom = -1;
    for (int y = 0; y < image.height(); ++y)
        for (int x = 0; x < image.width(); ++x) {
            const QRgb p = image.pixel(x, y);
            if (qRed(p) < 250 || qGreen(p) < 250 || qBlue(p) < 250) {
                left = std::min(left, x);
                right = std::max(right, x);
                top = std::min(top, y);
                bottom = std::max(bottom, y);
            }
        }
    return right < 0 ? QRect() : QRect(QPoint(left, top), QPoint(right, bottom));
}

TEST(SavePicLibreOffice, DrawShowsTheMetafileAsTheBitmapShowsIt)
{
    const QString soffice = QStandardPaths::findExecutable(QStringLiteral("soffice"));
    if (soffice.isEmpty())
        GTEST_SKIP() << "LibreOffice is not installed";
    // Draw's registry lies beside the program folder; without Draw no metafile opens.
    const QDir program = QFileInfo(QFileInfo(soffice).canonicalFilePath()).dir();
    if (!QFile::exists(program.filePath(QStringLiteral("../share/.registry/draw.xcd"))))
        GTEST_SKIP() << "LibreOffice Draw is not installed";

    QTemporaryDir dir;
    const QString book = fixturePath(QStringLiteral("libreoffice_pictures.xlsx"));
    for (const char* name : {"cells.emf", "cells.bmp"}) {
        const clitest::Result r = runPicrows(
            {QStringLiteral("savepic"), book, QStringLiteral("--range"), QStringLiteral("A1:E6"),
             QStringLiteral("-o"), dir.filePath(QString::fromLatin1(name))});
        ASSERT_EQ(r.exitCode, 0) << r.err.toStdString();
    }
    QProcess convert;
    convert.start(
        soffice, {QStringLiteral("--headless"),
                  QStringLiteral("-env:UserInstallation=") +
                      QUrl::fromLocalFile(dir.filePath(QStringLiteral("profile"))).toString(),
                  QStringLiteral("--convert-to"), QStringLiteral("png"), QStringLiteral("--outdir"),
                  dir.filePath(QStringLiteral("out")), dir.filePath(QStringLiteral("cells.emf"))});
    ASSERT_TRUE(convert.waitForFinished(240000));
    const QImage page =
        QImage(dir.filePath(QStringLiteral("out/cells.png"))).convertToFormat(QImage::Format_RGB32);
    ASSERT_FALSE(page.isNull()) << convert.readAllStandardError().toStdString();
    const QImage bitmap =
        QImage(dir.filePath(QStringLiteral("cells.bmp"))).convertToFormat(QImage::Format_RGB32);

    // Draw puts the picture on a page at 96 pixels an inch: the same drawing at the same size.
    const QRect onPage = inkBounds(page);
    const QRect inBitmap = inkBounds(bitmap);
    ASSERT_FALSE(inBitmap.isEmpty());
    EXPECT_NEAR(onPage.width(), inBitmap.width(), 2);
    EXPECT_NEAR(onPage.height(), inBitmap.height(), 2);
    const QImage shown = page.copy(QRect(onPage.topLeft(), inBitmap.size()));
    EXPECT_LT(test_support::meanLevels(shown, bitmap.copy(inBitmap)), 3.0);
}

} // namespace
