// Drawing objects in .xlsx files: reading anchors, pictures, text boxes, groups and comments
// into points; writing them back unchanged or rebuilt from the model; copying sheets with
// their drawings; hostile drawing parts.
#include "tests/host/xlsx/drawing_test_support.h"
#include "tests/host/xlsx/xlsx_test_support.h"

#include "host/automation/host_error.h"
#include "host/model/workbook.h"
#include "host/xlsx/drawing_text.h"
#include "host/xlsx/xlsx_io.h"

#include <QFile>
#include <QTextStream>

#include <gtest/gtest.h>

namespace {

using host::model::AnchorKind;
using host::model::Placement;
using host::model::Shape;
using host::model::ShapeKind;
using namespace drawingtest;

constexpr double kEps = 1e-3; // points: anchors hold EMUs, 1/12700 of a point

// The fixtures written by openpyxl and LibreOffice, against geometry derived by hand.
class DrawingFixture : public ::testing::TestWithParam<const char*>
{
};

int checkExpectedShapes(const QString& fixture)
{
    const QString base = xlsxtest::sourceDir() + QStringLiteral("/tests/fixtures/");
    QFile expected(base + fixture + QStringLiteral(".expected.tsv"));
    EXPECT_TRUE(expected.open(QIODevice::ReadOnly | QIODevice::Text));
    const auto book = host::xlsx::load(base + fixture + QStringLiteral(".xlsx"));
    QTextStream in(&expected);
    int checked = 0;
    while (!in.atEnd()) {
        const QString line = in.readLine();
        if (line.isEmpty() || line.startsWith(u'#'))
            continue;
        const QStringList f = line.split(u'\t');
        EXPECT_EQ(f.size(), 10) << line.toStdString();
        if (f.size() != 10)
            return -1;
        SCOPED_TRACE(line.toStdString());
        const host::model::Sheet* sheet = nullptr;
        for (const auto& s : book->sheets)
            sheet = s->name == f[0] ? s.get() : sheet;
        EXPECT_NE(sheet, nullptr);
        if (!sheet)
            return -1;
        const Shape* shape = nullptr;
        for (const Shape& s : sheet->drawing.shapes)
            shape = s.name == f[1] ? &s : shape;
        EXPECT_NE(shape, nullptr);
        if (!shape)
            return -1;
        EXPECT_EQ(int(shape->kind), f[2].toInt());
        EXPECT_NEAR(shape->left, f[3].toDouble(), kEps);
        EXPECT_NEAR(shape->top, f[4].toDouble(), kEps);
        EXPECT_NEAR(shape->width, f[5].toDouble(), kEps);
        EXPECT_NEAR(shape->height, f[6].toDouble(), kEps);
        EXPECT_EQ(int(shape->placement), f[7].toInt());
        EXPECT_FALSE(shape->dirty);
        if (f[8] != u"-") {
            EXPECT_TRUE(shape->picture);
            if (!shape->picture)
                return -1;
            EXPECT_FALSE(shape->picture->image.isNull());
            EXPECT_NEAR(shape->picture->untouchedWidth, f[8].toDouble(), kEps);
            EXPECT_NEAR(shape->picture->untouchedHeight, f[9].toDouble(), kEps);
        }
        ++checked;
    }
    return checked;
}

TEST_P(DrawingFixture, MatchesItsHandDerivedGeometry)
{
    EXPECT_GT(checkExpectedShapes(QString::fromUtf8(GetParam())), 0);
}

INSTANTIATE_TEST_SUITE_P(Producers, DrawingFixture,
                         ::testing::Values("openpyxl_pictures", "libreoffice_pictures"));

TEST(DrawingRead, OpenpyxlCommentComesLastWithItsCell)
{
    const auto book = host::xlsx::load(xlsxtest::sourceDir() +
                                       QStringLiteral("/tests/fixtures/openpyxl_pictures.xlsx"));
    const host::model::Drawing& drawing = book->sheets[0]->drawing;
    ASSERT_EQ(drawing.shapes.size(), 3u);
    EXPECT_EQ(drawing.shapes.back().kind, ShapeKind::Comment) << "comments come last";
    EXPECT_EQ(drawing.shapes.back().commentRow, 2);
    EXPECT_EQ(drawing.shapes.back().commentColumn, 2);
    EXPECT_EQ(drawing.shapes.back().text->text, QStringLiteral("メモです"));
    EXPECT_TRUE(drawing.shapes.back().hidden);
    for (const Shape& s : drawing.shapes)
        EXPECT_LT(s.id, drawing.nextId);
}

// Corpus drawings checked by hand: Calibri 11, so default columns are 48 pt and rows 15 pt.
struct CorpusShape
{
    const char* file;
    int shape;  // top-level index
    int member; // -1: the shape itself
    double left, top, width, height;
    int placement;
};

TEST(DrawingRead, CorpusAnchorsGiveTheGeometryTheirXmlStates)
{
    const CorpusShape cases[] = {
        // twoCellAnchor editAs="absolute" from D + 9525 EMU, row 7 + 19050 to E + 85725,
        // row 10 + 133350: 144 + 0.75, 90 + 1.5, to 192 + 6.75, 135 + 10.5.
        {"XlsxWriter__image_anchor04.xlsx", 0, -1, 144.75, 91.5, 54, 54, 3},
        // A text box from E9 to H15 on whole cells: 192, 120, 3 columns, 6 rows.
        {"XlsxWriter__textbox01.xlsx", 0, -1, 192, 120, 144, 90, 1},
        // A group from C + 16.5 pt, row 2 + 11.25 pt to H + 24.75 pt, row 12 + 9 pt, whose
        // child space is its own box in EMUs: members sit at their offsets from chOff.
        {"Open-XML-SDK__00d63cdd-ee44-4e6a-99af-a7966ffbdda0.xlsx", 0, -1, 112.5, 26.25, 248.25,
         147.75, 1},
        {"Open-XML-SDK__00d63cdd-ee44-4e6a-99af-a7966ffbdda0.xlsx", 0, 0, 112.5, 26.25, 105, 66.75,
         1},
        {"Open-XML-SDK__00d63cdd-ee44-4e6a-99af-a7966ffbdda0.xlsx", 0, 1, 255.75, 107.25, 105,
         66.75, 1},
    };
    for (const CorpusShape& c : cases) {
        SCOPED_TRACE(std::string(c.file) + " " + std::to_string(c.shape) + "/" +
                     std::to_string(c.member));
        const QString path = xlsxtest::corpusDir() + u'/' + QString::fromUtf8(c.file);
        if (!QFile::exists(path))
            GTEST_SKIP() << "corpus not found";
        const auto book = host::xlsx::load(path);
        const auto& shapes = book->sheets[0]->drawing.shapes;
        ASSERT_LT(std::size_t(c.shape), shapes.size());
        const Shape* s = &shapes[std::size_t(c.shape)];
        if (c.member >= 0) {
            ASSERT_LT(std::size_t(c.member), s->members.size());
            s = &s->members[std::size_t(c.member)];
        }
        EXPECT_NEAR(s->left, c.left, kEps);
        EXPECT_NEAR(s->top, c.top, kEps);
        EXPECT_NEAR(s->width, c.width, kEps);
        EXPECT_NEAR(s->height, c.height, kEps);
        EXPECT_EQ(int(s->placement), c.placement);
    }
}

// A group whose child space is twice its box: members are drawn at half their stated size.
// DrawingML colours: explicit, system and theme colours, the theme's lighter and darker
// variants (the published values of the default theme's first accent), and what is not known.
TEST(DrawingRead, SolidFillColoursFollowTheThemeAndItsLuminanceChanges)
{
    const host::xlsx::ThemeColors theme = host::model::Workbook::defaultThemeColors();
    const struct
    {
        const char* fill;
        std::optional<QRgb> expected;
    } cases[] = {
        {"<a:srgbClr val='12AB34'/>", qRgb(0x12, 0xAB, 0x34)},
        {"<a:sysClr val='windowText' lastClr='000000'/>", qRgb(0, 0, 0)},
        {"<a:schemeClr val='tx1'/>", qRgb(0, 0, 0)},
        {"<a:schemeClr val='bg1'/>", qRgb(255, 255, 255)},
        {"<a:schemeClr val='accent1'/>", qRgb(0x4F, 0x81, 0xBD)},
        {"<a:schemeClr val='accent1'><a:lumMod val='75000'/></a:schemeClr>",
         qRgb(0x37, 0x60, 0x92)},
        {"<a:schemeClr val='accent1'><a:lumMod val='60000'/><a:lumOff val='40000'/></a:schemeClr>",
         qRgb(0x95, 0xB3, 0xD7)},
        {"<a:schemeClr val='folHlink'/>", qRgb(0x80, 0x00, 0x80)},
        {"<a:schemeClr val='phClr'/>", std::nullopt},
        {"<a:prstClr val='red'/>", std::nullopt},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.fill);
        pugi::xml_document doc;
        const std::string xml =
            std::string("<a:rPr xmlns:a='http://schemas.openxmlformats.org/drawingml/2006/main'>"
                        "<a:solidFill>") +
            c.fill + "</a:solidFill></a:rPr>";
        ASSERT_TRUE(doc.load_string(xml.c_str()));
        const std::optional<QRgb> got = host::xlsx::solidFillColor(doc.document_element(), theme);
        ASSERT_EQ(got.has_value(), c.expected.has_value());
        if (!got)
            continue;
        // One step of rounding either way in the colour model's conversions.
        EXPECT_NEAR(qRed(*got), qRed(*c.expected), 1);
        EXPECT_NEAR(qGreen(*got), qGreen(*c.expected), 1);
        EXPECT_NEAR(qBlue(*got), qBlue(*c.expected), 1);
    }

