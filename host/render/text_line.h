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

// Text laid out once and drawn as often as needed: the shaping that costs most of a cell's
// drawing is done on the first paint only. The text is laid out for the pixel grid it is drawn
// on (`scale` pixels a point), where glyphs come from the glyph cache; drawn through any other
// transformation it is still right, only slower. Lengths are in points.
//
// One line, or with a `wrapWidth` the text broken into lines of that width (at words, or
// anywhere in Japanese; "\n" breaks too), each placed by `alignment` (left, centre, right or
// justified).
class TextLine
{
public:
    TextLine(const QString& text, const QFont& font, double scale, double wrapWidth = -1,
             Qt::Alignment alignment = Qt::AlignLeft);

    double width() const { return m_width; }
    double height() const { return m_height; }
    double scale() const { return m_scale; }
    // Draws the line with its top-left corner at `topLeft` (points).
    void draw(QPainter& painter, const QPointF& topLeft, const QColor& color) const;

private:
    QTextLayout m_layout; // in pixels of `m_scale`
    double m_scale = 1;
    double m_width = 0;
    double m_height = 0;
};

// The pixels a point the painter draws with, when it only scales (and moves) its drawing and
// draws to pixels one to one; 1 otherwise (text is then laid out in points).
double pixelScale(const QPainter& painter);

// The lines one font has shown, by their text; forgets them all when it holds too many.
class TextLineCache
{
public:
    explicit TextLineCache(QFont font) : m_font(std::move(font)) {}
    std::shared_ptr<const TextLine> line(const QString& text, double scale, double wrapWidth = -1,
                                         Qt::Alignment alignment = Qt::AlignLeft) const;

private:
    QFont m_font;
    mutable std::mutex m_mutex;
    mutable QHash<QString, std::shared_ptr<const TextLine>> m_lines;
};

} // namespace host::render
