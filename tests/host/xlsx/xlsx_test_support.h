#pragma once

#include <QByteArray>
#include <QString>
#include <QStringList>
#include <QTemporaryDir>

#include <cstdint>
#include <map>
#include <vector>

namespace host::model {
struct Workbook;
}

// Helpers shared by the package tests: where the corpus and fixtures are, and reading and
// writing zip files independently of the code under test.
namespace xlsxtest {

QString sourceDir();
QString corpusDir();           // PICROWS_CORPUS_DIR, else the corpus beside the source tree
QStringList corpusWorkbooks(); // the .xlsx and .xlsm files of the corpus, sorted
QString goldenDir();           // the golden cases beside these tests

// Zips a folder of parts into a package at `target` (content types first, as producers write
// them) and returns `target`.
QString packParts(const QString& partsDir, const QString& target);

struct ZipEntry
{
    QString name;
    QByteArray data; // uncompressed
    std::uint64_t compressedSize = 0;
    std::uint32_t crc = 0;
    int method = 0;
};
// Every entry of a zip file, in order; fails the current test when it cannot be read.
std::vector<ZipEntry> readZip(const QString& path);
std::map<QString, ZipEntry> readZipByName(const QString& path);

// Writes a zip of (name, content) pairs, deflated.
void writeZip(const QString& path, const std::vector<std::pair<QString, QByteArray>>& entries);

// A small valid package: one worksheet holding `sheetXml`'s <sheetData> content, with
// optional shared strings.
std::vector<std::pair<QString, QByteArray>> minimalPackage(const QByteArray& sheetData,
                                                           const QByteArray& sharedStrings = {});

QByteArray readFile(const QString& path);
void writeFile(const QString& path, const QByteArray& data);

// The workbook as text, one fact a line, for golden comparisons.
QString dumpWorkbook(const host::model::Workbook& book);

} // namespace xlsxtest
