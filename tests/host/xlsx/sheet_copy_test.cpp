// Worksheet.Copy at the package level: within a workbook and across workbooks.

#include "host/automation/host_error.h"
#include "host/model/workbook.h"
#include "host/xlsx/xlsx_io.h"
#include "tests/host/xlsx/xlsx_test_support.h"

#include <gtest/gtest.h>
#include <pugixml.hpp>

#include <sstream>

namespace {

using namespace xlsxtest;
using namespace host::model;

QString complex01()
{
    return corpusDir() + QStringLiteral("/Open-XML-SDK__Complex01.xlsx");
}

// The cells of a sheet as text, without their format numbers.
QString cellsOf(const Sheet& sheet)
{
    QStringList out;
    for (const auto& [key, cell] : sheet.cells)
        out << QStringLiteral("%1,%2 %3 %4 %5 %6")
                   .arg(key.first)
                   .arg(key.second)
                   .arg(int(cell.kind))
                   .arg(cell.number)
                   .arg(cell.text, cell.formula);
    return out.join(u'\n');
}

// The font record a cell format uses, as XML.
std::string fontOfFormat(const QByteArray& styles, int format)
{
    pugi::xml_document doc;
    doc.load_buffer(styles.constData(), size_t(styles.size()));
    const pugi::xml_node root = doc.document_element();
    std::vector<pugi::xml_node> xfs, fonts;
    for (pugi::xml_node n : root.child("cellXfs").children("xf"))
        xfs.push_back(n);
    for (pugi::xml_node n : root.child("fonts").children("font"))
        fonts.push_back(n);
    const int font = xfs.at(size_t(format)).attribute("fontId").as_int();
    std::ostringstream out;
    fonts.at(size_t(font)).print(out, "", pugi::format_raw);
    return out.str();
}

class SheetCopy : public testing::Test
{
protected:
    QString path(const char* name) const { return m_dir.filePath(QString::fromUtf8(name)); }
    QTemporaryDir m_dir;
};

TEST_F(SheetCopy, WithinAWorkbookDuplicatesOwnedPartsAndSharesMedia)
{
    auto book = host::xlsx::load(complex01());
    host::xlsx::copySheet(*book, 0, *book, 2, QStringLiteral("Copy of 1"));
    host::xlsx::copySheet(*book, 1, *book, 3, QStringLiteral("Copy of 2"));
    host::xlsx::save(*book, path("copies.xlsx"));

    const auto before = readZipByName(complex01());
    const auto after = readZipByName(path("copies.xlsx"));
    // Everything that was there is still there, unchanged but for the lists of parts.
    for (const auto& [name, entry] : before) {
        SCOPED_TRACE(name.toStdString());
        ASSERT_EQ(after.count(name), 1u);
        if (name != u"xl/workbook.xml" && name != u"xl/_rels/workbook.xml.rels" &&
            name != u"[Content_Types].xml") {
            EXPECT_TRUE(after.at(name).data == entry.data);
        }
    }
    const QByteArray rels1 = after.at(QStringLiteral("xl/worksheets/_rels/sheet3.xml.rels")).data;
    for (const char* target :
         {"../drawings/drawing3.xml", "../printerSettings/printerSettings2.bin",
          "http://www.ericwhite.com/", "../comments2.xml", "../tables/table2.xml",
          "../drawings/vmlDrawing2.vml"})
        EXPECT_TRUE(rels1.contains(QByteArray("Target=\"") + target + '"')) << target;
    // The chart under the copied drawing is the copy's own, with its style and colours.
    EXPECT_TRUE(after.at(QStringLiteral("xl/drawings/_rels/drawing3.xml.rels"))
                    .data.contains("Target=\"../charts/chart2.xml\""));
    EXPECT_TRUE(after.at(QStringLiteral("xl/charts/chart2.xml")).data ==
                before.at(QStringLiteral("xl/charts/chart1.xml")).data);
    EXPECT_EQ(after.count(QStringLiteral("xl/charts/_rels/chart2.xml.rels")), 1u);
    // Tables are renamed: their names are unique in a workbook.
    const QByteArray table = after.at(QStringLiteral("xl/tables/table2.xml")).data;
    EXPECT_TRUE(table.contains("id=\"2\"")) << table.toStdString();
    EXPECT_TRUE(table.contains("name=\"Table1_2\" displayName=\"Table1_2\""))
        << table.toStdString();
    // The second copy's drawing shares the picture and brings its own diagram parts.
    const QByteArray rels2 = after.at(QStringLiteral("xl/drawings/_rels/drawing4.xml.rels")).data;
    EXPECT_TRUE(rels2.contains("Target=\"../media/image1.png\""));
    EXPECT_TRUE(rels2.contains("Target=\"../diagrams/data2.xml\""));
    EXPECT_EQ(after.count(QStringLiteral("xl/media/image2.png")), 0u);

    const QByteArray types = after.at(QStringLiteral("[Content_Types].xml")).data;
    for (const char* part :
         {"/xl/worksheets/sheet3.xml", "/xl/worksheets/sheet4.xml", "/xl/drawings/drawing3.xml",
          "/xl/charts/chart2.xml", "/xl/comments2.xml", "/xl/tables/table2.xml",
          "/xl/diagrams/data2.xml"})
        EXPECT_TRUE(types.contains(QByteArray("PartName=\"") + part + '"')) << part;

    const auto reread = host::xlsx::load(path("copies.xlsx"));
    ASSERT_EQ(reread->sheets.size(), 4u);
    EXPECT_EQ(reread->sheets[2]->name, QStringLiteral("Copy of 1"));
    EXPECT_EQ(cellsOf(*reread->sheets[2]), cellsOf(*reread->sheets[0]));
    EXPECT_EQ(cellsOf(*reread->sheets[3]), cellsOf(*reread->sheets[1]));
    EXPECT_EQ(dumpWorkbook(*reread).toStdString(), dumpWorkbook(*book).toStdString());
}

TEST_F(SheetCopy, AcrossWorkbooksBringsFormatsTextsAndMedia)
{
    const auto from = host::xlsx::load(complex01());
    auto to = host::xlsx::load(corpusDir() + QStringLiteral("/XlsxWriter__merge_range01.xlsx"));
    const size_t formatsBefore = to->cellFormats.size();
    host::xlsx::copySheet(*from, 0, *to, 0, QStringLiteral("Data"));
    host::xlsx::copySheet(*from, 1, *to, 2, QStringLiteral("Pictures"));
    EXPECT_GT(to->cellFormats.size(), formatsBefore);
    host::xlsx::save(*to, path("across.xlsx"));

    const auto reread = host::xlsx::load(path("across.xlsx"));
    ASSERT_EQ(reread->sheets.size(), 3u);
    EXPECT_EQ(cellsOf(*reread->sheets[0]), cellsOf(*from->sheets[0]));
    EXPECT_EQ(cellsOf(*reread->sheets[2]), cellsOf(*from->sheets[1]));
    EXPECT_EQ(dumpWorkbook(*reread).toStdString(), dumpWorkbook(*to).toStdString());

    const auto source = readZipByName(complex01());
    const auto target = readZipByName(path("across.xlsx"));
    // Each copied cell's format has the font it had in the source.
    const QByteArray fromStyles = source.at(QStringLiteral("xl/styles.xml")).data;
    const QByteArray toStyles = target.at(QStringLiteral("xl/styles.xml")).data;
    int checked = 0;
    for (const auto& [key, cell] : from->sheets[0]->cells) {
        const Cell* copied = reread->sheets[0]->cell(key.first, key.second);
        ASSERT_NE(copied, nullptr);
        if (cell.style == 0)
            continue;
        EXPECT_EQ(fontOfFormat(toStyles, copied->style), fontOfFormat(fromStyles, cell.style));
        ++checked;
    }
    EXPECT_GT(checked, 0);
    // Shared strings of the source become inline text; the picture comes along.
    EXPECT_FALSE(target.at(QStringLiteral("xl/worksheets/sheet2.xml")).data.contains("t=\"s\""));
    EXPECT_TRUE(target.at(QStringLiteral("xl/media/image1.png")).data ==
                source.at(QStringLiteral("xl/media/image1.png")).data);
}

TEST_F(SheetCopy, IntoANewWorkbook)
{
    const auto from = host::xlsx::load(complex01());
    auto to = host::xlsx::create(1);
    host::xlsx::copySheet(*from, 0, *to, 1, QStringLiteral("Data"));
    host::xlsx::save(*to, path("new.xlsx"));

    const auto reread = host::xlsx::load(path("new.xlsx"));
    ASSERT_EQ(reread->sheets.size(), 2u);
    EXPECT_EQ(cellsOf(*reread->sheets[1]), cellsOf(*from->sheets[0]));
    EXPECT_EQ(dumpWorkbook(*reread).toStdString(), dumpWorkbook(*to).toStdString());
    const auto target = readZipByName(path("new.xlsx"));
    EXPECT_EQ(target.count(QStringLiteral("xl/charts/chart1.xml")), 1u);
    EXPECT_EQ(target.count(QStringLiteral("xl/comments1.xml")), 1u);
    EXPECT_TRUE(target.at(QStringLiteral("[Content_Types].xml")).data.contains("vmlDrawing"));
}

TEST_F(SheetCopy, UnsavedChangesAndNewSheetsAreCopiedToo)
{
    auto book = host::xlsx::load(complex01());
    Cell& edited = book->sheets[0]->editCell(1, 1);
    edited = Cell{};
    edited.kind = CellKind::Text;
    edited.text = QStringLiteral("edited before copying");
    host::xlsx::copySheet(*book, 0, *book, 1, QStringLiteral("Edited copy"));

    auto fresh = host::xlsx::create(1);
    Cell& n = fresh->sheets[0]->editCell(2, 2);
    n.kind = CellKind::Number;
    n.number = 7;
    n.style = 1;
    fresh->cellFormats.push_back(CellFormat{false, false, 0});
    host::xlsx::copySheet(*fresh, 0, *book, 0, QStringLiteral("From new"));
    host::xlsx::save(*book, path("edits.xlsx"));

    const auto reread = host::xlsx::load(path("edits.xlsx"));
    ASSERT_EQ(reread->sheets.size(), 4u);
    EXPECT_EQ(reread->sheets[2]->cell(1, 1)->text, QStringLiteral("edited before copying"));
    const Cell* copied = reread->sheets[0]->cell(2, 2);
    ASSERT_NE(copied, nullptr);
    EXPECT_EQ(copied->number, 7);
    EXPECT_FALSE(reread->format(copied->style).locked);
    EXPECT_EQ(dumpWorkbook(*reread).toStdString(), dumpWorkbook(*book).toStdString());
}

TEST_F(SheetCopy, TakenNameAndBadIndicesAreRefused)
{
    auto book = host::xlsx::load(complex01());
    try {
        host::xlsx::copySheet(*book, 0, *book, 0, QStringLiteral("sheet2"));
        FAIL() << "copied";
    } catch (const host::HostError& e) {
        EXPECT_EQ(e.number(), 1004);
        EXPECT_TRUE(e.description().contains(QStringLiteral("already taken")));
    }
    EXPECT_THROW(host::xlsx::copySheet(*book, 5, *book, 0, QStringLiteral("X")), host::HostError);
    EXPECT_THROW(host::xlsx::copySheet(*book, 0, *book, 9, QStringLiteral("X")), host::HostError);
    EXPECT_EQ(book->sheets.size(), 2u);
}

} // namespace
