// Corrupt and hostile files are refused with a host error that says why, and nothing on disk
// changes; a save that fails leaves the target as it was.

#include "host/automation/host_error.h"
#include "host/model/workbook.h"
#include "host/xlsx/xlsx_io.h"
#include "tests/host/xlsx/xlsx_test_support.h"

#include <QDir>

#include <gtest/gtest.h>
#include <zlib.h>

#include <functional>

namespace {

using namespace xlsxtest;

// A zip written byte by byte, so that its headers can say what a normal writer never would.
struct RawEntry
{
    QByteArray name;
    QByteArray data; // as stored
    bool deflated = false;
    quint32 crc = 0;
    quint32 declaredSize = 0; // uncompressed size the headers claim
    quint16 flags = 0;        // general purpose flags, in both headers
    // Where the local header differs from the directory's record.
    quint16 localTimeShift = 0; // in the two-second units of the time field
    QByteArray localExtra;
    QByteArray localName; // when not empty
    quint32 localCrcXor = 0;
    quint32 localSizeDelta = 0; // added to the compressed size
    quint32 offsetShift = 0;    // added to the directory's offset of the local header
};

void put16(QByteArray& b, quint16 v)
{
    b.append(char(v & 0xFF)).append(char(v >> 8));
}

void put32(QByteArray& b, quint32 v)
{
    put16(b, quint16(v & 0xFFFF));
    put16(b, quint16(v >> 16));
}

QByteArray rawZip(const std::vector<RawEntry>& entries)
{
    QByteArray out, directory;
    for (const RawEntry& e : entries) {
        const quint32 offset = quint32(out.size());
        auto header = [&](QByteArray& b, bool central) {
            const QByteArray& name = central || e.localName.isEmpty() ? e.name : e.localName;
            const QByteArray& extra = central ? QByteArray() : e.localExtra;
            put32(b, central ? 0x02014b50 : 0x04034b50);
            if (central)
                put16(b, 20);
            put16(b, 20);
            put16(b, e.flags);
            put16(b, e.deflated ? 8 : 0);
            put16(b, central ? 0 : e.localTimeShift);
            put16(b, 0x21);
            put32(b, central ? e.crc : e.crc ^ e.localCrcXor);
            put32(b, quint32(e.data.size()) + (central ? 0 : e.localSizeDelta));
            put32(b, e.declaredSize);
            put16(b, quint16(name.size()));
            put16(b, quint16(extra.size()));
            if (central) {
                put16(b, 0);
                put16(b, 0);
                put16(b, 0);
                put32(b, 0);
                put32(b, offset + e.offsetShift);
            }
            b.append(name);
            b.append(extra);
        };
        header(out, false);
        out.append(e.data);
        header(directory, true);
    }
    const quint32 directoryOffset = quint32(out.size());
    out.append(directory);
    put32(out, 0x06054b50);
    put16(out, 0);
    put16(out, 0);
    put16(out, quint16(entries.size()));
    put16(out, quint16(entries.size()));
    put32(out, quint32(directory.size()));
    put32(out, directoryOffset);
    put16(out, 0);
    return out;
}

RawEntry stored(const QString& name, const QByteArray& data)
{
    RawEntry e;
    e.name = name.toUtf8();
    e.data = data;
    e.crc = quint32(crc32(0, reinterpret_cast<const Bytef*>(data.constData()), uInt(data.size())));
    e.declaredSize = quint32(data.size());
    return e;
}

// `size` zero bytes, deflated, under headers that claim `declaredSize`.
RawEntry deflatedZeros(const QString& name, qsizetype size, quint32 declaredSize)
{
    const QByteArray zeros(size, '\0');
    z_stream z{};
    deflateInit2(&z, 9, Z_DEFLATED, -15, 9, Z_DEFAULT_STRATEGY);
    QByteArray out(qsizetype(deflateBound(&z, uLong(size))), Qt::Uninitialized);
    z.next_in = reinterpret_cast<Bytef*>(const_cast<char*>(zeros.constData()));
    z.avail_in = uInt(size);
    z.next_out = reinterpret_cast<Bytef*>(out.data());
    z.avail_out = uInt(out.size());
    deflate(&z, Z_FINISH);
    out.truncate(qsizetype(z.total_out));
    deflateEnd(&z);
    RawEntry e;
    e.name = name.toUtf8();
    e.data = out;
    e.deflated = true;
    e.crc = quint32(crc32(0, reinterpret_cast<const Bytef*>(zeros.constData()), uInt(size)));
    e.declaredSize = declaredSize;
    return e;
}

// A valid package as raw entries, with `extra` appended and the part named `replace`
// replaced by it when names match.
std::vector<RawEntry> packageWith(std::vector<RawEntry> extra)
{
    std::vector<RawEntry> out;
    for (const auto& [name, data] : minimalPackage("<row r=\"1\"><c r=\"A1\"><v>1</v></c></row>")) {
        bool replaced = false;
        for (const RawEntry& e : extra)
            replaced = replaced || e.name == name.toUtf8();
        if (!replaced)
            out.push_back(stored(name, data));
    }
    out.insert(out.end(), extra.begin(), extra.end());
    return out;
}

QByteArray validPackage()
{
    return rawZip(packageWith({}));
}

// The package with its sheet part's headers changed by `change`.
QByteArray withSheetHeaders(const std::function<void(RawEntry&)>& change)
{
    std::vector<RawEntry> entries = packageWith({});
    for (RawEntry& e : entries)
        if (e.name == "xl/worksheets/sheet1.xml")
            change(e);
    return rawZip(entries);
}

struct HostileCase
{
    const char* name;
    std::function<QByteArray()> bytes;
    const char* expected; // in the description
};

class Hostile : public testing::TestWithParam<HostileCase>
{
};

TEST_P(Hostile, IsRefusedAndNothingChanges)
{
    const HostileCase& c = GetParam();
    QTemporaryDir dir;
    const QString path = dir.filePath(QStringLiteral("hostile.xlsx"));
    const QByteArray bytes = c.bytes();
    writeFile(path, bytes);
    try {
        host::xlsx::load(path);
        FAIL() << "the file was accepted";
    } catch (const host::HostError& e) {
        EXPECT_EQ(e.number(), host::err::ApplicationDefined);
        EXPECT_TRUE(e.description().startsWith(QStringLiteral("Cannot open 'hostile.xlsx': ")))
            << e.description().toStdString();
        EXPECT_TRUE(e.description().contains(QString::fromUtf8(c.expected)))
            << e.description().toStdString();
    }
    EXPECT_TRUE(readFile(path) == bytes);
    EXPECT_EQ(QDir(dir.path()).entryList(QDir::Files | QDir::Hidden | QDir::NoDotAndDotDot),
              QStringList{QStringLiteral("hostile.xlsx")});
}

const QString kSheet = QStringLiteral("xl/worksheets/sheet1.xml");

INSTANTIATE_TEST_SUITE_P(
    Files, Hostile,
    testing::Values(
        HostileCase{"ZeroBytes", [] { return QByteArray(); }, "the file is empty"},
        HostileCase{"NotAZip", [] { return QByteArray("Name,Value\r\nA,1\r\n"); },
                    "not an .xlsx package"},
        HostileCase{"Truncated", [] { return validPackage().left(validPackage().size() * 2 / 3); },
                    "truncated"},
        HostileCase{"TruncatedDirectory",
                    [] { return validPackage().left(validPackage().size() - 10); }, "truncated"},
        HostileCase{"CompoundFile",
                    [] {
                        return QByteArray("\xD0\xCF\x11\xE0\xA1\xB1\x1A\xE1", 8) +
                               QByteArray(504, '\0');
                    },
                    "(.xls)"},
        HostileCase{"ZipBomb",
                    [] { return rawZip(packageWith({deflatedZeros(kSheet, 64 << 20, 64 << 20)})); },
                    "zip bomb"},
        HostileCase{"ZipBombWithLyingHeader",
                    [] { return rawZip(packageWith({deflatedZeros(kSheet, 64 << 20, 1000)})); },
                    "'xl/worksheets/sheet1.xml'"},
        HostileCase{"EntryTooLarge",
                    [] {
                        return rawZip(packageWith({deflatedZeros(
                            QStringLiteral("xl/media/huge.bin"), 1 << 20, 0x7FFFFFFF)}));
                    },
                    "larger than 256 MB"},
        HostileCase{
            "ParentTraversal",
            [] { return rawZip(packageWith({stored(QStringLiteral("../evil.xml"), "x")})); },
            "'../evil.xml' points outside the package"},
        HostileCase{
            "NestedTraversal",
            [] { return rawZip(packageWith({stored(QStringLiteral("xl/../../evil.xml"), "x")})); },
            "points outside the package"},
        HostileCase{
            "AbsolutePath",
            [] { return rawZip(packageWith({stored(QStringLiteral("/etc/evil.xml"), "x")})); },
            "points outside the package"},
        HostileCase{
            "Backslash",
            [] { return rawZip(packageWith({stored(QStringLiteral("xl\\evil.xml"), "x")})); },
            "points outside the package"},
        HostileCase{
            "DriveLetter",
            [] { return rawZip(packageWith({stored(QStringLiteral("C:/evil.xml"), "x")})); },
            "points outside the package"},
        HostileCase{"DuplicateName",
                    [] {
                        return rawZip(packageWith({stored(QStringLiteral("xl/media/a.png"), "1"),
                                                   stored(QStringLiteral("xl/media/a.png"), "2")}));
                    },
                    "occurs twice"},
        HostileCase{"DuplicateNameDifferingInCase",
                    [] {
                        return rawZip(packageWith({stored(QStringLiteral("xl/Media/a.png"), "1"),
                                                   stored(QStringLiteral("xl/media/A.PNG"), "2")}));
                    },
                    "occurs twice"},
        HostileCase{"MissingWorkbookPart",
                    [] {
                        std::vector<RawEntry> entries = packageWith({});
                        std::erase_if(
                            entries, [](const RawEntry& e) { return e.name == "xl/workbook.xml"; });
                        return rawZip(entries);
                    },
                    "no workbook part"},
        HostileCase{"MissingContentTypes",
                    [] {
                        std::vector<RawEntry> entries = packageWith({});
                        std::erase_if(entries, [](const RawEntry& e) {
                            return e.name == "[Content_Types].xml";
                        });
                        return rawZip(entries);
                    },
                    "no [Content_Types].xml"},
        HostileCase{"MissingSheetPart",
                    [] {
                        std::vector<RawEntry> entries = packageWith({});
                        std::erase_if(entries, [](const RawEntry& e) {
                            return e.name == "xl/worksheets/sheet1.xml";
                        });
                        return rawZip(entries);
                    },
                    "the part of sheet 'Data' is missing"},
        HostileCase{"MalformedXml",
                    [] {
                        return rawZip(packageWith(
                            {stored(kSheet, "<worksheet><sheetData><row></worksheet>")}));
                    },
                    "the part 'xl/worksheets/sheet1.xml' is malformed XML"},
        HostileCase{"EntityExpansion",
                    [] {
                        return rawZip(packageWith({stored(
                            kSheet,
                            "<!DOCTYPE x [<!ENTITY a \"aaaa\"><!ENTITY b \"&a;&a;&a;&a;\">]>"
                            "<worksheet><sheetData><row><c t=\"inlineStr\"><is><t>&b;</t>"
                            "</is></c></row></sheetData></worksheet>")}));
                    },
                    "declares a document type (DTD)"},
        HostileCase{
            "RowBeyondTheSheet",
            [] {
                return rawZip(packageWith({stored(
                    kSheet,
                    "<worksheet><sheetData><row r=\"1048577\"/></sheetData></worksheet>")}));
            },
            "row numbered 1048577"},
        HostileCase{"LocalNameDiffers",
                    [] {
                        return withSheetHeaders(
                            [](RawEntry& e) { e.localName = "xl/worksheets/sheet2.xml"; });
                    },
                    "headers of the entry 'xl/worksheets/sheet1.xml' disagree"},
        HostileCase{"LocalChecksumDiffers",
                    [] { return withSheetHeaders([](RawEntry& e) { e.localCrcXor = 1; }); },
                    "headers of the entry 'xl/worksheets/sheet1.xml' disagree"},
        HostileCase{"LocalSizeDiffers",
                    [] { return withSheetHeaders([](RawEntry& e) { e.localSizeDelta = 3; }); },
                    "headers of the entry 'xl/worksheets/sheet1.xml' disagree"},
        HostileCase{"OffsetMissesTheLocalHeader",
                    [] { return withSheetHeaders([](RawEntry& e) { e.offsetShift = 2; }); },
                    "'xl/worksheets/sheet1.xml'"},
        HostileCase{"CompressedPatchedData",
                    [] { return withSheetHeaders([](RawEntry& e) { e.flags = 0x20; }); },
                    "compressed patched data"},
        HostileCase{"NotAWorkbook",
                    [] {
                        return rawZip(packageWith({stored(QStringLiteral("xl/workbook.xml"),
                                                          "<document><body/></document>")}));
                    },
                    "not a workbook"}),
    [](const testing::TestParamInfo<HostileCase>& info) { return std::string(info.param.name); });

// What other readers accept: a local header whose time is 6 seconds off the directory's, or
// that carries an extra field the directory's record lacks (as a widely used library writes
// them). The package opens, and saves into one whose headers agree.
TEST(HarmlessHeaderDifferences, AreAccepted)
{
    QTemporaryDir dir;
    const QString path = dir.filePath(QStringLiteral("library.xlsx"));
    writeFile(path, withSheetHeaders([](RawEntry& e) {
                  e.localTimeShift = 3;
                  e.localExtra = QByteArray("\x55\x54\x05\x00\x01\x00\x00\x00\x00", 9);
              }));
    const auto book = host::xlsx::load(path);
    ASSERT_EQ(book->sheets.size(), 1u);
    EXPECT_EQ(book->sheets.at(0)->cell(1, 1)->number, 1);
    const QString saved = dir.filePath(QStringLiteral("saved.xlsx"));
    host::xlsx::save(*book, saved);
    EXPECT_EQ(host::xlsx::load(saved)->sheets.size(), 1u);
}

// A value quoted from the file (a cell's name, a part's name, a sheet's name) is cut short in
// the message: the reason stays one readable line, however much the file says.
TEST(HostileMessages, LongValuesAreCut)
{
    const QByteArray longName(1000000, 'A');
    const QByteArray longPart = "../" + QByteArray(60000, 'p') + ".xml";
    const std::vector<std::pair<QByteArray, const char*>> cases{
        {rawZip(
             packageWith({stored(kSheet, "<worksheet><sheetData><row><c r=\"" + longName +
                                             "1\"><v>1</v></c></row></sheetData></worksheet>")})),
         "has a cell named 'AAAA"},
        {rawZip(packageWith({stored(QString::fromUtf8(longPart), "x")})), "'../pppp"},
    };
    QTemporaryDir dir;
    const QString path = dir.filePath(QStringLiteral("long.xlsx"));
    for (const auto& [bytes, start] : cases) {
        writeFile(path, bytes);
        try {
            host::xlsx::load(path);
            ADD_FAILURE() << start << ": accepted";
        } catch (const host::HostError& e) {
            EXPECT_TRUE(e.description().contains(QString::fromUtf8(start)))
                << e.description().left(300).toStdString();
            EXPECT_LT(e.description().size(), 300) << start;
        }
    }
}

TEST(HostileLimits, AHighlyCompressiblePictureIsNoBomb)
{
    // Pictures are streamed, never inflated into memory: a plain bitmap that shrinks a
    // thousandfold is fine, and is copied as it is.
    QTemporaryDir dir;
    const QString path = dir.filePath(QStringLiteral("bitmap.xlsx"));
    writeFile(path, rawZip(packageWith({deflatedZeros(QStringLiteral("xl/media/image1.bmp"),
                                                      64 << 20, 64 << 20)})));
    const auto book = host::xlsx::load(path);
    host::xlsx::save(*book, dir.filePath(QStringLiteral("saved.xlsx")));
    const auto saved = readZipByName(dir.filePath(QStringLiteral("saved.xlsx")));
    EXPECT_EQ(saved.at(QStringLiteral("xl/media/image1.bmp")).data.size(), 64 << 20);
}

TEST(HostileSharedStrings, HugeCountsAreClaimsOnly)
{
    QTemporaryDir dir;
    const QString path = dir.filePath(QStringLiteral("strings.xlsx"));
    writeZip(path, minimalPackage(
                       "<row r=\"1\"><c r=\"A1\" t=\"s\"><v>1</v></c>"
                       "<c r=\"B1\" t=\"s\"><v>4000000000</v></c></row>",
                       "<sst xmlns=\"http://schemas.openxmlformats.org/spreadsheetml/2006/main\" "
                       "count=\"4294967295\" uniqueCount=\"4294967295\">"
                       "<si><t>zero</t></si><si><t>one</t></si></sst>"));
    const auto book = host::xlsx::load(path);
    const host::model::Sheet& sheet = *book->sheets.at(0);
    EXPECT_EQ(sheet.cell(1, 1)->text, QStringLiteral("one"));
    // A reference past the items is read as an empty text rather than trusted.
    EXPECT_EQ(sheet.cell(1, 2)->kind, host::model::CellKind::Text);
    EXPECT_TRUE(sheet.cell(1, 2)->text.isEmpty());
}

} // namespace