    // A text box whose title is written in the workbook theme's first accent.
    const QString path = xlsxtest::corpusDir() + QStringLiteral("/test_files__Attendance.xlsx");
    if (!QFile::exists(path))
        GTEST_SKIP() << "corpus not found";
    const auto book = host::xlsx::load(path);
    bool found = false;
    for (const Shape& shape : book->sheets[0]->drawing.shapes)
        if (shape.text && shape.text->text.startsWith(QStringLiteral("Attendance Sheet"))) {
            found = true;
            EXPECT_EQ(shape.text->font.color & 0xffffff, 0x3B39E4u);
        }
    EXPECT_TRUE(found);
}

TEST(DrawingRead, GroupMembersMapThroughTheChildSpace)
{
    QTemporaryDir dir;
    const QString path = dir.filePath(QStringLiteral("group.xlsx"));
    const QByteArray group =
        "<xdr:absoluteAnchor><xdr:pos x=\"127000\" y=\"254000\"/>"
        "<xdr:ext cx=\"1270000\" cy=\"635000\"/><xdr:grpSp><xdr:nvGrpSpPr>"
        "<xdr:cNvPr id=\"4\" name=\"G\"/><xdr:cNvGrpSpPr/></xdr:nvGrpSpPr><xdr:grpSpPr><a:xfrm>"
        "<a:off x=\"127000\" y=\"254000\"/><a:ext cx=\"1270000\" cy=\"635000\"/>"
        "<a:chOff x=\"1000\" y=\"2000\"/><a:chExt cx=\"2540000\" cy=\"1270000\"/></a:xfrm>"
        "</xdr:grpSpPr>" +
        drawingtest::picElement("<a:srcRect/>")
            .replace("<a:off x=\"0\" y=\"0\"/><a:ext cx=\"1270000\" cy=\"635000\"/>",
                     "<a:off x=\"509000\" y=\"256000\"/><a:ext cx=\"762000\" cy=\"381000\"/>") +
        "</xdr:grpSp><xdr:clientData/></xdr:absoluteAnchor>";
    xlsxtest::writeZip(path, drawingtest::packageWithDrawing(group, "../media/image1.png"));
    const auto book = host::xlsx::load(path);
    const auto& shapes = book->sheets[0]->drawing.shapes;
    ASSERT_EQ(shapes.size(), 1u);
    const Shape& g = shapes[0];
    EXPECT_EQ(g.kind, ShapeKind::Group);
    EXPECT_EQ(g.placement, Placement::FreeFloating);
    EXPECT_EQ(g.anchor, AnchorKind::Absolute);
    EXPECT_NEAR(g.left, 10, kEps);
    EXPECT_NEAR(g.top, 20, kEps);
    ASSERT_EQ(g.members.size(), 1u);
    const Shape& m = g.members[0];
    // (509000 − 1000) / 12700 × ½ = 20 right of the group, (256000 − 2000) / 12700 × ½ = 10
    // below it; 60 × 30 points stated, 30 × 15 drawn.
    EXPECT_NEAR(m.left, 30, kEps);
    EXPECT_NEAR(m.top, 30, kEps);
    EXPECT_NEAR(m.width, 30, kEps);
    EXPECT_NEAR(m.height, 15, kEps);
    EXPECT_FALSE(m.picture->image.isNull());
}

