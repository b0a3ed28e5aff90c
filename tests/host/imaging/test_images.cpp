#include "tests/host/imaging/test_images.h"
#include "tests/support/image_distance.h"

#include <QBuffer>
#include <QImageWriter>
#include <QPainter>

#include <turbojpeg.h>

#include <cmath>

namespace imaging_test {

QImage quadrants(int width, int height)
{
    QImage image(width, height, QImage::Format_RGB32);
    QPainter painter(&image);
    const int midX = width / 2, midY = height / 2;
    painter.fillRect(0, 0, midX, midY, QuadrantColours[0]);
    painter.fillRect(midX, 0, width - midX, midY, QuadrantColours[1]);
    painter.fillRect(0, midY, midX, height - midY, QuadrantColours[2]);
    painter.fillRect(midX, midY, width - midX, height - midY, QuadrantColours[3]);
    return image;
}

QImage photoLike(int width, int height)
{
    QImage image(width, height, QImage::Format_RGB32);
    for (int y = 0; y < height; ++y) {
        auto* row = reinterpret_cast<QRgb*>(image.scanLine(y));
        for (int x = 0; x < width; ++x) {
            const double u = double(x) / width, v = double(y) / height;
            const int r = int(255 * u);
            const int g = int(255 * v);
            const int b = int(127.5 + 127.5 * std::sin(u * 9 + v * 5));
            const int texture = ((x * 7 + y * 13) % 11) - 5;
            row[x] = qRgb(std::clamp(r + texture, 0, 255), std::clamp(g - texture, 0, 255),
                          std::clamp(b, 0, 255));
        }
    }
    return image;
}

QByteArray encode(const QImage& image, const char* format, int quality)
{
    QByteArray out;
    QBuffer buffer(&out);
    buffer.open(QIODevice::WriteOnly);
    QImageWriter writer(&buffer, format);
    if (quality >= 0)
        writer.setQuality(quality);
    writer.write(image);
    return out;
}

QByteArray encodeJpeg(const QImage& image, bool subsampled, int quality)
{
    const QImage rgb = image.convertToFormat(QImage::Format_RGB888);
    tjhandle handle = tjInitCompress();
    unsigned char* out = nullptr;
    unsigned long size = 0;
    tjCompress2(handle, rgb.constBits(), rgb.width(), int(rgb.bytesPerLine()), rgb.height(),
                TJPF_RGB, &out, &size, subsampled ? TJSAMP_420 : TJSAMP_444, quality, 0);
    QByteArray bytes(reinterpret_cast<const char*>(out), qsizetype(size));
    tjFree(out);
    tjDestroy(handle);
    return bytes;
}

namespace {

class TiffWriter
{
public:
    explicit TiffWriter(bool bigEndian) : m_big(bigEndian) {}

