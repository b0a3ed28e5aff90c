#include "host/xlsx/zip_writer.h"

#include "host/automation/host_error.h"
#include "host/xlsx/zip_archive.h"

#include <QFile>
#include <QStringList>

#include <zip.h>

#include <algorithm>

namespace host::xlsx {

ZipWriter::ZipWriter(const QString& path, QString targetName) : m_targetName(std::move(targetName))
{
    // libzip ignores what is at `path` until it closes the archive; it then writes a new file
    // beside it (with the old file's permissions, or the umask's) and renames it into place.
    int error = 0;
    m_zip = zip_open(QFile::encodeName(path).constData(), ZIP_CREATE | ZIP_TRUNCATE, &error);
    if (!m_zip) {
        zip_error_t e;
        zip_error_init_with_code(&e, error);
        const QString why = QString::fromUtf8(zip_error_strerror(&e));
        zip_error_fini(&e);
        fail(why);
    }
}

ZipWriter::~ZipWriter()
{
    if (m_zip)
        zip_discard(m_zip);
}

void ZipWriter::fail(const QString& why)
{
    host::raise(err::ApplicationDefined,
                QStringLiteral("Cannot save '%1': %2.").arg(m_targetName, why));
}

void ZipWriter::copyRaw(const ZipArchive& from, quint64 index, const QString& name, bool stored)
{
    // Offset 0 and length -1 make libzip pass the compressed data through untouched.
    zip_source_t* source = zip_source_zip(m_zip, from.handle(), index, 0, 0, -1);
    if (!source)
        fail(QString::fromUtf8(zip_strerror(m_zip)));
    const zip_int64_t added =
        zip_file_add(m_zip, name.toUtf8().constData(), source, ZIP_FL_ENC_UTF_8);
    if (added < 0) {
        zip_source_free(source);
        fail(QString::fromUtf8(zip_strerror(m_zip)));
    }
    // Deflated data passes through as it is under the default method; stored data must say
    // so, or libzip would compress it.
    if (stored)
        zip_set_file_compression(m_zip, zip_uint64_t(added), ZIP_CM_STORE, 0);
}

void ZipWriter::add(const QString& name, QByteArray data)
{
    m_pending.push_back(std::move(data));
    const QByteArray& held = m_pending.back();
    zip_source_t* source = zip_source_buffer(m_zip, held.constData(), zip_uint64_t(held.size()), 0);
    if (!source)
        fail(QString::fromUtf8(zip_strerror(m_zip)));
    const zip_int64_t index =
        zip_file_add(m_zip, name.toUtf8().constData(), source, ZIP_FL_ENC_UTF_8);
    if (index < 0) {
        zip_source_free(source);
        fail(QString::fromUtf8(zip_strerror(m_zip)));
    }
    // Compressed pictures gain nothing from deflating: they are stored as they are.
    static const QStringList compressed{QStringLiteral(".jpeg"), QStringLiteral(".jpg"),
                                        QStringLiteral(".png"), QStringLiteral(".gif")};
    const bool store = std::any_of(compressed.begin(), compressed.end(), [&name](const QString& e) {
        return name.endsWith(e, Qt::CaseInsensitive);
    });
    if (store)
        zip_set_file_compression(m_zip, zip_uint64_t(index), ZIP_CM_STORE, 0);
    else
        zip_set_file_compression(m_zip, zip_uint64_t(index), ZIP_CM_DEFLATE, 6);
}

void ZipWriter::finish()
{
    if (zip_close(m_zip) != 0) {
        const QString why = QString::fromUtf8(zip_strerror(m_zip));
        zip_discard(m_zip); // removes the half-written file
        m_zip = nullptr;
        fail(why);
    }
    m_zip = nullptr;
    m_pending.clear();
}

} // namespace host::xlsx
