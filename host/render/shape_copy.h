#pragma once

#include "host/model/drawing.h"

#include <QImage>
#include <QRectF>
#include <QTransform>

#include <vector>

namespace host::model {
struct Workbook;
}

namespace host::render {

struct PlacedShape;

// What a copy of shapes renders, kept so that it can be rendered later: the shapes as they
// were when copied, their joint bounds in points, and the copy's pixel size with its margin.
// Rendering it later gives what rendering it at once would have given, whatever happened to
// the sheet since.
class ShapeCopy
{
public:
    ShapeCopy(const std::vector<PlacedShape>& placed, const QRectF& bounds, QSize pixelSize,
              int marginPixels, double pixelsPerPoint);

    QSize pixelSize() const { return m_pixelSize; }
    double pixelsPerPoint() const { return m_pixelsPerPoint; }
    // Whether the copy renders without its workbook: no text in any of its shapes.
    bool standsAlone() const;

    // The rendering at `size` (the pixel size, or a fraction of it for a smaller look),
    // transparent where no shape is; its dots per metre state the copy's size in points.
    // `book` gives fonts and colours of text; a copy that stands alone needs none.
    QImage render(QSize size, const model::Workbook* book = nullptr) const;

private:
    std::vector<model::Shape> m_shapes;
    std::vector<QTransform> m_enclosing;
    QRectF m_bounds;
    QSize m_pixelSize;
    int m_margin;
    double m_pixelsPerPoint;
};

} // namespace host::render
