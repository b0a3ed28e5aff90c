#include "host/imaging/emf.h"

#include "host/imaging/byte_io.h"
#include "host/imaging/emf_records.h"

#include <QPainter>

#include <cmath>

namespace host::imaging {

namespace {

using bytes::appendLe16;
using bytes::appendLe32;

using namespace emf;

constexpr quint32 SrcCopy = 0x00CC0020;
constexpr quint32 HeaderSize = 108;
constexpr quint32 StretchDiBitsSize = 80;
constexpr quint32 BitmapInfoSize = 40;
constexpr quint32 EofSize = 20;

// The reference device the records are in: 960 pixels over 254 mm, exactly 96 dots per inch.
constexpr int DevicePixels = 960;
constexpr int DeviceMillimetres = 254;

void appendRect(QByteArray& out, qint32 left, qint32 top, qint32 right, qint32 bottom)
{
    for (qint32 v : {left, top, right, bottom})
        appendLe32(out, quint32(v));
}

// The image as 24-bit rows, bottom row first, each padded to four bytes.
QByteArray dibBits(const QImage& image)
{
    QImage flat(image.size(), QImage::Format_RGB32);
    flat.fill(Qt::white);
    {
        QPainter painter(&flat);
        painter.drawImage(0, 0, image);
    }
    const QImage bgr = flat.convertToFormat(QImage::Format_BGR888);
    const qsizetype stride = (qsizetype(bgr.width()) * 3 + 3) & ~qsizetype(3);
    QByteArray bits(stride * bgr.height(), '\0');
    for (int y = 0; y < bgr.height(); ++y) {
        const auto* row = reinterpret_cast<const char*>(bgr.constScanLine(bgr.height() - 1 - y));
        std::copy_n(row, qsizetype(bgr.width()) * 3, bits.data() + stride * y);
    }
    return bits;
}

// Frame length in hundredths of a millimetre of `pixels` at `dotsPerMeter`. A whole number
// of dots per inch within rounding of the stored dots per metre is taken as meant (3780 dots
// per metre is 96 dpi), so a 96-dpi picture keeps its exact size.
qint32 frameLength(int pixels, int dotsPerMeter)
{
    if (dotsPerMeter <= 0)
        dotsPerMeter = 3780;
    double dpi = dotsPerMeter * 0.0254;
    if (std::abs(dpi - std::round(dpi)) < 0.05)
        dpi = std::round(dpi);
    return qint32(std::lround(pixels / dpi * 2540.0));
}

} // namespace

QByteArray writeEmf(const QImage& image)
{
    if (image.isNull())
        return {};
    const int width = image.width();
    const int height = image.height();
    const QByteArray bits = dibBits(image);
    const qint32 frameWidth = frameLength(width, image.dotsPerMeterX());
    const qint32 frameHeight = frameLength(height, image.dotsPerMeterY());

    const quint32 recordSize = StretchDiBitsSize + BitmapInfoSize + quint32(bits.size());
    const quint32 total = HeaderSize + recordSize + EofSize;

    QByteArray out;
    out.reserve(total);

    appendLe32(out, EmrHeader);
    appendLe32(out, HeaderSize);
    appendRect(out, 0, 0, width - 1, height - 1); // bounds, inclusive device pixels
    appendRect(out, 0, 0, frameWidth, frameHeight);
    appendLe32(out, EmfSignature);
    appendLe32(out, 0x00010000); // version
    appendLe32(out, total);
    appendLe32(out, 3); // records
    appendLe16(out, 1); // handles: index 0 is reserved
    appendLe16(out, 0);
    appendLe32(out, 0); // description length and offset
    appendLe32(out, 0);
    appendLe32(out, 0); // palette entries
    appendLe32(out, DevicePixels);
    appendLe32(out, DevicePixels);
    appendLe32(out, DeviceMillimetres);
    appendLe32(out, DeviceMillimetres);
    appendLe32(out, 0); // pixel format size and offset, OpenGL
    appendLe32(out, 0);
    appendLe32(out, 0);
    appendLe32(out, DeviceMillimetres * 1000);
    appendLe32(out, DeviceMillimetres * 1000);

    appendLe32(out, EmrStretchDiBits);
    appendLe32(out, recordSize);
    appendRect(out, 0, 0, width - 1, height - 1);
    for (quint32 v : {0u, 0u, 0u, 0u}) // xDest, yDest, xSrc, ySrc
        appendLe32(out, v);
    appendLe32(out, quint32(width)); // cxSrc, cySrc
    appendLe32(out, quint32(height));
    appendLe32(out, StretchDiBitsSize); // bitmap header offset and size
    appendLe32(out, BitmapInfoSize);
    appendLe32(out, StretchDiBitsSize + BitmapInfoSize); // bits offset and size
    appendLe32(out, quint32(bits.size()));
    appendLe32(out, 0); // DIB_RGB_COLORS
    appendLe32(out, SrcCopy);
    appendLe32(out, quint32(width)); // cxDest, cyDest
    appendLe32(out, quint32(height));

    appendLe32(out, BitmapInfoSize);
    appendLe32(out, quint32(width));
    appendLe32(out, quint32(height)); // positive: bottom-up rows
    appendLe16(out, 1);               // planes
    appendLe16(out, 24);              // bits per pixel
    appendLe32(out, 0);               // BI_RGB
    appendLe32(out, quint32(bits.size()));
    appendLe32(out, quint32(std::max(image.dotsPerMeterX(), 0)));
    appendLe32(out, quint32(std::max(image.dotsPerMeterY(), 0)));
    appendLe32(out, 0); // colours used, important
    appendLe32(out, 0);
    out.append(bits);

    appendLe32(out, EmrEof);
    appendLe32(out, EofSize);
    appendLe32(out, 0);  // palette entries
    appendLe32(out, 16); // palette offset
    appendLe32(out, EofSize);
    return out;
}

} // namespace host::imaging
