// `picrows inspect`: the JSON form parsed back and checked against the fixtures'
// hand-derived expectations, range and sheet selection, and the text form.
#include "tests/cli/run_picrows.h"
#include "tests/fixtures/expected_geometry.h"

#include <QFile>
#include <QJsonArray>
#include <QJsonDocument>
#include <QJsonObject>

#include <gtest/gtest.h>

#include <set>

namespace {

using clitest::runPicrows;
using fixtures::ExpectedValue;

constexpr double kTolerance = 1e-9;

QJsonObject inspectJson(const QStringList& args)
{
    const clitest::Result r = runPicrows(QStringList{QStringLiteral("inspect")} + args +
                                         QStringList{QStringLiteral("--json")});
    EXPECT_EQ(r.exitCode, 0) << r.err.toStdString();
    QJsonParseError error;
    const QJsonDocument doc = QJsonDocument::fromJson(r.out, &error);
    EXPECT_EQ(error.error, QJsonParseError::NoError) << error.errorString().toStdString();
    return doc.object();
}

std::set<QString> keysOf(const QJsonObject& object)
{
    const QStringList keys = object.keys();
    return {keys.begin(), keys.end()};
}

::testing::AssertionResult valueMatches(const QJsonValue& actual, const ExpectedValue& expected)
{
    bool ok = false;
    switch (expected.kind) {
    case ExpectedValue::Kind::Unchecked:
        return ::testing::AssertionSuccess();
    case ExpectedValue::Kind::Empty:
        ok = actual.isString() && actual.toString().isEmpty();
        break;
    case ExpectedValue::Kind::Text:
        ok = actual.isString() && actual.toString() == expected.text;
        break;
    case ExpectedValue::Kind::Number:
        ok = actual.isDouble() && actual.toDouble() == expected.number;
        break;
    case ExpectedValue::Kind::Boolean:
        ok = actual.isBool() && actual.toBool() == expected.boolean;
        break;
    }
    if (ok)
        return ::testing::AssertionSuccess();
    return ::testing::AssertionFailure()
           << "expected " << expected.describe().toStdString() << ", got "
           << QJsonDocument(QJsonArray{actual}).toJson(QJsonDocument::Compact).toStdString();
}

const std::set<QString> kSheetKeys = {QStringLiteral("name"),
                                      QStringLiteral("visible"),
                                      QStringLiteral("protect_contents"),
                                      QStringLiteral("protect_drawing_objects"),
                                      QStringLiteral("cells"),
                                      QStringLiteral("shapes")};
const std::set<QString> kCellKeys = {
    QStringLiteral("address"), QStringLiteral("left"),   QStringLiteral("top"),
    QStringLiteral("width"),   QStringLiteral("height"), QStringLiteral("merge_area"),
    QStringLiteral("hidden"),  QStringLiteral("locked"), QStringLiteral("value")};

void expectCell(const QJsonObject& cell, const fixtures::ExpectedCell& want)
{
    SCOPED_TRACE(want.address.toStdString());
    EXPECT_EQ(keysOf(cell), kCellKeys);
    EXPECT_EQ(cell[u"address"].toString(), want.address);
    EXPECT_NEAR(cell[u"left"].toDouble(-1), want.left, kTolerance);
    EXPECT_NEAR(cell[u"top"].toDouble(-1), want.top, kTolerance);
    EXPECT_NEAR(cell[u"width"].toDouble(-1), want.width, kTolerance);
    EXPECT_NEAR(cell[u"height"].toDouble(-1), want.height, kTolerance);
    EXPECT_EQ(cell[u"merge_area"].toString(), want.mergeArea);
    EXPECT_TRUE(cell[u"hidden"].isBool());
    EXPECT_EQ(cell[u"hidden"].toBool(), want.hidden);
    EXPECT_TRUE(cell[u"locked"].isBool());
    EXPECT_EQ(cell[u"locked"].toBool(), want.locked);
    EXPECT_TRUE(valueMatches(cell[u"value"], want.value));
}

class InspectFixture : public ::testing::TestWithParam<const char*>
{
protected:
    QString fixture(const char* suffix) const
    {
        return clitest::fixturePath(QString::fromUtf8(GetParam()) + QString::fromUtf8(suffix));
    }
};

TEST_P(InspectFixture, JsonHoldsEverySheetAndEveryCellOfTheUsedRange)
{
    const auto expected = fixtures::loadExpected(fixture(".expected.tsv"));
    const QJsonObject root = inspectJson({fixture(".xlsx")});
    EXPECT_EQ(keysOf(root), std::set<QString>{QStringLiteral("sheets")});
    const QJsonArray sheets = root[u"sheets"].toArray();
    ASSERT_EQ(std::size_t(sheets.size()), expected.size());
    for (std::size_t i = 0; i < expected.size(); ++i) {
        const fixtures::ExpectedSheet& want = expected[i];
        SCOPED_TRACE(want.name.toStdString());
        const QJsonObject sheet = sheets[qsizetype(i)].toObject();
        EXPECT_EQ(keysOf(sheet), kSheetKeys);
        EXPECT_EQ(sheet[u"name"].toString(), want.name);
        EXPECT_TRUE(sheet[u"visible"].isDouble());
        EXPECT_EQ(sheet[u"visible"].toInt(99), want.visible);
        EXPECT_EQ(sheet[u"protect_contents"].toBool(!want.protectContents), want.protectContents);
        EXPECT_EQ(sheet[u"protect_drawing_objects"].toBool(!want.protectDrawingObjects),
                  want.protectDrawingObjects);
        const QJsonArray cells = sheet[u"cells"].toArray();
        ASSERT_EQ(std::size_t(cells.size()), want.cells.size());
        for (std::size_t c = 0; c < want.cells.size(); ++c)
            expectCell(cells[qsizetype(c)].toObject(), want.cells[c]);
    }
}

INSTANTIATE_TEST_SUITE_P(Producers, InspectFixture,
                         ::testing::Values("libreoffice_layout", "openpyxl_layout"),
                         [](const auto& info) { return std::string(info.param); });

TEST(Inspect, SheetAndRangeChooseWhatIsReported)
{
    const QString book = clitest::fixturePath(QStringLiteral("openpyxl_layout.xlsx"));
    const auto expected = fixtures::loadExpected(
        clitest::fixturePath(QStringLiteral("openpyxl_layout.expected.tsv")));
    auto expectedCell = [&](const QString& sheet, const QString& address) {
        for (const auto& s : expected)
            if (s.name == sheet)
                for (const auto& c : s.cells)
                    if (c.address == address)
                        return c;
        ADD_FAILURE() << "no expectation for " << address.toStdString();
        return fixtures::ExpectedCell{};
    };

    struct Case
    {
        QStringList args;
        QString sheet;
        QStringList addresses;
    };
    const std::vector<Case> cases = {
        // Several areas, area by area and row by row, across a merge and hidden columns.
        {{QStringLiteral("--sheet"), QStringLiteral("Layout"), QStringLiteral("--range"),
          QStringLiteral("B2:C3,E5")},
         QStringLiteral("Layout"),
         {QStringLiteral("$B$2"), QStringLiteral("$C$2"), QStringLiteral("$B$3"),
          QStringLiteral("$C$3"), QStringLiteral("$E$5")}},
        // A hidden sheet is a worksheet like any other; lower-case addresses are fine.
        {{QStringLiteral("--sheet"), QStringLiteral("ContentsOnly"), QStringLiteral("--range"),
          QStringLiteral("a1:b1")},
         QStringLiteral("ContentsOnly"),
         {QStringLiteral("$A$1"), QStringLiteral("$B$1")}},
        {{QStringLiteral("--sheet"), QStringLiteral("VeryHidden")},
         QStringLiteral("VeryHidden"),
         {QStringLiteral("$A$1"), QStringLiteral("$A$2")}},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.args.join(u' ').toStdString());
        const QJsonArray sheets = inspectJson(QStringList{book} + c.args)[u"sheets"].toArray();
        ASSERT_EQ(sheets.size(), 1);
        EXPECT_EQ(sheets[0][u"name"].toString(), c.sheet);
        const QJsonArray cells = sheets[0][u"cells"].toArray();
        ASSERT_EQ(cells.size(), c.addresses.size());
        for (qsizetype i = 0; i < cells.size(); ++i)
            expectCell(cells[i].toObject(), expectedCell(c.sheet, c.addresses[i]));
    }