// A drawing built in the model is saved and read back as the same model.
TEST(DrawingWrite, NewShapesRoundTripThroughTheFile)
{
    QTemporaryDir dir;
    auto book = host::xlsx::create(1);
    host::model::Sheet& sheet = *book->sheets[0];
    sheet.setColumn(2, 2, [](host::model::ColumnSpan& c) {
        c.width = 20;
        c.customWidth = true;
    });
    sheet.columnsDirty = true;
    sheet.editRow(3).height = 30;
    sheet.dirtyRows.insert(3);
    buildSampleDrawing(sheet.drawing, *book);
    const QString path = dir.filePath(QStringLiteral("new.xlsx"));
    host::xlsx::save(*book, path);

    const auto back = host::xlsx::load(path);
    expectSameDrawing(back->sheets[0]->drawing, sheet.drawing, kEps);

    // Saved as placed: placement 1 as a two-cell anchor that moves and sizes with its cells.
    const auto parts = xlsxtest::readZipByName(path);
    const QByteArray xml = parts.at(QStringLiteral("xl/drawings/drawing1.xml")).data;
    EXPECT_TRUE(xml.contains("<xdr:twoCellAnchor><xdr:from>")) << xml.toStdString();
    EXPECT_TRUE(xml.contains("<xdr:oneCellAnchor>"));
    EXPECT_TRUE(xml.contains("<xdr:absoluteAnchor>"));
    EXPECT_TRUE(parts.count(QStringLiteral("xl/media/image1.png")));
    const QByteArray types = parts.at(QStringLiteral("[Content_Types].xml")).data;
    EXPECT_TRUE(types.contains("Extension=\"png\" ContentType=\"image/png\""));
    EXPECT_TRUE(types.contains("/xl/drawings/drawing1.xml"));
}

