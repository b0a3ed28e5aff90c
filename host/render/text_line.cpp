#include "host/render/text_line.h"

#include "host/render/text_paint.h"

#include <QPainter>

namespace host::render {

namespace {

constexpr qsizetype kMaxCachedLines = 8192; // per font: a few screens of different values

} // namespace

TextLine::TextLine(const QString& text, const QFont& font) : m_layout(text, font, pointDevice())
{
    QTextOption option;
    option.setWrapMode(QTextOption::NoWrap);
    m_layout.setTextOption(option);
    m_layout.setCacheEnabled(true);
    m_layout.beginLayout();
    QTextLine line = m_layout.createLine();
    if (line.isValid()) {
        line.setLineWidth(1e6);
        line.setPosition(QPointF(0, 0));
        m_width = line.naturalTextWidth();
        m_height = line.height();
    }
    m_layout.endLayout();
}

void TextLine::draw(QPainter& painter, const QPointF& topLeft, const QColor& color) const
{
    painter.setPen(color);
    m_layout.draw(&painter, topLeft);
}

std::shared_ptr<const TextLine> TextLineCache::line(const QString& text) const
{
    const std::lock_guard lock(m_mutex);
    if (const auto it = m_lines.constFind(text); it != m_lines.constEnd())
        return *it;
    if (m_lines.size() >= kMaxCachedLines)
        m_lines.clear();
    auto made = std::make_shared<const TextLine>(text, m_font);
    m_lines.insert(text, made);
    return made;
}

} // namespace host::render
