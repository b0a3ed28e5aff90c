// Saved workbooks open in LibreOffice: resaved, edited, with copied sheets and newly created,
// each converted to PDF by LibreOffice headless.

#include "host/model/workbook.h"
#include "host/xlsx/xlsx_io.h"
#include "tests/host/xlsx/xlsx_test_support.h"

#include <QDir>
#include <QFileInfo>
#include <QProcess>
#include <QStandardPaths>
#include <QUrl>

#include <gtest/gtest.h>

namespace {

using namespace xlsxtest;
using namespace host::model;

QString pdfText(const QString& pdf)
{
    QProcess p;
    p.start(QStringLiteral("pdftotext"), {pdf, QStringLiteral("-")});
    p.waitForFinished(60000);
    return QString::fromUtf8(p.readAllStandardOutput());
}

void setText(Sheet& sheet, int row, int column, const QString& text)
{
    Cell& c = sheet.editCell(row, column);
    c = Cell{};
    c.kind = CellKind::Text;
    c.text = text;
}

TEST(LibreOffice, OpensResavedEditedCopiedAndNewWorkbooks)
{
    const QString soffice = QStandardPaths::findExecutable(QStringLiteral("soffice"));
    ASSERT_FALSE(soffice.isEmpty()) << "LibreOffice (soffice) is not installed";
    QTemporaryDir dir;
    const QString complex = corpusDir() + QStringLiteral("/Open-XML-SDK__Complex01.xlsx");
    const QString strict =
        corpusDir() + QStringLiteral("/ClosedXML__universal-content-strict.xlsx");

    host::xlsx::save(*host::xlsx::load(complex), dir.filePath(QStringLiteral("resaved.xlsx")));

    auto edited = host::xlsx::load(strict);
    setText(*edited->sheets[0], 40, 2, QStringLiteral("PicrowsEditMarker"));
    edited->sheets[0]->editRow(2).hidden = true;
    edited->sheets[0]->merges.push_back(CellRect{40, 2, 41, 4});
    edited->sheets[0]->mergesDirty = true;
    host::xlsx::save(*edited, dir.filePath(QStringLiteral("edited.xlsx")));

    auto copies = host::xlsx::load(corpusDir() + QStringLiteral("/XlsxWriter__merge_range01.xlsx"));
    const auto source = host::xlsx::load(complex);
    host::xlsx::copySheet(*source, 1, *copies, 1, QStringLiteral("Pictures"));
    host::xlsx::copySheet(*copies, 0, *copies, 2, QStringLiteral("Again"));
    host::xlsx::save(*copies, dir.filePath(QStringLiteral("copies.xlsx")));

    auto created = host::xlsx::create(1);
    Sheet& s = *created->sheets[0];
    Cell& a = s.editCell(1, 1);
    a.kind = CellKind::Number;
    a.number = 1000;
    Cell& b = s.editCell(2, 1);
    b.kind = CellKind::Number;
    b.number = 2345;
    s.editCell(3, 1).formula = QStringLiteral("SUM(A1:A2)"); // no cached value: computed on opening
    setText(s, 4, 1, QStringLiteral("PicrowsNewBook"));
    host::xlsx::save(*created, dir.filePath(QStringLiteral("created.xlsx")));

    const QStringList books = {QStringLiteral("resaved"), QStringLiteral("edited"),
                               QStringLiteral("copies"), QStringLiteral("created")};
    QStringList args = {QStringLiteral("--headless"),
                        QStringLiteral("-env:UserInstallation=") +
                            QUrl::fromLocalFile(dir.filePath(QStringLiteral("profile"))).toString(),
                        QStringLiteral("--convert-to"),
                        QStringLiteral("pdf"),
                        QStringLiteral("--outdir"),
                        dir.filePath(QStringLiteral("pdf"))};
    for (const QString& name : books)
        args << dir.filePath(name + QStringLiteral(".xlsx"));
    QProcess office;
    office.start(soffice, args);
    ASSERT_TRUE(office.waitForFinished(240000)) << "LibreOffice did not finish";

    for (const QString& name : books) {
        SCOPED_TRACE(name.toStdString());
        const QString pdf = dir.filePath(QStringLiteral("pdf/") + name + QStringLiteral(".pdf"));
        ASSERT_TRUE(QFileInfo::exists(pdf)) << office.readAllStandardError().toStdString();
        EXPECT_TRUE(readFile(pdf).startsWith("%PDF"));
        EXPECT_GT(QFileInfo(pdf).size(), 1000);
    }
    EXPECT_TRUE(pdfText(dir.filePath(QStringLiteral("pdf/edited.pdf")))
                    .contains(QStringLiteral("PicrowsEditMarker")));
    const QString createdText = pdfText(dir.filePath(QStringLiteral("pdf/created.pdf")));
    EXPECT_TRUE(createdText.contains(QStringLiteral("PicrowsNewBook")));
    EXPECT_TRUE(createdText.contains(QStringLiteral("3345"))) << createdText.toStdString();
}

} // namespace
