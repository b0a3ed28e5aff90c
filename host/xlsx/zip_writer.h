#pragma once

#include <QByteArray>
#include <QString>

#include <deque>

struct zip;

namespace host::xlsx {

class ZipArchive;

// Builds a new zip archive at `path`. Entries taken from an existing archive keep their
// compressed data as it is; new data is deflated, except pictures already compressed (JPEG,
// PNG, GIF), which are stored. The archive is written into a new file beside `path` and
// renamed over it once complete: the temporary folder is not used, a failure leaves `path`
// as it was, and nothing of the new file stays behind. Errors raise a HostError naming
// `targetName`.
class ZipWriter
{
public:
    ZipWriter(const QString& path, QString targetName);
    ~ZipWriter();
    ZipWriter(const ZipWriter&) = delete;
    ZipWriter& operator=(const ZipWriter&) = delete;

    // Copies entry `index` of `from` without decompressing it. `from` must stay open until
    // finish() returns.
    void copyRaw(const ZipArchive& from, quint64 index, const QString& name, bool stored);
    void add(const QString& name, QByteArray data);
    // Writes the archive and puts it in place; the writer is spent afterwards.
    void finish();

private:
    [[noreturn]] void fail(const QString& why);

    QString m_targetName;
    zip* m_zip = nullptr;
    std::deque<QByteArray> m_pending; // data of added entries, alive until the archive is written
};

} // namespace host::xlsx