// Adding a shape to a sheet that already has a drawing keeps the other shapes' elements
// and pictures as they were, and a removed shape disappears.
TEST(DrawingWrite, EditingAnExistingDrawingKeepsTheRestVerbatim)
{
    QTemporaryDir dir;
    const QString source = xlsxtest::corpusDir() + QStringLiteral("/exceljs__images.xlsx");
    if (!QFile::exists(source))
        GTEST_SKIP() << "corpus not found";
    auto book = host::xlsx::load(source);
    host::model::Drawing& drawing = book->sheets[0]->drawing;
    const std::size_t before = drawing.shapes.size();
    ASSERT_GE(before, 3u);
    const QString removed = drawing.shapes[1].name;
    drawing.shapes.erase(drawing.shapes.begin() + 1);
    drawing.shapes.push_back(samplePicture(drawing.takeId(), 300, 40));
    drawing.dirty = true;
    const QString path = dir.filePath(QStringLiteral("edited.xlsx"));
    host::xlsx::save(*book, path);

    const auto back = host::xlsx::load(path);
    const host::model::Drawing& read = back->sheets[0]->drawing;
    ASSERT_EQ(read.shapes.size(), before);
    for (const Shape& s : read.shapes)
        EXPECT_NE(s.name, removed);
    expectSameDrawing(read, drawing, kEps);
    expectMediaKept(source, path);
}

