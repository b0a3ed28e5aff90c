#include "host/xlsx/zip_archive.h"

#include "host/automation/host_error.h"
#include "host/xlsx/zip_directory.h"

#include <QStringList>

#include <zip.h>

#include <array>

namespace host::xlsx {

namespace {

QString zipErrorText(zip_error_t* error)
{
    return QString::fromUtf8(zip_error_strerror(error));
}

} // namespace

bool isSafeEntryName(const QString& name)
{
    if (name.isEmpty() || name.startsWith(u'/') || name.contains(u'\\'))
        return false;
    if (name.size() >= 2 && name[1] == u':' && name[0].isLetter())
        return false;
    for (const QChar c : name) {
        if (c.unicode() < 0x20 || c.unicode() == 0x7F)
            return false;
    }
    const QStringList segments = name.split(u'/');
    for (qsizetype i = 0; i < segments.size(); ++i) {
        const QString& s = segments[i];
        if (s == u"." || s == u"..")
            return false;
        // Only a directory entry may end with a slash; no empty segment elsewhere.
        if (s.isEmpty() && i != segments.size() - 1)
            return false;
    }
    return true;
}

std::shared_ptr<const ZipArchive> ZipArchive::open(QByteArray bytes, const QString& displayName,
                                                   const ZipLimits& limits)
{
    std::shared_ptr<ZipArchive> archive(new ZipArchive);
    archive->m_displayName = displayName;
    archive->m_limits = limits;
    archive->m_bytes = std::move(bytes);
    const QByteArray& data = archive->m_bytes;

    if (data.isEmpty())
        archive->refuse(QStringLiteral("the file is empty"));
    if (data.size() > limits.maxFileSize)
        archive->refuse(
            QStringLiteral("the file is larger than %1 MB").arg(limits.maxFileSize >> 20));
    static const char compoundMagic[] = "\xD0\xCF\x11\xE0\xA1\xB1\x1A\xE1";
    if (data.startsWith(QByteArray::fromRawData(compoundMagic, 8)))
        archive->refuse(QStringLiteral(
            "it is an Excel 97-2003 workbook (.xls) or an encrypted workbook; only .xlsx and "
            ".xlsm packages can be opened"));

    zip_error_t error;
    zip_error_init(&error);
    zip_source_t* source =
        zip_source_buffer_create(data.constData(), zip_uint64_t(data.size()), 0, &error);
    if (!source) {
        const QString why = zipErrorText(&error);
        zip_error_fini(&error);
        archive->refuse(why);
    }
    // libzip's own consistency check also refuses local headers whose times or extra fields
    // differ from the directory's, which every other reader accepts; checkHeaders holds them
    // to what matters.
    archive->m_zip = zip_open_from_source(source, ZIP_RDONLY, &error);
    if (!archive->m_zip) {
        zip_source_free(source);
        const int code = zip_error_code_zip(&error);
        const QString detail = zipErrorText(&error);
        zip_error_fini(&error);
        if (code == ZIP_ER_NOZIP)
            archive->refuse(QStringLiteral(
                "it is not an .xlsx package (no zip directory: not a zip file, or truncated)"));
        if (code == ZIP_ER_EXISTS)
            archive->refuse(QStringLiteral("an entry name occurs twice in the zip directory"));
        if (code == ZIP_ER_INCONS)
            archive->refuse(
                QStringLiteral("the zip archive is inconsistent (truncated or damaged)"));
        archive->refuse(QStringLiteral("the zip archive cannot be read (%1)").arg(detail));
    }
    zip_error_fini(&error);

    archive->checkHeaders();
    archive->checkNames();
    archive->verifyEntries();
    return archive;
}

ZipArchive::~ZipArchive()
{
    if (m_zip)
        zip_discard(m_zip);
}

void ZipArchive::refuse(const QString& why) const
{
    host::raise(err::ApplicationDefined,
                QStringLiteral("Cannot open '%1': %2.").arg(m_displayName, why));
}

void ZipArchive::checkHeaders()
{
    QString why;
    const auto records = readZipDirectory(m_bytes, why);
    if (!records)
        refuse(why);
    const zip_int64_t count = zip_get_num_entries(m_zip, 0);
    if (count < 0 || std::uint64_t(count) != records->size())
        refuse(QStringLiteral("the zip directory's entries cannot be counted"));
    for (zip_int64_t i = 0; i < count; ++i) {
        const char* name = zip_get_name(m_zip, zip_uint64_t(i), ZIP_FL_ENC_RAW);
        if (!name || QByteArrayView(name) != QByteArrayView((*records)[std::size_t(i)].name))
            refuse(QStringLiteral("entry %1 of the zip directory cannot be read").arg(i));
    }
}

void ZipArchive::checkNames()
{
    const zip_int64_t count = zip_get_num_entries(m_zip, 0);
    if (count < 0 || count > m_limits.maxEntries)
        refuse(QStringLiteral("the package has more than %1 entries").arg(m_limits.maxEntries));
    std::int64_t total = 0;
    m_entries.reserve(std::size_t(count));
    for (zip_int64_t i = 0; i < count; ++i) {
        zip_stat_t st;
        zip_stat_init(&st);
        if (zip_stat_index(m_zip, zip_uint64_t(i), 0, &st) != 0 || !(st.valid & ZIP_STAT_NAME))
            refuse(QStringLiteral("entry %1 of the zip directory cannot be read").arg(i));
        Entry e;
        e.name = QString::fromUtf8(st.name);
        e.index = zip_uint64_t(i);
        e.size = st.size;
        e.compressedSize = st.comp_size;
        e.directory = e.name.endsWith(u'/');
        e.stored = (st.valid & ZIP_STAT_COMP_METHOD) && st.comp_method == ZIP_CM_STORE;
        if (!isSafeEntryName(e.name))
            refuse(QStringLiteral("the entry name '%1' points outside the package")
                       .arg(clipped(e.name)));
        if ((st.valid & ZIP_STAT_ENCRYPTION_METHOD) && st.encryption_method != ZIP_EM_NONE)
            refuse(QStringLiteral("the entry '%1' is encrypted").arg(clipped(e.name)));
        if (std::int64_t(e.size) > m_limits.maxEntrySize || e.size > (std::uint64_t(1) << 62))
            refuse(QStringLiteral("the entry '%1' is larger than %2 MB uncompressed")
                       .arg(clipped(e.name))
                       .arg(m_limits.maxEntrySize >> 20));
        total += std::int64_t(e.size);
        if (total > m_limits.maxTotalSize)
            refuse(QStringLiteral("its entries hold more than %1 MB uncompressed")
                       .arg(m_limits.maxTotalSize >> 20));
        // Parts that are parsed are inflated into memory: their ratio says bomb. Pictures and
        // other binary parts are only ever streamed, and an uncompressed bitmap may well
        // shrink a thousandfold.
        const bool parsed = e.name.endsWith(u".xml", Qt::CaseInsensitive) ||
                            e.name.endsWith(u".rels", Qt::CaseInsensitive) ||
                            e.name.endsWith(u".vml", Qt::CaseInsensitive);
        if (parsed && std::int64_t(e.size) >= m_limits.ratioCheckFrom &&
            std::int64_t(e.size) >
                m_limits.maxRatio * std::int64_t(std::max<std::uint64_t>(e.compressedSize, 1)))
            refuse(QStringLiteral("the entry '%1' expands more than %2 times (a zip bomb)")
                       .arg(clipped(e.name))
                       .arg(m_limits.maxRatio));
        const QString folded = e.name.toCaseFolded();
        if (!m_byFoldedName.emplace(folded, m_entries.size()).second)
            refuse(QStringLiteral("the entry name '%1' occurs twice").arg(clipped(e.name)));
        m_entries.push_back(std::move(e));
    }
}

void ZipArchive::verifyEntries()
{
    // Decompress everything once: the directory's sizes are claims, and a damaged or lying
    // entry must be found now rather than when it is copied into a saved file.
    std::array<char, 64 * 1024> buffer;
    for (const Entry& e : m_entries) {
        if (e.directory)
            continue;
        zip_file_t* file = zip_fopen_index(m_zip, e.index, 0);
        if (!file)
            refuse(QStringLiteral("the entry '%1' cannot be read (%2)")
                       .arg(clipped(e.name), QString::fromUtf8(zip_strerror(m_zip))));
        std::uint64_t total = 0;
        for (;;) {
            const zip_int64_t n = zip_fread(file, buffer.data(), buffer.size());
            if (n < 0) {
                zip_error_t* fe = zip_file_get_error(file);
                const bool crc = zip_error_code_zip(fe) == ZIP_ER_CRC;
                const QString detail = zipErrorText(fe);
                zip_fclose(file);
                if (crc)
                    refuse(QStringLiteral("the entry '%1' is damaged (checksum mismatch)")
                               .arg(clipped(e.name)));
                refuse(QStringLiteral("the entry '%1' is damaged or truncated (%2)")
                           .arg(clipped(e.name), detail));
            }
            if (n == 0)
                break;
            total += std::uint64_t(n);
            if (total > e.size) {
                zip_fclose(file);
                refuse(QStringLiteral("the entry '%1' holds more data than its header states "
                                      "(a zip bomb)")
                           .arg(clipped(e.name)));
            }
        }
        zip_fclose(file);
        if (total != e.size)
            refuse(QStringLiteral("the entry '%1' is truncated").arg(clipped(e.name)));
    }
}

const ZipArchive::Entry* ZipArchive::find(const QString& name) const
{
    const auto it = m_byFoldedName.find(name.toCaseFolded());
    return it == m_byFoldedName.end() ? nullptr : &m_entries[it->second];
}

QByteArray ZipArchive::read(const Entry& entry) const
{
    // Sizes were verified when the archive was opened, so the allocation is bounded.
    QByteArray out(qsizetype(entry.size), Qt::Uninitialized);
    zip_file_t* file = zip_fopen_index(m_zip, entry.index, 0);
    if (!file)
        refuse(QStringLiteral("the entry '%1' cannot be read").arg(clipped(entry.name)));
    std::uint64_t done = 0;
    while (done < entry.size) {
        const zip_int64_t n = zip_fread(file, out.data() + done, entry.size - done);
        if (n <= 0)
            break;
        done += std::uint64_t(n);
    }
    zip_fclose(file);
    if (done != entry.size)
        refuse(QStringLiteral("the entry '%1' cannot be read").arg(clipped(entry.name)));
    return out;
}

QByteArray ZipArchive::read(const QString& name) const
{
    const Entry* e = find(name);
    if (!e)
        refuse(QStringLiteral("the part '%1' is missing").arg(clipped(name)));
    return read(*e);
}

} // namespace host::xlsx
