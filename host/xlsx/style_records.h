#pragma once

#include "host/model/cell_style.h"

#include <pugixml.hpp>

namespace host::model {
struct CellFormat;
struct Workbook;
} // namespace host::model

// The look of cells as the styles part states it: fonts, fills, borders, number format codes,
// and each cell format's pointers into them and its alignment.
namespace host::xlsx {

// Replaces the model's fonts, fills, borders and number format codes with the part's.
void readStyleRecords(pugi::xml_node root, model::Workbook& book);
// Sets the format's look from its <xf>; its protection stays.
void readCellLook(pugi::xml_node xf, model::CellFormat& format);
// A <color> element (rgb, theme, indexed, auto, tint); automatic when absent.
model::StyleColor readColor(pugi::xml_node color);

} // namespace host::xlsx
