#pragma once

#include <QSizeF>
#include <QString>

namespace host::model {
struct Shape;
struct TextFont;
} // namespace host::model

namespace host::objects {

// The size of the text in points as the host lays it out at 96 dpi: the widest line and the
// lines' height, in the font (`defaultFont` when the font names none).
QSizeF textExtent(const QString& text, const model::TextFont& font, const QString& defaultFont);

// AutoSize: the box takes the text's size plus its margins. The edge the text is aligned to
// stays in place (left, right or the centre; top, bottom or the middle).
void fitBoxToText(model::Shape& shape, const QString& defaultFont);

} // namespace host::objects
