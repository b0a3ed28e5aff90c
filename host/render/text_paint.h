#pragma once

#include <QColor>
#include <QFont>
#include <QRectF>
#include <QString>

class QPaintDevice;
class QPainter;

namespace host::model {
struct TextFont;
struct Workbook;
} // namespace host::model

// Text as the host draws it in cells and text boxes. Every length is in points: the painter's
// units are points whatever its scale, and fonts are laid out for a 72-dpi device so that a
// font's point size is its size in painter units.
namespace host::render {

// A device of 72 dots per inch: fonts laid out for it measure in points.
QPaintDevice* pointDevice();

// The font a text box states; an empty name is the workbook's default font. Glyphs the font
// lacks (Japanese in a Latin font) come from the fonts Qt falls back to.
QFont textFont(const model::TextFont& font, const model::Workbook& book);
// The workbook's default font, in which cells show their values.
QFont cellFont(const model::Workbook& book);
// The colour a text box's font states: a palette index, or its own colour.
QColor textColor(const model::TextFont& font, const model::Workbook& book);

struct TextPlacement
{
    int horizontal = 0; // the host's alignment numbers (model::kAlignLeft …)
    int vertical = 0;
    bool wrap = true;         // break lines to the box's width (words, or anywhere in Japanese)
    double lineSpacing = 1.0; // each line's step down, as a share of its height
};

// Paints `text` (lines separated by "\n") inside `box`, clipped to nothing: what overflows the
// box is still drawn, as the host draws a text box whose text does not fit.
void paintText(QPainter& painter, const QRectF& box, const QString& text, const QFont& font,
               const QColor& color, const TextPlacement& placement);

// The width in points of one line of `text` in `font`.
double textWidth(const QString& text, const QFont& font);

} // namespace host::render
