#pragma once

#include <QString>

#include <cstdint>
#include <optional>

namespace platform {

// The version record every deliverable carries: an ELF note (owner "TORVA", type 1) in the
// section ".note.torva.version" whose description is two 32-bit words in the file's byte
// order, the most significant holding major (high 16 bits) and minor (low 16 bits), the least
// significant build and revision. `picrows_version_record(target …)` in
// platform/version_record.cmake compiles it into a target.
struct VersionNumbers
{
    std::uint16_t major = 0;
    std::uint16_t minor = 0;
    std::uint16_t build = 0;
    std::uint16_t revision = 0;

    friend bool operator==(const VersionNumbers&, const VersionNumbers&) = default;
};

inline constexpr char kVersionNoteOwner[] = "TORVA";
inline constexpr std::uint32_t kVersionNoteType = 1;

// The record of the ELF file at `path`; none when the file cannot be read, is no ELF file or
// carries no record.
std::optional<VersionNumbers> readVersionRecord(const QString& path);

} // namespace platform
