// Every workbook of the corpus survives an open-save cycle with nothing lost, and a small edit
// changes nothing but what it must.

#include "host/automation/host_error.h"
#include "host/model/workbook.h"
#include "host/xlsx/package_state.h"
#include "host/xlsx/xlsx_io.h"
#include "tests/host/xlsx/xlsx_test_support.h"

#include <QDir>
#include <QFileInfo>

#include <set>

#include <gtest/gtest.h>

namespace {

using namespace xlsxtest;
using host::model::Sheet;
using host::model::SheetKind;

std::vector<std::string> corpusNames()
{
    std::vector<std::string> out;
    for (const QString& path : corpusWorkbooks())
        out.push_back(QFileInfo(path).fileName().toStdString());
    return out;
}

std::string testName(const testing::TestParamInfo<std::string>& info)
{
    std::string out;
    for (char c : info.param)
        out += std::isalnum(static_cast<unsigned char>(c)) ? c : '_';
    return out;
}

class CorpusResave : public testing::TestWithParam<std::string>
{
protected:
    QString source() const { return corpusDir() + u'/' + QString::fromStdString(GetParam()); }
    QTemporaryDir m_dir;
};

TEST(Corpus, IsPresent)
{
    EXPECT_GE(corpusWorkbooks().size(), 20) << "corpus expected at " << corpusDir().toStdString();
}

TEST_P(CorpusResave, UnchangedWorkbookIsCopiedEntryForEntry)
{
    const auto book = host::xlsx::load(source());
    const QString out = m_dir.filePath(QStringLiteral("out.xlsx"));
    host::xlsx::save(*book, out);

    const std::vector<ZipEntry> before = readZip(source());
    const std::vector<ZipEntry> after = readZip(out);
    ASSERT_EQ(after.size(), before.size());
    for (size_t i = 0; i < before.size(); ++i) {
        SCOPED_TRACE(before[i].name.toStdString());
        EXPECT_EQ(after[i].name, before[i].name);
        EXPECT_TRUE(after[i].data == before[i].data);
        // Copied without recompressing: the stored data is the same.
        EXPECT_EQ(after[i].method, before[i].method);
        EXPECT_EQ(after[i].compressedSize, before[i].compressedSize);
        EXPECT_EQ(after[i].crc, before[i].crc);
    }
}

TEST_P(CorpusResave, SmallEditChangesOnlyItsSheetAndReadsBack)
{
    auto book = host::xlsx::load(source());
    Sheet* sheet = nullptr;
    for (const auto& s : book->sheets) {
        if (s->kind == SheetKind::Worksheet && s->source) {
            sheet = s.get();
            break;
        }
    }
    if (!sheet)
        GTEST_SKIP() << "no worksheet to edit";
    // Four rows that hold nothing yet.
    std::set<int> used;
    for (const auto& [key, cell] : sheet->cells)
        used.insert(key.first);
    for (const auto& [r, info] : sheet->rows)
        used.insert(r);
    int row = 1;
    while (used.count(row) || used.count(row + 1) || used.count(row + 2) || used.count(row + 3))
        ++row;
    host::model::Cell& text = sheet->editCell(row, 1);
    text.kind = host::model::CellKind::Text;
    text.text = QStringLiteral(" edited — 編集 ");
    host::model::Cell& sum = sheet->editCell(row, 3);
    sum.kind = host::model::CellKind::Number;
    sum.number = 2.5;
    sum.formula = QStringLiteral("1+1.5");
    sheet->editRow(row + 1).hidden = true;
    sheet->merges.push_back(host::model::CellRect{row + 2, 1, row + 3, 2});
    sheet->mergesDirty = true;

    const QString out = m_dir.filePath(QStringLiteral("edited.xlsx"));
    host::xlsx::save(*book, out);

    const QString sheetPart = sheet->source->partName;
    const QString workbookPart = book->package->workbookPart;
    const std::set<QString> mayChange = {sheetPart, workbookPart,
                                         host::xlsx::opc::relationshipsPart(workbookPart),
                                         QStringLiteral("[Content_Types].xml")};
    const auto before = readZipByName(source());
    const auto after = readZipByName(out);
    for (const auto& [name, entry] : before) {
        SCOPED_TRACE(name.toStdString());
        const auto it = after.find(name);
        if (name.endsWith(QStringLiteral("calcChain.xml"))) {
            EXPECT_TRUE(it == after.end()) << "a stale calculation chain stays";
            continue;
        }
        ASSERT_TRUE(it != after.end());
        if (!mayChange.count(name)) {
            EXPECT_TRUE(it->second.data == entry.data);
        }
    }
    EXPECT_FALSE(after.at(sheetPart).data == before.at(sheetPart).data);
    EXPECT_TRUE(after.at(workbookPart).data.contains("fullCalcOnLoad=\"1\""));

    // What the model held after the edit is what the saved file holds.
    const auto reread = host::xlsx::load(out);
    EXPECT_EQ(dumpWorkbook(*reread).toStdString(), dumpWorkbook(*book).toStdString());
}

INSTANTIATE_TEST_SUITE_P(Workbooks, CorpusResave, testing::ValuesIn(corpusNames()), testName);

TEST(Corpus, XlsFilesAreRefusedWithAClearMessage)
{
    QDir dir(corpusDir());
    const QStringList xls = dir.entryList({QStringLiteral("*.xls")}, QDir::Files);
    ASSERT_FALSE(xls.isEmpty());
    for (const QString& name : xls) {
        SCOPED_TRACE(name.toStdString());
        try {
            host::xlsx::load(dir.filePath(name));
            ADD_FAILURE() << "loaded";
        } catch (const host::HostError& e) {
            EXPECT_EQ(e.number(), 1004);
            EXPECT_TRUE(e.description().contains(QStringLiteral("Excel 97-2003 workbook (.xls)")))
                << e.description().toStdString();
        }
    }
}

} // namespace
