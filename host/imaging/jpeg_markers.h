#pragma once

#include "host/imaging/tiff_tags.h"

#include <QByteArrayView>

#include <optional>
#include <vector>

namespace host::imaging {

// A marker segment of a JPEG stream's header (everything before the first scan).
struct JpegSegment
{
    uchar marker = 0;     // 0xE0 for APP0, 0xE1 for APP1, …
    qsizetype dataAt = 0; // first byte after the two length bytes
    qsizetype length = 0; // payload length, without the length bytes
};

std::vector<JpegSegment> jpegHeaderSegments(QByteArrayView jpeg);

// Where the TIFF structure of the EXIF block (APP1 "Exif\0\0") begins, and its length.
struct ExifBlock
{
    qsizetype at = 0;
    qsizetype size = 0;
};
std::optional<ExifBlock> jpegExifBlock(QByteArrayView jpeg);

// The JFIF density in dots per inch, when APP0 states one in inches or centimetres.
std::optional<Resolution> jfifResolution(QByteArrayView jpeg);

} // namespace host::imaging
