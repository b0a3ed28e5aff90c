// Cell geometry, merges, protection and values of workbooks written by other programs, as
// the host answers them through its object model, against expectations derived by hand from
// each file's XML (tests/fixtures/*.expected.tsv).
#include "tests/fixtures/expected_geometry.h"

#include "host/automation/host_error.h"
#include "host/objects/host.h"
#include "host/xl/xl.h"

#include <QGuiApplication>

#include <gtest/gtest.h>

namespace {

using fixtures::ExpectedValue;

constexpr double kTolerance = 1e-9;

::testing::AssertionResult valueMatches(const host::Variant& actual, const ExpectedValue& expected)
{
    bool ok = false;
    switch (expected.kind) {
    case ExpectedValue::Kind::Unchecked:
        return ::testing::AssertionSuccess();
    case ExpectedValue::Kind::Empty:
        ok = actual.isEmpty() ||
             (actual.type() == host::VarType::String && actual.toString().isEmpty());
        break;
    case ExpectedValue::Kind::Text:
        ok = actual.type() == host::VarType::String && actual.toString() == expected.text;
        break;
    case ExpectedValue::Kind::Number:
        ok = actual.isNumeric() && actual.type() != host::VarType::Boolean &&
             actual.toDouble() == expected.number;
        break;
    case ExpectedValue::Kind::Boolean:
        ok = actual.type() == host::VarType::Boolean && actual.toBool() == expected.boolean;
        break;
    }
    if (ok)
        return ::testing::AssertionSuccess();
    return ::testing::AssertionFailure()
           << "expected " << expected.describe().toStdString() << ", host answers "
           << actual.typeName().toStdString() << " "
           << (actual.isObject() || actual.isArray() ? std::string("?")
                                                     : actual.toString().toStdString());
}

class FixtureGeometry : public ::testing::TestWithParam<const char*>
{
protected:
    QString fixture(const char* suffix) const
    {
        return fixtures::fixtureDir() + u'/' + QString::fromUtf8(GetParam()) +
               QString::fromUtf8(suffix);
    }
};

TEST_P(FixtureGeometry, HostAnswersTheHandDerivedGeometry)
{
    const auto expected = fixtures::loadExpected(fixture(".expected.tsv"));
    host::objects::Host host;
    const xl::Application app(host.application());
    const xl::Workbook book = app.Workbooks().Open(fixture(".xlsx"));

    ASSERT_EQ(book.Worksheets().Count(), std::int32_t(expected.size()));
    for (std::size_t i = 0; i < expected.size(); ++i) {
        const fixtures::ExpectedSheet& want = expected[i];
        SCOPED_TRACE(want.name.toStdString());
        const xl::Worksheet sheet = book.Worksheets(std::int32_t(i + 1));
        EXPECT_EQ(sheet.Name(), want.name);
        EXPECT_EQ(sheet.Visible(), want.visible);
        EXPECT_EQ(sheet.ProtectContents(), want.protectContents);
        EXPECT_EQ(sheet.ProtectDrawingObjects(), want.protectDrawingObjects);
        EXPECT_EQ(sheet.UsedRange().Address(), want.usedRange);

        for (const fixtures::ExpectedCell& cell : want.cells) {
            SCOPED_TRACE(cell.address.toStdString());
            const xl::Range range = sheet.Range(cell.address);
            EXPECT_NEAR(range.Left(), cell.left, kTolerance);
            EXPECT_NEAR(range.Top(), cell.top, kTolerance);
            EXPECT_NEAR(range.Width(), cell.width, kTolerance);
            EXPECT_NEAR(range.Height(), cell.height, kTolerance);
            EXPECT_EQ(range.MergeArea().Address(), cell.mergeArea);
            EXPECT_EQ(range.Locked().toBool(), cell.locked);
            const bool hidden =
                range.EntireRow().Hidden().toBool() || range.EntireColumn().Hidden().toBool();
            EXPECT_EQ(hidden, cell.hidden);
            EXPECT_TRUE(valueMatches(range.Value(), cell.value));
        }
        for (const fixtures::ExpectedRange& block : want.ranges) {
            SCOPED_TRACE(block.address.toStdString());
            const xl::Range range = sheet.Range(block.address);
            EXPECT_NEAR(range.Left(), block.left, kTolerance);
            EXPECT_NEAR(range.Top(), block.top, kTolerance);
            EXPECT_NEAR(range.Width(), block.width, kTolerance);
            EXPECT_NEAR(range.Height(), block.height, kTolerance);
        }
    }
}

INSTANTIATE_TEST_SUITE_P(Producers, FixtureGeometry,
                         ::testing::Values("libreoffice_layout", "openpyxl_layout"),
                         [](const auto& info) { return std::string(info.param); });

} // namespace

int main(int argc, char** argv)
{
    // The host measures fonts it has no table for, which needs a GUI application but no
    // display.
    if (qEnvironmentVariableIsEmpty("QT_QPA_PLATFORM"))
        qputenv("QT_QPA_PLATFORM", "offscreen");
    QGuiApplication app(argc, argv);
    ::testing::InitGoogleTest(&argc, argv);
    return RUN_ALL_TESTS();
}
