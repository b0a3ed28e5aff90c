#pragma once

#include <QByteArray>
#include <QString>

#include <cstdint>
#include <map>
#include <memory>
#include <vector>

struct zip;

namespace host::xlsx {

// Bounds on what a package may make us read, so that a hostile file cannot exhaust memory or
// time. Sizes are of uncompressed data.
struct ZipLimits
{
    std::int64_t maxFileSize = std::int64_t(1) << 30; // the package file itself
    std::int64_t maxEntries = 50000;
    std::int64_t maxEntrySize = std::int64_t(256) << 20; // one part
    std::int64_t maxTotalSize = std::int64_t(2) << 30;   // all parts together
    std::int64_t ratioCheckFrom = std::int64_t(4) << 20; // XML entries smaller than this pass
    std::int64_t maxRatio = 300; // uncompressed : compressed, for the XML parts that get parsed
};

// A zip archive opened read-only on bytes held in memory. Opening checks the whole archive:
// local headers must agree with the directory (readZipDirectory), entry names must stay
// inside the package and be unique, sizes must respect the limits, and
// every entry is decompressed once (in small chunks) to prove that its data is what the
// directory claims. Any failure raises a HostError naming `displayName` and the problem.
class ZipArchive
{
public:
    struct Entry
    {
        QString name;
        std::uint64_t index = 0;
        std::uint64_t size = 0; // uncompressed, as verified
        std::uint64_t compressedSize = 0;
        bool directory = false;
        bool stored = false; // kept without compression
    };

    static std::shared_ptr<const ZipArchive> open(QByteArray bytes, const QString& displayName,
                                                  const ZipLimits& limits = ZipLimits());
    ~ZipArchive();
    ZipArchive(const ZipArchive&) = delete;
    ZipArchive& operator=(const ZipArchive&) = delete;

    const std::vector<Entry>& entries() const { return m_entries; }
    // Part names compare without regard to ASCII case, as packages require.
    const Entry* find(const QString& name) const;
    // The entry's uncompressed content. Raises a HostError when it cannot be read.
    QByteArray read(const Entry& entry) const;
    QByteArray read(const QString& name) const;

    const QString& displayName() const { return m_displayName; }
    zip* handle() const { return m_zip; }

private:
    ZipArchive() = default;
    void checkHeaders();
    void checkNames();
    void verifyEntries();
    [[noreturn]] void refuse(const QString& why) const;

    QByteArray m_bytes; // must outlive m_zip, which reads from it
    zip* m_zip = nullptr;
    QString m_displayName;
    ZipLimits m_limits;
    std::vector<Entry> m_entries;
    std::map<QString, std::size_t> m_byFoldedName;
};

// Whether `name` may name a part: relative, forward slashes only, no "." or ".." segments,
// no drive letter, no control characters.
bool isSafeEntryName(const QString& name);

} // namespace host::xlsx
