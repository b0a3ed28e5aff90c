#include "host_app/sheet_layout.h"

#include "host/model/digit_width.h"
#include "host/model/workbook.h"
#include "host/render/sheet_render.h"

#include <algorithm>
#include <cmath>

namespace host_app {

namespace {

using host::model::CellRect;

constexpr int kColumnHeaderHeight = 20;
constexpr int kHeaderDigitWidth = 8; // pixels per digit of the row numbers
constexpr int kHeaderPadding = 10;

} // namespace

SheetLayout::SheetLayout(const host::model::Workbook& book, const host::model::Sheet& sheet,
                         QSize view)
    : m_book(book), m_sheet(sheet),
      m_geometry(sheet, host::model::maximumDigitWidth(book.defaultFontName, book.defaultFontSize)),
      m_view(view), m_scale(scaleForZoom(std::clamp(sheet.view.zoom, 10, 400))),
      m_origin(
          m_geometry.columnLeft(std::clamp(sheet.view.leftColumn, 1, host::model::kMaxColumns)),
          m_geometry.rowTop(std::clamp(sheet.view.topRow, 1, host::model::kMaxRows))),
      m_columnHeaderHeight(kColumnHeaderHeight)
{
    // Room for the numbers of the rows this view could show, never fewer than three digits.
    const double rowsShown = view.height() / std::max(1.0, 15 * m_scale);
    const int lastRow = std::min<double>(host::model::kMaxRows, sheet.view.topRow + rowsShown);
    const int digits = std::max(3, int(QString::number(lastRow).size()));
    m_rowHeaderWidth = digits * kHeaderDigitWidth + kHeaderPadding;
}

QRect SheetLayout::cellArea() const
{
    return QRect(m_rowHeaderWidth, m_columnHeaderHeight,
                 std::max(0, m_view.width() - m_rowHeaderWidth),
                 std::max(0, m_view.height() - m_columnHeaderHeight));
}

QPointF SheetLayout::toView(QPointF points) const
{
    return QPointF(m_rowHeaderWidth + (points.x() - m_origin.x()) * m_scale,
                   m_columnHeaderHeight + (points.y() - m_origin.y()) * m_scale);
}

QPointF SheetLayout::toSheet(QPointF pixels) const
{
    return QPointF(m_origin.x() + (pixels.x() - m_rowHeaderWidth) / m_scale,
                   m_origin.y() + (pixels.y() - m_columnHeaderHeight) / m_scale);
}

QRectF SheetLayout::toView(const QRectF& points) const
{
    return QRectF(toView(points.topLeft()), toView(points.bottomRight()));
}

QRectF SheetLayout::cellRect(const CellRect& cells) const
{
    return toView(QRectF(m_geometry.left(cells), m_geometry.top(cells), m_geometry.width(cells),
                         m_geometry.height(cells)));
}

CellRect SheetLayout::visibleCells() const
{
    const QRect area = cellArea();
    const QSizeF size(std::max(1, area.width()) / m_scale, std::max(1, area.height()) / m_scale);
    return host::render::cellsCovering(m_book, m_sheet, QRectF(m_origin, size));
}

int SheetLayout::rowAt(double y) const
{
    const QPointF at = toSheet(QPointF(m_rowHeaderWidth, y));
    return host::render::cellsCovering(m_book, m_sheet, QRectF(QPointF(0, at.y()), QSizeF(0, 0)))
        .top;
}

int SheetLayout::columnAt(double x) const
{
    const QPointF at = toSheet(QPointF(x, m_columnHeaderHeight));
    return host::render::cellsCovering(m_book, m_sheet, QRectF(QPointF(at.x(), 0), QSizeF(0, 0)))
        .left;
}

std::vector<SheetLayout::Edge> SheetLayout::visibleRows() const
{
    std::vector<Edge> out;
    const CellRect cells = visibleCells();
    double y = toView(QPointF(0, m_geometry.rowTop(cells.top))).y();
    for (int r = cells.top; r <= cells.bottom; ++r) {
        const double height = m_geometry.rowHeight(r) * m_scale;
        if (height > 0)
            out.push_back({r, y, y + height});
        y += height;
    }
    return out;
}

std::vector<SheetLayout::Edge> SheetLayout::visibleColumns() const
{
    std::vector<Edge> out;
    const CellRect cells = visibleCells();
    double x = toView(QPointF(m_geometry.columnLeft(cells.left), 0)).x();
    for (int c = cells.left; c <= cells.right; ++c) {
        const double width = m_geometry.columnWidth(c) * m_scale;
        if (width > 0)
            out.push_back({c, x, x + width});
        x += width;
    }
    return out;
}

} // namespace host_app
