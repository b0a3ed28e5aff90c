#include "host/imaging/emf.h"

#include "host/imaging/byte_io.h"
#include "host/imaging/emf_records.h"
#include "host/imaging/image_limits.h"

#include <QPainter>
#include <QRect>

#include <cmath>
#include <initializer_list>

namespace host::imaging {

namespace {

using bytes::appendLe16;
using bytes::appendLe32;
using bytes::le16;
using bytes::le32;
using bytes::le32s;

using namespace emf;

// Coordinates beyond this (device units) are damage: no picture within the host's limits is
// drawn that far out, and QRect's arithmetic on them would overflow.
constexpr qint32 kMaxCoordinate = 1 << 24;

bool saneCoordinates(QByteArrayView data, std::initializer_list<qsizetype> offsets)
{
    for (const qsizetype at : offsets)
        if (std::abs(qint64(le32s(data, at))) > kMaxCoordinate)
            return false;
    return true;
}

QRect inclusiveRect(QByteArrayView data, qsizetype at)
{
    return QRect(QPoint(le32s(data, at), le32s(data, at + 4)),
                 QPoint(le32s(data, at + 8), le32s(data, at + 12)));
}

// Where a bitmap record keeps its bitmap and where it draws it.
struct BitmapRecord
{
    quint32 bmiAt = 0, bmiSize = 0, bitsAt = 0, bitsSize = 0;
    QRect source; // in the bitmap, y measured the way the record states it
    QRect target; // logical units, which these metafiles keep equal to device pixels
};

std::optional<BitmapRecord> bitmapRecord(QByteArrayView record, quint32 type)
{
    BitmapRecord r;
    switch (type) {
    case EmrStretchDiBits:
        if (record.size() < 80 || !saneCoordinates(record, {24, 28, 32, 36, 40, 44, 72, 76}))
            return std::nullopt;
        r.target =
            QRect(le32s(record, 24), le32s(record, 28), le32s(record, 72), le32s(record, 76));
        r.source =
            QRect(le32s(record, 32), le32s(record, 36), le32s(record, 40), le32s(record, 44));
        r.bmiAt = le32(record, 48), r.bmiSize = le32(record, 52);
        r.bitsAt = le32(record, 56), r.bitsSize = le32(record, 60);
        break;
    case EmrSetDiBitsToDevice:
        if (record.size() < 76 || !saneCoordinates(record, {24, 28, 32, 36, 40, 44}))
            return std::nullopt;
        r.source =
            QRect(le32s(record, 32), le32s(record, 36), le32s(record, 40), le32s(record, 44));
        r.target = QRect(QPoint(le32s(record, 24), le32s(record, 28)), r.source.size());
        r.bmiAt = le32(record, 48), r.bmiSize = le32(record, 52);
        r.bitsAt = le32(record, 56), r.bitsSize = le32(record, 60);
        break;
    case EmrBitBlt:
    case EmrStretchBlt: {
        const qsizetype fixed = type == EmrBitBlt ? 100 : 108;
        if (record.size() < fixed || !saneCoordinates(record, {24, 28, 32, 36, 44, 48}) ||
            (type == EmrStretchBlt && !saneCoordinates(record, {100, 104})))
            return std::nullopt;
        r.target =
            QRect(le32s(record, 24), le32s(record, 28), le32s(record, 32), le32s(record, 36));
        const QSize sourceSize =
            type == EmrBitBlt ? r.target.size() : QSize(le32s(record, 100), le32s(record, 104));
        r.source = QRect(QPoint(le32s(record, 44), le32s(record, 48)), sourceSize);
        r.bmiAt = le32(record, 84), r.bmiSize = le32(record, 88);
        r.bitsAt = le32(record, 92), r.bitsSize = le32(record, 96);
        break;
    }
    default:
        return std::nullopt;
    }
    const auto fits = [&](quint32 at, quint32 size) {
        return size > 0 && at <= quint32(record.size()) && size <= quint32(record.size()) - at;
    };
    if (!fits(r.bmiAt, r.bmiSize) || !fits(r.bitsAt, r.bitsSize) || r.bmiSize < 12)
        return std::nullopt;
    return r;
}

// Decodes a device-independent bitmap by giving it the file header a .bmp file has, so Qt's
// reader handles every bit depth and compression.
QImage decodeDib(QByteArrayView record, const BitmapRecord& r, bool& bottomUp)
{
    const auto bmi = record.sliced(r.bmiAt, r.bmiSize);
    const bool core = le32(bmi, 0) == 12;
    const qint64 width = core ? le16(bmi, 4) : le32s(bmi, 4);
    const qint64 height = core ? le16(bmi, 6) : le32s(bmi, 8);
    bottomUp = height > 0;
    if (!withinLimits(width, std::abs(height)))
        return {};
    QByteArray file("BM");
    appendLe32(file, 14 + r.bmiSize + r.bitsSize);
    appendLe16(file, 0);
    appendLe16(file, 0);
    appendLe32(file, 14 + r.bmiSize);
    file.append(bmi.data(), bmi.size());
    file.append(record.data() + r.bitsAt, r.bitsSize);
    return QImage::fromData(file, "BMP");
}

} // namespace

std::optional<EmfHeader> readEmfHeader(QByteArrayView emf)
{
    if (emf.size() < 88 || le32(emf, 0) != EmrHeader || le32(emf, 40) != EmfSignature)
        return std::nullopt;
    const quint32 headerSize = le32(emf, 4);
    if (headerSize < 88 || headerSize > quint32(emf.size()) ||
        !saneCoordinates(emf, {8, 12, 16, 20}))
        return std::nullopt;
    const QRect bounds = inclusiveRect(emf, 8);
    const QRect frame = inclusiveRect(emf, 24);
    const double frameWidth = double(frame.right()) - frame.left();
    const double frameHeight = double(frame.bottom()) - frame.top();
    if (frameWidth <= 0 || frameHeight <= 0)
        return std::nullopt;

    EmfHeader header;
    header.points = QSizeF(frameWidth / 2540.0 * 72.0, frameHeight / 2540.0 * 72.0);
    header.pixelSize = bounds.isValid() ? bounds.size()
                                        : QSize(int(std::lround(frameWidth / 2540.0 * 96.0)),
                                                int(std::lround(frameHeight / 2540.0 * 96.0)));

    // The frame is rounded to hundredths of a millimetre; where it agrees with the bounds at
    // the reference device's resolution, the bounds give the exact size.
    const double devicePixelsX = le32s(emf, 72), devicePixelsY = le32s(emf, 76);
    double deviceMicronsX = le32s(emf, 80) * 1000.0, deviceMicronsY = le32s(emf, 84) * 1000.0;
    if (headerSize >= 108) {
        deviceMicronsX = le32s(emf, 100);
        deviceMicronsY = le32s(emf, 104);
    }
    if (bounds.isValid() && devicePixelsX > 0 && devicePixelsY > 0 && deviceMicronsX > 0 &&
        deviceMicronsY > 0) {
        const double dpiX = devicePixelsX / (deviceMicronsX / 25400.0);
        const double dpiY = devicePixelsY / (deviceMicronsY / 25400.0);
        const QSizeF exact(bounds.width() * 72.0 / dpiX, bounds.height() * 72.0 / dpiY);
        const double tolerance = 2.0 / 2540.0 * 72.0;
        if (std::abs(exact.width() - header.points.width()) <= tolerance &&
            std::abs(exact.height() - header.points.height()) <= tolerance)
            header.points = exact;
    }
    return header;
}

QImage readEmf(QByteArrayView emf)
{
    const auto header = readEmfHeader(emf);
    if (!header || !withinLimits(header->pixelSize))
        return {};
    const QRect bounds = inclusiveRect(emf, 8);
    QImage canvas(header->pixelSize, QImage::Format_ARGB32_Premultiplied);
    if (canvas.isNull())
        return {};
    canvas.fill(Qt::transparent);
    QPainter painter(&canvas);
    painter.setRenderHint(QPainter::SmoothPixmapTransform);
    painter.translate(bounds.isValid() ? -bounds.topLeft() : QPoint());

    bool drewAny = false;
    qsizetype at = 0;
    while (at + 8 <= emf.size()) {
        const quint32 type = le32(emf, at);
        const quint32 size = le32(emf, at + 4);
        if (size < 8 || size > quint32(emf.size() - at))
            break;
        const auto record = emf.sliced(at, size);
        if (const auto r = bitmapRecord(record, type)) {
            bool bottomUp = true;
            const QImage bitmap = decodeDib(record, *r, bottomUp);
            if (!bitmap.isNull()) {
                QRect source = r->source.normalized();
                if (bottomUp) // the record measures y from the bitmap's bottom row
                    source.moveTop(bitmap.height() - source.top() - source.height());
                painter.drawImage(QRectF(r->target), bitmap, QRectF(source));
                drewAny = true;
            }
        }
        if (type == EmrEof)
            break;
        at += size;
    }
    painter.end();
    return drewAny ? canvas : QImage();
}

} // namespace host::imaging
