// Exit codes and messages of the batch command for help and bad arguments.
#include "tests/cli/run_picrows.h"

#include <QFile>
#include <QRegularExpression>
#include <QTemporaryDir>

#include <gtest/gtest.h>

namespace {

using clitest::runPicrows;

// The subcommands `picrows --help` lists.
QStringList listedCommands()
{
    const clitest::Result help = runPicrows({QStringLiteral("--help")});
    EXPECT_EQ(help.exitCode, 0) << help.err.toStdString();
    QStringList names;
    bool inList = false;
    for (const QString& line : QString::fromUtf8(help.out).split(u'\n')) {
        if (line.startsWith(u"commands:")) {
            inList = true;
        } else if (inList && line.startsWith(u"  ")) {
            names << line.trimmed().section(u' ', 0, 0);
        } else if (inList) {
            break;
        }
    }
    return names;
}

TEST(BatchCommandHelp, EveryListedCommandAnswersHelp)
{
    const QStringList names = listedCommands();
    ASSERT_TRUE(names.contains(QStringLiteral("inspect"))) << names.join(u',').toStdString();
    ASSERT_TRUE(names.contains(QStringLiteral("resave"))) << names.join(u',').toStdString();
    for (const QString& name : names) {
        for (const QString& flag : {QStringLiteral("--help"), QStringLiteral("-h")}) {
            SCOPED_TRACE((name + u' ' + flag).toStdString());
            const clitest::Result r = runPicrows({name, flag});
            EXPECT_EQ(r.exitCode, 0);
            EXPECT_TRUE(r.out.startsWith("Usage: picrows " + name.toUtf8() + ' '))
                << r.out.toStdString();
            EXPECT_TRUE(r.out.contains("Options:")) << r.out.toStdString();
            EXPECT_TRUE(r.err.isEmpty()) << r.err.toStdString();
        }
    }
}

struct BadCase
{
    const char* what;
    QStringList args; // BOOK and OUT stand for a real workbook and a fresh output path
};

TEST(BatchCommandArguments, BadArgumentsExitWithTwoAndWriteNothing)
{
    const QString book = clitest::fixturePath(QStringLiteral("openpyxl_layout.xlsx"));
    QTemporaryDir dir;
    ASSERT_TRUE(dir.isValid());
    const QString out = dir.filePath(QStringLiteral("out.xlsx"));
    const QString B = QStringLiteral("BOOK"), O = QStringLiteral("OUT");
    const std::vector<BadCase> cases = {
        {"no command", {}},
        {"unknown command", {QStringLiteral("frobnicate"), B}},
        {"inspect without a book", {QStringLiteral("inspect")}},
        {"inspect, unknown option", {QStringLiteral("inspect"), QStringLiteral("--bogus"), B}},
        {"inspect, two books", {QStringLiteral("inspect"), B, B}},
        {"inspect, --range without a value",
         {QStringLiteral("inspect"), B, QStringLiteral("--range")}},
        {"inspect, empty --range", {QStringLiteral("inspect"), B, QStringLiteral("--range"), {}}},
        {"inspect, malformed range",
         {QStringLiteral("inspect"), B, QStringLiteral("--range"), QStringLiteral("B2:")}},
        {"inspect, column beyond the sheet",
         {QStringLiteral("inspect"), B, QStringLiteral("--range"), QStringLiteral("XFE1")}},
        {"inspect, row beyond the sheet",
         {QStringLiteral("inspect"), B, QStringLiteral("--range"), QStringLiteral("A1048577")}},
        {"inspect, no such sheet",
         {QStringLiteral("inspect"), B, QStringLiteral("--sheet"), QStringLiteral("Nowhere")}},
        {"resave without -o", {QStringLiteral("resave"), B}},
        {"resave, -o without a value", {QStringLiteral("resave"), B, QStringLiteral("-o")}},
        {"resave without a book", {QStringLiteral("resave"), QStringLiteral("-o"), O}},
        {"resave, two books", {QStringLiteral("resave"), B, B, QStringLiteral("-o"), O}},
        {"resave, unknown option",
         {QStringLiteral("resave"), B, QStringLiteral("-o"), O, QStringLiteral("--fast")}},
    };
    for (const BadCase& c : cases) {
        SCOPED_TRACE(c.what);
        QStringList args = c.args;
        args.replaceInStrings(QRegularExpression(QStringLiteral("^BOOK$")), book);
        args.replaceInStrings(QRegularExpression(QStringLiteral("^OUT$")), out);
        const clitest::Result r = runPicrows(args);
        EXPECT_EQ(r.exitCode, 2) << r.err.toStdString();
        EXPECT_FALSE(r.err.trimmed().isEmpty());
        EXPECT_TRUE(r.out.isEmpty()) << r.out.toStdString();
        EXPECT_FALSE(QFile::exists(out));
    }
}

} // namespace
