#include "main/save_picture/metafile_canvas.h"

#include "host/imaging/emf.h"

#include <QPainter>

#include <cmath>

namespace picrows {

namespace {

constexpr double kPixelsPerPoint = 96.0 / 72.0;
constexpr int kDotsPerMetre96 = 3780;
// The largest side the canvas is made with; a frame beyond it is taken as damage.
constexpr int kMaxSide = 16384;

} // namespace

QImage drawMetafileOnCanvas(const QByteArray& emf)
{
    const std::optional<host::imaging::EmfHeader> header = host::imaging::readEmfHeader(emf);
    if (!header)
        return {};
    const double width = std::round(header->points.width() * kPixelsPerPoint);
    const double height = std::round(header->points.height() * kPixelsPerPoint);
    if (!(width >= 1 && height >= 1 && width <= kMaxSide && height <= kMaxSide))
        return {};
    QImage canvas(int(width), int(height), QImage::Format_RGB32);
    canvas.setDotsPerMeterX(kDotsPerMetre96);
    canvas.setDotsPerMeterY(kDotsPerMetre96);
    canvas.fill(Qt::white);
    const QImage drawn = host::imaging::readEmf(emf);
    if (!drawn.isNull()) {
        QPainter painter(&canvas);
        painter.setRenderHint(QPainter::SmoothPixmapTransform);
        painter.drawImage(QRectF(0, 0, width, height), drawn);
    }
    return canvas;
}

} // namespace picrows
