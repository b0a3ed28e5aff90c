// `picrows reduce`: a workbook of large photographs shown small becomes several times smaller
// and renders the same; cutting the cropped parts; a second run has nothing to do; refusals.
#include "tests/cli/run_picrows.h"
#include "tests/support/image_distance.h"

#include <QDir>
#include <QImage>
#include <QJsonArray>
#include <QJsonDocument>
#include <QJsonObject>
#include <QPainter>
#include <QRandomGenerator>
#include <QRegularExpression>
#include <QTemporaryDir>

#include <gtest/gtest.h>

#include <cmath>

namespace {

using clitest::runPicrows;
using clitest::samplePath;

QString q(const char* text)
{
    return QString::fromUtf8(text);
}

// A photograph-like JPEG: a gradient under many coloured discs.
QString photo(const QDir& dir, int index)
{
    QImage image(1600, 1200, QImage::Format_RGB32);
    QPainter painter(&image);
    QLinearGradient sky(0, 0, 0, image.height());
    sky.setColorAt(0, QColor(40, 90 + 40 * index, 200));
    sky.setColorAt(1, QColor(240, 140, 50));
    painter.fillRect(image.rect(), sky);
    QRandomGenerator random(quint32(7 + index));
    painter.setPen(Qt::NoPen);
    for (int i = 0; i < 250; ++i) {
        painter.setBrush(
            QColor::fromRgb(random.bounded(256), random.bounded(256), random.bounded(256)));
        const int r = random.bounded(15, 90);
        painter.drawEllipse(QPoint(random.bounded(image.width()), random.bounded(image.height())),
                            r, r);
    }
    painter.end();
    const QString path = dir.filePath(QStringLiteral("photo%1.jpg").arg(index));
    EXPECT_TRUE(image.save(path, "JPEG", 90));
    return path;
}

QStringList resultRows(const QByteArray& out)
{
    QStringList rows = QString::fromUtf8(out).split(u'\n', Qt::SkipEmptyParts);
    rows.removeIf([](const QString& line) {
        return line.startsWith(QStringLiteral("mark\t")) ||
               line.startsWith(QStringLiteral("size\t"));
    });
    return rows;
}

class Reduce : public ::testing::Test
{
protected:
    // The sample album with three photographs of 1200 × 900 points, filled into frames of
    // about 126 × 144 points (so cropped at the sides), not reduced when inserted.
    static void SetUpTestSuite()
    {
        s_dir = new QTemporaryDir;
        const QDir dir(s_dir->path());
        const clitest::Result r = runPicrows(
            {q("insert"), samplePath(q("photo_album.xlsx")), q("--config-dir"),
             dir.filePath(q("config")), q("--range"), q("B3:B10,D3:D10,B13:B20"),
             q("--one-per-area"), q("--no-exclude"), q("--size"), q("fill"), q("--no-reduce"),
             photo(dir, 0), photo(dir, 1), photo(dir, 2), q("-o"), dir.filePath(q("big.xlsx"))});
        ASSERT_EQ(r.exitCode, 0) << r.err.toStdString();
    }
    static void TearDownTestSuite()
    {
        delete s_dir;
        s_dir = nullptr;
    }

    static QString path(const char* name) { return QDir(s_dir->path()).filePath(q(name)); }

    static QImage render(const QString& book)
    {
        const QString png = book + QStringLiteral(".png");
        const clitest::Result r =
            runPicrows({q("render"), book, q("--range"), q("A1:E21"), q("-o"), png});
        EXPECT_EQ(r.exitCode, 0) << r.err.toStdString();
        return QImage(png).convertToFormat(QImage::Format_RGB32);
    }

    static QJsonArray shapesOf(const QString& book)
    {
        const clitest::Result r = runPicrows({q("inspect"), book, q("--json")});
        EXPECT_EQ(r.exitCode, 0) << r.err.toStdString();
        return QJsonDocument::fromJson(r.out)
            .object()[q("sheets")]
            .toArray()
            .at(0)
            .toObject()[q("shapes")]
            .toArray();
    }

