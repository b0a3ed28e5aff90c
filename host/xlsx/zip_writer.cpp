#include "host/xlsx/zip_writer.h"

#include "host/automation/host_error.h"
#include "host/xlsx/zip_archive.h"

#include <zip.h>

namespace host::xlsx {

ZipWriter::ZipWriter(QString targetName) : m_targetName(std::move(targetName))
{
    zip_error_t error;
    zip_error_init(&error);
    m_buffer = zip_source_buffer_create(nullptr, 0, 0, &error);
    if (m_buffer) {
        zip_source_keep(m_buffer); // read the written archive back after zip_close
        m_zip = zip_open_from_source(m_buffer, ZIP_TRUNCATE, &error);
    }
    const QString why = QString::fromUtf8(zip_error_strerror(&error));
    zip_error_fini(&error);
    if (!m_zip)
        fail(why);
}

ZipWriter::~ZipWriter()
{
    if (m_zip)
        zip_discard(m_zip);
    if (m_buffer)
        zip_source_free(m_buffer);
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
    zip_set_file_compression(m_zip, zip_uint64_t(index), ZIP_CM_DEFLATE, 6);
}

QByteArray ZipWriter::finish()
{
    if (zip_close(m_zip) != 0) {
        const QString why = QString::fromUtf8(zip_strerror(m_zip));
        zip_discard(m_zip);
        m_zip = nullptr;
        fail(why);
    }
    m_zip = nullptr;
    m_pending.clear();

    zip_stat_t st;
    zip_stat_init(&st);
    if (zip_source_stat(m_buffer, &st) != 0 || !(st.valid & ZIP_STAT_SIZE) ||
        zip_source_open(m_buffer) != 0)
        fail(QStringLiteral("the written archive cannot be read back"));
    QByteArray out(qsizetype(st.size), Qt::Uninitialized);
    const zip_int64_t n = zip_source_read(m_buffer, out.data(), st.size);
    zip_source_close(m_buffer);
    if (n != zip_int64_t(st.size))
        fail(QStringLiteral("the written archive cannot be read back"));
    return out;
}

} // namespace host::xlsx
