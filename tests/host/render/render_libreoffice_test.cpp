// A cropped, scaled and turned picture saved in a workbook renders here as LibreOffice prints
// it: the page (PDF at 96 dpi) and the host's rendering show the same picture, compared on
// the picture's area.

#include "host/render/sheet_render.h"
#include "host/xlsx/xlsx_io.h"
#include "tests/host/render/render_support.h"

#include <QProcess>
#include <QStandardPaths>
#include <QTemporaryDir>
#include <QUrl>

#include <gtest/gtest.h>

using namespace host;

namespace {

void run(const QString& program, const QStringList& args)
{
    QProcess p;
    p.start(program, args);
    p.waitForFinished(240000);
}

// The bounds of the strongly coloured pixels: the picture, never text or grid lines.
QRect colouredBounds(const QImage& image)
{
    QRect bounds;
    for (int y = 0; y < image.height(); ++y)
        for (int x = 0; x < image.width(); ++x) {
            const QColor c = image.pixelColor(x, y);
            if (c.hsvSaturation() > 150 && c.value() > 150)
                bounds |= QRect(x, y, 1, 1);
        }
    return bounds;
}

// The mean channel difference of two images of the same area.
double meanOverPicture(const QImage& a, const QImage& b)
{
    double sum = 0;
    long long count = 0;
    for (int y = 0; y < std::min(a.height(), b.height()); ++y)
        for (int x = 0; x < std::min(a.width(), b.width()); ++x) {
            const QRgb p = a.pixel(x, y), q = b.pixel(x, y);
            sum += std::abs(qRed(p) - qRed(q)) + std::abs(qGreen(p) - qGreen(q)) +
                   std::abs(qBlue(p) - qBlue(q));
            count += 3;
        }
    return count ? sum / count : 255;
}

TEST(LibreOfficeRender, TurnedCroppedPictureMatchesThePrintedPage)
{
    const QString soffice = QStandardPaths::findExecutable(QStringLiteral("soffice"));
    if (soffice.isEmpty() || QStandardPaths::findExecutable(QStringLiteral("pdftoppm")).isEmpty())
        GTEST_SKIP() << "LibreOffice or pdftoppm is not installed";
    QTemporaryDir dir;
    auto book = xlsx::create(1);
    model::Sheet& sheet = *book->sheets.front();
    // 200 × 200 pixels at 96 dpi: 150 × 150 points; crop 30 left, 15 top, then shown at
    // 150 × 90 points (scaled 125 % and 66.7 %), turned 30 degrees.
    model::Shape shape =
        render_test::pictureShape(1, imaging_test::quadrants(200, 200), QRectF(72, 60, 150, 90));
    shape.name = QStringLiteral("Picture 1");
    shape.picture->cropLeft = 30;
    shape.picture->cropTop = 15;
    shape.rotation = 30;
    sheet.drawing.shapes.push_back(shape);
    sheet.drawing.nextId = 2;
    sheet.drawing.dirty = true;
    const QString xlsx = dir.filePath(QStringLiteral("turned.xlsx"));
    xlsx::save(*book, xlsx);

    run(soffice, {QStringLiteral("--headless"),
                  QStringLiteral("-env:UserInstallation=") +
                      QUrl::fromLocalFile(dir.filePath(QStringLiteral("profile"))).toString(),
                  QStringLiteral("--convert-to"), QStringLiteral("pdf"), QStringLiteral("--outdir"),
                  dir.path(), xlsx});
    const QString pdf = dir.filePath(QStringLiteral("turned.pdf"));
    ASSERT_TRUE(QFile::exists(pdf));
    run(QStringLiteral("pdftoppm"),
        {QStringLiteral("-png"), QStringLiteral("-r"), QStringLiteral("96"), QStringLiteral("-f"),
         QStringLiteral("1"), QStringLiteral("-l"), QStringLiteral("1"), pdf,
         dir.filePath(QStringLiteral("page"))});
    const QImage page =
        QImage(dir.filePath(QStringLiteral("page-1.png"))).convertToFormat(QImage::Format_RGB32);
    ASSERT_FALSE(page.isNull());

    const QImage ours = render::renderRange(*book, sheet, model::CellRect{1, 1, 20, 8}, 4.0 / 3.0)
                            .convertToFormat(QImage::Format_RGB32);
    const QRect onPage = colouredBounds(page);
    const QRect here = colouredBounds(ours);
    ASSERT_FALSE(onPage.isEmpty());
    // The same turned box: within a pixel or two each way.
    EXPECT_NEAR(onPage.width(), here.width(), 2);
    EXPECT_NEAR(onPage.height(), here.height(), 2);
    const QImage a = page.copy(onPage);
    const QImage b = ours.copy(QRect(here.topLeft(), onPage.size()));
    const double mean = meanOverPicture(a, b);
    RecordProperty("mean_channel_difference", QString::number(mean).toStdString());
    EXPECT_LT(mean, 6);
}

} // namespace
