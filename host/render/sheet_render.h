#pragma once

#include "host/model/cell_ref.h"

#include <QImage>
#include <QRectF>

class QPainter;

namespace host::model {
struct Sheet;
struct Workbook;
} // namespace host::model

// Rendering a block of cells as the host's copy of cells shows it: a white page, the cells'
// values in the workbook's default font (General numbers right-aligned, text left-aligned and
// running on over empty neighbours, TRUE/FALSE and errors centred), merged areas as one cell,
// and the shapes over the block in z-order (see shape_paint.h for what is drawn). Hidden rows
// and columns take no room.
//
// Grid lines are not drawn by default: the host's copy of cells draws the sheet as printed,
// and sheets print without grid lines unless asked to. `gridLines` draws light ones, as the
// host shows them on screen.
namespace host::render {

struct RangeLook
{
    bool gridLines = false;
};

// The block's rectangle in sheet points.
QRectF rangeRect(const model::Workbook& book, const model::Sheet& sheet,
                 const model::CellRect& area);

// Paints the block with its top-left corner at the painter's origin; the painter's units are
// points.
void paintRange(QPainter& painter, const model::Workbook& book, const model::Sheet& sheet,
                const model::CellRect& area, const RangeLook& look = {});

// The block as an opaque image at `pixelsPerPoint` (4/3 for 96 dpi); its dots per metre say
// that density. A null image when the block has no area or is too large to hold.
QImage renderRange(const model::Workbook& book, const model::Sheet& sheet,
                   const model::CellRect& area, double pixelsPerPoint, const RangeLook& look = {});

// The smallest block of cells that covers `points` (sheet points).
model::CellRect cellsCovering(const model::Workbook& book, const model::Sheet& sheet,
                              const QRectF& points);

// The cells in use (values, merged areas) together with the cells under the visible shapes;
// A1 alone for an empty sheet.
model::CellRect usedArea(const model::Workbook& book, const model::Sheet& sheet);

} // namespace host::render
