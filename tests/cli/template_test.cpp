// `picrows template`: save, list and open on a template folder of the test's own settings,
// read back with `picrows inspect`; the refusals and their exit codes.
#include "tests/cli/run_picrows.h"

#include <QDir>
#include <QFile>
#include <QJsonArray>
#include <QJsonDocument>
#include <QJsonObject>
#include <QTemporaryDir>

#include <gtest/gtest.h>

namespace {

using clitest::runPicrows;

QString q(const char* text)
{
    return QString::fromUtf8(text);
}

class Template : public ::testing::Test
{
protected:
    Template()
    {
        const clitest::Result r = runPicrows(
            {q("settings"), q("--config-dir"), config(), q("set"), q("MyDocPath"), folder()});
        EXPECT_EQ(r.exitCode, 0) << r.err.toStdString();
    }

    QString config() const { return dir.filePath(q("config")); }
    QString folder() const { return dir.filePath(q("templates")); }
    QString path(const char* name) const { return dir.filePath(q(name)); }

    clitest::Result templateCommand(const QStringList& args)
    {
        return runPicrows(QStringList{q("template")} + args +
                          QStringList{q("--config-dir"), config()});
    }

    // A copy of the sample album (sheets アルバム and メモ).
    QString album(const char* name = "album.xlsx")
    {
        const QString copy = path(name);
        EXPECT_TRUE(QFile::copy(clitest::samplePath(q("photo_album.xlsx")), copy));
        return copy;
    }

    static QStringList sheetsOf(const QString& book)
    {
        const clitest::Result r = runPicrows({q("inspect"), book, q("--json")});
        EXPECT_EQ(r.exitCode, 0) << r.err.toStdString();
        QStringList names;
        for (const QJsonValue& sheet :
             QJsonDocument::fromJson(r.out).object()[q("sheets")].toArray())
            names << sheet[q("name")].toString();
        return names;
    }

