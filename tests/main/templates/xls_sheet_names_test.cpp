// The sheet records of compound files written here record by record, for what LibreOffice's
// files do not show: chart, macro and module sheets, BIFF5 names in a code page, encryption and
// a globals stream without its end.
#include "main/templates/xls_sheet_names.h"

#include "host/automation/host_error.h"

#include <QFile>
#include <QTemporaryDir>

#include <gsf/gsf-outfile-msole.h>
#include <gsf/gsf-outfile.h>
#include <gsf/gsf-output-stdio.h>
#include <gsf/gsf-output.h>
#include <gsf/gsf-utils.h>

#include <gtest/gtest.h>

#include <cstdint>

namespace {

QString q(const char* text)
{
    return QString::fromUtf8(text);
}

QByteArray le16(std::uint16_t v)
{
    const char bytes[2] = {char(v & 0xff), char(v >> 8)};
    return QByteArray(bytes, 2);
}

QByteArray record(std::uint16_t type, const QByteArray& data)
{
    return le16(type) + le16(std::uint16_t(data.size())) + data;
}

QByteArray bof(std::uint16_t version)
{
    return record(0x0809, le16(version) + le16(0x0005) + QByteArray(12, '\0'));
}

const QByteArray kEof = record(0x000A, {});

// A BIFF8 sheet record: visibility, sheet type and the name, one byte a character when it is
// Latin-1, else two.
QByteArray sheet8(const QString& name, std::uint8_t type, std::uint8_t hidden = 0)
{
    bool latin1 = true;
    for (QChar c : name)
        latin1 = latin1 && c.unicode() < 0x100;
    QByteArray data =
        QByteArray(4, '\0') + char(hidden) + char(type) + char(name.size()) + char(latin1 ? 0 : 1);
    for (QChar c : name)
        data += latin1 ? QByteArray(1, char(c.unicode())) : le16(c.unicode());
    return record(0x0085, data);
}

// A BIFF5 sheet record with its name in the workbook's code page.
QByteArray sheet5(const QByteArray& name)
{
    return record(0x0085, QByteArray(4, '\0') + char(0) + char(0) + char(name.size()) + name);
}

class XlsRecords : public ::testing::Test
{
protected:
    XlsRecords() { gsf_init(); }

    QString compoundFile(const char* stream, const QByteArray& bytes)
    {
        const QString path = dir.filePath(q("book.xls"));
        QFile::remove(path);
        GError* error = nullptr;
        GsfOutput* sink = gsf_output_stdio_new(QFile::encodeName(path).constData(), &error);
        EXPECT_NE(sink, nullptr);
        g_clear_error(&error);
        GsfOutfile* file = gsf_outfile_msole_new(sink);
        GsfOutput* child = gsf_outfile_new_child(file, stream, FALSE);
        gsf_output_write(child, size_t(bytes.size()),
                         reinterpret_cast<const guint8*>(bytes.constData()));
        gsf_output_close(child);
        g_object_unref(child);
        gsf_output_close(GSF_OUTPUT(file));
        g_object_unref(file);
        g_object_unref(sink);
        return path;
    }

    int errorOf(const QString& path)
    {
        try {
            picrows::readXlsWorksheetNames(path);
        } catch (const host::HostError& e) {
            return e.number();
        }
        return 0;
    }

    QTemporaryDir dir;
};

// Only worksheets, hidden ones included, in record order; the records of the sheets' own
// streams behind the globals' end are not read.
TEST_F(XlsRecords, Biff8ListsWorksheetsOnly)
{
    const QByteArray stream = bof(0x0600) + record(0x0042, le16(1200)) + sheet8(q("Latin é"), 0) +
                              sheet8(q("Chart1"), 2) + sheet8(q("見積 (2)"), 0) +
                              sheet8(q("Macro1"), 1) + sheet8(q("Module1"), 6) +
                              sheet8(q("Hidden"), 0, 2) + kEof + bof(0x0600) +
                              sheet8(q("Inner"), 0) + kEof;
    EXPECT_EQ(picrows::readXlsWorksheetNames(compoundFile("Workbook", stream)),
              (QStringList{q("Latin é"), q("見積 (2)"), q("Hidden")}));
}

TEST_F(XlsRecords, Biff5NamesAreInTheWorkbooksCodePage)
{
    const QByteArray stream = bof(0x0500) + record(0x0042, le16(932)) +
                              sheet5(QByteArray("\x8c\xa9\x90\xcf", 4)) + sheet5("Data") + kEof;
    EXPECT_EQ(picrows::readXlsWorksheetNames(compoundFile("Book", stream)),
              (QStringList{q("見積"), q("Data")}));
}

TEST_F(XlsRecords, UnreadableWorkbooksRaise)
{
    // Encrypted: the names behind the password record cannot be read.
    EXPECT_EQ(errorOf(compoundFile("Workbook", bof(0x0600) + record(0x002F, QByteArray(6, 0)) +
                                                   sheet8(q("A"), 0) + kEof)),
              3031);
    // A globals stream that never ends, or a name longer than its record.
    EXPECT_EQ(errorOf(compoundFile("Workbook", bof(0x0600) + sheet8(q("A"), 0))), 3274);
    EXPECT_EQ(
        errorOf(compoundFile("Workbook",
                             bof(0x0600) + record(0x0085, QByteArray(6, 0) + "\x09\x00ab") + kEof)),
        3274);
    // A compound file without a workbook stream, and one of a format older than BIFF5.
    EXPECT_EQ(errorOf(compoundFile("WordDocument", bof(0x0600) + kEof)), 3274);
    EXPECT_EQ(errorOf(compoundFile("Workbook", bof(0x0400) + kEof)), 3274);
}

} // namespace
