#pragma once

#include <QByteArray>
#include <QString>

#include <deque>

struct zip;
struct zip_source;

namespace host::xlsx {

class ZipArchive;

// Builds a new zip archive in memory. Entries taken from an existing archive keep their
// compressed data as it is; new data is deflated. Errors raise a HostError naming the target.
class ZipWriter
{
public:
    explicit ZipWriter(QString targetName);
    ~ZipWriter();
    ZipWriter(const ZipWriter&) = delete;
    ZipWriter& operator=(const ZipWriter&) = delete;

    // Copies entry `index` of `from` without decompressing it. `from` must stay open until
    // finish() returns.
    void copyRaw(const ZipArchive& from, quint64 index, const QString& name, bool stored);
    void add(const QString& name, QByteArray data);
    // Writes the archive and returns its bytes; the writer is spent afterwards.
    QByteArray finish();

private:
    [[noreturn]] void fail(const QString& why);

    QString m_targetName;
    ::zip_source* m_buffer = nullptr;
    zip* m_zip = nullptr;
    std::deque<QByteArray> m_pending; // data of added entries, alive until the archive is written
};

} // namespace host::xlsx