    QTemporaryDir dir;
};

// Saved twice under one name, listed, and opened into a workbook and as a new one.
TEST_F(Template, SaveListAndOpen)
{
    const QString book = album();
    clitest::Result r = templateCommand(
        {q("save"), book, q("--sheet"), q("アルバム"), q("--book-name"), q("行事")});
    ASSERT_EQ(r.exitCode, 0) << r.err.toStdString();
    const QString saved = QDir(folder()).filePath(q("行事.xlsx"));
    EXPECT_EQ(QString::fromUtf8(r.out), saved + q("\tアルバム\n"));
    EXPECT_EQ(QString::fromUtf8(r.err),
              q("ピクロウアドイン: [information] "
                "テンプレートフォルダ内に、テンプレートブック「行事.xlsx」"
                "を作成し、テンプレートシート「アルバム」を追加しました。\n"
                "picrows template save: added the template 行事!アルバム; saved ") +
                  saved + u'\n');
    r = templateCommand({q("save"), book, q("--sheet"), q("メモ"), q("--book-name"), q("行事"),
                         q("--template-name"), q("アルバム"), q("-q")});
    ASSERT_EQ(r.exitCode, 0) << r.err.toStdString();
    EXPECT_FALSE(r.err.contains("picrows template save")) << r.err.toStdString();
    EXPECT_EQ(QString::fromUtf8(r.out), saved + q("\tアルバム (2)\n"));
    EXPECT_EQ(sheetsOf(saved), (QStringList{q("アルバム"), q("アルバム (2)")}));
    EXPECT_EQ(sheetsOf(book), (QStringList{q("アルバム"), q("メモ")})); // the source is not saved

    r = templateCommand({q("list")});
    ASSERT_EQ(r.exitCode, 0) << r.err.toStdString();
    EXPECT_EQ(QString::fromUtf8(r.out),
              q("行事!アルバム\t") + saved + q("\n行事!アルバム (2)\t") + saved + q("\n"));

    const QString into = album("into.xlsx");
    r = templateCommand(
        {q("open"), q("行事!アルバム (2)"), q("--into"), into, q("--after"), q("アルバム")});
    ASSERT_EQ(r.exitCode, 0) << r.err.toStdString();
    EXPECT_EQ(QString::fromUtf8(r.err),
              q("picrows template open: copied the template 行事!アルバム (2) into the workbook; "
                "saved ") +
                  into + u'\n');
    EXPECT_EQ(sheetsOf(into), (QStringList{q("アルバム"), q("アルバム (2)"), q("メモ")}));

    r = templateCommand({q("open"), q("行事!アルバム"), q("--new"), path("new.xlsx")});
    ASSERT_EQ(r.exitCode, 0) << r.err.toStdString();
    EXPECT_EQ(QString::fromUtf8(r.err),
              q("picrows template open: copied the template 行事!アルバム into a new workbook; "
                "saved ") +
                  path("new.xlsx") + u'\n');
    EXPECT_EQ(sheetsOf(path("new.xlsx")), QStringList{q("アルバム")});
}

// The .xls books come first, read without opening them; the open command copies from .xlsx.
TEST_F(Template, ListsXlsBooksBeforeXlsxBooks)
{
    ASSERT_TRUE(QDir().mkpath(folder()));
    ASSERT_TRUE(QFile::copy(clitest::fixturePath(q("template_sheets.xls")),
                            QDir(folder()).filePath(q("old.xls"))));
    ASSERT_TRUE(QFile::copy(clitest::samplePath(q("photo_album.xlsx")),
                            QDir(folder()).filePath(q("a.xlsx"))));
    const clitest::Result r = templateCommand({q("list")});
    ASSERT_EQ(r.exitCode, 0) << r.err.toStdString();
    QStringList texts;
    for (const QString& line : QString::fromUtf8(r.out).split(u'\n', Qt::SkipEmptyParts))
        texts << line.section(u'\t', 0, 0);
    EXPECT_EQ(texts, (QStringList{q("old!Sheet1"), q("old!日本語の見積書"), q("old!Hidden"),
                                  q("old!Last"), q("a!アルバム"), q("a!メモ")}));
}

TEST_F(Template, RefusalsAndTheirExitCodes)
{
    const QString book = album();
    struct Case
    {
        QStringList args;
        int exitCode;
        const char* err; // a part of standard error
    };
    const Case cases[] = {
        {{q("save"), book, q("--sheet"), q("アルバム"), q("--book-name"), q("a/b"),
          q("--template-name"), q("c:d")},
         2,
         "ピクロウアドイン: [error] 文字列 /: は、使えません。"},
        {{q("save"), book, q("--sheet"), q("アルバム"), q("--template-name"), q("")},
         2,
         "a name must not be empty"},
        {{q("save"), book}, 2, "missing --sheet NAME"},
        {{q("save"), book, q("--sheet"), q("none")}, 2, "no sheet 'none'"},
        {{q("save"), path("missing.xlsx"), q("--sheet"), q("x")}, 3, "cannot open"},
        {{q("open"), q("x!y")}, 2, "give one of --into BOOK and --new OUT"},
        {{q("open"), q("x!y"), q("--new"), path("n.xlsx"), q("--after"), q("a")},
         2,
         "--after goes with --into"},
        {{q("open"), q("x!y"), q("--new"), path("n.xlsx")}, 2, "no template 'x!y'"},
        {{q("nothing")}, 2, "unknown subcommand 'nothing'"},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.args.join(u' ').toStdString());
        const clitest::Result r = templateCommand(c.args);
        EXPECT_EQ(r.exitCode, c.exitCode);
        EXPECT_TRUE(QString::fromUtf8(r.err).contains(q(c.err))) << r.err.toStdString();
    }
    EXPECT_FALSE(QFile::exists(path("n.xlsx")));
    EXPECT_TRUE(QDir(folder()).isEmpty());
}

// Save creates a missing folder, as the question's Yes does; open and list cannot go on.
TEST_F(Template, MissingTemplateFolder)
{
    ASSERT_TRUE(QDir(folder()).removeRecursively());
    clitest::Result r = templateCommand({q("list")});
    EXPECT_EQ(r.exitCode, 1);
    EXPECT_TRUE(QString::fromUtf8(r.err).contains(q("does not exist"))) << r.err.toStdString();

    r = templateCommand({q("open"), q("x!y"), q("--new"), path("n.xlsx")});
    EXPECT_EQ(r.exitCode, 1);
    EXPECT_EQ(QString::fromUtf8(r.err),
              q("ピクロウアドイン: [error] "
                "テンプレートフォルダが見つからないため、処理を続行できません。 "
                "OKを押すと設定ウインドウを開きます。 → Cancel\n"));

    r = templateCommand({q("save"), album(), q("--sheet"), q("メモ")});
    ASSERT_EQ(r.exitCode, 0) << r.err.toStdString();
    EXPECT_TRUE(QString::fromUtf8(r.err).startsWith(
        q("ピクロウアドイン: [error] "
          "テンプレートフォルダが見つからないため、処理を続行できません。 "
          "フォルダを作成しますか？  ") +
        folder()))
        << r.err.toStdString();
    EXPECT_EQ(sheetsOf(QDir(folder()).filePath(q("ユーザーカスタム.xlsx"))),
              QStringList{q("メモ")});
}

} // namespace
