// Exit codes and messages of the batch command for help and bad arguments.
#include "tests/cli/run_picrows.h"

#include <QDir>
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

// An output that names a folder, or ends in a separator, is a mistake: refused before any
// work, without writing beside the folder (dir.xlsx) or into it.
TEST(BatchCommandArguments, AnOutputThatIsAFolderIsRefused)
{
    const QString book = clitest::fixturePath(QStringLiteral("openpyxl_layout.xlsx"));
    const QString photo = QDir(clitest::samplePath(QStringLiteral("photos")))
                              .filePath(QStringLiteral("01_sakura.jpg"));
    QTemporaryDir dir;
    ASSERT_TRUE(dir.isValid());
    ASSERT_TRUE(QDir(dir.path()).mkdir(QStringLiteral("album")));
    const QString folder = dir.filePath(QStringLiteral("album"));
    // A file beside the folder that a careless save would replace.
    for (const char* ending : {".xlsx", ".png"}) {
        QFile beside(folder + QLatin1String(ending));
        ASSERT_TRUE(beside.open(QIODevice::WriteOnly));
        beside.write("keep");
    }
    const QStringList outputs{folder, folder + u'/', dir.filePath(QStringLiteral("none")) + u'/'};
    const QList<QStringList> commands{
        {QStringLiteral("resave"), book, QStringLiteral("-o")},
        {QStringLiteral("insert"), book, QStringLiteral("--range"), QStringLiteral("B2"), photo,
         QStringLiteral("-o")},
        {QStringLiteral("reduce"), book, QStringLiteral("-o")},
        {QStringLiteral("render"), book, QStringLiteral("-o")},
        {QStringLiteral("template"), QStringLiteral("open"), QStringLiteral("book!sheet"),
         QStringLiteral("--config-dir"), dir.filePath(QStringLiteral("config")),
         QStringLiteral("--new")},
    };
    for (const QStringList& command : commands)
        for (const QString& out : outputs) {
            SCOPED_TRACE((command.front() + u' ' + out).toStdString());
            const clitest::Result r = runPicrows(command + QStringList{out});
            EXPECT_EQ(r.exitCode, 2) << r.err.toStdString();
            EXPECT_TRUE(r.err.contains("is a folder")) << r.err.toStdString();
            EXPECT_TRUE(QDir(folder).isEmpty());
            EXPECT_FALSE(QFile::exists(dir.filePath(QStringLiteral("none"))));
            for (const char* ending : {".xlsx", ".png"}) {
                QFile beside(folder + QLatin1String(ending));
                ASSERT_TRUE(beside.open(QIODevice::ReadOnly));
                EXPECT_EQ(beside.readAll(), QByteArray("keep"));
            }
        }
}

} // namespace
