// Workbooks: adding, opening, saving and closing real files, the Saved flag, the palette,
// windows, and references that outlive their workbook or host.
#include "tests/host/objects/objects_support.h"

#include <QDir>
#include <QFile>
#include <QFileInfo>

using namespace objects_test;
using host::Variant;

namespace {

class Workbooks : public ::testing::Test
{
protected:
    QString file(const char* name) const { return m_dir.filePath(q(name)); }
    static QString fixture(const char* name)
    {
        return QStringLiteral(PICROWS_FIXTURE_DIR "/") + q(name);
    }

    QTemporaryDir m_dir;
    host::objects::Host m_host;
    xl::Application app{m_host.application()};
};

TEST_F(Workbooks, AddNamesNewBooksInTurn)
{
    EXPECT_TRUE(app.ActiveWorkbook().isNothing());
    const xl::Workbook first = app.Workbooks().Add();
    app.setSheetsInNewWorkbook(3);
    const xl::Workbook second = app.Workbooks().Add();
    EXPECT_EQ(first.Name(), q("Book1"));
    EXPECT_EQ(first.FullName(), q("Book1"));
    EXPECT_EQ(first.Path(), QString());
    EXPECT_TRUE(first.Saved());
    EXPECT_EQ(first.Worksheets().Count(), 1);
    EXPECT_EQ(second.Name(), q("Book2"));
    EXPECT_EQ(second.Worksheets().Count(), 3);
    EXPECT_EQ(second.Worksheets(3).Name(), q("Sheet3"));
    EXPECT_TRUE(app.ActiveWorkbook() == second);
    EXPECT_TRUE(app.Workbooks().Item(q("book1")) == first);
    EXPECT_EQ(errorOf([&] { app.setSheetsInNewWorkbook(0); }), host::err::ApplicationDefined);
    EXPECT_EQ(errorOf([&] { app.Workbooks().Item(q("Book9")); }), host::err::OutOfRange);
}

TEST_F(Workbooks, SaveAsThenOpenAgain)
{
    const xl::Workbook book = app.Workbooks().Add();
    book.Worksheets(1).Range(q("B2")).setValue(q("写真"));
    book.Worksheets(1).Range(q("C3")).setColumnWidth(20);
    book.Worksheets(1).setName(q("アルバム"));
    EXPECT_FALSE(book.Saved());

    book.SaveAs(file("album.xlsx"));
    EXPECT_TRUE(book.Saved());
    EXPECT_EQ(book.Name(), q("album.xlsx"));
    EXPECT_EQ(book.FullName(), file("album.xlsx"));
    EXPECT_EQ(book.Path(), m_dir.path());
    ASSERT_TRUE(QFileInfo::exists(file("album.xlsx")));

    // Opening a book that is open by that full name activates it.
    app.Workbooks().Add();
    EXPECT_TRUE(app.Workbooks().Open(file("album.xlsx")) == book);
    EXPECT_TRUE(app.ActiveWorkbook() == book);

    book.Close();
    EXPECT_EQ(errorOf([&] { book.Name(); }), host::objects::kDisconnected);
    const xl::Workbook again = app.Workbooks().Open(file("album.xlsx"));
    EXPECT_FALSE(again == book);
    EXPECT_TRUE(again.Saved());
    const xl::Worksheet sheet = again.Worksheets(1);
    EXPECT_EQ(sheet.Name(), q("アルバム"));
    EXPECT_EQ(sheet.Range(q("B2")).Value(), Variant(q("写真")));
    EXPECT_DOUBLE_EQ(sheet.Range(q("C3")).Width(), 108.75);
}

TEST_F(Workbooks, SaveWritesBackAndCloseCanSave)
{
    ASSERT_TRUE(QFile::copy(fixture("openpyxl_layout.xlsx"), file("layout.xlsx")));
    xl::Workbook book = app.Workbooks().Open(file("layout.xlsx"));
    book.Worksheets(1).Range(q("H1")).setValue(42);
    book.Save();
    EXPECT_TRUE(book.Saved());
    book.Worksheets(1).Range(q("H2")).setValue(43);
    book.Close(true);
    EXPECT_EQ(app.Workbooks().Count(), 0);

    book = app.Workbooks().Open(file("layout.xlsx"));
    EXPECT_EQ(book.Worksheets(1).Range(q("H1")).Value(), Variant(42.0));
    EXPECT_EQ(book.Worksheets(1).Range(q("H2")).Value(), Variant(43.0));
    book.Worksheets(1).Range(q("H3")).setValue(44);
    book.Close(); // without saving
    book = app.Workbooks().Open(file("layout.xlsx"));
    EXPECT_TRUE(book.Worksheets(1).Range(q("H3")).Value().isEmpty());
}

TEST_F(Workbooks, FormatsAndLayoutSurviveTheFile)
{
    const xl::Workbook book = app.Workbooks().Add();
    const xl::Worksheet sheet = book.Worksheets(1);
    sheet.Range(q("B2")).setLocked(false);
    sheet.Range(q("C:C")).setHidden(true);
    sheet.Range(q("4:4")).setRowHeight(30);
    sheet.Range(q("D5:E6")).setMergeCells(true);
    sheet.Protect(true, true);
    book.setColors(3, 0x00FF00);
    book.SaveAs(file("layout.xlsx"));
    book.Close();

    const xl::Worksheet again = app.Workbooks().Open(file("layout.xlsx")).Worksheets(1);
    EXPECT_EQ(again.Range(q("B2")).Locked(), Variant(false));
    EXPECT_EQ(again.Range(q("B3")).Locked(), Variant(true));
    EXPECT_EQ(again.Range(q("C1")).EntireColumn().Hidden(), Variant(true));
    EXPECT_DOUBLE_EQ(again.Range(q("A4")).Height(), 30);
    EXPECT_EQ(again.Range(q("E6")).MergeArea().Address(), q("$D$5:$E$6"));
    EXPECT_TRUE(again.ProtectContents());
    EXPECT_TRUE(again.ProtectDrawingObjects());
    EXPECT_EQ(again.Parent().Colors(3), 0x00FF00);
}

TEST_F(Workbooks, RefusedOpensAndSaves)
{
    EXPECT_EQ(errorOf([&] { app.Workbooks().Open(file("missing.xlsx")); }),
              host::err::ApplicationDefined);
    ASSERT_TRUE(QFile::copy(fixture("openpyxl_layout.xlsx"), file("layout.xlsx")));
    app.Workbooks().Open(file("layout.xlsx"));
    // Another file of the same name cannot be open at the same time.
    QTemporaryDir other;
    ASSERT_TRUE(QFile::copy(fixture("openpyxl_layout.xlsx"), other.filePath(q("layout.xlsx"))));
    EXPECT_EQ(errorOf([&] { app.Workbooks().Open(other.filePath(q("layout.xlsx"))); }),
              host::err::ApplicationDefined);
    // Nor can a book be saved under the name of another open book.
    const xl::Workbook fresh = app.Workbooks().Add();
    EXPECT_EQ(errorOf([&] { fresh.SaveAs(other.filePath(q("layout.xlsx"))); }),
              host::err::ApplicationDefined);
}

// A name ending in a separator, or naming a folder, is no workbook file: nothing is written
// beside the folder under its name.
TEST_F(Workbooks, SaveAsAFolderIsRefused)
{
    ASSERT_TRUE(QDir(m_dir.path()).mkpath(q("album.xlsx")));
    const xl::Workbook book = app.Workbooks().Add();
    for (const QString& name : {file("photos") + u'/', file("album.xlsx")}) {
        EXPECT_EQ(errorOf([&] { book.SaveAs(name); }), host::err::ApplicationDefined)
            << name.toStdString();
    }
    EXPECT_FALSE(QFileInfo::exists(file("photos.xlsx")));
    EXPECT_EQ(book.FullName(), book.Name()); // still never saved
}

TEST_F(Workbooks, ClosingActivatesTheBookActiveBefore)
{
    const xl::Workbook a = app.Workbooks().Add();
    const xl::Workbook b = app.Workbooks().Add();
    const xl::Workbook c = app.Workbooks().Add();
    b.Activate();
    c.Activate();
    c.Close();
    EXPECT_TRUE(app.ActiveWorkbook() == b);
    b.Close();
    EXPECT_TRUE(app.ActiveWorkbook() == a);
    a.Close();
    EXPECT_TRUE(app.ActiveWorkbook().isNothing());
    EXPECT_TRUE(app.ActiveSheet().isNothing());
    EXPECT_TRUE(app.ActiveWindow().isNothing());
    EXPECT_TRUE(app.Selection().isNothing());
    EXPECT_EQ(errorOf([&] { app.Cells(); }), host::err::ApplicationDefined);
}

TEST_F(Workbooks, PaletteColors)
{
    const xl::Workbook book = app.Workbooks().Add();
    EXPECT_EQ(book.Colors(1), 0x000000);
    EXPECT_EQ(book.Colors(3), 0x0000FF); // red, in the low byte
    EXPECT_EQ(book.Colors(5), 0xFF0000); // blue
    book.setColors(3, 0x123456);
    EXPECT_EQ(book.Colors(3), 0x123456);
    EXPECT_FALSE(book.Saved());
    EXPECT_EQ(errorOf([&] { book.Colors(57); }), host::err::OutOfRange);
    EXPECT_EQ(errorOf([&] { book.Colors(0); }), host::err::OutOfRange);
    EXPECT_EQ(book.get(q("Colors")).toArray().rows, 56);
}

TEST_F(Workbooks, WindowStateZoomAndScrolling)
{
    const xl::Workbook book = app.Workbooks().Add();
    ASSERT_EQ(book.Windows().Count(), 1);
    const xl::Window window = book.Windows().Item(1);
    EXPECT_TRUE(window == app.ActiveWindow());
    EXPECT_TRUE(window.Visible());
    EXPECT_EQ(window.WindowState(), -4137);
    window.setWindowState(-4140);
    EXPECT_EQ(window.WindowState(), -4140);
    window.setWindowState(-4143);
    EXPECT_EQ(window.WindowState(), -4143);
    EXPECT_EQ(errorOf([&] { window.setWindowState(1); }), host::err::ApplicationDefined);
    window.setZoom(75);
    EXPECT_EQ(window.Zoom(), 75);
    EXPECT_EQ(errorOf([&] { window.setZoom(401); }), host::err::ApplicationDefined);
    window.setScrollRow(100);
    window.setScrollColumn(3);
    EXPECT_EQ(window.ScrollRow(), 100);
    EXPECT_EQ(window.ScrollColumn(), 3);
    EXPECT_EQ(errorOf([&] { book.Windows().Item(2); }), host::err::OutOfRange);
}

TEST(HostLifetime, ReferencesOutlivingTheHostAreDisconnected)
{
    xl::Workbook book;
    xl::Range cell;
    xl::Application app;
    {
        host::objects::Host host;
        app = xl::Application(host.application());
        book = app.Workbooks().Add();
        cell = book.Worksheets(1).Range(q("A1"));
    }
    EXPECT_EQ(errorOf([&] { book.Name(); }), host::objects::kDisconnected);
    EXPECT_EQ(errorOf([&] { cell.Value(); }), host::objects::kDisconnected);
    EXPECT_TRUE(app.ActiveWorkbook().isNothing());
}

TEST(SeveralHosts, LiveSideBySide)
{
    host::objects::Host one;
    host::objects::HostOptions options;
    options.version = q("12.0");
    host::objects::Host two(options);
    const xl::Application a(one.application());
    const xl::Application b(two.application());
    a.Workbooks().Add().Worksheets(1).Range(q("A1")).setValue(1);
    b.Workbooks().Add();
    EXPECT_EQ(a.ActiveWorkbook().Name(), q("Book1"));
    EXPECT_EQ(b.ActiveWorkbook().Name(), q("Book1"));
    EXPECT_TRUE(b.ActiveSheet().Range(q("A1")).Value().isEmpty());
    EXPECT_EQ(a.Version(), q("16.0"));
    EXPECT_EQ(b.Version(), q("12.0"));
}

} // namespace
