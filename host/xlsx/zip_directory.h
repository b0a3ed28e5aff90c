#pragma once

#include <QByteArray>
#include <QByteArrayView>
#include <QString>

#include <cstdint>
#include <optional>
#include <vector>

namespace host::xlsx {

// One entry of a zip archive as its central directory records it.
struct ZipRecord
{
    QByteArray name; // as stored
    std::uint16_t flags = 0;
    std::uint16_t method = 0;
    std::uint32_t crc = 0;
    std::uint64_t compressedSize = 0;
    std::uint64_t size = 0;
    std::uint64_t localOffset = 0;
    std::uint64_t dataOffset = 0; // where the entry's data starts, after its local header
};

// Reads the central directory of the archive `zip` and holds every entry's local header
// against its record. What readers rely on must agree: the name, the compression method, the
// checksum and the sizes (the zeros a data descriptor stands for aside); the data must lie
// between its header and the directory, no two entries may share bytes, and no entry may
// claim compressed patched data (flag bit 5), which readers refuse. Times, versions and extra
// fields are left to differ, as they do in files that every reader opens. Answers the records
// in directory order, or none with the reason in `why`.
std::optional<std::vector<ZipRecord>> readZipDirectory(QByteArrayView zip, QString& why);

} // namespace host::xlsx
