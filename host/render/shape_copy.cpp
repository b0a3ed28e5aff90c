#include "host/render/shape_copy.h"

#include "host/model/workbook.h"
#include "host/render/shape_paint.h"

#include <QPainter>

#include <cmath>

namespace host::render {

namespace {

bool hasText(const model::Shape& shape)
{
    if (shape.text)
        return true;
    for (const model::Shape& member : shape.members)
        if (hasText(member))
            return true;
    return false;
}

const model::Workbook& emptyBook()
{
    static const model::Workbook book;
    return book;
}

} // namespace

ShapeCopy::ShapeCopy(const std::vector<PlacedShape>& placed, const QRectF& bounds, QSize pixelSize,
                     int marginPixels, double pixelsPerPoint)
    : m_bounds(bounds), m_pixelSize(pixelSize), m_margin(marginPixels),
      m_pixelsPerPoint(pixelsPerPoint)
{
    m_shapes.reserve(placed.size());
    m_enclosing.reserve(placed.size());
    for (const PlacedShape& p : placed) {
        m_shapes.push_back(*p.shape);
        m_enclosing.push_back(p.enclosing);
    }
}

bool ShapeCopy::standsAlone() const
{
    for (const model::Shape& shape : m_shapes)
        if (hasText(shape))
            return false;
    return true;
}

QImage ShapeCopy::render(QSize size, const model::Workbook* book) const
{
    QImage image(size, QImage::Format_ARGB32_Premultiplied);
    if (image.isNull() || m_pixelSize.isEmpty())
        return {};
    const double fx = double(size.width()) / m_pixelSize.width();
    const double fy = double(size.height()) / m_pixelSize.height();
    const double dotsPerMetre = m_pixelsPerPoint * 72 / 0.0254;
    image.setDotsPerMeterX(int(std::lround(dotsPerMetre * fx)));
    image.setDotsPerMeterY(int(std::lround(dotsPerMetre * fy)));
    image.fill(Qt::transparent);

    std::vector<PlacedShape> placed;
    placed.reserve(m_shapes.size());
    for (size_t i = 0; i < m_shapes.size(); ++i)
        placed.push_back({&m_shapes[i], m_enclosing[i]});

    QPainter painter(&image);
    painter.scale(fx, fy);
    // The content fills the pixels inside the margin exactly, so that cropping the margin off
    // leaves the content edge to edge.
    painter.translate(m_margin, m_margin);
    painter.scale(double(m_pixelSize.width() - 2 * m_margin) / m_bounds.width(),
                  double(m_pixelSize.height() - 2 * m_margin) / m_bounds.height());
    painter.translate(-m_bounds.topLeft());
    paintPlaced(painter, book ? *book : emptyBook(), placed);
    painter.end();
    return image;
}

} // namespace host::render
