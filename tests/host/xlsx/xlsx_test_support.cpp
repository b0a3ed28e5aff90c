#include "tests/host/xlsx/xlsx_test_support.h"

#include "host/model/workbook.h"

#include <QDir>
#include <QDirIterator>
#include <QFile>

#include <gtest/gtest.h>
#include <zip.h>

namespace xlsxtest {

QString sourceDir()
{
    const QByteArray dir = qgetenv("PICROWS_SOURCE_DIR");
    return dir.isEmpty() ? QStringLiteral(PICROWS_SOURCE_DIR_DEFAULT) : QString::fromLocal8Bit(dir);
}

QString corpusDir()
{
    const QByteArray dir = qgetenv("PICROWS_CORPUS_DIR");
    if (!dir.isEmpty())
        return QString::fromLocal8Bit(dir);
    return QDir(sourceDir() + QStringLiteral("/../shared/corpus")).absolutePath();
}

QStringList corpusWorkbooks()
{
    QDir dir(corpusDir());
    QStringList out;
    for (const QString& name : dir.entryList({QStringLiteral("*.xlsx"), QStringLiteral("*.xlsm")},
                                             QDir::Files, QDir::Name))
        out.append(dir.filePath(name));
    return out;
}

QString goldenDir()
{
    return sourceDir() + QStringLiteral("/tests/host/xlsx/golden");
}

QString packParts(const QString& partsDir, const QString& target)
{
    QDirIterator it(partsDir, QDir::Files | QDir::Hidden, QDirIterator::Subdirectories);
    QStringList names;
    while (it.hasNext())
        names.append(QDir(partsDir).relativeFilePath(it.next()));
    names.sort();
    names.removeOne(QStringLiteral("[Content_Types].xml"));
    names.prepend(QStringLiteral("[Content_Types].xml"));
    std::vector<std::pair<QString, QByteArray>> entries;
    for (const QString& name : names)
        entries.emplace_back(name, readFile(partsDir + u'/' + name));
    writeZip(target, entries);
    return target;
}

std::vector<ZipEntry> readZip(const QString& path)
{
    std::vector<ZipEntry> out;
    int error = 0;
    zip_t* z = zip_open(QFile::encodeName(path).constData(), ZIP_RDONLY, &error);
    if (!z) {
        ADD_FAILURE() << "cannot open zip " << path.toStdString() << " (libzip error " << error
                      << ")";
        return out;
    }
    const zip_int64_t n = zip_get_num_entries(z, 0);
    for (zip_int64_t i = 0; i < n; ++i) {
        zip_stat_t st;
        zip_stat_index(z, zip_uint64_t(i), 0, &st);
        ZipEntry e;
        e.name = QString::fromUtf8(st.name);
        e.compressedSize = st.comp_size;
        e.crc = st.crc;
        e.method = st.comp_method;
        e.data.resize(qsizetype(st.size));
        if (st.size > 0) {
            zip_file_t* f = zip_fopen_index(z, zip_uint64_t(i), 0);
            const zip_int64_t got = f ? zip_fread(f, e.data.data(), st.size) : -1;
            if (f)
                zip_fclose(f);
            if (got != zip_int64_t(st.size))
                ADD_FAILURE() << "cannot read " << e.name.toStdString() << " in "
                              << path.toStdString();
        }
        out.push_back(std::move(e));
    }
    zip_discard(z);
    return out;
}

std::map<QString, ZipEntry> readZipByName(const QString& path)
{
    std::map<QString, ZipEntry> out;
    for (ZipEntry& e : readZip(path))
        out[e.name] = std::move(e);
    return out;
}

void writeZip(const QString& path, const std::vector<std::pair<QString, QByteArray>>& entries)
{
    int error = 0;
    zip_t* z = zip_open(QFile::encodeName(path).constData(), ZIP_CREATE | ZIP_TRUNCATE, &error);
    ASSERT_NE(z, nullptr);
    for (const auto& [name, data] : entries) {
        zip_source_t* s = zip_source_buffer(z, data.constData(), zip_uint64_t(data.size()), 0);
        ASSERT_GE(zip_file_add(z, name.toUtf8().constData(), s, ZIP_FL_ENC_UTF_8), 0);
    }
    ASSERT_EQ(zip_close(z), 0);
}

std::vector<std::pair<QString, QByteArray>> minimalPackage(const QByteArray& sheetData,
                                                           const QByteArray& sharedStrings)
{
    const bool sst = !sharedStrings.isEmpty();
    QByteArray types =
        "<?xml version=\"1.0\" encoding=\"UTF-8\"?>"
        "<Types xmlns=\"http://schemas.openxmlformats.org/package/2006/content-types\">"
        "<Default Extension=\"rels\" "
        "ContentType=\"application/vnd.openxmlformats-package.relationships+xml\"/>"
        "<Default Extension=\"xml\" ContentType=\"application/xml\"/>"
        "<Override PartName=\"/xl/workbook.xml\" "
        "ContentType=\"application/"
        "vnd.openxmlformats-officedocument.spreadsheetml.sheet.main+xml\"/>"
        "<Override PartName=\"/xl/worksheets/sheet1.xml\" "
        "ContentType=\"application/vnd.openxmlformats-officedocument.spreadsheetml.worksheet+xml\"/"
        ">";
    if (sst)
        types += "<Override PartName=\"/xl/sharedStrings.xml\" "
                 "ContentType=\"application/"
                 "vnd.openxmlformats-officedocument.spreadsheetml.sharedStrings+xml\"/>";
    types += "</Types>";
    QByteArray rels =
        "<?xml version=\"1.0\" encoding=\"UTF-8\"?>"
        "<Relationships xmlns=\"http://schemas.openxmlformats.org/package/2006/relationships\">"
        "<Relationship Id=\"rId1\" "
        "Type=\"http://schemas.openxmlformats.org/officeDocument/2006/relationships/worksheet\" "
        "Target=\"worksheets/sheet1.xml\"/>";
    if (sst)
        rels += "<Relationship Id=\"rId2\" "
                "Type=\"http://schemas.openxmlformats.org/officeDocument/2006/relationships/"
                "sharedStrings\" Target=\"sharedStrings.xml\"/>";
    rels += "</Relationships>";
    std::vector<std::pair<QString, QByteArray>> parts = {
        {QStringLiteral("[Content_Types].xml"), types},
        {QStringLiteral("_rels/.rels"),
         "<?xml version=\"1.0\" encoding=\"UTF-8\"?>"
         "<Relationships xmlns=\"http://schemas.openxmlformats.org/package/2006/relationships\">"
         "<Relationship Id=\"rId1\" "
         "Type=\"http://schemas.openxmlformats.org/officeDocument/2006/relationships/"
         "officeDocument\" Target=\"xl/workbook.xml\"/>"
         "</Relationships>"},
        {QStringLiteral("xl/workbook.xml"),
         "<?xml version=\"1.0\" encoding=\"UTF-8\"?>"
         "<workbook xmlns=\"http://schemas.openxmlformats.org/spreadsheetml/2006/main\" "
         "xmlns:r=\"http://schemas.openxmlformats.org/officeDocument/2006/relationships\">"
         "<sheets><sheet name=\"Data\" sheetId=\"1\" r:id=\"rId1\"/></sheets></workbook>"},
        {QStringLiteral("xl/_rels/workbook.xml.rels"), rels},
        {QStringLiteral("xl/worksheets/sheet1.xml"),
         "<?xml version=\"1.0\" encoding=\"UTF-8\"?>"
         "<worksheet xmlns=\"http://schemas.openxmlformats.org/spreadsheetml/2006/main\">"
         "<sheetData>" +
             sheetData + "</sheetData></worksheet>"}};
    if (sst)
        parts.emplace_back(QStringLiteral("xl/sharedStrings.xml"), sharedStrings);
    return parts;
}

QByteArray readFile(const QString& path)
{
    QFile f(path);
    if (!f.open(QIODevice::ReadOnly))
        return {};
    return f.readAll();
}

void writeFile(const QString& path, const QByteArray& data)
{
    QFile f(path);
    ASSERT_TRUE(f.open(QIODevice::WriteOnly | QIODevice::Truncate));
    ASSERT_EQ(f.write(data), data.size());
}

namespace {

using namespace host::model;

QString number(double d)
{
    return QString::number(d, 'g', 15);
}

QString quoted(const QString& s)
{
    QString out = s;
    out.replace(u'\\', QStringLiteral("\\\\")).replace(u'"', QStringLiteral("\\\""));
    out.replace(u'\n', QStringLiteral("\\n")).replace(u'\r', QStringLiteral("\\r"));
    return u'"' + out + u'"';
}

const char* kindName(SheetKind k)
{
    switch (k) {
    case SheetKind::Worksheet:
        return "worksheet";
    case SheetKind::Chartsheet:
        return "chartsheet";
    case SheetKind::Dialogsheet:
        return "dialogsheet";
    case SheetKind::Macrosheet:
        return "macrosheet";
    }
    return "?";
}

QString cellText(const Cell& c)
{
    QString out;
    switch (c.kind) {
    case CellKind::Empty:
        out = QStringLiteral("empty");
        break;
    case CellKind::Number:
        out = QStringLiteral("number ") + number(c.number);
        break;
    case CellKind::Text:
        out = QStringLiteral("text ") + quoted(c.text);
        break;
    case CellKind::Boolean:
        out = QStringLiteral("boolean ") +
              (c.boolean ? QStringLiteral("TRUE") : QStringLiteral("FALSE"));
        break;
    case CellKind::Error:
        out = QStringLiteral("error ") + c.text;
        break;
    }
    if (!c.formula.isEmpty())
        out += QStringLiteral(" formula ") + quoted(c.formula);
    if (c.style)
        out += QStringLiteral(" style=") + QString::number(c.style);
    return out;
}

} // namespace

QString dumpWorkbook(const Workbook& book)
{
    QStringList lines;
    lines << QStringLiteral("workbook active=%1 first=%2 minimized=%3")
                 .arg(book.activeSheet)
                 .arg(book.firstVisibleTab)
                 .arg(int(book.windowMinimized));
    lines << QStringLiteral("font %1 %2")
                 .arg(quoted(book.defaultFontName), number(book.defaultFontSize));
    if (book.customPalette) {
        QStringList colours;
        for (QRgb c : book.palette)
            colours << QString::number(c & 0xFFFFFF, 16).rightJustified(6, u'0');
        lines << QStringLiteral("palette ") + colours.join(u' ');
    }
    for (size_t i = 0; i < book.cellFormats.size(); ++i) {
        const CellFormat& f = book.cellFormats[i];
        if (!f.locked || f.formulaHidden)
            lines << QStringLiteral("format %1 locked=%2 hidden=%3")
                         .arg(i)
                         .arg(int(f.locked))
                         .arg(int(f.formulaHidden));
    }
    lines << QStringLiteral("formats %1").arg(book.cellFormats.size());
    for (const auto& sheet : book.sheets) {
        const Sheet& s = *sheet;
        lines << QStringLiteral("sheet %1 %2 visibility=%3")
                     .arg(quoted(s.name), QString::fromUtf8(kindName(s.kind)))
                     .arg(s.visibility);
        lines << QStringLiteral("  defaults row=%1 column=%2 base=%3 zeroHeight=%4")
                     .arg(number(s.defaultRowHeight), s.defaultColumnWidth
                                                          ? number(*s.defaultColumnWidth)
                                                          : QStringLiteral("-"))
                     .arg(s.baseColumnWidth)
                     .arg(int(s.rowsHiddenByDefault));
        lines << QStringLiteral("  protection sheet=%1 objects=%2 scenarios=%3")
                     .arg(int(s.protection.sheet))
                     .arg(int(s.protection.objects))
                     .arg(int(s.protection.scenarios));
        lines << QStringLiteral("  view active=%1 selection=%2 top=%3 left=%4 zoom=%5 selected=%6")
                     .arg(s.view.activeCell, formatA1List(s.view.selection, false))
                     .arg(s.view.topRow)
                     .arg(s.view.leftColumn)
                     .arg(s.view.zoom)
                     .arg(int(s.view.tabSelected));
        for (const ColumnSpan& c : s.columns)
            lines << QStringLiteral("  columns %1:%2 width=%3 custom=%4 hidden=%5 style=%6")
                         .arg(c.first)
                         .arg(c.last)
                         .arg(c.width ? number(*c.width) : QStringLiteral("-"))
                         .arg(int(c.customWidth))
                         .arg(int(c.hidden))
                         .arg(c.style);
        for (const auto& [r, info] : s.rows)
            lines << QStringLiteral("  row %1 height=%2 custom=%3 hidden=%4 style=%5")
                         .arg(r)
                         .arg(info.height ? number(*info.height) : QStringLiteral("-"))
                         .arg(int(info.customHeight))
                         .arg(int(info.hidden))
                         .arg(info.style ? QString::number(*info.style) : QStringLiteral("-"));
        for (const CellRect& m : s.merges)
            lines << QStringLiteral("  merge ") + formatA1(m, false);
        for (const auto& [key, cell] : s.cells)
            lines << QStringLiteral("  cell %1%2 ").arg(columnName(key.second)).arg(key.first) +
                         cellText(cell);
    }
    return lines.join(u'\n') + u'\n';
}

} // namespace xlsxtest