// Unchanged shapes written into a rewritten part, and every shape rebuilt from the model,
// read back the same on every corpus workbook with a drawing.
class DrawingCorpus : public ::testing::TestWithParam<QString>
{
};

TEST_P(DrawingCorpus, ResavedRewrittenAndRebuiltDrawingsReadBackTheSame)
{
    const QString source = GetParam();
    std::unique_ptr<host::model::Workbook> book;
    try {
        book = host::xlsx::load(source);
    } catch (const host::HostError& e) {
        GTEST_SKIP() << "refused: " << e.description().toStdString();
    }
    QTemporaryDir dir;
    const QString resaved = dir.filePath(QStringLiteral("resaved.xlsx"));
    host::xlsx::save(*book, resaved);
    expectEntriesIdentical(source, resaved,
                           {QStringLiteral("xl/drawings/"), QStringLiteral("xl/media/")});

    for (const bool rebuild : {false, true}) {
        SCOPED_TRACE(rebuild ? "rebuilt" : "rewritten");
        auto edited = host::xlsx::load(source);
        for (auto& sheet : edited->sheets) {
            sheet->drawing.dirty = true;
            if (rebuild)
                markDirty(sheet->drawing.shapes);
        }
        const QString path = dir.filePath(rebuild ? QStringLiteral("rebuilt.xlsx")
                                                  : QStringLiteral("rewritten.xlsx"));
        host::xlsx::save(*edited, path);
        const auto back = host::xlsx::load(path);
        ASSERT_EQ(back->sheets.size(), edited->sheets.size());
        for (std::size_t i = 0; i < back->sheets.size(); ++i) {
            SCOPED_TRACE(edited->sheets[i]->name.toStdString());
            expectSameDrawing(back->sheets[i]->drawing, edited->sheets[i]->drawing, 0.01, rebuild);
        }
        expectMediaKept(source, path);
    }
}

INSTANTIATE_TEST_SUITE_P(Corpus, DrawingCorpus, ::testing::ValuesIn(corpusWithDrawings()),
                         [](const auto& info) { return testName(info.param); });

TEST(DrawingCopy, ACopiedSheetKeepsItsDrawingAndWritesItsChanges)
{
    QTemporaryDir dir;
    const QString source =
        xlsxtest::sourceDir() + QStringLiteral("/tests/fixtures/openpyxl_pictures.xlsx");
    auto book = host::xlsx::load(source);
    host::xlsx::copySheet(*book, 0, *book, 1, QStringLiteral("Copy"));
    auto other = host::xlsx::create(1);
    host::xlsx::copySheet(*book, 0, *other, 1, QStringLiteral("Elsewhere"));

    // The copies are changed; the original is not.
    for (host::model::Workbook* b : {book.get(), other.get()}) {
        host::model::Sheet& copy = *b->sheets[1];
        ASSERT_EQ(copy.drawing.shapes.size(), 3u);
        Shape& first = copy.drawing.shapes[0];
        first.left += 30;
        first.rotation = 90;
        first.dirty = true;
        copy.drawing.dirty = true;
    }
    const QString same = dir.filePath(QStringLiteral("same.xlsx"));
    const QString across = dir.filePath(QStringLiteral("across.xlsx"));
    host::xlsx::save(*book, same);
    host::xlsx::save(*other, across);

    const auto sameBack = host::xlsx::load(same);
    const auto acrossBack = host::xlsx::load(across);
    expectSameDrawing(sameBack->sheets[0]->drawing, book->sheets[0]->drawing, kEps);
    expectSameDrawing(sameBack->sheets[1]->drawing, book->sheets[1]->drawing, kEps);
    expectSameDrawing(acrossBack->sheets[1]->drawing, other->sheets[1]->drawing, kEps);
    EXPECT_NEAR(sameBack->sheets[1]->drawing.shapes[0].left,
                sameBack->sheets[0]->drawing.shapes[0].left + 30, kEps);
}

