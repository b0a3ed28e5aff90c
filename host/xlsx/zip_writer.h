#pragma once

#include <QByteArray>
#include <QString>

#include <deque>
#include <memory>

class QTemporaryFile;
struct zip;

namespace host::xlsx {

class ZipArchive;

// Builds a new zip archive in a temporary file. Entries taken from an existing archive keep
// their compressed data as it is; new data is deflated, except pictures already compressed
// (JPEG, PNG, GIF), which are stored. Errors raise a HostError naming the target.
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
    std::unique_ptr<QTemporaryFile> m_file;
    zip* m_zip = nullptr;
    std::deque<QByteArray> m_pending; // data of added entries, alive until the archive is written
};

} // namespace host::xlsx
