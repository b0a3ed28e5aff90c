// `picrows render`: the picture's size follows the block's geometry and the scale, the
// default block takes in the shapes, the pictures are drawn, and refusals carry their exit
// codes.
#include "tests/cli/run_picrows.h"

#include <QImage>
#include <QJsonArray>
#include <QJsonDocument>
#include <QJsonObject>
#include <QTemporaryDir>

#include <gtest/gtest.h>

#include <cmath>

namespace {

using clitest::fixturePath;
using clitest::runPicrows;

// The block's size in points as `inspect` reports its cells.
QSizeF blockPoints(const QString& book, const QString& range)
{
    const clitest::Result r =
        runPicrows({QStringLiteral("inspect"), book, QStringLiteral("--range"), range,
                    QStringLiteral("--json")});
    EXPECT_EQ(r.exitCode, 0) << r.err.toStdString();
    const QJsonArray cells = QJsonDocument::fromJson(r.out)
                                 .object()[QStringLiteral("sheets")]
                                 .toArray()
                                 .first()
                                 .toObject()[QStringLiteral("cells")]
                                 .toArray();
    double left = 1e9, top = 1e9, right = 0, bottom = 0;
    for (const QJsonValue& v : cells) {
        const QJsonObject c = v.toObject();
        const double l = c[QStringLiteral("left")].toDouble();
        const double t = c[QStringLiteral("top")].toDouble();
        left = std::min(left, l);
        top = std::min(top, t);
        right = std::max(right, l + c[QStringLiteral("width")].toDouble());
        bottom = std::max(bottom, t + c[QStringLiteral("height")].toDouble());
    }
    return QSizeF(right - left, bottom - top);
}

int saturatedPixels(const QImage& image)
{
    int count = 0;
    for (int y = 0; y < image.height(); ++y)
        for (int x = 0; x < image.width(); ++x)
            if (image.pixelColor(x, y).hsvSaturation() > 100)
                ++count;
    return count;
}

TEST(RenderCommand, PictureSizeIsTheBlockAt96DpiTimesTheScale)
{
    QTemporaryDir dir;
    const QString book = fixturePath(QStringLiteral("libreoffice_layout.xlsx"));
    const QString range = QStringLiteral("A1:D6");
    const QSizeF points = blockPoints(book, range);
    ASSERT_GT(points.width(), 0);
    for (const char* scale : {"1", "2", "0.5"}) {
        const QString out = dir.filePath(QStringLiteral("block.png"));
        const clitest::Result r = runPicrows(
            {QStringLiteral("render"), book, QStringLiteral("--range"), range,
             QStringLiteral("--scale"), QString::fromLatin1(scale), QStringLiteral("-o"), out});
        ASSERT_EQ(r.exitCode, 0) << r.err.toStdString();
        const QImage image(out);
        const double factor = 4.0 / 3.0 * QByteArray(scale).toDouble();
        EXPECT_EQ(image.width(), std::lround(points.width() * factor)) << scale;
        EXPECT_EQ(image.height(), std::lround(points.height() * factor)) << scale;
        EXPECT_NEAR(image.dotsPerMeterX(), 3780 * QByteArray(scale).toDouble(), 1);
    }
}

TEST(RenderCommand, DefaultBlockTakesInThePictures)
{
    QTemporaryDir dir;
    const QString out = dir.filePath(QStringLiteral("pictures.png"));
    const clitest::Result r = runPicrows({QStringLiteral("render"),
                                          fixturePath(QStringLiteral("libreoffice_pictures.xlsx")),
                                          QStringLiteral("-o"), out});
    ASSERT_EQ(r.exitCode, 0) << r.err.toStdString();
    const QImage image(out);
    ASSERT_FALSE(image.isNull());
    EXPECT_GT(saturatedPixels(image), 1000) << "no picture drawn";
}

TEST(RenderCommand, RefusalsHaveTheirExitCodes)
{
    QTemporaryDir dir;
    const QString book = fixturePath(QStringLiteral("libreoffice_layout.xlsx"));
    const QString out = dir.filePath(QStringLiteral("out.png"));
    const struct
    {
        QStringList args;
        int exitCode;
        const char* says;
    } cases[] = {
        {{book}, 2, "missing -o"},
        {{book, QStringLiteral("--scale"), QStringLiteral("0"), QStringLiteral("-o"), out},
         2,
         "--scale"},
        {{book, QStringLiteral("--scale"), QStringLiteral("two"), QStringLiteral("-o"), out},
         2,
         "--scale"},
        {{book, QStringLiteral("--range"), QStringLiteral("A1:"), QStringLiteral("-o"), out},
         2,
         "bad range"},
        {{book, QStringLiteral("--range"), QStringLiteral("A1,C3"), QStringLiteral("-o"), out},
         2,
         "one block"},
        {{book, QStringLiteral("--range"), QStringLiteral("A:A"), QStringLiteral("-o"), out},
         2,
         "too large"},
        {{book, QStringLiteral("--sheet"), QStringLiteral("Nope"), QStringLiteral("-o"), out},
         2,
         "no worksheet named 'Nope'"},
        {{dir.filePath(QStringLiteral("missing.xlsx")), QStringLiteral("-o"), out},
         3,
         "cannot open"},
        {{book, QStringLiteral("-o"), dir.filePath(QStringLiteral("no/such/folder/out.png"))},
         3,
         "cannot write"},
    };
    for (const auto& c : cases) {
        const clitest::Result r = runPicrows(QStringList{QStringLiteral("render")} + c.args);
        EXPECT_EQ(r.exitCode, c.exitCode) << c.args.join(u' ').toStdString();
        EXPECT_TRUE(r.err.contains(c.says)) << r.err.toStdString();
        EXPECT_TRUE(r.err.startsWith("picrows render: ")) << r.err.toStdString();
    }
    EXPECT_FALSE(QFile::exists(out));
}

} // namespace
