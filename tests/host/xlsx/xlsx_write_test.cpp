// What saving writes: the model's changes patched into the parts that hold them, everything
// else as it was, new workbooks as minimal packages, and atomic replacement of the target.

#include "host/automation/host_error.h"
#include "host/model/workbook.h"
#include "host/xlsx/xlsx_io.h"
#include "tests/host/xlsx/xlsx_test_support.h"

#include <QDir>
#include <QFile>

#include <gtest/gtest.h>

namespace {

using namespace xlsxtest;
using namespace host::model;

class XlsxWrite : public testing::Test
{
protected:
    QString path(const char* name) const { return m_dir.filePath(QString::fromUtf8(name)); }
    // The golden fixture with every cell kind, a shared and an array formula, views, palette.
    QString prefixedFixture() const
    {
        return packParts(goldenDir() + QStringLiteral("/prefixed_all_features/parts"),
                         path("in.xlsx"));
    }
    QByteArray part(const QString& file, const char* name) const
    {
        const auto entries = readZipByName(file);
        const auto it = entries.find(QString::fromUtf8(name));
        return it == entries.end() ? QByteArray() : it->second.data;
    }

    QTemporaryDir m_dir;
};

Cell& setNumber(Sheet& s, int row, int column, double value, const char* formula = nullptr)
{
    Cell& c = s.editCell(row, column);
    c = Cell{};
    c.kind = CellKind::Number;
    c.number = value;
    if (formula)
        c.formula = QString::fromUtf8(formula);
    return c;
}

Cell& setText(Sheet& s, int row, int column, const QString& text)
{
    Cell& c = s.editCell(row, column);
    c = Cell{};
    c.kind = CellKind::Text;
    c.text = text;
    return c;
}

TEST_F(XlsxWrite, CreatedWorkbookRoundTripsEveryModelledFeature)
{
    auto book = host::xlsx::create(3);
    Sheet& s = *book->sheets[0];
    setNumber(s, 1, 1, 1.5);
    setNumber(s, 2, 1, -1e-300);
    setText(s, 1, 2, QStringLiteral(" lead, trail \n漢字 \x01 _x0041_ "));
    Cell& b = s.editCell(1, 3);
    b.kind = CellKind::Boolean;
    b.boolean = true;
    Cell& e = s.editCell(1, 4);
    e.kind = CellKind::Error;
    e.text = QStringLiteral("#N/A");
    s.editCell(1, 5).formula = QStringLiteral("SUM(A1:A2)"); // value unknown: computed on opening
    setText(s, 1, 6, QStringLiteral("ab")).formula = QStringLiteral("\"a\"&\"b\"");
    s.editCell(3, 3).style = 1;
    s.setColumn(2, 3, [](ColumnSpan& c) {
        c.width = 20.5;
        c.customWidth = true;
    });
    s.setColumn(5, 5, [](ColumnSpan& c) {
        c.width = 4;
        c.hidden = true;
        c.style = 1;
    });
    s.editRow(4).height = 30;
    s.rows[4].customHeight = true;
    s.editRow(5).hidden = true;
    s.editRow(6).style = 1;
    s.merges = {CellRect{8, 1, 9, 3}, CellRect{11, 2, 11, 4}};
    s.mergesDirty = true;
    s.defaultRowHeight = 18;
    s.defaultColumnWidth = 12;
    s.baseColumnWidth = 9;
    s.formatDirty = true;
    s.protection = SheetProtection{true, true, false};
    s.protectionDirty = true;
    s.view.activeCell = QStringLiteral("B3");
    s.view.selection = {CellRect{3, 2, 4, 3}, CellRect{5, 5, 5, 5}};
    s.view.topRow = 2;
    s.view.leftColumn = 2;
    s.view.zoom = 150;
    s.viewDirty = true;
    book->cellFormats.push_back(CellFormat{false, true, 0});
    book->customPalette = true;
    book->palette[5] = qRgb(0x12, 0x34, 0x56);
    book->paletteDirty = true;
    book->sheets[1]->visibility = 0;
    book->sheets[2]->visibility = 2;
    book->sheets[2]->name = QStringLiteral("Último");
    book->sheets[2]->rowsHiddenByDefault = true;
    book->sheets[2]->formatDirty = true;
    book->windowMinimized = true;
    book->sheetListDirty = true;

    host::xlsx::save(*book, path("new.xlsx"));
    const auto reread = host::xlsx::load(path("new.xlsx"));
    EXPECT_EQ(dumpWorkbook(*reread).toStdString(), dumpWorkbook(*book).toStdString());

    QStringList names;
    for (const ZipEntry& entry : readZip(path("new.xlsx")))
        names.append(entry.name);
    EXPECT_EQ(names.join(u' ').toStdString(),
              "[Content_Types].xml _rels/.rels xl/_rels/workbook.xml.rels xl/styles.xml "
              "xl/workbook.xml xl/worksheets/sheet1.xml xl/worksheets/sheet2.xml "
              "xl/worksheets/sheet3.xml");
    const QByteArray sheet = part(path("new.xlsx"), "xl/worksheets/sheet1.xml");
    EXPECT_TRUE(sheet.contains("<c r=\"E1\"><f>SUM(A1:A2)</f></c>")) << sheet.toStdString();
    EXPECT_TRUE(sheet.contains("<t xml:space=\"preserve\"> lead")) << sheet.toStdString();
    EXPECT_TRUE(part(path("new.xlsx"), "xl/workbook.xml").contains("fullCalcOnLoad=\"1\""));
}

TEST_F(XlsxWrite, ColumnsWithoutOwnWidthGetTheDefaultWidth)
{
    auto book = host::xlsx::create(2);
    book->sheets[0]->setColumn(3, 3, [](ColumnSpan& c) { c.hidden = true; });
    book->sheets[1]->defaultColumnWidth = 11.5;
    book->sheets[1]->setColumn(3, 3, [](ColumnSpan& c) { c.hidden = true; });
    host::xlsx::save(*book, path("cols.xlsx"));
    EXPECT_TRUE(part(path("cols.xlsx"), "xl/worksheets/sheet1.xml")
                    .contains("<col min=\"3\" max=\"3\" width=\"9.140625\" hidden=\"1\"/>"));
    EXPECT_TRUE(part(path("cols.xlsx"), "xl/worksheets/sheet2.xml")
                    .contains("<col min=\"3\" max=\"3\" width=\"11.5\" hidden=\"1\"/>"));
}

TEST_F(XlsxWrite, EditedCellsArePatchedInPlaceAndTheRestIsKept)
{
    const QString in = prefixedFixture();
    auto book = host::xlsx::load(in);
    Sheet& s = *book->sheets[0];
    setText(s, 1, 1, QStringLiteral("new"));
    s.editCell(1, 3);                    // marked changed, text as it was
    s.editCell(2, 5);                    // the same for an inline text with runs
    setNumber(s, 4, 1, 5, "ROW(A1:A2)"); // the array formula with a new value
    s.clearCell(5, 1);                   // the only cell of row 5
    host::xlsx::save(*book, path("out.xlsx"));

    const QByteArray sheet = part(path("out.xlsx"), "xl/worksheets/sheet1.xml");
    EXPECT_TRUE(sheet.contains("<x:c r=\"A1\" t=\"inlineStr\"><x:is><x:t>new</x:t></x:is></x:c>"))
        << sheet.toStdString();
    EXPECT_TRUE(sheet.contains("<x:c r=\"B1\" t=\"s\"><x:v>1</x:v></x:c>"));
    EXPECT_TRUE(sheet.contains("<x:c r=\"C1\" t=\"s\" s=\"1\"><x:v>3</x:v></x:c>"));
    EXPECT_TRUE(sheet.contains("<x:c r=\"D2\" t=\"d\"><x:v>2024-02-29T12:00:00</x:v></x:c>"));
    EXPECT_TRUE(sheet.contains("<x:is><x:r><x:t>in</x:t></x:r><x:r><x:t>line</x:t></x:r></x:is>"));
    EXPECT_TRUE(sheet.contains("<x:f t=\"array\" ref=\"A4:A5\">ROW(A1:A2)</x:f><x:v>5</x:v>"));
    EXPECT_FALSE(sheet.contains("<x:row r=\"5\""));
    EXPECT_TRUE(sheet.contains("<x:pane xSplit=\"1\" ySplit=\"2\""));
    EXPECT_EQ(part(path("out.xlsx"), "xl/sharedStrings.xml"), part(in, "xl/sharedStrings.xml"));

    const auto reread = host::xlsx::load(path("out.xlsx"));
    EXPECT_EQ(dumpWorkbook(*reread).toStdString(), dumpWorkbook(*book).toStdString());
}

// A part the host does not read may be damaged (malformed, or declaring a document type):
// it opened fine, so saving keeps it byte for byte rather than failing after all the work.
TEST_F(XlsxWrite, DamagedPartsTheHostDoesNotReadAreKeptAsTheyAre)
{
    const QByteArray damaged[] = {
        "<Relationships xmlns=\"http://schemas.openxmlformats.org/package/2006/relationships\">"
        "<Relationship",
        "<?xml version=\"1.0\"?><!DOCTYPE x [<!ENTITY a \"b\">]><Relationships "
        "xmlns=\"http://schemas.openxmlformats.org/package/2006/relationships\"/>",
    };
    for (const QByteArray& rels : damaged) {
        auto entries = minimalPackage("<row r=\"1\"><c r=\"A1\"><v>1</v></c></row>");
        entries.emplace_back(QStringLiteral("customXml/item1.xml"), QByteArray("<x/>"));
        entries.emplace_back(QStringLiteral("customXml/_rels/item1.xml.rels"), rels);
        writeZip(path("in.xlsx"), entries);
        auto book = host::xlsx::load(path("in.xlsx"));
        setNumber(*book->sheets[0], 2, 1, 7);
        host::xlsx::save(*book, path("out.xlsx"));
        EXPECT_EQ(part(path("out.xlsx"), "customXml/_rels/item1.xml.rels"), rels);
        EXPECT_EQ(host::xlsx::load(path("out.xlsx"))->sheets[0]->cell(2, 1)->number, 7);
    }
}

TEST_F(XlsxWrite, ChangedSharedFormulaMasterGivesItsMembersTheirOwnFormulas)
{
    auto book = host::xlsx::load(prefixedFixture());
    Sheet& s = *book->sheets[0];
    setNumber(s, 3, 1, 42);
    host::xlsx::save(*book, path("master.xlsx"));
    const QByteArray sheet = part(path("master.xlsx"), "xl/worksheets/sheet1.xml");
    EXPECT_TRUE(sheet.contains("<x:c r=\"A3\"><x:v>42</x:v></x:c>")) << sheet.toStdString();
    EXPECT_TRUE(sheet.contains("<x:c r=\"B3\"><x:f>B2*2+$A$1+SUM(C:C)</x:f>"));
    EXPECT_TRUE(sheet.contains("<x:c r=\"C3\"><x:f>C2*2+$A$1+SUM(D:D)</x:f>"));
    EXPECT_FALSE(sheet.contains("t=\"shared\""));

    // A member changed alone leaves the others shared.
    auto again = host::xlsx::load(path("in.xlsx"));
    setNumber(*again->sheets[0], 3, 2, 9);
    host::xlsx::save(*again, path("member.xlsx"));
    const QByteArray member = part(path("member.xlsx"), "xl/worksheets/sheet1.xml");
    EXPECT_TRUE(member.contains("<x:c r=\"B3\"><x:v>9</x:v></x:c>")) << member.toStdString();
    EXPECT_TRUE(member.contains("<x:c r=\"C3\"><x:f t=\"shared\" si=\"0\"/>"));
    EXPECT_EQ(dumpWorkbook(*host::xlsx::load(path("member.xlsx"))).toStdString(),
              dumpWorkbook(*again).toStdString());
}

TEST_F(XlsxWrite, FormatsAndPaletteArePatchedIntoTheStyles)
{
    auto book = host::xlsx::load(prefixedFixture());
    book->cellFormats[2].locked = false;
    book->cellFormats.push_back(CellFormat{false, false, 1});
    book->sheets[0]->editCell(9, 9).style = 3;
    book->palette[0] = qRgb(0xAB, 0xCD, 0xEF);
    book->paletteDirty = true;
    host::xlsx::save(*book, path("styles.xlsx"));
    const QByteArray styles = part(path("styles.xlsx"), "xl/styles.xml");
    EXPECT_TRUE(styles.contains("<cellXfs count=\"4\">")) << styles.toStdString();
    EXPECT_TRUE(styles.contains("<xf numFmtId=\"14\" fontId=\"0\" fillId=\"0\" borderId=\"0\" "
                                "xfId=\"0\" applyProtection=\"1\"><protection hidden=\"1\" "
                                "locked=\"0\"/></xf>"))
        << styles.toStdString();
    // The appended format is a copy of its base (font 1) with its own protection.
    EXPECT_TRUE(styles.contains("<xf numFmtId=\"0\" fontId=\"1\" fillId=\"0\" borderId=\"0\" "
                                "xfId=\"0\" applyProtection=\"1\"><protection locked=\"0\"/></xf>"
                                "</cellXfs>"));
    EXPECT_TRUE(styles.contains("<rgbColor rgb=\"FF00FFFF\"/><rgbColor rgb=\"FFABCDEF\"/>"));
    EXPECT_EQ(dumpWorkbook(*host::xlsx::load(path("styles.xlsx"))).toStdString(),
              dumpWorkbook(*book).toStdString());

    book->customPalette = false;
    host::xlsx::save(*book, path("plain.xlsx"));
    EXPECT_FALSE(part(path("plain.xlsx"), "xl/styles.xml").contains("indexedColors"));
    EXPECT_FALSE(host::xlsx::load(path("plain.xlsx"))->customPalette);
}

// Three sheets with names local to the first and the last, and a calculation chain.
QString threeSheetPackage(const QString& target)
{
    const QByteArray ct = "application/vnd.openxmlformats-officedocument.spreadsheetml.";
    const QByteArray rel = "http://schemas.openxmlformats.org/officeDocument/2006/relationships/";
    std::vector<std::pair<QString, QByteArray>> parts = {
        {QStringLiteral("[Content_Types].xml"),
         "<Types xmlns=\"http://schemas.openxmlformats.org/package/2006/content-types\">"
         "<Default Extension=\"rels\" "
         "ContentType=\"application/vnd.openxmlformats-package.relationships+xml\"/>"
         "<Override PartName=\"/xl/workbook.xml\" ContentType=\"" +
             ct +
             "sheet.main+xml\"/>"
             "<Override PartName=\"/xl/worksheets/sheet1.xml\" ContentType=\"" +
             ct +
             "worksheet+xml\"/>"
             "<Override PartName=\"/xl/worksheets/sheet2.xml\" ContentType=\"" +
             ct +
             "worksheet+xml\"/>"
             "<Override PartName=\"/xl/worksheets/sheet3.xml\" ContentType=\"" +
             ct +
             "worksheet+xml\"/>"
             "<Override PartName=\"/xl/calcChain.xml\" ContentType=\"" +
             ct +
             "calcChain+xml\"/>"
             "</Types>"},
        {QStringLiteral("_rels/.rels"),
         "<Relationships xmlns=\"http://schemas.openxmlformats.org/package/2006/relationships\">"
         "<Relationship Id=\"rId1\" Type=\"" +
             rel +
             "officeDocument\" Target=\"xl/workbook.xml\"/>"
             "</Relationships>"},
        {QStringLiteral("xl/workbook.xml"),
         "<workbook xmlns=\"http://schemas.openxmlformats.org/spreadsheetml/2006/main\" "
         "xmlns:r=\"http://schemas.openxmlformats.org/officeDocument/2006/relationships\">"
         "<bookViews><workbookView activeTab=\"2\"/></bookViews>"
         "<sheets><sheet name=\"One\" sheetId=\"1\" r:id=\"rId1\"/><sheet name=\"Two\" "
         "sheetId=\"2\" r:id=\"rId2\"/>"
         "<sheet name=\"Three\" sheetId=\"3\" r:id=\"rId3\"/></sheets>"
         "<definedNames><definedName name=\"_xlnm.Print_Area\" "
         "localSheetId=\"0\">One!$A$1</definedName>"
         "<definedName name=\"InTwo\" localSheetId=\"1\">Two!$A$1</definedName>"
         "<definedName name=\"_xlnm.Print_Area\" localSheetId=\"2\">Three!$A$1</definedName>"
         "<definedName name=\"Global\">One!$B$2</definedName></definedNames>"
         "</workbook>"},
        {QStringLiteral("xl/_rels/workbook.xml.rels"),
         "<Relationships xmlns=\"http://schemas.openxmlformats.org/package/2006/relationships\">"
         "<Relationship Id=\"rId1\" Type=\"" +
             rel +
             "worksheet\" Target=\"worksheets/sheet1.xml\"/>"
             "<Relationship Id=\"rId2\" Type=\"" +
             rel +
             "worksheet\" Target=\"worksheets/sheet2.xml\"/>"
             "<Relationship Id=\"rId3\" Type=\"" +
             rel +
             "worksheet\" Target=\"worksheets/sheet3.xml\"/>"
             "<Relationship Id=\"rId4\" Type=\"" +
             rel +
             "calcChain\" Target=\"calcChain.xml\"/>"
             "</Relationships>"},
        {QStringLiteral("xl/calcChain.xml"),
         "<calcChain xmlns=\"http://schemas.openxmlformats.org/spreadsheetml/2006/main\">"
         "<c r=\"A1\" i=\"2\"/></calcChain>"},
    };
    for (int i = 1; i <= 3; ++i)
        parts.emplace_back(
            QStringLiteral("xl/worksheets/sheet%1.xml").arg(i),
            "<worksheet xmlns=\"http://schemas.openxmlformats.org/spreadsheetml/2006/main\">"
            "<sheetData><row r=\"1\"><c r=\"A1\"><f>1+" +
                QByteArray::number(i) + "</f><v>" + QByteArray::number(i + 1) +
                "</v></c></row></sheetData></worksheet>");
    writeZip(target, parts);
    return target;
}

TEST_F(XlsxWrite, SheetListChangesReachNamesRelationshipsAndContentTypes)
{
    auto book = host::xlsx::load(threeSheetPackage(path("three.xlsx")));
    ASSERT_EQ(book->activeSheet, 2);
    // Delete "Two", move "Three" to the front, rename and hide "One".
    std::unique_ptr<Sheet> three = std::move(book->sheets[2]);
    book->sheets.erase(book->sheets.begin() + 1, book->sheets.end());
    book->sheets.insert(book->sheets.begin(), std::move(three));
    book->sheets[1]->name = QStringLiteral("Eins");
    book->sheets[1]->visibility = 0;
    book->activeSheet = 0;
    book->sheetListDirty = true;
    host::xlsx::save(*book, path("list.xlsx"));

    const auto entries = readZipByName(path("list.xlsx"));
    EXPECT_EQ(entries.count(QStringLiteral("xl/worksheets/sheet2.xml")), 0u);
    EXPECT_EQ(entries.count(QStringLiteral("xl/calcChain.xml")), 0u);
    const QByteArray workbook = entries.at(QStringLiteral("xl/workbook.xml")).data;
    EXPECT_TRUE(workbook.contains(
        "<sheets><sheet name=\"Three\" sheetId=\"3\" r:id=\"rId3\"/>"
        "<sheet name=\"Eins\" sheetId=\"1\" r:id=\"rId1\" state=\"hidden\"/></sheets>"))
        << workbook.toStdString();
    EXPECT_TRUE(workbook.contains("<workbookView/>")) << workbook.toStdString();
    EXPECT_TRUE(
        workbook.contains("<definedNames><definedName name=\"_xlnm.Print_Area\" "
                          "localSheetId=\"1\">One!$A$1</definedName><definedName "
                          "name=\"_xlnm.Print_Area\" localSheetId=\"0\">Three!$A$1</definedName>"
                          "<definedName name=\"Global\">One!$B$2</definedName></definedNames>"))
        << workbook.toStdString();
    const QByteArray rels = entries.at(QStringLiteral("xl/_rels/workbook.xml.rels")).data;
    EXPECT_FALSE(rels.contains("rId2"));
    EXPECT_FALSE(rels.contains("calcChain"));
    const QByteArray types = entries.at(QStringLiteral("[Content_Types].xml")).data;
    EXPECT_FALSE(types.contains("sheet2.xml"));
    EXPECT_FALSE(types.contains("calcChain"));
    EXPECT_EQ(dumpWorkbook(*host::xlsx::load(path("list.xlsx"))).toStdString(),
              dumpWorkbook(*book).toStdString());
}

TEST_F(XlsxWrite, NewSheetInALoadedWorkbookGetsItsPartAndRelationship)
{
    auto book = host::xlsx::load(threeSheetPackage(path("three.xlsx")));
    auto sheet = std::make_unique<Sheet>();
    sheet->name = QStringLiteral("Added");
    setText(*sheet, 2, 2, QStringLiteral("hello"));
    book->sheets.push_back(std::move(sheet));
    book->sheetListDirty = true;
    host::xlsx::save(*book, path("added.xlsx"));
    const auto entries = readZipByName(path("added.xlsx"));
    EXPECT_TRUE(entries.at(QStringLiteral("xl/workbook.xml"))
                    .data.contains("<sheet name=\"Added\" sheetId=\"4\" r:id=\"rId5\"/>"));
    EXPECT_TRUE(
        entries.at(QStringLiteral("xl/_rels/workbook.xml.rels"))
            .data.contains("<Relationship Id=\"rId5\" Type=\"http://schemas.openxmlformats.org/"
                           "officeDocument/2006/relationships/worksheet\" "
                           "Target=\"worksheets/sheet4.xml\"/>"));
    EXPECT_TRUE(entries.at(QStringLiteral("[Content_Types].xml"))
                    .data.contains("<Override PartName=\"/xl/worksheets/sheet4.xml\""));
    EXPECT_EQ(dumpWorkbook(*host::xlsx::load(path("added.xlsx"))).toStdString(),
              dumpWorkbook(*book).toStdString());
}

TEST_F(XlsxWrite, SavingOverTheSourceFileWorks)
{
    const QString file = path("book.xlsx");
    const QString original = corpusDir() + QStringLiteral("/Open-XML-SDK__Complex01.xlsx");
    ASSERT_TRUE(QFile::copy(original, file));
    auto book = host::xlsx::load(file);
    setText(*book->sheets[0], 1, 1, QStringLiteral("saved over"));
    host::xlsx::save(*book, file);
    host::xlsx::save(*book, file); // twice: the workbook keeps its package in memory

    EXPECT_EQ(host::xlsx::load(file)->sheets[0]->cell(1, 1)->text, QStringLiteral("saved over"));
    const auto before = readZipByName(original);
    const auto after = readZipByName(file);
    for (const auto& [name, entry] : before) {
        if (name.startsWith(QStringLiteral("xl/media/")) ||
            name.startsWith(QStringLiteral("xl/charts/"))) {
            EXPECT_TRUE(after.at(name).data == entry.data) << name.toStdString();
        }
    }
    EXPECT_EQ(QDir(m_dir.path()).entryList(QDir::Files), QStringList{QStringLiteral("book.xlsx")});
}

TEST_F(XlsxWrite, FailedSaveLeavesTheTargetAsItWas)
{
    const QString target = path("keep.xlsx");
    writeFile(target, "the previous file");
    Workbook empty; // no sheets: a workbook cannot be written
    try {
        host::xlsx::save(empty, target);
        FAIL() << "saved";
    } catch (const host::HostError& e) {
        EXPECT_EQ(e.number(), 1004);
        EXPECT_EQ(e.description().toStdString(),
                  "Cannot save 'keep.xlsx': a workbook must keep at least one sheet.");
    }
    EXPECT_EQ(readFile(target), QByteArray("the previous file"));
    EXPECT_EQ(QDir(m_dir.path()).entryList(QDir::Files | QDir::Hidden),
              QStringList{QStringLiteral("keep.xlsx")});

    const QString missing = path("no/such/folder/book.xlsx");
    EXPECT_THROW(host::xlsx::save(*host::xlsx::create(1), missing), host::HostError);
    EXPECT_FALSE(QFile::exists(missing));
}

TEST_F(XlsxWrite, MissingFileIsAHostError)
{
    try {
        host::xlsx::load(path("absent.xlsx"));
        FAIL() << "loaded";
    } catch (const host::HostError& e) {
        EXPECT_EQ(e.description().toStdString(),
                  "Cannot open 'absent.xlsx': the file does not exist.");
    }
}

} // namespace