    void u16(quint32 v)
    {
        if (m_big)
            m_out.append(char(v >> 8)).append(char(v));
        else
            m_out.append(char(v)).append(char(v >> 8));
    }
    void u32(quint32 v)
    {
        if (m_big)
            u16(v >> 16), u16(v & 0xFFFF);
        else
            u16(v & 0xFFFF), u16(v >> 16);
    }
    QByteArray& out() { return m_out; }

private:
    bool m_big;
    QByteArray m_out;
};

} // namespace

QByteArray exifTiff(int orientation, QSize pixels, bool bigEndian)
{
    TiffWriter w(bigEndian);
    w.out().append(bigEndian ? QByteArray("MM\0*", 4) : QByteArray("II*\0", 4));
    w.u32(8);
    // IFD0 at 8: orientation, EXIF pointer; next IFD 0. 2 + 2 × 12 + 4 = 30 bytes → EXIF IFD at 38.
    w.u16(2);
    w.u16(0x0112), w.u16(3), w.u32(1), w.u16(quint32(orientation)), w.u16(0);
    w.u16(0x8769), w.u16(4), w.u32(1), w.u32(38);
    w.u32(0);
    // EXIF IFD: pixel dimensions as LONGs.
    w.u16(2);
    w.u16(0xA002), w.u16(4), w.u32(1), w.u32(quint32(pixels.width()));
    w.u16(0xA003), w.u16(4), w.u32(1), w.u32(quint32(pixels.height()));
    w.u32(0);
    return w.out();
}

QByteArray exifDates(int orientation, const char* original, const char* digitized, bool bigEndian)
{
    const QByteArray dates[] = {QByteArray(original), QByteArray(digitized)};
    const quint16 tags[] = {0x9003, 0x9004};
    const int count = int(!dates[0].isEmpty()) + int(!dates[1].isEmpty());
    TiffWriter w(bigEndian);
    w.out().append(bigEndian ? QByteArray("MM\0*", 4) : QByteArray("II*\0", 4));
    w.u32(8);
    // IFD0 at 8 (30 bytes), the EXIF IFD at 38, then the date texts of 20 bytes each.
    w.u16(2);
    w.u16(0x0112), w.u16(3), w.u32(1), w.u16(quint32(orientation)), w.u16(0);
    w.u16(0x8769), w.u16(4), w.u32(1), w.u32(38);
    w.u32(0);
    const quint32 textsAt = 38 + 2 + quint32(count) * 12 + 4;
    w.u16(quint32(count));
    int written = 0;
    for (int i = 0; i < 2; ++i) {
        if (dates[i].isEmpty())
            continue;
        w.u16(tags[i]), w.u16(2), w.u32(20), w.u32(textsAt + quint32(written++) * 20);
    }
    w.u32(0);
    for (const QByteArray& date : dates)
        if (!date.isEmpty())
            w.out().append(date.leftJustified(19, ' ', true)).append('\0');
    return w.out();
}

QByteArray withWebpExif(const QByteArray& webp, const QByteArray& tiff)
{
    const auto le24 = [](QByteArray& out, quint32 v) {
        out.append(char(v & 0xFF)).append(char((v >> 8) & 0xFF)).append(char((v >> 16) & 0xFF));
    };
    const auto le32 = [](QByteArray& out, quint32 v) {
        for (int shift = 0; shift < 32; shift += 8)
            out.append(char((v >> shift) & 0xFF));
    };
    const QImage image = QImage::fromData(webp, "webp");
    const QByteArray frame = webp.mid(12); // the one VP8 or VP8L chunk
    QByteArray body("WEBP");
    body.append("VP8X");
    le32(body, 10);
    body.append(char(0x08 | (image.hasAlphaChannel() ? 0x10 : 0))).append(3, '\0');
    le24(body, quint32(image.width() - 1));
    le24(body, quint32(image.height() - 1));
    body.append(frame);
    body.append("EXIF");
    le32(body, quint32(tiff.size()));
    body.append(tiff);
    if (tiff.size() % 2)
        body.append('\0');
    QByteArray out("RIFF");
    le32(out, quint32(body.size()));
    return out + body;
}

QByteArray withExif(const QByteArray& jpeg, const QByteArray& tiff)
{
    const QByteArray payload = QByteArray("Exif\0\0", 6) + tiff;
    QByteArray segment("\xFF\xE1");
    const int length = int(payload.size()) + 2;
    segment.append(char(length >> 8)).append(char(length & 0xFF)).append(payload);
    return jpeg.left(2) + segment + jpeg.mid(2);
}

quint32 crc32(const QByteArray& data)
{
    quint32 crc = 0xFFFFFFFF;
    for (char c : data) {
        crc ^= uchar(c);
        for (int k = 0; k < 8; ++k)
            crc = crc & 1 ? (crc >> 1) ^ 0xEDB88320 : crc >> 1;
    }
    return ~crc;
}

namespace {

void appendBe32(QByteArray& out, quint32 v)
{
    out.append(char(v >> 24)).append(char(v >> 16)).append(char(v >> 8)).append(char(v));
}

} // namespace

QByteArray withPngChunk(const QByteArray& png, const char* type, const QByteArray& data,
                        bool afterHeader)
{
    QByteArray chunk;
    appendBe32(chunk, quint32(data.size()));
    const QByteArray body = QByteArray(type) + data;
    chunk.append(body);
    appendBe32(chunk, crc32(body));
    const qsizetype at = afterHeader ? 8 + 25 : png.size() - 12; // IHDR is 25 bytes; IEND 12
    return png.left(at) + chunk + png.mid(at);
}

QByteArray pngClaiming(const QByteArray& png, quint32 width, quint32 height)
{
    QByteArray out = png;
    QByteArray size;
    appendBe32(size, width);
    appendBe32(size, height);
    out.replace(16, 8, size);
    QByteArray crc;
    appendBe32(crc, crc32(out.mid(12, 17)));
    out.replace(29, 4, crc);
    return out;
}

int channelDistance(QRgb a, QRgb b)
{
    return std::max({std::abs(qRed(a) - qRed(b)), std::abs(qGreen(a) - qGreen(b)),
                     std::abs(qBlue(a) - qBlue(b)), std::abs(qAlpha(a) - qAlpha(b))});
}

int maxDistance(const QImage& a, const QImage& b)
{
    if (a.size() != b.size())
        return -1;
    const QImage x = a.convertToFormat(QImage::Format_ARGB32);
    const QImage y = b.convertToFormat(QImage::Format_ARGB32);
    int worst = 0;
    for (int row = 0; row < x.height(); ++row)
        for (int col = 0; col < x.width(); ++col)
            worst = std::max(worst, channelDistance(x.pixel(col, row), y.pixel(col, row)));
    return worst;
}

double meanDistance(const QImage& a, const QImage& b)
{
    return test_support::meanLevels(a, b);
}

} // namespace imaging_test
