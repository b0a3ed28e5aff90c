#include "host/imaging/tiff_tags.h"

#include <cmath>

namespace host::imaging {

namespace {

enum Type : quint16
{
    Byte = 1,
    Ascii = 2,
    Short = 3,
    Long = 4,
    Rational = 5
};

int typeSize(quint16 type)
{
    switch (type) {
    case Byte:
    case Ascii:
        return 1;
    case Short:
        return 2;
    case Long:
        return 4;
    case Rational:
        return 8;
    default:
        return 0;
    }
}

} // namespace

TiffTags::TiffTags(QByteArrayView data) : m_data(data)
{
    if (data.size() < 8)
        return;
    if (data.first(4) == QByteArrayView("MM\0*", 4))
        m_bigEndian = true;
    else if (data.first(4) != QByteArrayView("II*\0", 4))
        return;
    const auto first = read32(4);
    if (first && *first >= 8 && *first < quint32(data.size()))
        m_ifd0 = qsizetype(*first);
}

std::optional<quint32> TiffTags::read16(qsizetype at) const
{
    if (at < 0 || at + 2 > m_data.size())
        return std::nullopt;
    const auto* p = reinterpret_cast<const uchar*>(m_data.data()) + at;
    return m_bigEndian ? quint32(p[0]) << 8 | p[1] : quint32(p[1]) << 8 | p[0];
}

std::optional<quint32> TiffTags::read32(qsizetype at) const
{
    if (at < 0 || at + 4 > m_data.size())
        return std::nullopt;
    const auto* p = reinterpret_cast<const uchar*>(m_data.data()) + at;
    if (m_bigEndian)
        return quint32(p[0]) << 24 | quint32(p[1]) << 16 | quint32(p[2]) << 8 | p[3];
    return quint32(p[3]) << 24 | quint32(p[2]) << 16 | quint32(p[1]) << 8 | p[0];
}

std::optional<TiffTags::Entry> TiffTags::findIn(qsizetype ifd, quint16 tag) const
{
    const auto count = read16(ifd);
    if (!count)
        return std::nullopt;
    for (quint32 i = 0; i < *count; ++i) {
        const qsizetype at = ifd + 2 + qsizetype(i) * 12;
        const auto entryTag = read16(at);
        if (!entryTag)
            return std::nullopt;
        if (*entryTag != tag)
            continue;
        Entry entry;
        entry.type = quint16(read16(at + 2).value_or(0));
        entry.count = read32(at + 4).value_or(0);
        const qint64 bytes = qint64(typeSize(entry.type)) * entry.count;
        if (bytes == 0)
            return std::nullopt;
        if (bytes <= 4) {
            entry.valueAt = at + 8;
        } else {
            const auto pointed = read32(at + 8);
            if (!pointed || qint64(*pointed) + bytes > m_data.size())
                return std::nullopt;
            entry.valueAt = qsizetype(*pointed);
        }
        return entry;
    }
    return std::nullopt;
}

std::optional<TiffTags::Entry> TiffTags::find(quint16 tag) const
{
    if (!isValid())
        return std::nullopt;
    return findIn(m_ifd0, tag);
}

std::optional<TiffTags::Entry> TiffTags::findExif(quint16 tag) const
{
    const auto pointer = find(tiff::ExifIfd);
    if (!pointer)
        return std::nullopt;
    const auto at = number(*pointer);
    if (!at || *at < 8 || *at >= quint32(m_data.size()))
        return std::nullopt;
    return findIn(qsizetype(*at), tag);
}

std::optional<quint32> TiffTags::number(const Entry& entry) const
{
    switch (entry.type) {
    case Byte:
        if (entry.valueAt < m_data.size())
            return quint32(uchar(m_data[entry.valueAt]));
        return std::nullopt;
    case Short:
        return read16(entry.valueAt);
    case Long:
        return read32(entry.valueAt);
    default:
        return std::nullopt;
    }
}

std::optional<double> TiffTags::rational(const Entry& entry) const
{
    if (entry.type != Rational)
        return std::nullopt;
    const auto numerator = read32(entry.valueAt);
    const auto denominator = read32(entry.valueAt + 4);
    if (!numerator || !denominator || *denominator == 0)
        return std::nullopt;
    return double(*numerator) / double(*denominator);
}

std::optional<QByteArrayView> TiffTags::text(const Entry& entry) const
{
    if (entry.type != Ascii || entry.valueAt + qsizetype(entry.count) > m_data.size())
        return std::nullopt;
    QByteArrayView value = m_data.sliced(entry.valueAt, entry.count);
    if (const qsizetype end = value.indexOf('\0'); end >= 0)
        value = value.first(end);
    return value;
}

int orientationOf(const TiffTags& tags)
{
    const auto entry = tags.find(tiff::Orientation);
    const auto value = entry ? tags.number(*entry) : std::nullopt;
    return value && *value >= 1 && *value <= 8 ? int(*value) : 1;
}

std::optional<Resolution> resolutionOf(const TiffTags& tags)
{
    const auto xEntry = tags.find(tiff::XResolution);
    const auto yEntry = tags.find(tiff::YResolution);
    const auto x = xEntry ? tags.rational(*xEntry) : std::nullopt;
    if (!x || !std::isfinite(*x) || *x <= 0)
        return std::nullopt;
    auto y = yEntry ? tags.rational(*yEntry) : std::nullopt;
    if (!y || !std::isfinite(*y) || *y <= 0)
        y = x;
    const auto unitEntry = tags.find(tiff::ResolutionUnit);
    const quint32 unit = unitEntry ? tags.number(*unitEntry).value_or(2) : 2;
    switch (unit) {
    case 2: // inch
        return Resolution{*x, *y};
    case 3: // centimetre
        return Resolution{*x * 2.54, *y * 2.54};
    default: // no absolute unit: an aspect ratio only
        return std::nullopt;
    }
}

namespace {

void write16(char* at, bool bigEndian, quint32 value)
{
    at[bigEndian ? 0 : 1] = char(value >> 8);
    at[bigEndian ? 1 : 0] = char(value & 0xFF);
}

void write32(char* at, bool bigEndian, quint32 value)
{
    write16(at + (bigEndian ? 0 : 2), bigEndian, value >> 16);
    write16(at + (bigEndian ? 2 : 0), bigEndian, value & 0xFFFF);
}

void writeNumber(char* tiffStart, const TiffTags& tags, const std::optional<TiffTags::Entry>& entry,
                 int value)
{
    if (!entry || value <= 0)
        return;
    if (entry->type == Short && value <= 0xFFFF)
        write16(tiffStart + entry->valueAt, tags.bigEndian(), quint32(value));
    else if (entry->type == Long)
        write32(tiffStart + entry->valueAt, tags.bigEndian(), quint32(value));
}

} // namespace

bool markUpright(char* tiffStart, qsizetype size, QSize pixels)
{
    const TiffTags tags(QByteArrayView(tiffStart, size));
    const auto orientation = tags.find(tiff::Orientation);
    if (!orientation || orientation->type != Short)
        return false;
    write16(tiffStart + orientation->valueAt, tags.bigEndian(), 1);
    writeNumber(tiffStart, tags, tags.findExif(tiff::PixelXDimension), pixels.width());
    writeNumber(tiffStart, tags, tags.findExif(tiff::PixelYDimension), pixels.height());
    return true;
}

} // namespace host::imaging
