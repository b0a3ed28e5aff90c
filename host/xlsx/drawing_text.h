#pragma once

#include "host/model/drawing.h"

#include <QRgb>

#include <pugixml.hpp>

#include <array>
#include <optional>

// The text of text boxes and shapes (<xdr:txBody>) and the DrawingML colours they use.
namespace host::xlsx {

using Palette = std::array<QRgb, 56>;

// The colour of an element's <a:solidFill> (explicit RGB, system colour, or the theme's
// light and dark colours); none when there is no solid fill or the colour is not understood.
std::optional<QRgb> solidFillColor(pugi::xml_node parent);
// An <a:solidFill><a:srgbClr val=""/></a:solidFill> appended to `parent`.
void appendSolidFill(pugi::xml_node parent, QRgb color);

// The text and its first run's font; paragraphs and line breaks become "\n".
model::TextBody readTextBody(pugi::xml_node txBody, const Palette& palette);
// Fills an empty <xdr:txBody> element.
void writeTextBody(pugi::xml_node txBody, const model::TextBody& body, const Palette& palette);

} // namespace host::xlsx
