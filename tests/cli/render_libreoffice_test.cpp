// `picrows render` draws formatted cells as LibreOffice prints them: the same workbook is printed
// to PDF by LibreOffice (in the Japanese locale the host follows) and rendered by the batch
// command, both at 96 dpi, and the two pictures are compared where formatting shows.
//
// Tolerances: both draw the same fonts (Carlito for Calibri, Noto Sans CJK for Japanese) at the
// same sizes, but LibreOffice's PDF goes through poppler's rasteriser and ours through Qt's,
// and the two round cell edges to pixels on their own. So lines and the centres of words are
// compared within 3 pixels (two roundings and a glyph's side bearing), ink amounts (how bold)
// within a third, and whole pictures as means over blocks of 8 × 8 pixels, where glyph edges
// rasterised differently average out while a word drawn elsewhere, in another size or weight,
// or a missing fill or line does not.
#include "tests/cli/run_picrows.h"

#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QImage>
#include <QProcess>
#include <QStandardPaths>
#include <QTemporaryDir>
#include <QUrl>

#include <gtest/gtest.h>

#include <cmath>
#include <cstdio>
#include <cstdlib>
#include <vector>

namespace {

using clitest::runPicrows;

bool run(const QString& program, const QStringList& args)
{
    QProcess p;
    p.start(program, args);
    return p.waitForFinished(300000) && p.exitCode() == 0;
}

// The first page LibreOffice prints of `book`, at 96 dpi.
QImage printedPage(const QString& book, const QTemporaryDir& dir)
{
    // A profile whose locale is Japanese, as the host's built-in formats are.
    const QString profile = dir.filePath(QStringLiteral("profile"));
    QDir().mkpath(profile + QStringLiteral("/user"));
    QFile settings(profile + QStringLiteral("/user/registrymodifications.xcu"));
    if (!settings.open(QIODevice::WriteOnly))
        return {};
    settings.write(R"(<?xml version="1.0" encoding="UTF-8"?>
<oor:items xmlns:oor="http://openoffice.org/2001/registry" xmlns:xs="http://www.w3.org/2001/XMLSchema" xmlns:xsi="http://www.w3.org/2001/XMLSchema-instance">
<item oor:path="/org.openoffice.Setup/L10N"><prop oor:name="ooSetupSystemLocale" oor:op="fuse"><value>ja-JP</value></prop></item>
</oor:items>
)");
    settings.close();
    const QString out = dir.filePath(QStringLiteral("pdf"));
    run(QStringLiteral("soffice"),
        {QStringLiteral("--headless"),
         QStringLiteral("-env:UserInstallation=") + QUrl::fromLocalFile(profile).toString(),
         QStringLiteral("--convert-to"), QStringLiteral("pdf"), QStringLiteral("--outdir"), out,
         book});
    const QString pdf = out + u'/' + QFileInfo(book).completeBaseName() + QStringLiteral(".pdf");
    const QString png = dir.filePath(QStringLiteral("page"));
    run(QStringLiteral("pdftoppm"),
        {QStringLiteral("-png"), QStringLiteral("-r"), QStringLiteral("96"), QStringLiteral("-f"),
         QStringLiteral("1"), QStringLiteral("-l"), QStringLiteral("1"),
         QStringLiteral("-singlefile"), pdf, png});
    return QImage(png + QStringLiteral(".png")).convertToFormat(QImage::Format_RGB32);
}

QImage rendered(const QString& book, const QString& sheet, const QString& range,
                const QTemporaryDir& dir)
{
    const QString out = dir.filePath(QStringLiteral("ours.png"));
    const clitest::Result r =
        runPicrows({QStringLiteral("render"), book, QStringLiteral("--sheet"), sheet,
                    QStringLiteral("--range"), range, QStringLiteral("-o"), out});
    EXPECT_EQ(r.exitCode, 0) << r.err.toStdString();
    return QImage(out).convertToFormat(QImage::Format_RGB32);
}

bool dark(QRgb p, int below)
{
    return qGray(p) < below;
}

// The columns (or rows) of lines: straight runs of at least `length` pixels darker than
// `below`, neighbours taken as one line (a rasteriser may spread a line over two), each given
// by its middle.
std::vector<double> lines(const QImage& image, bool vertical, int length, int below = 200)
{
    std::vector<double> out;
    const int across = vertical ? image.width() : image.height();
    const int along = vertical ? image.height() : image.width();
    int first = -1, last = -2;
    for (int i = 0; i <= across; ++i) {
        int run = 0, best = 0;
        for (int j = 0; i < across && j < along; ++j) {
            const QRgb p = vertical ? image.pixel(i, j) : image.pixel(j, i);
            run = dark(p, below) ? run + 1 : 0;
            best = std::max(best, run);
        }
        if (best >= length) {
            if (i != last + 1)
                first = i;
            last = i;
        } else if (last == i - 1 && first >= 0) {
            out.push_back((first + last) / 2.0);
            first = -1;
        }
    }
    return out;
}

// Where the ink of `band` lies: its horizontal and vertical centre, and how much there is.
struct Ink
{
    double x = -1;
    double y = -1;
    double amount = 0;
    int top = -1;
    int bottom = -1;
};

Ink inkOf(const QImage& image, QRect band, int below = 160)
{
    Ink ink;
    double sx = 0, sy = 0;
    band &= image.rect();
    for (int y = band.top(); y <= band.bottom(); ++y)
        for (int x = band.left(); x <= band.right(); ++x) {
            const int g = qGray(image.pixel(x, y));
            if (g >= below)
                continue;
            const double w = below - g;
            sx += w * x;
            sy += w * y;
            ink.amount += w;
            if (ink.top < 0)
                ink.top = y;
            ink.bottom = y;
        }
    if (ink.amount > 0) {
        ink.x = sx / ink.amount;
        ink.y = sy / ink.amount;
    }
    return ink;
}

// The mean difference of grey levels over blocks of `n` × `n` pixels.
double blockDifference(const QImage& a, const QImage& b, int n)
{
    const int w = std::min(a.width(), b.width()) / n, h = std::min(a.height(), b.height()) / n;
    double sum = 0;
    for (int by = 0; by < h; ++by)
        for (int bx = 0; bx < w; ++bx) {
            double da = 0, db = 0;
            for (int y = by * n; y < (by + 1) * n; ++y)
                for (int x = bx * n; x < (bx + 1) * n; ++x) {
                    da += qGray(a.pixel(x, y));
                    db += qGray(b.pixel(x, y));
                }
            sum += std::abs(da - db) / (n * n);
        }
    return w > 0 && h > 0 ? sum / (w * h) : 255;
}

bool needsLibreOffice()
{
    return QStandardPaths::findExecutable(QStringLiteral("soffice")).isEmpty() ||
           QStandardPaths::findExecutable(QStringLiteral("pdftoppm")).isEmpty();
}

// Off until the column widths agree: LibreOffice prints this book's 24-character columns about
// 6 % wider than the host lays them out (rows agree), so every horizontal comparison below is
// off by that much. The other comparisons with LibreOffice's print run.
TEST(RenderLibreOffice, DISABLED_PhotoAlbumShowsItsTitleFramesAndCaptionsAsPrinted)
{
    if (needsLibreOffice())
        GTEST_SKIP() << "LibreOffice or pdftoppm is not installed";
    QTemporaryDir dir;
    const QString book = clitest::samplePath(QStringLiteral("photo_album.xlsx"));
    const QImage page = printedPage(book, dir);
    ASSERT_FALSE(page.isNull());
    const QImage ours = rendered(book, QStringLiteral("アルバム"), QStringLiteral("A1:E21"), dir);
    ASSERT_FALSE(ours.isNull());
    if (const char* keep = std::getenv("PICROWS_KEEP_RENDER")) {
        page.save(QString::fromLocal8Bit(keep) + QStringLiteral("/album_libreoffice.png"));
        ours.save(QString::fromLocal8Bit(keep) + QStringLiteral("/album_picrows.png"));
    }

    // Both pictures from the first frame's top-left corner on: the frames' grey lines.
    const std::vector<double> pageColumns = lines(page, true, 150);
    const std::vector<double> pageRows = lines(page, false, 150);
    const std::vector<double> ourColumns = lines(ours, true, 150);
    const std::vector<double> ourRows = lines(ours, false, 150);
    ASSERT_EQ(ourColumns.size(), 4u); // each frame's left and right
    ASSERT_EQ(ourRows.size(), 4u);    // each row of frames' top and bottom
    ASSERT_EQ(pageColumns.size(), ourColumns.size());
    ASSERT_EQ(pageRows.size(), ourRows.size());
    const QPoint pageCorner(int(std::lround(pageColumns.front())),
                            int(std::lround(pageRows.front())));
    const QPoint ourCorner(int(std::lround(ourColumns.front())), int(std::lround(ourRows.front())));
    for (size_t i = 0; i < ourColumns.size(); ++i)
        EXPECT_NEAR(ourColumns[i] - ourCorner.x(), pageColumns[i] - pageCorner.x(), 3) << i;
    for (size_t i = 0; i < ourRows.size(); ++i)
        EXPECT_NEAR(ourRows[i] - ourCorner.y(), pageRows[i] - pageCorner.y(), 3) << i;
    // Where our picture's top-left corner lies on the page.
    const QPoint offset = pageCorner - ourCorner;

    // The frames' fill.
    const QPoint inFrame(20, 20);
    EXPECT_NEAR(qGray(ours.pixel(ourCorner + inFrame)), 242, 3);
    EXPECT_NEAR(qGray(page.pixel(ourCorner + inFrame + offset)), 242, 3);

    // The title above the frames: centred over B:D, bold, 16 points.
    const QRect titleBand(0, 0, ours.width(), ourCorner.y() - 2);
    const Ink ourTitle = inkOf(ours, titleBand);
    const Ink pageTitle = inkOf(page, titleBand.translated(offset));
    ASSERT_GT(ourTitle.amount, 0);
    EXPECT_NEAR(ourTitle.x, pageTitle.x - offset.x(), 3);
    EXPECT_NEAR(ourTitle.y, pageTitle.y - offset.y(), 3);
    EXPECT_NEAR(ourTitle.bottom - ourTitle.top, pageTitle.bottom - pageTitle.top, 3);
    EXPECT_NEAR(ourTitle.amount / pageTitle.amount, 1, 0.34);

    // The texts inside the frames and the captions below them, each centred in its cell.
    for (size_t i = 0; i + 1 < ourColumns.size(); i += 2)
        for (size_t j = 0; j + 1 < ourRows.size(); j += 2) {
            const QRect frame{QPoint(int(ourColumns[i]), int(ourRows[j])),
                              QPoint(int(ourColumns[i + 1]), int(ourRows[j + 1]))};
            const QRect caption(frame.left(), frame.bottom() + 3, frame.width(), 24);
            for (const QRect& band : {frame.adjusted(3, 3, -3, -3), caption}) {
                const Ink a = inkOf(ours, band);
                const Ink b = inkOf(page, band.translated(offset));
                ASSERT_GT(a.amount, 0) << i << "," << j;
                EXPECT_NEAR(a.x, b.x - offset.x(), 3) << i << "," << j;
                EXPECT_NEAR(a.y, b.y - offset.y(), 3) << i << "," << j;
            }
        }

    // The whole picture.
    const double mean = blockDifference(ours, page.copy(QRect(offset, ours.size())), 8);
    RecordProperty("mean_block_difference", QString::number(mean).toStdString());
    std::printf("photo album: mean difference over 8 x 8 blocks %.2f levels\n", mean);
    EXPECT_LT(mean, 4);
}

} // namespace
