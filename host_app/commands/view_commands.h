#pragma once

#include "host/model/cell_ref.h"

#include <QSize>

namespace host::objects {
class Workbook;
class Worksheet;
} // namespace host::objects

// What the window's scroll bars, wheel, zoom box and tabs do: they set the workbook window's
// Zoom, ScrollRow and ScrollColumn, activate sheets and workbooks, through the object model,
// so that automation reads what the user sees.
namespace host_app::commands {

void setZoom(host::objects::Workbook& book, int percent); // clamped to 10–400
void scrollTo(host::objects::Workbook& book, int row, int column);
// Scrolls as little as needed for `cell` to show whole in a cell area of `viewPixels`.
void reveal(host::objects::Workbook& book, const host::model::CellRect& cell, QSize viewPixels);
void activateSheet(host::objects::Worksheet& sheet);
void activateWorkbook(host::objects::Workbook& book);

} // namespace host_app::commands
