// `picrows resave`: workbooks from many producers survive an open-save cycle with nothing lost.
// Every part of the package comes back, the parts the host does not model byte for byte, and
// the host sees the same sheets and cells in the saved file as in the original.
#include "tests/cli/package_parts.h"
#include "tests/cli/run_picrows.h"

#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QJsonArray>
#include <QJsonDocument>
#include <QJsonObject>
#include <QRegularExpression>
#include <QTemporaryDir>

#include <gtest/gtest.h>

#include <string>
#include <vector>

namespace {

using clitest::runPicrows;

// Parts a save may write anew: the workbook and its relationships, the sheets, styles and
// strings, the content types and the document properties. Everything else is kept as read.
bool hostMayRewrite(const QString& part)
{
    static const QRegularExpression rewritten(QStringLiteral(
        R"(^(\[Content_Types\]\.xml|docProps/[^/]+|(.*/)?workbook[^/]*\.xml|(.*/)?_rels/workbook[^/]*\.xml\.rels|(.*/)?styles[^/]*\.xml|(.*/)?sharedStrings[^/]*\.xml|(.*/)?worksheets/[^/]+\.xml)$)"));
    return rewritten.match(part).hasMatch();
}

QJsonDocument inspect(const QString& book)
{
    const clitest::Result r =
        runPicrows({QStringLiteral("inspect"), book, QStringLiteral("--json")});
    EXPECT_EQ(r.exitCode, 0) << r.err.toStdString();
    return QJsonDocument::fromJson(r.out);
}

// The first difference between two inspections, for a readable failure.
std::string firstDifference(const QJsonDocument& before, const QJsonDocument& after)
{
    const QJsonArray a = before[u"sheets"].toArray();
    const QJsonArray b = after[u"sheets"].toArray();
    if (a.size() != b.size())
        return "sheet count " + std::to_string(a.size()) + " → " + std::to_string(b.size());
    for (qsizetype s = 0; s < a.size(); ++s) {
        const QJsonArray ca = a[s][u"cells"].toArray();
        const QJsonArray cb = b[s][u"cells"].toArray();
        const std::string sheet = a[s][u"name"].toString().toStdString();
        if (ca.size() != cb.size())
            return sheet + ": cell count " + std::to_string(ca.size()) + " → " +
                   std::to_string(cb.size());
        for (qsizetype c = 0; c < ca.size(); ++c)
            if (ca[c] != cb[c])
                return sheet + ": " +
                       QJsonDocument(ca[c].toObject())
                           .toJson(QJsonDocument::Compact)
                           .toStdString() +
                       " → " +
                       QJsonDocument(cb[c].toObject()).toJson(QJsonDocument::Compact).toStdString();
        QJsonObject sa = a[s].toObject(), sb = b[s].toObject();
        sa.remove(QStringLiteral("cells"));
        sb.remove(QStringLiteral("cells"));
        if (sa != sb)
            return QJsonDocument(sa).toJson(QJsonDocument::Compact).toStdString() + " → " +
                   QJsonDocument(sb).toJson(QJsonDocument::Compact).toStdString();
    }
    return "none";
}

void expectSurvivesResave(const QString& input, const QString& output)
{
    const clitest::Result r =
        runPicrows({QStringLiteral("resave"), input, QStringLiteral("-o"), output});
    ASSERT_EQ(r.exitCode, 0) << r.err.toStdString();
    EXPECT_TRUE(r.err.isEmpty()) << r.err.toStdString();

    const auto before = clitest::readParts(input);
    const auto after = clitest::readParts(output);
    for (const auto& [name, bytes] : before) {
        SCOPED_TRACE(name.toStdString());
        const auto kept = after.find(name);
        if (kept == after.end()) {
            ADD_FAILURE() << "part lost";
            continue;
        }
        if (!hostMayRewrite(name)) {
            EXPECT_TRUE(kept->second == bytes) << "part changed";
        }
    }

    const QJsonDocument seenBefore = inspect(input);
    const QJsonDocument seenAfter = inspect(output);
    EXPECT_FALSE(seenBefore[u"sheets"].toArray().isEmpty());
    EXPECT_TRUE(seenBefore == seenAfter) << firstDifference(seenBefore, seenAfter);
}

std::string testName(const QString& file)
{
    QString name = file;
    name.replace(QRegularExpression(QStringLiteral("[^A-Za-z0-9]")), QStringLiteral("_"));
    return name.toStdString();
}

// Parameters are std::string so that test names and failure messages print them as text.
QString q(const std::string& text)
{
    return QString::fromStdString(text);
}

class ResaveOwnFiles : public ::testing::TestWithParam<std::string>
{
};

TEST_P(ResaveOwnFiles, Survives)
{
    QTemporaryDir dir;
    ASSERT_TRUE(dir.isValid());
    expectSurvivesResave(q(GetParam()), dir.filePath(QStringLiteral("out.xlsx")));
}

TEST_P(ResaveOwnFiles, SurvivesBeingSavedOverItself)
{
    QTemporaryDir dir;
    ASSERT_TRUE(dir.isValid());
    const QString copy = dir.filePath(QStringLiteral("book.xlsx"));
    ASSERT_TRUE(QFile::copy(q(GetParam()), copy));
    const QJsonDocument before = inspect(copy);
    const clitest::Result r =
        runPicrows({QStringLiteral("resave"), copy, QStringLiteral("-o"), copy});
    ASSERT_EQ(r.exitCode, 0) << r.err.toStdString();
    const QJsonDocument after = inspect(copy);
    EXPECT_TRUE(before == after) << firstDifference(before, after);
    EXPECT_EQ(QDir(dir.path()).entryList(QDir::Files | QDir::Hidden),
              QStringList{QStringLiteral("book.xlsx")});
}

INSTANTIATE_TEST_SUITE_P(
    Fixtures, ResaveOwnFiles,
    ::testing::Values(clitest::fixturePath(QStringLiteral("libreoffice_layout.xlsx")).toStdString(),
                      clitest::fixturePath(QStringLiteral("openpyxl_layout.xlsx")).toStdString(),
                      clitest::samplePath(QStringLiteral("photo_album.xlsx")).toStdString()),
    [](const auto& info) { return testName(QFileInfo(q(info.param)).completeBaseName()); });

// The corpus's workbooks by file name, from its manifest.
std::vector<std::string> corpusFiles()
{
    std::vector<std::string> files;
    const QString dir = clitest::corpusDir();
    QFile manifest(dir + QStringLiteral("/MANIFEST.tsv"));
    if (dir.isEmpty() || !manifest.open(QIODevice::ReadOnly))
        return files;
    manifest.readLine(); // heading
    while (!manifest.atEnd()) {
        const QString name = QString::fromUtf8(manifest.readLine()).section(u'\t', 0, 0).trimmed();
        if (!name.isEmpty())
            files.push_back(name.toStdString());
    }
    return files;
}

class ResaveCorpus : public ::testing::TestWithParam<std::string>
{
};

TEST_P(ResaveCorpus, SurvivesOrIsRefusedCleanly)
{
    const QString input = clitest::corpusDir() + u'/' + q(GetParam());
    ASSERT_TRUE(QFileInfo::exists(input)) << input.toStdString();
    QTemporaryDir dir;
    ASSERT_TRUE(dir.isValid());
    const QString output = dir.filePath(QStringLiteral("out.") + QFileInfo(input).suffix());
    if (QFileInfo(input).suffix().compare(u"xls", Qt::CaseInsensitive) == 0) {
        // The binary format of old versions is no package: refused, nothing written.
        const clitest::Result r =
            runPicrows({QStringLiteral("resave"), input, QStringLiteral("-o"), output});
        EXPECT_EQ(r.exitCode, 3);
        EXPECT_EQ(r.err.count('\n'), 1) << r.err.toStdString();
        EXPECT_FALSE(QFileInfo::exists(output));
        return;
    }
    expectSurvivesResave(input, output);
}

INSTANTIATE_TEST_SUITE_P(Corpus, ResaveCorpus, ::testing::ValuesIn(corpusFiles()),
                         [](const auto& info) { return testName(q(info.param)); });
GTEST_ALLOW_UNINSTANTIATED_PARAMETERIZED_TEST(ResaveCorpus);

TEST(ResaveCorpusPresent, CorpusIsBesideTheSourceTree)
{
    if (clitest::corpusDir().isEmpty())
        GTEST_SKIP() << "no shared/corpus beside the source tree";
    EXPECT_GE(corpusFiles().size(), 10u);
}

} // namespace
