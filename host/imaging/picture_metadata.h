#pragma once

#include "host/imaging/image_format.h"
#include "host/imaging/tiff_tags.h"

#include <QByteArrayView>

#include <optional>

namespace host::imaging {

// The resolution a picture's bytes state, in dots per inch: JFIF density or EXIF resolution
// for JPEG, pHYs for PNG, the header for BMP, the resolution tags for TIFF, EXIF resolution for
// WebP and HEIF. None when the file states none, or only an aspect ratio.
std::optional<Resolution> storedResolution(ImageFormat format, QByteArrayView bytes);

// The orientation (1–8, as EXIF numbers them) a picture's metadata states: EXIF in a JPEG, in a
// PNG's eXIf chunk or a WebP's EXIF chunk, the Orientation tag of a TIFF. 1 where none is
// stated, and always 1 for HEIF and AVIF, whose decoder applies the container's own rotation
// and mirroring: their EXIF orientation says the same again, or is stale.
int storedOrientation(ImageFormat format, QByteArrayView bytes);

// The dimensions a PNG, GIF or BMP header claims, read directly so that a claim beyond any
// limit is seen before a decoder is involved. For GIF, the logical screen, which decoders
// allocate whole. None for other formats or a header too short to hold them.
struct Dimensions
{
    qint64 width = 0;
    qint64 height = 0;
};
std::optional<Dimensions> claimedDimensions(ImageFormat format, QByteArrayView bytes);

// The payload of the first PNG chunk of the given type.
std::optional<QByteArrayView> pngChunk(QByteArrayView png, QByteArrayView type);

// The payload of the first chunk of the given type of a WebP file's RIFF structure.
std::optional<QByteArrayView> webpChunk(QByteArrayView webp, QByteArrayView type);

// The TIFF structure of the EXIF block a picture's bytes carry, for the formats whose EXIF lies
// in the bytes as they are (JPEG, PNG, WebP; a TIFF file is one itself). None for HEIF, whose
// EXIF libheif hands out (heif_decoder.h), and where there is none.
std::optional<QByteArrayView> embeddedExif(ImageFormat format, QByteArrayView bytes);

} // namespace host::imaging
