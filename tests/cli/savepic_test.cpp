// `picrows savepic`: cells with a picture and a single shape saved as JPEG, BMP and EMF show
// what the host's copy renders, and refusals carry their exit codes.
#include "tests/cli/run_picrows.h"
#include "tests/support/image_distance.h"

#include <QFile>
#include <QImage>
#include <QImageReader>
#include <QTemporaryDir>
#include <QtEndian>

#include <gtest/gtest.h>

#include <cmath>
#include <cstdlib>

namespace {

using clitest::fixturePath;
using clitest::runPicrows;

const QString kBook = fixturePath(QStringLiteral("libreoffice_pictures.xlsx"));

// The frame of an enhanced metafile's header record, in points (it is stored in hundredths
// of a millimetre); empty when the file does not start with that record.
QSizeF emfFrame(const QString& path)
{
    QFile file(path);
    if (!file.open(QIODevice::ReadOnly))
        return {};
    const QByteArray head = file.read(44);
    if (head.size() < 44 || qFromLittleEndian<quint32>(head.constData()) != 1 ||
        head.mid(40, 4) != QByteArray(" EMF"))
        return {};
    const auto at = [&](int offset) {
        return qFromLittleEndian<qint32>(head.constData() + offset);
    };
    return QSizeF((at(32) - at(24)) * 72.0 / 2540.0, (at(36) - at(28)) * 72.0 / 2540.0);
}

clitest::Result savepic(const QStringList& args)
{
    return runPicrows(QStringList{QStringLiteral("savepic"), kBook} + args);
}

TEST(SavePicCommand, CellsWithAPictureAreSavedAsJpegBitmapAndMetafile)
{
    QTemporaryDir dir;
    const QString range = QStringLiteral("A1:E6");
    const QString rendered = dir.filePath(QStringLiteral("rendered.png"));
    ASSERT_EQ(runPicrows({QStringLiteral("render"), kBook, QStringLiteral("--range"), range,
                          QStringLiteral("-o"), rendered})
                  .exitCode,
              0);
    const QImage expected = QImage(rendered).convertToFormat(QImage::Format_RGB32);
    ASSERT_FALSE(expected.isNull());

    for (const char* name : {"cells.jpg", "cells.bmp", "cells.emf"}) {
        const clitest::Result r = savepic({QStringLiteral("--range"), range, QStringLiteral("-o"),
                                           dir.filePath(QString::fromLatin1(name))});
        ASSERT_EQ(r.exitCode, 0) << name << ": " << r.err.toStdString();
        EXPECT_TRUE(r.err.isEmpty()) << r.err.toStdString();
    }
    QImageReader bmp(dir.filePath(QStringLiteral("cells.bmp")));
    EXPECT_EQ(bmp.format(), QByteArray("bmp"));
    EXPECT_EQ(bmp.read().convertToFormat(QImage::Format_RGB32), expected);
    QImageReader jpg(dir.filePath(QStringLiteral("cells.jpg")));
    EXPECT_EQ(jpg.format(), QByteArray("jpeg"));
    EXPECT_LT(test_support::meanLevels(jpg.read(), expected), 3.0);
    // 96 pixels an inch: the frame is the rendering's size in points.
    const QSizeF frame = emfFrame(dir.filePath(QStringLiteral("cells.emf")));
    EXPECT_NEAR(frame.width(), expected.width() * 0.75, 0.02);
    EXPECT_NEAR(frame.height(), expected.height() * 0.75, 0.02);
}

TEST(SavePicCommand, AShapeIsSavedWithTheCopyMarginAroundIt)
{
    QTemporaryDir dir;
    const QString out = dir.filePath(QStringLiteral("straight.JPG"));
    const clitest::Result r =
        savepic({QStringLiteral("--sheet"), QStringLiteral("Pictures"), QStringLiteral("--shape"),
                 QStringLiteral("Straight"), QStringLiteral("-o"), out});
    ASSERT_EQ(r.exitCode, 0) << r.err.toStdString();
    const QImage image(out);
    // 145.48 × 51.2 points at 1.5 pixels a point, two pixels of margin on each side.
    EXPECT_NEAR(image.width(), 145.48 * 1.5 + 4, 1);
    EXPECT_NEAR(image.height(), 51.2 * 1.5 + 4, 1);
    EXPECT_GT(qRed(image.pixel(0, 0)), 240); // the margin is white
    EXPECT_GT(qGreen(image.pixel(0, 0)), 240);
}

TEST(SavePicCommand, RefusalsHaveTheirExitCodes)
{
    QTemporaryDir dir;
    const QString jpg = dir.filePath(QStringLiteral("out.jpg"));
    const QString range = QStringLiteral("--range");
    const QString o = QStringLiteral("-o");
    const struct
    {
        QStringList args;
        int exitCode;
        const char* says;
    } cases[] = {
        {{range, QStringLiteral("A1:B2")}, 2, "missing -o"},
        {{range, QStringLiteral("A1:B2"), o, dir.filePath(QStringLiteral("out.png"))},
         2,
         "must end in .emf, .bmp or .jpg"},
        {{range, QStringLiteral("A1:B2"), o, dir.filePath(QStringLiteral("out.jpeg"))},
         2,
         "must end in .emf, .bmp or .jpg"},
        {{o, jpg}, 2, "either --range ADDR or --shape NAME"},
        {{range, QStringLiteral("A1"), QStringLiteral("--shape"), QStringLiteral("Straight"), o,
          jpg},
         2,
         "either --range ADDR or --shape NAME"},
        {{range, QStringLiteral("A1:"), o, jpg}, 2, "bad range"},
        {{QStringLiteral("--shape"), QStringLiteral("Nope"), o, jpg}, 2, "no shape named 'Nope'"},
        {{QStringLiteral("--sheet"), QStringLiteral("Nope"), range, QStringLiteral("A1:B2"), o,
          jpg},
         2,
         "no worksheet named 'Nope'"},
        {{range, QStringLiteral("A1:B2"), o, dir.filePath(QStringLiteral("missing/out.bmp"))},
         3,
         "Err(75"},
    };
    for (const auto& c : cases) {
        const clitest::Result r = savepic(c.args);
        EXPECT_EQ(r.exitCode, c.exitCode) << c.args.join(u' ').toStdString();
        EXPECT_TRUE(r.err.contains(c.says)) << r.err.toStdString();
    }
    EXPECT_FALSE(QFile::exists(jpg));
    const clitest::Result missing =
        runPicrows({QStringLiteral("savepic"), dir.filePath(QStringLiteral("none.xlsx")), range,
                    QStringLiteral("A1"), o, jpg});
    EXPECT_EQ(missing.exitCode, 3);
}

} // namespace
