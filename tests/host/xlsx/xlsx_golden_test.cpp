// Golden model dumps: each case folder under golden/ holds an input workbook (its parts as
// files, or the name of a corpus workbook) and check.txt, the model the reader must produce.
// Setting PICROWS_UPDATE_GOLDEN=1 rewrites check.txt from the current reader.

#include "host/model/workbook.h"
#include "host/xlsx/xlsx_io.h"
#include "tests/host/xlsx/xlsx_test_support.h"

#include <QDir>

#include <gtest/gtest.h>

namespace {

using namespace xlsxtest;

std::vector<std::string> cases()
{
    std::vector<std::string> out;
    for (const QString& name :
         QDir(goldenDir()).entryList(QDir::Dirs | QDir::NoDotAndDotDot, QDir::Name))
        out.push_back(name.toStdString());
    return out;
}

class Golden : public testing::TestWithParam<std::string>
{
};

TEST_P(Golden, ModelMatchesCheckFileAndSurvivesResave)
{
    const QString dir = goldenDir() + u'/' + QString::fromStdString(GetParam());
    QTemporaryDir temp;
    QString input;
    if (QDir(dir + QStringLiteral("/parts")).exists())
        input =
            packParts(dir + QStringLiteral("/parts"), temp.filePath(QStringLiteral("input.xlsx")));
    else
        input = corpusDir() + u'/' +
                QString::fromUtf8(readFile(dir + QStringLiteral("/corpus.txt"))).trimmed();

    const auto book = host::xlsx::load(input);
    const QString dump = dumpWorkbook(*book);
    const QString checkFile = dir + QStringLiteral("/check.txt");
    if (qEnvironmentVariableIntValue("PICROWS_UPDATE_GOLDEN") == 1)
        writeFile(checkFile, dump.toUtf8());
    const QByteArray expected = readFile(checkFile);
    ASSERT_FALSE(expected.isEmpty()) << "missing " << checkFile.toStdString();
    EXPECT_EQ(dump.toStdString(), expected.toStdString());

    const QString resaved = temp.filePath(QStringLiteral("resaved.xlsx"));
    host::xlsx::save(*book, resaved);
    EXPECT_EQ(dumpWorkbook(*host::xlsx::load(resaved)).toStdString(), expected.toStdString());
}

INSTANTIATE_TEST_SUITE_P(Cases, Golden, testing::ValuesIn(cases()));

} // namespace
