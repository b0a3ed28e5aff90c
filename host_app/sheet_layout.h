#pragma once

#include "host/model/cell_ref.h"
#include "host/model/geometry.h"

#include <QPointF>
#include <QRectF>
#include <QSize>

namespace host::model {
struct Sheet;
struct Workbook;
} // namespace host::model

namespace host_app {

// Where a sheet's cells and headers are in a sheet view, at the sheet's zoom and scroll
// position as its view states them. Pixels are the view's; the cell area starts below the
// column headers and right of the row headers, with the scroll position's cell at its corner.
// At 100 % a point is 4/3 pixel, so what Range.Left/Top/Width/Height state is where a cell
// is drawn. Made afresh for every paint or gesture, from the model as it is then.
class SheetLayout
{
public:
    SheetLayout(const host::model::Workbook& book, const host::model::Sheet& sheet, QSize view);

    // One division of exact integers, so that 100 % is the same 4/3 the batch render uses.
    static double scaleForZoom(int zoom) { return 4.0 * zoom / 300.0; }

    const host::model::SheetGeometry& geometry() const { return m_geometry; }
    const host::model::Sheet& sheet() const { return m_sheet; }
    double scale() const { return m_scale; } // view pixels per sheet point
    int rowHeaderWidth() const { return m_rowHeaderWidth; }
    int columnHeaderHeight() const { return m_columnHeaderHeight; }
    QRect cellArea() const;                     // in view pixels
    QPointF origin() const { return m_origin; } // sheet points at the cell area's corner

    QPointF toView(QPointF points) const;
    QPointF toSheet(QPointF pixels) const;
    QRectF toView(const QRectF& points) const;
    QRectF cellRect(const host::model::CellRect& cells) const; // in view pixels

    // The cells the cell area shows, partly shown ones included.
    host::model::CellRect visibleCells() const;
    // The row or column under a view position, clamped to the sheet (hidden ones skipped).
    int rowAt(double y) const;
    int columnAt(double x) const;

    // The edges (view pixels) of the visible rows and columns: what the headers draw.
    struct Edge
    {
        int index;
        double start;
        double end;
    };
    std::vector<Edge> visibleRows() const;
    std::vector<Edge> visibleColumns() const;

private:
    const host::model::Workbook& m_book;
    const host::model::Sheet& m_sheet;
    host::model::SheetGeometry m_geometry;
    QSize m_view;
    double m_scale;
    QPointF m_origin;
    int m_rowHeaderWidth;
    int m_columnHeaderHeight;
};

} // namespace host_app
