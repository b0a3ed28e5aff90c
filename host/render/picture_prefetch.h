#pragma once

#include <QRectF>

namespace host::model {
struct Sheet;
}

namespace host::render {

// Has the pictures of the shapes showing within `points` (sheet points) decoded on the worker
// threads for painting at `pixelsPerPoint`, so that a view scrolling onto them finds them ready.
// Returns at once.
void preparePictures(const model::Sheet& sheet, const QRectF& points, double pixelsPerPoint);

} // namespace host::render