    // A range without --sheet applies to every worksheet.
    const QJsonArray all =
        inspectJson({book, QStringLiteral("--range"), QStringLiteral("A1")})[u"sheets"].toArray();
    ASSERT_EQ(std::size_t(all.size()), expected.size());
    for (qsizetype i = 0; i < all.size(); ++i) {
        const QJsonArray cells = all[i][u"cells"].toArray();
        ASSERT_EQ(cells.size(), 1);
        expectCell(cells[0].toObject(),
                   expectedCell(expected[std::size_t(i)].name, QStringLiteral("$A$1")));
    }
}

TEST(Inspect, TextFormShowsEachSheetAndOneLinePerCell)
{
    const clitest::Result r = runPicrows(
        {QStringLiteral("inspect"), clitest::samplePath(QStringLiteral("photo_album.xlsx"))});
    ASSERT_EQ(r.exitCode, 0) << r.err.toStdString();
    const QStringList lines = QString::fromUtf8(r.out).split(u'\n', Qt::SkipEmptyParts);
    EXPECT_TRUE(lines.contains(QStringLiteral(
        "sheet アルバム: visible, contents unprotected, drawing objects unprotected")))
        << r.out.toStdString();
    EXPECT_TRUE(lines.contains(
        QStringLiteral("sheet メモ: visible, contents unprotected, drawing objects unprotected")));
    // Calibri 11, 7 px digits: column A is 2 characters → 14 px = 10.5 pt, B is 24 → 168 px
    // = 126 pt. Row 1 is 30 pt, row 2 the default 15, rows 3–10 18 pt each, row 11 21 pt.
    EXPECT_TRUE(lines.contains(
        QStringLiteral("  $B$1\t10.5\t0\t126\t30\t$B$1:$D$1\t-\tlocked\t写真アルバム 2024年 春")))
        << r.out.toStdString();
    EXPECT_TRUE(
        lines.contains(QStringLiteral("  $B$11\t10.5\t189\t126\t21\t$B$11\t-\t-\t桜の下で")))
        << r.out.toStdString();
    // Every line is a sheet heading, one cell of nine fields, or one shape of seventeen.
    for (const QString& line : lines) {
        if (line.startsWith(u"  shape\t")) {
            EXPECT_EQ(line.count(u'\t'), 16) << line.toStdString();
        } else if (!line.startsWith(u"sheet ")) {
            EXPECT_EQ(line.count(u'\t'), 8) << line.toStdString();
        }
    }
}

