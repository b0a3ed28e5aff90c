#pragma once

#include <QFont>
#include <QHash>
#include <QString>
#include <QTextLayout>

#include <memory>
#include <mutex>

class QColor;
class QPainter;
class QPointF;

namespace host::render {

// One line of text laid out once, in points (see text_paint.h), and drawn as often as needed:
// the shaping that costs most of a cell's drawing is done on the first paint only.
class TextLine
{
public:
    TextLine(const QString& text, const QFont& font);

    double width() const { return m_width; }
    double height() const { return m_height; }
    // Draws the line with its top-left corner at `topLeft`.
    void draw(QPainter& painter, const QPointF& topLeft, const QColor& color) const;

private:
    QTextLayout m_layout;
    double m_width = 0;
    double m_height = 0;
};

// The lines one font has shown, by their text; forgets them all when it holds too many.
class TextLineCache
{
public:
    explicit TextLineCache(QFont font) : m_font(std::move(font)) {}
    std::shared_ptr<const TextLine> line(const QString& text) const;

private:
    QFont m_font;
    mutable std::mutex m_mutex;
    mutable QHash<QString, std::shared_ptr<const TextLine>> m_lines;
};

} // namespace host::render