    static QTemporaryDir* s_dir;
};

QTemporaryDir* Reduce::s_dir = nullptr;

// Reduced, then cut, then run again: each step keeps the look, the first makes the file
// several times smaller, the last finds nothing to do.
TEST_F(Reduce, LargePhotographsShownSmall)
{
    const QString big = path("big.xlsx");
    const qint64 bigSize = QFileInfo(big).size();

    const clitest::Result reduced = runPicrows({q("reduce"), big, q("-o"), path("small.xlsx")});
    ASSERT_EQ(reduced.exitCode, 0) << reduced.err.toStdString();
    EXPECT_EQ(QString::fromUtf8(reduced.err),
              q("picrows reduce: replaced 3 of 3 pictures; saved ") + path("small.xlsx") + u'\n');
    const QStringList rows = resultRows(reduced.out);
    ASSERT_EQ(rows.size(), 3) << reduced.out.toStdString();
    for (const QString& row : rows) {
        const QStringList f = row.split(u'\t');
        ASSERT_EQ(f.size(), 5) << row.toStdString();
        EXPECT_EQ(f[0], q("○"));
        EXPECT_EQ(f[1], q("big.xlsx"));
        EXPECT_EQ(f[2], q("アルバム"));
        // Untouched size before and after: twice the shown size (126 × 144 points, the
        // photograph's aspect with its sides cropped) plus the copy's border, and the
        // unlinked picture's own cropped edge, copied along at that scale (a pixel each way).
        const QRegularExpressionMatch m =
            QRegularExpression(q("^成功:(\\d+)×(\\d+)→(\\d+)×(\\d+)$")).match(f[4]);
        ASSERT_TRUE(m.hasMatch()) << f[4].toStdString();
        EXPECT_GT(m.captured(1).toInt(), 1000) << f[4].toStdString();
        EXPECT_GT(m.captured(2).toInt(), 750) << f[4].toStdString();
        EXPECT_EQ(m.captured(3).toInt(), 387) << f[4].toStdString();
        EXPECT_EQ(m.captured(4).toInt(), 291) << f[4].toStdString();
    }
    const qint64 smallSize = QFileInfo(path("small.xlsx")).size();
    EXPECT_LT(smallSize * 3, bigSize) << smallSize << " of " << bigSize;
    EXPECT_TRUE(reduced.out.contains(
        QStringLiteral("size\t%1 bytes -> %2 bytes").arg(bigSize).arg(smallSize).toUtf8()))
        << reduced.out.toStdString();

    const QImage before = render(big);
    EXPECT_LT(test_support::meanLevels(before, render(path("small.xlsx"))), 3.0);

    // The frames crop the photographs at the sides: cutting keeps only what shows.
    const clitest::Result cut = runPicrows(
        {q("reduce"), path("small.xlsx"), q("--cut"), q("--no-reduce"), q("-o"), path("cut.xlsx")});
    ASSERT_EQ(cut.exitCode, 0) << cut.err.toStdString();
    EXPECT_EQ(resultRows(cut.out).filter(q("○\t")).size(), 3) << cut.out.toStdString();
    const QJsonArray shapes = shapesOf(path("cut.xlsx"));
    ASSERT_EQ(shapes.size(), 3);
    for (const QJsonValue& s : shapes) {
        EXPECT_NEAR(s[q("crop_left")].toDouble(), 4.0 / 3, 0.01);
        EXPECT_NEAR(s[q("crop_right")].toDouble(), 4.0 / 3, 0.01);
    }
    EXPECT_LT(test_support::meanLevels(before, render(path("cut.xlsx"))), 3.0);

    const clitest::Result again = runPicrows(
        {q("reduce"), path("cut.xlsx"), q("--cut"), q("-o"), path("again.xlsx"), q("--quiet")});
    ASSERT_EQ(again.exitCode, 0) << again.err.toStdString();
    EXPECT_TRUE(again.err.isEmpty()) << again.err.toStdString();
    const QStringList nothing = resultRows(again.out);
    EXPECT_EQ(nothing.size(), 3);
    EXPECT_EQ(nothing.filter(q("-\tcut.xlsx\t")).size(), 3) << again.out.toStdString();
    EXPECT_EQ(nothing.filter(q("縮小化の必要がありません")).size(), 3) << again.out.toStdString();
}

TEST(ReduceArguments, Refused)
{
    QTemporaryDir dir;
    const QString big = samplePath(q("photo_album.xlsx"));
    const QString out = dir.filePath(q("never.xlsx"));
    const struct
    {
        QStringList args;
        int exitCode;
    } cases[] = {
        {{big}, 2},
        {{big, q("-o"), out, q("--in-place")}, 2},
        {{big, q("--cut"), q("--no-cut"), q("-o"), out}, 2},
        {{big, q("--scope"), q("books"), q("-o"), out}, 2},
        {{big, q("--scope"), q("book"), q("--sheet"), q("アルバム"), q("-o"), out}, 2},
        {{big, q("--factor"), q("11"), q("-o"), out}, 2},
        {{big, q("--factor"), q("2.5"), q("-o"), out}, 2},
        {{big, q("--no-reduce"), q("-o"), out}, 2},
        {{big, q("--sheet"), q("NoSuchSheet"), q("-o"), out}, 2},
        {{dir.filePath(q("missing.xlsx")), q("-o"), out}, 3},
    };
    for (const auto& c : cases) {
        const clitest::Result r = runPicrows(QStringList{q("reduce")} + c.args);
        EXPECT_EQ(r.exitCode, c.exitCode) << c.args.join(u' ').toStdString();
        EXPECT_FALSE(r.err.isEmpty()) << c.args.join(u' ').toStdString();
        EXPECT_FALSE(QFileInfo::exists(out));
    }
}

} // namespace
