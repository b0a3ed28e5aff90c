#include "platform/version_record.h"

#include <QFile>

#include <cstring>
#include <elf.h>

namespace platform {

namespace {

// Bounds-checked reads of a mapped file in its own byte order.
class Image
{
public:
    Image(const uchar* data, qint64 size, bool swap) : m_data(data), m_size(size), m_swap(swap) {}

    bool has(quint64 offset, quint64 length) const
    {
        return offset <= quint64(m_size) && length <= quint64(m_size) - offset;
    }

    template <class T> T read(quint64 offset) const
    {
        T value;
        std::memcpy(&value, m_data + offset, sizeof value);
        if (m_swap) {
            auto* bytes = reinterpret_cast<unsigned char*>(&value);
            for (size_t i = 0; i < sizeof value / 2; ++i)
                std::swap(bytes[i], bytes[sizeof value - 1 - i]);
        }
        return value;
    }

    const uchar* at(quint64 offset) const { return m_data + offset; }

private:
    const uchar* m_data;
    qint64 m_size;
    bool m_swap;
};

struct Section
{
    quint32 type;
    quint64 offset;
    quint64 size;
};

std::optional<VersionNumbers> findInNotes(const Image& image, quint64 offset, quint64 size)
{
    const quint64 end = offset + size;
    auto align4 = [](quint64 n) { return (n + 3) & ~quint64(3); };
    quint64 at = offset;
    while (at + 12 <= end) {
        const quint32 nameSize = image.read<quint32>(at);
        const quint32 descSize = image.read<quint32>(at + 4);
        const quint32 type = image.read<quint32>(at + 8);
        const quint64 name = at + 12;
        const quint64 desc = name + align4(nameSize);
        const quint64 next = desc + align4(descSize);
        if (next > end)
            return std::nullopt;
        if (type == kVersionNoteType && nameSize == sizeof kVersionNoteOwner &&
            std::memcmp(image.at(name), kVersionNoteOwner, sizeof kVersionNoteOwner) == 0 &&
            descSize == 8) {
            const quint32 ms = image.read<quint32>(desc);
            const quint32 ls = image.read<quint32>(desc + 4);
            return VersionNumbers{quint16(ms >> 16), quint16(ms & 0xffff), quint16(ls >> 16),
                                  quint16(ls & 0xffff)};
        }
        at = next;
    }
    return std::nullopt;
}

template <class Ehdr, class Shdr> std::optional<VersionNumbers> findInSections(const Image& image)
{
    if (!image.has(0, sizeof(Ehdr)))
        return std::nullopt;
    const quint64 tableOffset = image.read<decltype(Ehdr::e_shoff)>(offsetof(Ehdr, e_shoff));
    const quint16 entrySize = image.read<quint16>(offsetof(Ehdr, e_shentsize));
    const quint16 count = image.read<quint16>(offsetof(Ehdr, e_shnum));
    if (entrySize < sizeof(Shdr) || !image.has(tableOffset, quint64(entrySize) * count))
        return std::nullopt;
    for (quint16 i = 0; i < count; ++i) {
        const quint64 entry = tableOffset + quint64(i) * entrySize;
        const Section s{image.read<quint32>(entry + offsetof(Shdr, sh_type)),
                        image.read<decltype(Shdr::sh_offset)>(entry + offsetof(Shdr, sh_offset)),
                        image.read<decltype(Shdr::sh_size)>(entry + offsetof(Shdr, sh_size))};
        if (s.type != SHT_NOTE || !image.has(s.offset, s.size))
            continue;
        if (auto found = findInNotes(image, s.offset, s.size))
            return found;
    }
    return std::nullopt;
}

} // namespace

std::optional<VersionNumbers> readVersionRecord(const QString& path)
{
    QFile file(path);
    if (!file.open(QIODevice::ReadOnly) || file.size() < EI_NIDENT)
        return std::nullopt;
    const qint64 size = file.size();
    const uchar* data = file.map(0, size);
    if (!data)
        return std::nullopt;
    if (std::memcmp(data, ELFMAG, SELFMAG) != 0)
        return std::nullopt;
    const bool littleFile = data[EI_DATA] == ELFDATA2LSB;
    if (!littleFile && data[EI_DATA] != ELFDATA2MSB)
        return std::nullopt;
    const bool littleHost = QSysInfo::ByteOrder == QSysInfo::LittleEndian;
    const Image image(data, size, littleFile != littleHost);
    if (data[EI_CLASS] == ELFCLASS64)
        return findInSections<Elf64_Ehdr, Elf64_Shdr>(image);
    if (data[EI_CLASS] == ELFCLASS32)
        return findInSections<Elf32_Ehdr, Elf32_Shdr>(image);
    return std::nullopt;
}

} // namespace platform
