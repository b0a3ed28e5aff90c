#include "host/render/block_cells.h"

#include "host/model/geometry.h"
#include "host/model/stored_cells.h"
#include "host/model/workbook.h"
#include "host/render/cell_look.h"

#include <algorithm>

namespace host::render {

namespace {

bool showsValue(const model::Cell& cell)
{
    switch (cell.kind) {
    case model::CellKind::Empty:
        return false;
    case model::CellKind::Text:
        return !cell.text.isEmpty();
    default:
        return true;
    }
}

} // namespace

BlockCells::BlockCells(const model::Sheet& sheet, const model::SheetGeometry& geometry,
                       const model::CellRect& area, const LookTable& looks)
    : m_sheet(sheet), m_geometry(geometry), m_looks(looks), m_area(area)
{
    m_span = model::CellRect{std::max(1, area.top - 1), std::max(1, area.left - 1),
                             std::min(model::kMaxRows, area.bottom + 1),
                             std::min(model::kMaxColumns, area.right + 1)};
    for (const model::CellRect& m : sheet.merges)
        if (m.intersects(m_span))
            m_merges.push_back(m);

    m_originX = geometry.columnLeft(area.left);
    m_originY = geometry.rowTop(area.top);
    double x = geometry.columnLeft(m_span.left) - m_originX;
    for (int c = m_span.left; c <= m_span.right + 1; ++c) {
        m_columnEdges.push_back(x);
        if (c <= m_span.right)
            x += geometry.columnPixels(c) * model::kPointsPerPixel;
    }
    double y = geometry.rowTop(m_span.top) - m_originY;
    for (int r = m_span.top; r <= m_span.bottom + 1; ++r) {
        m_rowEdges.push_back(y);
        if (r <= m_span.bottom)
            y += geometry.rowHeight(r);
    }

    // Every cell of the span takes its row's or column's look until its own entry says more.
    const size_t columns = size_t(m_span.columns());
    m_entries.resize(size_t(m_span.rows()) * columns);
    std::vector<const CellLook*> columnLooks;
    for (int c = m_span.left; c <= m_span.right; ++c) {
        const model::ColumnSpan* s = sheet.column(c);
        columnLooks.push_back(&looks.look(s ? s->style : 0));
    }
    for (int r = m_span.top; r <= m_span.bottom; ++r) {
        const model::RowInfo* info = sheet.row(r);
        const CellLook* rowLook = info && info->style ? &looks.look(*info->style) : nullptr;
        Entry* row = &m_entries[size_t(r - m_span.top) * columns];
        for (size_t i = 0; i < columns; ++i)
            row[i].look = rowLook ? rowLook : columnLooks[i];
    }
    model::forStoredCells(sheet, m_span, [&](int r, int c, const model::Cell& cell) {
        Entry& e = m_entries[size_t(r - m_span.top) * columns + size_t(c - m_span.left)];
        e.cell = &cell;
        e.look = &looks.look(cell.style);
        e.hasText = showsValue(cell);
    });
    for (const model::CellRect& m : m_merges) {
        const model::CellRect inside{std::max(m.top, m_span.top), std::max(m.left, m_span.left),
                                     std::min(m.bottom, m_span.bottom),
                                     std::min(m.right, m_span.right)};
        for (int r = inside.top; r <= inside.bottom; ++r)
            for (int c = inside.left; c <= inside.right; ++c)
                m_entries[size_t(r - m_span.top) * columns + size_t(c - m_span.left)].merge = &m;
    }
}

const BlockCells::Entry& BlockCells::at(int row, int column) const
{
    return m_entries[size_t(row - m_span.top) * size_t(m_span.columns()) +
                     size_t(column - m_span.left)];
}

const CellLook& BlockCells::lookOf(int row, int column) const
{
    const Entry& e = at(row, column);
    if (!e.merge || (row == e.merge->top && column == e.merge->left))
        return *e.look;
    if (m_span.contains(e.merge->top, e.merge->left))
        return *at(e.merge->top, e.merge->left).look;
    const model::Cell* anchor = m_sheet.cell(e.merge->top, e.merge->left);
    return m_looks.look(anchor ? anchor->style
                               : model::backgroundStyle(m_sheet, e.merge->top, e.merge->left));
}

double BlockCells::x(int column) const
{
    if (column >= m_span.left && column <= m_span.right + 1)
        return m_columnEdges[size_t(column - m_span.left)];
    return m_geometry.columnLeft(column) - m_originX;
}

double BlockCells::y(int row) const
{
    if (row >= m_span.top && row <= m_span.bottom + 1)
        return m_rowEdges[size_t(row - m_span.top)];
    return m_geometry.rowTop(row) - m_originY;
}

QRectF BlockCells::rect(const model::CellRect& cells) const
{
    return QRectF(QPointF(x(cells.left), y(cells.top)),
                  QPointF(x(cells.right + 1), y(cells.bottom + 1)));
}

bool BlockCells::columnHidden(int column) const
{
    return x(column + 1) <= x(column);
}

bool BlockCells::rowHidden(int row) const
{
    return y(row + 1) <= y(row);
}

} // namespace host::render
