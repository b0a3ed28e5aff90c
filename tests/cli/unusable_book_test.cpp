// Workbooks that cannot be opened or saved: exit code 3, one line on standard error, and no
// output file.
#include "tests/cli/run_picrows.h"

#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QTemporaryDir>

#include <zip.h>

#include <gtest/gtest.h>

#include <functional>
#include <utility>
#include <vector>

namespace {

using clitest::runPicrows;

void writeFile(const QString& path, const QByteArray& bytes)
{
    QFile file(path);
    ASSERT_TRUE(file.open(QIODevice::WriteOnly));
    file.write(bytes);
}

// A zip package holding exactly the given entries.
void writeZip(const QString& path, const std::vector<std::pair<const char*, QByteArray>>& entries)
{
    int error = 0;
    zip_t* archive = zip_open(path.toUtf8().constData(), ZIP_CREATE | ZIP_TRUNCATE, &error);
    ASSERT_NE(archive, nullptr);
    for (const auto& [name, bytes] : entries) {
        zip_source_t* source =
            zip_source_buffer(archive, bytes.constData(), zip_uint64_t(bytes.size()), 0);
        ASSERT_GE(zip_file_add(archive, name, source, ZIP_FL_ENC_UTF_8), 0);
    }
    ASSERT_EQ(zip_close(archive), 0);
}

QByteArray readFile(const QString& path)
{
    QFile file(path);
    return file.open(QIODevice::ReadOnly) ? file.readAll() : QByteArray();
}

void expectOneLineReason(const clitest::Result& r, const char* phrase)
{
    EXPECT_EQ(r.exitCode, 3) << r.err.toStdString();
    EXPECT_TRUE(r.err.endsWith('\n')) << r.err.toStdString();
    EXPECT_EQ(r.err.count('\n'), 1) << r.err.toStdString();
    EXPECT_TRUE(r.err.contains(phrase)) << r.err.toStdString();
    EXPECT_TRUE(r.out.isEmpty()) << r.out.toStdString();
}

TEST(UnusableBook, RefusedByInspectAndResave)
{
    QTemporaryDir dir;
    ASSERT_TRUE(dir.isValid());
    const QByteArray good = readFile(clitest::fixturePath(QStringLiteral("openpyxl_layout.xlsx")));
    ASSERT_FALSE(good.isEmpty());
    const QByteArray contentTypes =
        R"(<?xml version="1.0" encoding="UTF-8"?><Types xmlns="http://schemas.openxmlformats.org/package/2006/content-types"><Default Extension="xml" ContentType="application/xml"/></Types>)";

    struct Case
    {
        const char* what;
        const char* file;
        std::function<void(const QString&)> make; // none: the file does not exist
    };
    const std::vector<Case> cases = {
        {"missing file", "missing.xlsx", {}},
        {"empty file", "empty.xlsx", [](const QString& p) { writeFile(p, {}); }},
        {"not a zip", "text.xlsx", [](const QString& p) { writeFile(p, "name,value\nphoto,1\n"); }},
        {"truncated package", "truncated.xlsx",
         [&](const QString& p) { writeFile(p, good.left(good.size() / 2)); }},
        {"zip without a workbook", "nobook.xlsx",
         [](const QString& p) {
             writeZip(p, {{"hello.txt", "hello"}});
         }},
        {"malformed workbook part", "malformed.xlsx",
         [&](const QString& p) {
             writeZip(
                 p,
                 {{"[Content_Types].xml", contentTypes},
                  {"_rels/.rels",
                   R"(<?xml version="1.0"?><Relationships xmlns="http://schemas.openxmlformats.org/package/2006/relationships"><Relationship Id="rId1" Type="http://schemas.openxmlformats.org/officeDocument/2006/relationships/officeDocument" Target="xl/workbook.xml"/></Relationships>)"},
                  {"xl/workbook.xml", "<workbook><sheets><sheet name="}});
         }},
        {"a folder", "folder.xlsx", [](const QString& p) { QDir().mkpath(p); }},
    };

    for (const Case& c : cases) {
        SCOPED_TRACE(c.what);
        const QString path = dir.filePath(QString::fromUtf8(c.file));
        if (c.make)
            c.make(path);
        const QString out = dir.filePath(QStringLiteral("out-") + QString::fromUtf8(c.file));

        expectOneLineReason(runPicrows({QStringLiteral("inspect"), path}), "cannot open");
        expectOneLineReason(runPicrows({QStringLiteral("inspect"), path, QStringLiteral("--json")}),
                            "cannot open");
        expectOneLineReason(runPicrows({QStringLiteral("resave"), path, QStringLiteral("-o"), out}),
                            "cannot open");
        EXPECT_FALSE(QFile::exists(out));
    }
}

TEST(UnusableBook, UnwritableOutputExitsWithThreeAndKeepsWhatIsThere)
{
    QTemporaryDir dir;
    ASSERT_TRUE(dir.isValid());
    const QString book = clitest::fixturePath(QStringLiteral("openpyxl_layout.xlsx"));
    const QString plainFile = dir.filePath(QStringLiteral("plain.txt"));
    writeFile(plainFile, "keep me");
    const QString folder = dir.filePath(QStringLiteral("folder.xlsx"));
    ASSERT_TRUE(QDir().mkpath(folder));

    const QStringList targets = {
        dir.filePath(QStringLiteral("no/such/folder/out.xlsx")), // the folder does not exist
        plainFile + QStringLiteral("/out.xlsx"),                 // a file where a folder should be
    };
    for (const QString& target : targets) {
        SCOPED_TRACE(target.toStdString());
        expectOneLineReason(
            runPicrows({QStringLiteral("resave"), book, QStringLiteral("-o"), target}),
            "cannot save");
    }
    // A folder where the file should be is a bad argument, refused before opening the book.
    EXPECT_EQ(runPicrows({QStringLiteral("resave"), book, QStringLiteral("-o"), folder}).exitCode,
              2);
    EXPECT_EQ(readFile(plainFile), QByteArray("keep me"));
    EXPECT_TRUE(QFileInfo(folder).isDir());
    EXPECT_TRUE(QDir(folder).isEmpty());
    EXPECT_TRUE(QDir(dir.path()).entryList(QDir::Files | QDir::Hidden).size() == 1)
        << "a failed save left files behind: "
        << QDir(dir.path()).entryList(QDir::Files | QDir::Hidden).join(u' ').toStdString();
}

} // namespace
