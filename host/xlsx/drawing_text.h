#pragma once

#include "host/model/drawing.h"

#include <QRgb>

#include <pugixml.hpp>

#include <array>
#include <optional>

// The text of text boxes and shapes (<xdr:txBody>) and the DrawingML colours they use.
namespace host::xlsx {

using Palette = std::array<QRgb, 56>;
// The workbook theme's colours in the order of its colour scheme: dk1, lt1, dk2, lt2,
// accent1…accent6, hlink, folHlink.
using ThemeColors = std::array<QRgb, 12>;

// The colour of an element's <a:solidFill> (explicit RGB, system colour or a theme colour,
// with the luminance changes a colour element may carry); none when there is no solid fill or
// the colour is not understood.
std::optional<QRgb> solidFillColor(pugi::xml_node parent, const ThemeColors& theme);
// An <a:solidFill><a:srgbClr val=""/></a:solidFill> appended to `parent`.
void appendSolidFill(pugi::xml_node parent, QRgb color);

// The text and its first run's font; paragraphs and line breaks become "\n".
model::TextBody readTextBody(pugi::xml_node txBody, const Palette& palette,
                             const ThemeColors& theme);
// Fills an empty <xdr:txBody> element.
void writeTextBody(pugi::xml_node txBody, const model::TextBody& body, const Palette& palette);

} // namespace host::xlsx