// Drawing parts that point nowhere, outside the package, or hold nonsense: the workbook opens
// with its cells, the shapes that can be kept are kept, and it saves.
struct HostileCase
{
    const char* name;
    QByteArray anchors; // inside <xdr:wsDr>
    QByteArray target;  // of rId1 in the drawing's relationships
    std::size_t shapes; // expected on the sheet
};

class DrawingHostile : public ::testing::TestWithParam<HostileCase>
{
};

TEST_P(DrawingHostile, LoadsKeepsTheCellsAndSaves)
{
    const HostileCase& c = GetParam();
    QTemporaryDir dir;
    const QString path = dir.filePath(QStringLiteral("hostile.xlsx"));
    xlsxtest::writeZip(path, packageWithDrawing(c.anchors, c.target));
    std::unique_ptr<host::model::Workbook> book;
    ASSERT_NO_THROW(book = host::xlsx::load(path));
    const host::model::Sheet& sheet = *book->sheets[0];
    ASSERT_NE(sheet.cell(1, 1), nullptr);
    EXPECT_EQ(sheet.cell(1, 1)->number, 42);
    EXPECT_EQ(sheet.drawing.shapes.size(), c.shapes);
    for (const Shape& s : sheet.drawing.shapes) {
        EXPECT_TRUE(std::isfinite(s.left) && std::isfinite(s.top) && std::isfinite(s.width) &&
                    std::isfinite(s.height));
        if (s.picture) {
            EXPECT_GT(s.picture->untouchedWidth - s.picture->cropLeft - s.picture->cropRight, 0);
        }
    }
    // Resaved unchanged and rebuilt, it still opens.
    const QString resaved = dir.filePath(QStringLiteral("resaved.xlsx"));
    ASSERT_NO_THROW(host::xlsx::save(*book, resaved));
    EXPECT_NO_THROW(host::xlsx::load(resaved));
    markDirty(book->sheets[0]->drawing.shapes);
    book->sheets[0]->drawing.dirty = true;
    ASSERT_NO_THROW(host::xlsx::save(*book, resaved));
    const auto back = host::xlsx::load(resaved);
    EXPECT_EQ(back->sheets[0]->cell(1, 1)->number, 42);
}

INSTANTIATE_TEST_SUITE_P(
    Cases, DrawingHostile,
    ::testing::Values(
        HostileCase{"MissingMedia", picAnchor("<a:srcRect/>"), "../media/none.png", 1},
        HostileCase{"MediaOutsideThePackage", picAnchor("<a:srcRect/>"),
                    "../../../../../etc/passwd", 1},
        HostileCase{"MediaNotAPicture", picAnchor("<a:srcRect/>"), "../worksheets/sheet1.xml", 1},
        HostileCase{"HugeSrcRect",
                    picAnchor("<a:srcRect l=\"900000000\" r=\"-1e300\" t=\"NaN\" b=\"99999\"/>"),
                    "../media/image1.png", 1},
        HostileCase{"MalformedAnchors",
                    "<xdr:twoCellAnchor><xdr:from><xdr:col>x</xdr:col><xdr:row>99999999999</"
                    "xdr:row><xdr:colOff>1e400</xdr:colOff></xdr:from>" +
                        picElement("<a:srcRect/>") +
                        "<xdr:clientData/></xdr:twoCellAnchor>"
                        "<xdr:oneCellAnchor><xdr:ext cx=\"-5\"/></xdr:oneCellAnchor>"
                        "<xdr:absoluteAnchor><xdr:pos x=\"1\" y=\"2\"/><xdr:ext cx=\"1e30\" "
                        "cy=\"3\"/><xdr:sp><xdr:nvSpPr><xdr:cNvPr id=\"-7\" name=\"s\"/>"
                        "<xdr:cNvSpPr txBox=\"1\"/></xdr:nvSpPr><xdr:spPr/></xdr:sp>"
                        "<xdr:clientData/></xdr:absoluteAnchor>",
                    "../media/image1.png", 2},
        HostileCase{"NotXml", "<xdr:twoCellAnchor><xdr:from>", "../media/image1.png", 0}),
    [](const auto& info) { return std::string(info.param.name); });

} // namespace
