#include "main/trimming_dialog/trimming_canvases.h"

#include "main/tools/picture_colour.h"
#include "main/tools/rotated_picture.h"

#include <QPainter>

namespace picrows {

QImage workingCopy(const QImage& picture, QSize limit)
{
    if (picture.isNull())
        return {};
    QImage scaled = picture;
    if (limit.isValid() && (picture.width() > limit.width() || picture.height() > limit.height())) {
        const QSize size = picture.size().scaled(limit, Qt::KeepAspectRatio).expandedTo({1, 1});
        // A first fast halving step while the picture is far larger than the copy: smoothing
        // all of a photograph's pixels costs more than the eye can tell apart.
        while (scaled.width() > 4 * size.width() && scaled.height() > 4 * size.height())
            scaled =
                scaled.scaled(scaled.size() / 2, Qt::IgnoreAspectRatio, Qt::FastTransformation);
        scaled = scaled.scaled(size, Qt::IgnoreAspectRatio, Qt::SmoothTransformation);
    }
    if (!scaled.hasAlphaChannel())
        return scaled.convertToFormat(QImage::Format_RGB32);
    QImage white(scaled.size(), QImage::Format_RGB32);
    white.fill(Qt::white);
    QPainter painter(&white);
    painter.drawImage(0, 0, scaled);
    painter.end();
    return white;
}

void TrimmingCanvases::load(const QImage& picture, QSize limit)
{
    m_source = workingCopy(picture, limit);
    m_colour = m_source;
    m_rotated = m_source;
}

bool TrimmingCanvases::colourPreview(float contrast, float brightness, bool disabled)
{
    if (m_source.isNull())
        return false;
    return drawColourPreview(m_source, m_colour, contrast, brightness, disabled);
}

void TrimmingCanvases::rotationPreview(double angle, bool upright, const QColor& background)
{
    if (m_colour.isNull())
        return;
    m_rotated = upright || angle == 0 ? m_colour : drawRotatedPicture(m_colour, angle, background);
}

} // namespace picrows
