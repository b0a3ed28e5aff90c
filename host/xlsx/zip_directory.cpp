#include "host/xlsx/zip_directory.h"

#include "host/automation/host_error.h"

#include <algorithm>

namespace host::xlsx {

namespace {

constexpr std::uint32_t kLocalSignature = 0x04034b50;
constexpr std::uint32_t kCentralSignature = 0x02014b50;
constexpr std::uint32_t kEndSignature = 0x06054b50;
constexpr std::uint32_t kZip64EndSignature = 0x06064b50;
constexpr std::uint32_t kZip64LocatorSignature = 0x07064b50;
constexpr qsizetype kLocalSize = 30;
constexpr qsizetype kCentralSize = 46;
constexpr qsizetype kEndSize = 22;
constexpr qsizetype kLocatorSize = 20;
constexpr qsizetype kZip64EndSize = 56;
constexpr std::uint32_t kMax32 = 0xffffffffU;
constexpr std::uint16_t kDataDescriptor = 1U << 3;
constexpr std::uint16_t kPatchedData = 1U << 5;

// Little-endian reads; the caller checks that `at` + width lies inside.
std::uint64_t le(QByteArrayView b, qsizetype at, int width)
{
    std::uint64_t v = 0;
    for (int i = width - 1; i >= 0; --i)
        v = v << 8 | std::uint8_t(b[at + i]);
    return v;
}
std::uint16_t le16(QByteArrayView b, qsizetype at)
{
    return std::uint16_t(le(b, at, 2));
}
std::uint32_t le32(QByteArrayView b, qsizetype at)
{
    return std::uint32_t(le(b, at, 4));
}

bool inside(QByteArrayView b, std::uint64_t at, std::uint64_t length)
{
    return at <= std::uint64_t(b.size()) && length <= std::uint64_t(b.size()) - at;
}

// The values a ZIP64 extended-information field holds for the fields saturated at their
// 32-bit maximum, in the order the format lays them out.
bool readZip64(QByteArrayView extra, std::uint64_t* size, std::uint64_t* compressed,
               std::uint64_t* offset)
{
    qsizetype at = 0;
    while (extra.size() - at >= 4) {
        const std::uint16_t id = le16(extra, at);
        const std::uint16_t length = le16(extra, at + 2);
        if (extra.size() - at - 4 < length)
            return false;
        if (id == 0x0001) {
            const QByteArrayView field = extra.sliced(at + 4, length);
            qsizetype f = 0;
            for (std::uint64_t* value : {size, compressed, offset}) {
                if (!value || *value != kMax32)
                    continue;
                if (field.size() - f < 8)
                    return false;
                *value = le(field, f, 8);
                f += 8;
            }
            return true;
        }
        at += 4 + length;
    }
    return true;
}

struct End
{
    std::uint64_t entries = 0;
    std::uint64_t directorySize = 0;
    std::uint64_t directoryOffset = 0;
};

std::optional<End> findEnd(QByteArrayView zip)
{
    const qsizetype last = zip.size() - kEndSize;
    const qsizetype first = std::max<qsizetype>(0, last - 0xffff);
    for (qsizetype at = last; at >= first; --at) {
        if (le32(zip, at) != kEndSignature)
            continue;
        End end{le16(zip, at + 10), le32(zip, at + 12), le32(zip, at + 16)};
        if (end.entries == 0xffff || end.directorySize == kMax32 || end.directoryOffset == kMax32) {
            const qsizetype locator = at - kLocatorSize;
            if (locator < 0 || le32(zip, locator) != kZip64LocatorSignature)
                return std::nullopt;
            const std::uint64_t zip64 = le(zip, locator + 8, 8);
            if (!inside(zip, zip64, kZip64EndSize) ||
                le32(zip, qsizetype(zip64)) != kZip64EndSignature)
                return std::nullopt;
            end = End{le(zip, qsizetype(zip64) + 32, 8), le(zip, qsizetype(zip64) + 40, 8),
                      le(zip, qsizetype(zip64) + 48, 8)};
        }
        return end;
    }
    return std::nullopt;
}

} // namespace

std::optional<std::vector<ZipRecord>> readZipDirectory(QByteArrayView zip, QString& why)
{
    const std::optional<End> end = zip.size() >= kEndSize ? findEnd(zip) : std::nullopt;
    if (!end || !inside(zip, end->directoryOffset, end->directorySize)) {
        why = QStringLiteral("its zip directory cannot be found");
        return std::nullopt;
    }
    std::vector<ZipRecord> records;
    std::uint64_t at = end->directoryOffset;
    const std::uint64_t directoryEnd = end->directoryOffset + end->directorySize;
    for (std::uint64_t i = 0; i < end->entries; ++i) {
        if (!inside(zip, at, kCentralSize) || at + kCentralSize > directoryEnd ||
            le32(zip, qsizetype(at)) != kCentralSignature) {
            why = QStringLiteral("record %1 of the zip directory is damaged").arg(i);
            return std::nullopt;
        }
        const qsizetype c = qsizetype(at);
        const std::uint16_t nameLength = le16(zip, c + 28);
        const std::uint16_t extraLength = le16(zip, c + 30);
        const std::uint16_t commentLength = le16(zip, c + 32);
        const std::uint64_t recordLength =
            std::uint64_t(kCentralSize) + nameLength + extraLength + commentLength;
        if (at + recordLength > directoryEnd) {
            why = QStringLiteral("record %1 of the zip directory is damaged").arg(i);
            return std::nullopt;
        }
        ZipRecord r;
        r.flags = le16(zip, c + 8);
        r.method = le16(zip, c + 10);
        r.crc = le32(zip, c + 16);
        r.compressedSize = le32(zip, c + 20);
        r.size = le32(zip, c + 24);
        r.localOffset = le32(zip, c + 42);
        r.name = zip.sliced(c + kCentralSize, nameLength).toByteArray();
        if (!readZip64(zip.sliced(c + kCentralSize + nameLength, extraLength), &r.size,
                       &r.compressedSize, &r.localOffset)) {
            why = QStringLiteral("record %1 of the zip directory is damaged").arg(i);
            return std::nullopt;
        }
        records.push_back(std::move(r));
        at += recordLength;
    }

    for (ZipRecord& r : records) {
        const QString name = clipped(QString::fromUtf8(r.name));
        if (r.flags & kPatchedData) {
            why = QStringLiteral("the entry '%1' holds compressed patched data, which readers "
                                 "do not support")
                      .arg(name);
            return std::nullopt;
        }
        if (!inside(zip, r.localOffset, kLocalSize) ||
            le32(zip, qsizetype(r.localOffset)) != kLocalSignature) {
            why = QStringLiteral("the entry '%1' has no local header where the zip directory "
                                 "puts it")
                      .arg(name);
            return std::nullopt;
        }
        const qsizetype l = qsizetype(r.localOffset);
        const std::uint16_t flags = le16(zip, l + 6);
        const std::uint16_t nameLength = le16(zip, l + 26);
        const std::uint16_t extraLength = le16(zip, l + 28);
        if (!inside(zip, r.localOffset + kLocalSize, std::uint64_t(nameLength) + extraLength)) {
            why = QStringLiteral("the local header of the entry '%1' is cut off").arg(name);
            return std::nullopt;
        }
        std::uint64_t size = le32(zip, l + 22);
        std::uint64_t compressed = le32(zip, l + 18);
        const std::uint32_t crc = le32(zip, l + 14);
        readZip64(zip.sliced(l + kLocalSize + nameLength, extraLength), &size, &compressed,
                  nullptr);
        // With a data descriptor the local header may leave these zero.
        const bool described = (flags & kDataDescriptor) != 0;
        const auto agrees = [described](std::uint64_t local, std::uint64_t central) {
            return local == central || (described && local == 0);
        };
        QString what;
        if (zip.sliced(l + kLocalSize, nameLength) != QByteArrayView(r.name))
            what = QStringLiteral("name");
        else if (le16(zip, l + 8) != r.method)
            what = QStringLiteral("compression method");
        else if (flags & kPatchedData)
            what = QStringLiteral("flags");
        else if (!agrees(crc, r.crc))
            what = QStringLiteral("checksum");
        else if (!agrees(size, r.size) || !agrees(compressed, r.compressedSize))
            what = QStringLiteral("sizes");
        if (!what.isEmpty()) {
            why = QStringLiteral("the headers of the entry '%1' disagree (%2)").arg(name, what);
            return std::nullopt;
        }
        r.dataOffset = r.localOffset + kLocalSize + nameLength + extraLength;
        if (r.dataOffset > end->directoryOffset ||
            r.compressedSize > end->directoryOffset - r.dataOffset) {
            why =
                QStringLiteral("the data of the entry '%1' runs into the zip directory").arg(name);
            return std::nullopt;
        }
    }

    std::vector<const ZipRecord*> byOffset;
    for (const ZipRecord& r : records)
        byOffset.push_back(&r);
    std::sort(byOffset.begin(), byOffset.end(), [](const ZipRecord* a, const ZipRecord* b) {
        return a->localOffset < b->localOffset;
    });
    for (std::size_t i = 1; i < byOffset.size(); ++i) {
        const ZipRecord& before = *byOffset[i - 1];
        if (byOffset[i]->localOffset < before.dataOffset + before.compressedSize) {
            why = QStringLiteral("the entries '%1' and '%2' share data")
                      .arg(clipped(QString::fromUtf8(before.name)),
                           clipped(QString::fromUtf8(byOffset[i]->name)));
            return std::nullopt;
        }
    }
    return records;
}

} // namespace host::xlsx
