#include "main/reduce/picture_thumbnail.h"

#include <QImage>
#include <QImageReader>
#include <QPainter>

#include <cmath>
#include <limits>
#include <optional>

namespace picrows {

namespace {

// a × b ÷ c with a 32-bit product, rounded to nearest with ties to even; none on overflow.
std::optional<std::int32_t> scaled(std::int32_t a, std::int32_t b, std::int32_t c)
{
    const std::int64_t product = std::int64_t(a) * b;
    if (product > std::numeric_limits<std::int32_t>::max() ||
        product < std::numeric_limits<std::int32_t>::min() || c == 0)
        return std::nullopt;
    return std::int32_t(std::nearbyint(double(product) / c));
}

std::int32_t half(std::int32_t value)
{
    return std::int32_t(std::nearbyint(value / 2.0));
}

} // namespace

bool F_DrawPictureThumbnail(QPainter& painter, const QString& path, std::int32_t boxWidth,
                            std::int32_t boxHeight, bool keepProportions)
{
    QImageReader reader(path);
    const QSize size = reader.size();
    if (!size.isValid() || size.width() == 0 || size.height() == 0)
        return false;
    const std::int32_t width = size.width();
    const std::int32_t height = size.height();

    std::int32_t thumbWidth = boxWidth;
    std::int32_t thumbHeight = boxHeight;
    if (keepProportions) {
        const double widthRatio = double(width) / boxWidth;
        const double heightRatio = double(height) / boxHeight;
        std::optional<std::int32_t> other;
        if (heightRatio >= widthRatio) {
            other = scaled(boxHeight, width, height);
            thumbWidth = other.value_or(0);
        } else {
            other = scaled(boxWidth, height, width);
            thumbHeight = other.value_or(0);
        }
        if (!other)
            return false;
    }
    if (thumbWidth <= 0 || thumbHeight <= 0)
        return false;

    reader.setScaledSize(QSize(thumbWidth, thumbHeight));
    const QImage thumbnail = reader.read();
    if (thumbnail.isNull())
        return false;
    const int x = half(boxWidth - thumbWidth);
    const int y = half(boxHeight - thumbHeight);
    painter.drawImage(QRect(x, y, thumbWidth, thumbHeight), thumbnail);
    return true;
}

} // namespace picrows
