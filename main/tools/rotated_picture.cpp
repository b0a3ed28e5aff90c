#include "main/tools/rotated_picture.h"

#include "main/tools/round_half_even.h"
#include "main/tools/world_transform.h"

#include <QImage>
#include <QPainter>

#include <cmath>

namespace picrows {

namespace {

constexpr int kDotsPerMetre96 = 3780; // 96 dots per inch

} // namespace

QSizeF rotatedBounds(float w, float h, double angle)
{
    const float t = static_cast<float>(angle * 3.14159265358979 / 180);
    const float c = std::cos(t);
    const float s = std::sin(t);
    const float width = std::fabs(c * w) + std::fabs(h * s);
    const float height = std::fabs(s * w) + std::fabs(h * c);
    return QSizeF(width, height);
}

QColor colourFromBgr(std::int32_t bgr)
{
    return QColor(bgr & 0xFF, (bgr >> 8) & 0xFF, (bgr >> 16) & 0xFF);
}

QImage drawRotatedPicture(const QImage& source, double angle, const QColor& background)
{
    const float w = static_cast<float>(source.width());
    const float h = static_cast<float>(source.height());
    const QSizeF bounds = rotatedBounds(w, h, angle);
    QImage canvas(std::max(1, pixelsHalfEven(bounds.width())),
                  std::max(1, pixelsHalfEven(bounds.height())), QImage::Format_RGB32);
    canvas.setDotsPerMeterX(kDotsPerMetre96);
    canvas.setDotsPerMeterY(kDotsPerMetre96);
    canvas.fill(background);

    QPainter painter(&canvas);
    // A plain pixel copy: no smoothing, no blending with what lies beneath.
    painter.setRenderHint(QPainter::SmoothPixmapTransform, false);
    painter.setRenderHint(QPainter::Antialiasing, false);
    painter.setCompositionMode(QPainter::CompositionMode_Source);
    S_SetWorldTrans(
        true, &painter, 0, 0, angle, 0, 0,
        QPoint(pixelsHalfEven(canvas.width() / 2.0), pixelsHalfEven(canvas.height() / 2.0)));
    const QRect target(pixelsHalfEven(-w / 2.0), pixelsHalfEven(-h / 2.0), pixelsHalfEven(w),
                       pixelsHalfEven(h));
    painter.drawImage(target, source.convertToFormat(QImage::Format_RGB32));
    S_SetWorldTrans(false);
    painter.end();
    return canvas;
}

} // namespace picrows
