#include "host/render/text_line.h"

#include "host/render/text_paint.h"

#include <QPainter>

#include <algorithm>
#include <cmath>

namespace host::render {

namespace {

constexpr qsizetype kMaxCachedLines = 8192; // per font: a few screens of different values

QFont scaledFont(QFont font, double scale)
{
    font.setPointSizeF(font.pointSizeF() * scale);
    return font;
}

} // namespace

TextLine::TextLine(const QString& text, const QFont& font, double scale, double wrapWidth,
                   Qt::Alignment alignment)
    : m_layout(QString(text).replace(u'\n', QChar::LineSeparator), scaledFont(font, scale),
               pointDevice()),
      m_scale(scale)
{
    QTextOption option;
    option.setWrapMode(wrapWidth < 0 ? QTextOption::NoWrap
                                     : QTextOption::WrapAtWordBoundaryOrAnywhere);
    option.setAlignment(alignment);
    m_layout.setTextOption(option);
    m_layout.setCacheEnabled(true);
    m_layout.beginLayout();
    double y = 0;
    double widest = 0;
    for (;;) {
        QTextLine line = m_layout.createLine();
        if (!line.isValid())
            break;
        line.setLineWidth(wrapWidth < 0 ? 1e7 : std::max(0.0, wrapWidth * scale));
        line.setPosition(QPointF(0, y));
        y += line.height();
        widest = std::max(widest, line.naturalTextWidth());
    }
    m_layout.endLayout();
    m_width = widest / scale;
    m_height = y / scale;
}

void TextLine::draw(QPainter& painter, const QPointF& topLeft, const QColor& color) const
{
    // Pen and transformation put back by hand: cheaper than saving the painter's whole state
    // for each of a view's thousands of cells.
    const QPen pen = painter.pen();
    if (pen.color() != color || pen.style() != Qt::SolidLine)
        painter.setPen(color);
    const QTransform world = painter.worldTransform();
    if (pixelScale(painter) == m_scale) {
        // Straight onto the pixels, the line's top on a whole pixel.
        const QPointF at = world.map(topLeft);
        painter.setWorldTransform(QTransform());
        m_layout.draw(&painter, QPointF(at.x(), std::round(at.y())));
    } else {
        painter.translate(topLeft);
        painter.scale(1 / m_scale, 1 / m_scale);
        m_layout.draw(&painter, QPointF(0, 0));
    }
    painter.setWorldTransform(world);
    painter.setPen(pen);
}

double pixelScale(const QPainter& painter)
{
    const QTransform& t = painter.worldTransform();
    if (painter.viewTransformEnabled() || painter.deviceTransform() != t ||
        t.type() > QTransform::TxScale || t.m11() <= 0 || t.m11() != t.m22())
        return 1;
    return t.m11();
}

std::shared_ptr<const TextLine> TextLineCache::line(const QString& text, double scale,
                                                    double wrapWidth, Qt::Alignment alignment) const
{
    const QString key = wrapWidth < 0 ? text
                                      : text + QChar(0x1F) + QString::number(wrapWidth, 'f', 2) +
                                            QChar(0x1F) + QString::number(int(alignment));
    const std::lock_guard lock(m_mutex);
    if (const auto it = m_lines.constFind(key); it != m_lines.constEnd() && (*it)->scale() == scale)
        return *it;
    if (m_lines.size() >= kMaxCachedLines)
        m_lines.clear();
    auto made = std::make_shared<const TextLine>(text, m_font, scale, wrapWidth, alignment);
    m_lines.insert(key, made);
    return made;
}

} // namespace host::render
