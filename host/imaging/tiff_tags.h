#pragma once

#include <QByteArrayView>
#include <QSize>

#include <optional>

namespace host::imaging {

// Reads tags from a TIFF structure: a TIFF file, or the EXIF block a JPEG (APP1) or a PNG
// (eXIf) carries. Every read is bounds-checked; a damaged structure reads as tags missing.
class TiffTags
{
public:
    // `data` starts at the byte-order mark ("II" or "MM") and must outlive this object.
    explicit TiffTags(QByteArrayView data);

    bool isValid() const { return m_ifd0 != 0; }

    struct Entry
    {
        quint16 type = 0;
        quint32 count = 0;
        qsizetype valueAt = 0; // where the value lies in the data (inline or pointed to)
    };

    // A tag of the first directory (ifd0), or of the EXIF sub-directory it points to.
    std::optional<Entry> find(quint16 tag) const;
    std::optional<Entry> findExif(quint16 tag) const;

    // The first value of a BYTE, SHORT or LONG tag.
    std::optional<quint32> number(const Entry& entry) const;
    // The first value of a RATIONAL tag.
    std::optional<double> rational(const Entry& entry) const;
    // The text of an ASCII tag, up to its terminating zero.
    std::optional<QByteArrayView> text(const Entry& entry) const;

    bool bigEndian() const { return m_bigEndian; }

private:
    std::optional<Entry> findIn(qsizetype ifd, quint16 tag) const;
    std::optional<quint32> read16(qsizetype at) const;
    std::optional<quint32> read32(qsizetype at) const;

    QByteArrayView m_data;
    bool m_bigEndian = false;
    qsizetype m_ifd0 = 0;
};

// Tags this module reads.
namespace tiff {
inline constexpr quint16 Orientation = 0x0112;
inline constexpr quint16 XResolution = 0x011A;
inline constexpr quint16 YResolution = 0x011B;
inline constexpr quint16 ResolutionUnit = 0x0128;
inline constexpr quint16 ExifIfd = 0x8769;
inline constexpr quint16 DateTimeOriginal = 0x9003;
inline constexpr quint16 DateTimeDigitized = 0x9004;
inline constexpr quint16 PixelXDimension = 0xA002;
inline constexpr quint16 PixelYDimension = 0xA003;
} // namespace tiff

// The EXIF orientation (1–8) of the structure, 1 where it states none or an invalid one.
int orientationOf(const TiffTags& tags);

// The stored resolution in dots per inch, from XResolution/YResolution/ResolutionUnit.
struct Resolution
{
    double x = 0;
    double y = 0;
};
std::optional<Resolution> resolutionOf(const TiffTags& tags);

// Rewrites, in place, the orientation tag of the TIFF structure of `size` bytes at `tiffStart`
// to 1, and its EXIF pixel dimensions, where present, to `pixels`. Returns false when the
// structure has no orientation tag to rewrite.
bool markUpright(char* tiffStart, qsizetype size, QSize pixels);

} // namespace host::imaging
