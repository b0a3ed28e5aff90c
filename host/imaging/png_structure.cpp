#include "host/imaging/png_structure.h"

#include "host/imaging/byte_io.h"

#include <zlib.h>

namespace host::imaging {

PngDamage pngDamage(QByteArrayView png)
{
    constexpr qsizetype kSignature = 8;
    constexpr qsizetype kFrame = 12; // length, type, checksum
    qsizetype at = kSignature;
    while (true) {
        if (png.size() - at < kFrame)
            return PngDamage::Incomplete;
        const quint32 length = bytes::be32(png, at);
        if (length > 0x7fffffffU)
            return PngDamage::Corrupt;
        if (png.size() - at - kFrame < qsizetype(length))
            return PngDamage::Incomplete;
        const QByteArrayView typeAndData = png.sliced(at + 4, 4 + qsizetype(length));
        const bool critical = (uchar(typeAndData[0]) & 0x20) == 0;
        if (critical) {
            uLong crc = crc32(0L, Z_NULL, 0);
            crc = crc32_z(crc, reinterpret_cast<const Bytef*>(typeAndData.data()),
                          size_t(typeAndData.size()));
            if (crc != bytes::be32(png, at + 8 + qsizetype(length)))
                return PngDamage::Corrupt;
        }
        if (typeAndData.first(4) == QByteArrayView("IEND"))
            return PngDamage::None;
        at += kFrame + qsizetype(length);
    }
}

} // namespace host::imaging
