#include "main/templates/xls_sheet_names.h"

#include "host/automation/host_error.h"

#include <QByteArray>
#include <QFile>
#include <QFileInfo>

#include <gsf/gsf-infile-msole.h>
#include <gsf/gsf-infile.h>
#include <gsf/gsf-input-stdio.h>
#include <gsf/gsf-input.h>
#include <gsf/gsf-utils.h>

#include <iconv.h>

#include <cstdint>
#include <memory>
#include <mutex>

namespace picrows {

namespace {

constexpr std::uint16_t kBof = 0x0809;
constexpr std::uint16_t kEof = 0x000A;
constexpr std::uint16_t kBoundSheet = 0x0085;
constexpr std::uint16_t kCodePage = 0x0042;
constexpr std::uint16_t kFilePass = 0x002F;
constexpr std::uint16_t kBiff8 = 0x0600;
constexpr std::uint16_t kBiff5 = 0x0500;
constexpr std::uint16_t kGlobals = 0x0005;
constexpr std::uint8_t kWorksheet = 0;

[[noreturn]] void notAWorkbook()
{
    host::raise(kNotAnXlsWorkbook, QStringLiteral("External table is not in the expected format."));
}

struct GObjectUnref
{
    void operator()(gpointer object) const { g_object_unref(object); }
};
template <class T> using GPtr = std::unique_ptr<T, GObjectUnref>;

std::uint16_t u16(const QByteArray& data, qsizetype at)
{
    return std::uint16_t(std::uint8_t(data.at(at)) | (std::uint8_t(data.at(at + 1)) << 8));
}

// Characters of a BIFF5 workbook, written in the code page its CODEPAGE record names.
QString fromCodePage(const QByteArray& bytes, int codePage)
{
    if (codePage == 1200 || codePage == 0)
        return QString::fromLatin1(bytes);
    const QByteArray name = codePage == 367     ? QByteArray("ASCII")
                            : codePage == 10000 ? QByteArray("MACINTOSH")
                                                : "CP" + QByteArray::number(codePage);
    iconv_t cd = iconv_open("UTF-8", name.constData());
    if (cd == iconv_t(-1))
        return QString::fromLatin1(bytes);
    QByteArray in = bytes;
    QByteArray out(bytes.size() * 4 + 4, '\0');
    char* inPtr = in.data();
    size_t inLeft = size_t(in.size());
    char* outPtr = out.data();
    size_t outLeft = size_t(out.size());
    const size_t done = iconv(cd, &inPtr, &inLeft, &outPtr, &outLeft);
    iconv_close(cd);
    if (done == size_t(-1))
        return QString::fromLatin1(bytes);
    return QString::fromUtf8(out.constData(), qsizetype(size_t(out.size()) - outLeft));
}

class RecordReader
{
public:
    explicit RecordReader(GsfInput* stream) : m_stream(stream) {}

    // The next record's type and data; false at the end of the stream.
    bool next(std::uint16_t& type, QByteArray& data)
    {
        guint8 header[4];
        if (gsf_input_remaining(m_stream) < 4 || !gsf_input_read(m_stream, 4, header))
            return false;
        type = std::uint16_t(header[0] | (header[1] << 8));
        const std::uint16_t length = std::uint16_t(header[2] | (header[3] << 8));
        data.resize(length);
        if (length > 0 && !gsf_input_read(m_stream, length, reinterpret_cast<guint8*>(data.data())))
            notAWorkbook();
        return true;
    }

private:
    GsfInput* m_stream;
};

// The workbook stream, "Workbook" (BIFF8) or "Book" (BIFF5); compound-file names are compared
// without regard to letter case.
GPtr<GsfInput> workbookStream(GsfInfile* file)
{
    for (const char* wanted : {"Workbook", "Book"}) {
        for (int i = 0; i < gsf_infile_num_children(file); ++i) {
            const char* name = gsf_infile_name_by_index(file, i);
            if (name && g_ascii_strcasecmp(name, wanted) == 0)
                return GPtr<GsfInput>(gsf_infile_child_by_index(file, i));
        }
    }
    return nullptr;
}

QString sheetName(const QByteArray& data, bool biff8, int codePage)
{
    // lbPlyPos (4), hsState (1), dt (1), then the name.
    if (data.size() < 7)
        notAWorkbook();
    const int count = std::uint8_t(data.at(6));
    if (!biff8)
        return fromCodePage(data.mid(7, count), codePage);
    if (data.size() < 8)
        notAWorkbook();
    const bool wide = (std::uint8_t(data.at(7)) & 0x01) != 0;
    const QByteArray chars = data.mid(8);
    if (chars.size() < (wide ? 2 * count : count))
        notAWorkbook();
    if (!wide)
        return QString::fromLatin1(chars.constData(), count);
    QString name(count, Qt::Uninitialized);
    for (int i = 0; i < count; ++i)
        name[i] = QChar(u16(chars, 2 * i));
    return name;
}

} // namespace

QStringList readXlsWorksheetNames(const QString& path)
{
    static std::once_flag initialised;
    std::call_once(initialised, [] { gsf_init(); });

    if (!QFileInfo(path).isFile())
        host::raise(3024, QStringLiteral("Could not find file '%1'.").arg(path));

    GError* error = nullptr;
    const GPtr<GsfInput> input(gsf_input_stdio_new(QFile::encodeName(path).constData(), &error));
    if (!input) {
        g_clear_error(&error);
        host::raise(3024, QStringLiteral("Could not find file '%1'.").arg(path));
    }
    const GPtr<GsfInfile> file(gsf_infile_msole_new(input.get(), &error));
    g_clear_error(&error);
    if (!file)
        notAWorkbook();
    const GPtr<GsfInput> stream = workbookStream(file.get());
    if (!stream)
        notAWorkbook();

    RecordReader records(stream.get());
    std::uint16_t type = 0;
    QByteArray data;
    if (!records.next(type, data) || type != kBof || data.size() < 4 || u16(data, 2) != kGlobals)
        notAWorkbook();
    const std::uint16_t version = u16(data, 0);
    if (version != kBiff8 && version != kBiff5)
        notAWorkbook();
    const bool biff8 = version == kBiff8;

    QStringList names;
    int codePage = 1252;
    while (records.next(type, data)) {
        if (type == kEof)
            return names;
        if (type == kFilePass)
            host::raise(3031, QStringLiteral("Not a valid password."));
        if (type == kCodePage && data.size() >= 2)
            codePage = u16(data, 0);
        if (type == kBoundSheet && data.size() >= 6 && std::uint8_t(data.at(5)) == kWorksheet)
            names << sheetName(data, biff8, codePage);
    }
    notAWorkbook(); // the globals never ended
}

} // namespace picrows