// The shapes of a workbook with pictures and a comment, against the geometry derived by hand
// from its drawing XML.
TEST(Inspect, ShapesAreListedWithTheirGeometryInPoints)
{
    QFile expected(clitest::fixturePath(QStringLiteral("openpyxl_pictures.expected.tsv")));
    ASSERT_TRUE(expected.open(QIODevice::ReadOnly | QIODevice::Text));
    std::vector<QStringList> want;
    for (const QString& line : QString::fromUtf8(expected.readAll()).split(u'\n')) {
        if (!line.isEmpty() && !line.startsWith(u'#'))
            want.push_back(line.split(u'\t'));
    }
    ASSERT_EQ(want.size(), 3u);
    const QJsonObject root =
        inspectJson({clitest::fixturePath(QStringLiteral("openpyxl_pictures.xlsx"))});
    const QJsonArray shapes = root[u"sheets"][0][u"shapes"].toArray();
    ASSERT_EQ(std::size_t(shapes.size()), want.size());
    const std::set<QString> common = {QStringLiteral("name"),     QStringLiteral("type"),
                                      QStringLiteral("left"),     QStringLiteral("top"),
                                      QStringLiteral("width"),    QStringLiteral("height"),
                                      QStringLiteral("rotation"), QStringLiteral("placement")};
    std::set<QString> picture = common;
    for (const char* key : {"untouched_width", "untouched_height", "crop_left", "crop_top",
                            "crop_right", "crop_bottom", "brightness", "contrast"})
        picture.insert(QString::fromUtf8(key));
    for (std::size_t i = 0; i < want.size(); ++i) {
        const QStringList& f = want[i];
        SCOPED_TRACE(f.join(u' ').toStdString());
        const QJsonObject shape = shapes[qsizetype(i)].toObject();
        const bool isPicture = f[8] != u"-";
        EXPECT_EQ(keysOf(shape), isPicture ? picture : common);
        EXPECT_EQ(shape[u"name"].toString(), f[1]);
        EXPECT_EQ(shape[u"type"].toInt(), f[2].toInt());
        EXPECT_NEAR(shape[u"left"].toDouble(), f[3].toDouble(), 1e-6);
        EXPECT_NEAR(shape[u"top"].toDouble(), f[4].toDouble(), 1e-6);
        EXPECT_NEAR(shape[u"width"].toDouble(), f[5].toDouble(), 1e-6);
        EXPECT_NEAR(shape[u"height"].toDouble(), f[6].toDouble(), 1e-6);
        EXPECT_EQ(shape[u"placement"].toInt(), f[7].toInt());
        EXPECT_EQ(shape[u"rotation"].toDouble(-1), 0);
        if (isPicture) {
            EXPECT_NEAR(shape[u"untouched_width"].toDouble(), f[8].toDouble(), 1e-6);
            EXPECT_NEAR(shape[u"untouched_height"].toDouble(), f[9].toDouble(), 1e-6);
            EXPECT_EQ(shape[u"crop_left"].toDouble(-1), 0);
            EXPECT_EQ(shape[u"brightness"].toDouble(), 0.5);
            EXPECT_EQ(shape[u"contrast"].toDouble(), 0.5);
        }
    }

    // The text form: a heading, then one line per shape.
    const clitest::Result r =
        runPicrows({QStringLiteral("inspect"),
                    clitest::fixturePath(QStringLiteral("openpyxl_pictures.xlsx"))});
    ASSERT_EQ(r.exitCode, 0) << r.err.toStdString();
    const QStringList lines = QString::fromUtf8(r.out).split(u'\n', Qt::SkipEmptyParts);
    EXPECT_TRUE(
        lines.contains(QStringLiteral("  shape\tImage 2\t13\t48\t75\t120\t67.5\t0\t2\t160\t90"
                                      "\t0\t0\t0\t0\t0.5\t0.5")))
        << r.out.toStdString();
    EXPECT_TRUE(lines.contains(QStringLiteral(
        "  shape\tComment 1\t4\t164.25\t9.75\t108\t59.25\t0\t3\t-\t-\t-\t-\t-\t-\t-\t-")));
}

TEST(Inspect, TextFormKeepsOneCellOnOneLine)
{
    // Tabs, line breaks and backslashes inside a value are shown escaped.
    const clitest::Result r = runPicrows(
        {QStringLiteral("inspect"), clitest::fixturePath(QStringLiteral("openpyxl_layout.xlsx")),
         QStringLiteral("--sheet"), QStringLiteral("VeryHidden")});
    ASSERT_EQ(r.exitCode, 0) << r.err.toStdString();
    EXPECT_EQ(QString::fromUtf8(r.out),
              QStringLiteral("sheet VeryHidden: very hidden, contents unprotected, drawing "
                             "objects unprotected\n"
                             "  address\tleft\ttop\twidth\theight\tmerge_area\thidden\tlocked\t"
                             "value\n"
                             "  $A$1\t0\t0\t48\t15\t$A$1\t-\tlocked\tvery hidden\n"
                             "  $A$2\t0\t15\t48\t15\t$A$2\t-\tlocked\t"
                             "He said \"写真\" \\\\ C:\\\\photos\\nline two\\ttab\n"));
}

} // namespace
