#pragma once

#include <QByteArray>
#include <QByteArrayView>

namespace host::imaging::bytes {

// Little-endian readers; the caller checks bounds.
inline quint32 le16(QByteArrayView data, qsizetype at)
{
    const auto* p = reinterpret_cast<const uchar*>(data.data()) + at;
    return quint32(p[0]) | quint32(p[1]) << 8;
}

inline quint32 le32(QByteArrayView data, qsizetype at)
{
    const auto* p = reinterpret_cast<const uchar*>(data.data()) + at;
    return quint32(p[0]) | quint32(p[1]) << 8 | quint32(p[2]) << 16 | quint32(p[3]) << 24;
}

inline qint32 le32s(QByteArrayView data, qsizetype at)
{
    return qint32(le32(data, at));
}

inline quint32 be32(QByteArrayView data, qsizetype at)
{
    const auto* p = reinterpret_cast<const uchar*>(data.data()) + at;
    return quint32(p[0]) << 24 | quint32(p[1]) << 16 | quint32(p[2]) << 8 | quint32(p[3]);
}

inline void appendLe16(QByteArray& out, quint32 value)
{
    out.append(char(value & 0xFF));
    out.append(char((value >> 8) & 0xFF));
}

inline void appendLe32(QByteArray& out, quint32 value)
{
    for (int shift = 0; shift < 32; shift += 8)
        out.append(char((value >> shift) & 0xFF));
}

} // namespace host::imaging::bytes
