// A drawing built in the model and saved opens in LibreOffice with its pictures and text: the
// Japanese text is in the PDF, and the grayscale picture is drawn gray beside coloured ones.

#include "host/model/workbook.h"
#include "host/xlsx/xlsx_io.h"
#include "tests/host/xlsx/drawing_test_support.h"
#include "tests/host/xlsx/xlsx_test_support.h"

#include <QImage>
#include <QProcess>
#include <QStandardPaths>
#include <QUrl>

#include <gtest/gtest.h>

namespace {

QString run(const QString& program, const QStringList& args)
{
    QProcess p;
    p.start(program, args);
    p.waitForFinished(240000);
    return QString::fromUtf8(p.readAllStandardOutput());
}

TEST(LibreOfficeDrawing, ShowsTheSavedPicturesAndText)
{
    const QString soffice = QStandardPaths::findExecutable(QStringLiteral("soffice"));
    ASSERT_FALSE(soffice.isEmpty()) << "LibreOffice (soffice) is not installed";
    QTemporaryDir dir;
    auto book = host::xlsx::create(1);
    drawingtest::buildSampleDrawing(book->sheets[0]->drawing, *book);
    const QString xlsx = dir.filePath(QStringLiteral("drawing.xlsx"));
    host::xlsx::save(*book, xlsx);

    run(soffice, {QStringLiteral("--headless"),
                  QStringLiteral("-env:UserInstallation=") +
                      QUrl::fromLocalFile(dir.filePath(QStringLiteral("profile"))).toString(),
                  QStringLiteral("--convert-to"), QStringLiteral("pdf"), QStringLiteral("--outdir"),
                  dir.path(), xlsx});
    const QString pdf = dir.filePath(QStringLiteral("drawing.pdf"));
    ASSERT_TRUE(QFile::exists(pdf));
    const QString text = run(QStringLiteral("pdftotext"), {pdf, QStringLiteral("-")});
    EXPECT_TRUE(text.contains(QStringLiteral("キャプション"))) << text.toStdString();
    EXPECT_TRUE(text.contains(QStringLiteral("二行目"))) << text.toStdString();

    run(QStringLiteral("pdftoppm"),
        {QStringLiteral("-png"), QStringLiteral("-r"), QStringLiteral("72"), QStringLiteral("-f"),
         QStringLiteral("1"), QStringLiteral("-l"), QStringLiteral("1"), pdf,
         dir.filePath(QStringLiteral("page"))});
    const QImage page(dir.filePath(QStringLiteral("page-1.png")));
    ASSERT_FALSE(page.isNull());
    // The sample pictures are red with a blue quarter: the grayscale one shows dark grays (its
    // red at luma ~90, its blue ~45), the others stay red.
    int gray = 0, red = 0;
    for (int y = 0; y < page.height(); ++y) {
        for (int x = 0; x < page.width(); ++x) {
            const QRgb p = page.pixel(x, y);
            const int r = qRed(p), g = qGreen(p), b = qBlue(p);
            if (std::abs(r - g) < 6 && std::abs(g - b) < 6 && r > 30 && r < 140)
                ++gray;
            if (r > g + 60 && r > b + 60)
                ++red;
        }
    }
    EXPECT_GT(gray, 2000) << "the grayscale picture is not drawn gray";
    EXPECT_GT(red, 2000) << "the coloured pictures are not drawn";
}

} // namespace
