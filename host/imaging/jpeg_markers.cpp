#include "host/imaging/jpeg_markers.h"

#include "host/imaging/tiff_tags.h"

namespace host::imaging {

namespace {

uchar byteAt(QByteArrayView bytes, qsizetype at)
{
    return uchar(bytes[at]);
}

} // namespace

std::vector<JpegSegment> jpegHeaderSegments(QByteArrayView jpeg)
{
    std::vector<JpegSegment> segments;
    if (jpeg.size() < 4 || byteAt(jpeg, 0) != 0xFF || byteAt(jpeg, 1) != 0xD8)
        return segments;
    qsizetype at = 2;
    while (at + 4 <= jpeg.size()) {
        if (byteAt(jpeg, at) != 0xFF)
            break;
        const uchar marker = byteAt(jpeg, at + 1);
        if (marker == 0xFF) { // fill byte
            ++at;
            continue;
        }
        if (marker == 0xD9 || marker == 0xDA) // end of image, start of scan
            break;
        if (marker == 0x01 || (marker >= 0xD0 && marker <= 0xD7)) { // no length
            at += 2;
            continue;
        }
        const qsizetype length = qsizetype(byteAt(jpeg, at + 2)) << 8 | byteAt(jpeg, at + 3);
        if (length < 2 || at + 2 + length > jpeg.size())
            break;
        segments.push_back({marker, at + 4, length - 2});
        at += 2 + length;
    }
    return segments;
}

std::optional<ExifBlock> jpegExifBlock(QByteArrayView jpeg)
{
    static constexpr QByteArrayView signature("Exif\0\0", 6);
    for (const auto& segment : jpegHeaderSegments(jpeg)) {
        if (segment.marker != 0xE1 || segment.length < signature.size() + 8)
            continue;
        if (jpeg.sliced(segment.dataAt, signature.size()) == signature)
            return ExifBlock{segment.dataAt + signature.size(), segment.length - signature.size()};
    }
    return std::nullopt;
}

std::optional<Resolution> jfifResolution(QByteArrayView jpeg)
{
    for (const auto& segment : jpegHeaderSegments(jpeg)) {
        if (segment.marker != 0xE0 || segment.length < 12)
            continue;
        const auto data = jpeg.sliced(segment.dataAt, segment.length);
        if (data.first(5) != QByteArrayView("JFIF\0", 5))
            continue;
        const uchar unit = uchar(data[7]);
        const double x = double(uchar(data[8]) << 8 | uchar(data[9]));
        const double y = double(uchar(data[10]) << 8 | uchar(data[11]));
        if (x <= 0 || y <= 0)
            return std::nullopt;
        if (unit == 1)
            return Resolution{x, y};
        if (unit == 2)
            return Resolution{x * 2.54, y * 2.54};
        return std::nullopt; // unit 0: an aspect ratio only
    }
    return std::nullopt;
}

} // namespace host::imaging
