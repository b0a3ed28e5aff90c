#include "main/templates/sheet_names.h"
#include "main/templates/xls_sheet_names.h"

#include "host/automation/host_error.h"
#include "tests/main/templates/template_test_support.h"

#include <QFile>

namespace {

using namespace templates_test;

int errorOf(const std::function<void()>& call)
{
    try {
        call();
    } catch (const host::HostError& e) {
        return e.number();
    }
    return 0;
}

// LibreOffice's .xls: worksheets in order, the hidden one too; the chart sheet and the
// workbook's name are not worksheets.
TEST(XlsSheetNames, ListsTheWorksheetsInWorkbookOrder)
{
    EXPECT_EQ(picrows::readXlsWorksheetNames(fixture("template_sheets.xls")),
              (QStringList{q("Sheet1"), q("日本語の見積書"), q("Hidden"), q("Last")}));
}

class XlsRefusals : public ::testing::Test
{
protected:
    QString write(const char* name, const QByteArray& bytes)
    {
        const QString path = dir.filePath(q(name));
        QFile file(path);
        EXPECT_TRUE(file.open(QIODevice::WriteOnly));
        file.write(bytes);
        return path;
    }
    QTemporaryDir dir;
};

TEST_F(XlsRefusals, RaiseTheReadersErrors)
{
    // An .xlsx package renamed .xls, what a host of version 11 saves here, is not a compound
    // file.
    QFile xlsx(fixture("openpyxl_layout.xlsx"));
    ASSERT_TRUE(xlsx.open(QIODevice::ReadOnly));
    const QString renamed = write("renamed.xls", xlsx.readAll());
    EXPECT_EQ(errorOf([&] { picrows::readXlsWorksheetNames(renamed); }), 3274);

    EXPECT_EQ(errorOf([&] { picrows::readXlsWorksheetNames(dir.filePath(q("none.xls"))); }), 3024);
}

class BookpathNames : public TemplateTest
{
};

TEST_F(BookpathNames, XlsIsReadClosedWhatEverItsCase)
{
    const QString upper = m_dir.filePath(q("UPPER.XLS"));
    ASSERT_TRUE(QFile::copy(fixture("template_sheets.xls"), upper));
    const QString expected = q("Sheet1\t日本語の見積書\tHidden\tLast");
    EXPECT_EQ(picrows::f_GetSheetnameFromBookpath(app, upper), expected);
    EXPECT_EQ(openBooks(), 0);
}

// Other books are opened in the host with its switches off, read and closed; the switches are
// put back as they were and the active workbook is marked unsaved.
TEST_F(BookpathNames, XlsxIsOpenedInTheHostAndClosedAgain)
{
    const QString path = m_dir.filePath(q("two.xlsx"));
    writeBook(path, {"First", "第二"});
    const xl::Workbook work = openBook({"Sheet1"}, m_dir.filePath(q("Work.xlsx")));
    work.setSaved(true);
    app.setEnableEvents(false); // one switch already off stays off
    EXPECT_EQ(picrows::f_GetSheetnameFromBookpath(app, path), q("First\t第二"));
    EXPECT_EQ(openBooks(), 1);
    EXPECT_TRUE(app.ScreenUpdating());
    EXPECT_FALSE(app.EnableEvents());
    EXPECT_TRUE(app.DisplayAlerts());
    EXPECT_FALSE(work.Saved());
}

TEST_F(BookpathNames, AnOpenBookIsReadAndLeftOpen)
{
    const QString path = m_dir.filePath(q("open.xlsx"));
    writeBook(path, {"A", "B"});
    const xl::Workbook open = app.Workbooks().Open(path);
    EXPECT_EQ(picrows::f_GetSheetnameFromBookpath(app, path), q("A\tB"));
    EXPECT_EQ(openBooks(), 1);
    EXPECT_EQ(open.Name(), q("open.xlsx"));
}

TEST_F(BookpathNames, AnUnreadableXlsxListsNothing)
{
    const QString path = m_dir.filePath(q("broken.xlsx"));
    QFile file(path);
    ASSERT_TRUE(file.open(QIODevice::WriteOnly));
    file.write("not a workbook");
    file.close();
    EXPECT_EQ(picrows::f_GetSheetnameFromBookpath(app, path), QString());
    EXPECT_EQ(openBooks(), 0);
}

} // namespace
