#include "host/render/cell_borders.h"

#include "host/render/block_cells.h"
#include "host/render/cell_look.h"

#include <QPainter>

#include <vector>

namespace host::render {

namespace {

using model::BorderStyle;
using model::CellRect;

constexpr double kPixel = 0.75;          // points: one pixel at 96 dpi
constexpr QRgb kGridColour = 0xffd4d4d4; // the light grey of the host's grid lines

enum class Side
{
    Left,
    Right,
    Top,
    Bottom
};

const EdgeLine& lineOnSide(const CellLook& look, Side side)
{
    switch (side) {
    case Side::Left:
        return look.left;
    case Side::Right:
        return look.right;
    case Side::Top:
        return look.top;
    case Side::Bottom:
        break;
    }
    return look.bottom;
}

// A cell's line on one side. Inside a merged area there is none; on its outline a cell
// without a line of its own shows the area's (its top-left cell's).
EdgeLine cellSide(const BlockCells& cells, int row, int column, Side side)
{
    if (!cells.span().contains(row, column))
        return {};
    const BlockCells::Entry& e = cells.at(row, column);
    const EdgeLine& own = lineOnSide(*e.look, side);
    if (!e.merge)
        return own;
    const CellRect& m = *e.merge;
    const bool outline = side == Side::Left    ? column == m.left
                         : side == Side::Right ? column == m.right
                         : side == Side::Top   ? row == m.top
                                               : row == m.bottom;
    if (!outline)
        return {};
    return own.none() ? lineOnSide(cells.lookOf(row, column), side) : own;
}

// The line an edge shows: the heavier, the later on a tie.
EdgeLine stronger(const EdgeLine& earlier, const EdgeLine& later)
{
    return int(later.style) >= int(earlier.style) ? later : earlier;
}

bool sameLine(const EdgeLine& a, const EdgeLine& b)
{
    return a.style == b.style && a.color == b.color;
}

QPen penOf(const EdgeLine& line)
{
    QPen pen(line.color);
    pen.setCapStyle(Qt::SquareCap);
    double width = kPixel;
    QList<qreal> dashes;
    switch (line.style) {
    case BorderStyle::Hair:
        dashes = {1, 1};
        pen.setCapStyle(Qt::FlatCap);
        break;
    case BorderStyle::Dotted:
        dashes = {1, 2};
        pen.setCapStyle(Qt::FlatCap);
        break;
    case BorderStyle::Dashed:
        dashes = {4, 2};
        break;
    case BorderStyle::DashDot:
        dashes = {6, 2, 2, 2};
        break;
    case BorderStyle::DashDotDot:
        dashes = {6, 2, 2, 2, 2, 2};
        break;
    case BorderStyle::MediumDashed:
        width = 2 * kPixel;
        dashes = {4, 2};
        break;
    case BorderStyle::MediumDashDot:
    case BorderStyle::SlantDashDot:
        width = 2 * kPixel;
        dashes = {6, 2, 2, 2};
        break;
    case BorderStyle::MediumDashDotDot:
        width = 2 * kPixel;
        dashes = {6, 2, 2, 2, 2, 2};
        break;
    case BorderStyle::Medium:
        width = 2 * kPixel;
        break;
    case BorderStyle::Thick:
        width = 3 * kPixel;
        break;
    default: // thin, and each of a double line's two
        break;
    }
    pen.setWidthF(width);
    if (!dashes.isEmpty()) {
        pen.setCapStyle(Qt::FlatCap);
        pen.setDashPattern(dashes);
    }
    return pen;
}

void drawEdge(QPainter& painter, const EdgeLine& line, QPointF from, QPointF to)
{
    if (line.none())
        return;
    painter.setPen(penOf(line));
    if (line.style != BorderStyle::Double) {
        painter.drawLine(from, to);
        return;
    }
    // Two thin lines a pixel apart on either side of the edge.
    const bool vertical = from.x() == to.x();
    const QPointF offset = vertical ? QPointF(kPixel, 0) : QPointF(0, kPixel);
    painter.drawLine(from - offset, to - offset);
    painter.drawLine(from + offset, to + offset);
}

// Walks the block's edges in runs of one line: the vertical edges left of each column and the
// horizontal ones above each row, including the block's far edges.
template <class LineAt, class Draw>
void forEdgeRuns(int firstEdge, int lastEdge, int firstCell, int lastCell, LineAt&& lineAt,
                 Draw&& draw)
{
    for (int edge = firstEdge; edge <= lastEdge; ++edge) {
        int start = firstCell;
        EdgeLine run = lineAt(edge, firstCell);
        for (int cell = firstCell + 1; cell <= lastCell + 1; ++cell) {
            const EdgeLine next = cell <= lastCell ? lineAt(edge, cell) : EdgeLine{};
            if (cell <= lastCell && sameLine(next, run))
                continue;
            draw(edge, start, cell - 1, run);
            start = cell;
            run = next;
        }
    }
}

} // namespace

void paintFills(QPainter& painter, const BlockCells& cells)
{
    const CellRect& a = cells.area();
    for (int r = a.top; r <= a.bottom; ++r) {
        if (cells.rowHidden(r))
            continue;
        for (int c = a.left; c <= a.right;) {
            const BlockCells::Entry& e = cells.at(r, c);
            if (e.merge || !e.look->filled) {
                ++c;
                continue;
            }
            int end = c; // neighbours of the same colour in one rectangle
            while (end < a.right && !cells.at(r, end + 1).merge &&
                   cells.at(r, end + 1).look->filled &&
                   cells.at(r, end + 1).look->fill == e.look->fill)
                ++end;
            painter.fillRect(cells.rect(CellRect{r, c, r, end}), e.look->fill);
            c = end + 1;
        }
    }
    for (const CellRect& m : cells.merges()) {
        if (!m.intersects(a))
            continue;
        if (const CellLook& look = cells.lookOf(m.top, m.left); look.filled)
            painter.fillRect(cells.rect(m), look.fill);
    }
}

void paintGridLines(QPainter& painter, const BlockCells& cells)
{
    const CellRect& a = cells.area();
    const auto open = [&](int r, int c) { // no fill over it
        return !cells.span().contains(r, c) || !cells.lookOf(r, c).filled;
    };
    const auto joined = [&](const BlockCells::Entry& x, const BlockCells::Entry& y) {
        return x.merge && x.merge == y.merge;
    };
    const EdgeLine grid{BorderStyle::Thin, QColor::fromRgba(kGridColour)};
    painter.setPen(penOf(grid));
    const auto verticalAt = [&](int c, int r) {
        if (cells.rowHidden(r) || (c <= a.right && cells.columnHidden(c)))
            return EdgeLine{};
        const bool inside = cells.span().contains(r, c - 1) && cells.span().contains(r, c);
        if (inside && joined(cells.at(r, c - 1), cells.at(r, c)))
            return EdgeLine{};
        return open(r, c - 1) && open(r, c) ? grid : EdgeLine{};
    };
    forEdgeRuns(a.left, a.right + 1, a.top, a.bottom, verticalAt,
                [&](int c, int from, int to, const EdgeLine& line) {
                    if (!line.none())
                        painter.drawLine(QPointF(cells.x(c), cells.y(from)),
                                         QPointF(cells.x(c), cells.y(to + 1)));
                });
    const auto horizontalAt = [&](int r, int c) {
        if (cells.columnHidden(c) || (r <= a.bottom && cells.rowHidden(r)))
            return EdgeLine{};
        const bool inside = cells.span().contains(r - 1, c) && cells.span().contains(r, c);
        if (inside && joined(cells.at(r - 1, c), cells.at(r, c)))
            return EdgeLine{};
        return open(r - 1, c) && open(r, c) ? grid : EdgeLine{};
    };
    forEdgeRuns(a.top, a.bottom + 1, a.left, a.right, horizontalAt,
                [&](int r, int from, int to, const EdgeLine& line) {
                    if (!line.none())
                        painter.drawLine(QPointF(cells.x(from), cells.y(r)),
                                         QPointF(cells.x(to + 1), cells.y(r)));
                });
}

void paintBorders(QPainter& painter, const BlockCells& cells)
{
    const CellRect& a = cells.area();
    const auto verticalAt = [&](int c, int r) {
        if (cells.rowHidden(r) || (c <= a.right && cells.columnHidden(c)))
            return EdgeLine{};
        return stronger(cellSide(cells, r, c - 1, Side::Right), cellSide(cells, r, c, Side::Left));
    };
    forEdgeRuns(a.left, a.right + 1, a.top, a.bottom, verticalAt,
                [&](int c, int from, int to, const EdgeLine& line) {
                    drawEdge(painter, line, QPointF(cells.x(c), cells.y(from)),
                             QPointF(cells.x(c), cells.y(to + 1)));
                });
    const auto horizontalAt = [&](int r, int c) {
        if (cells.columnHidden(c) || (r <= a.bottom && cells.rowHidden(r)))
            return EdgeLine{};
        return stronger(cellSide(cells, r - 1, c, Side::Bottom), cellSide(cells, r, c, Side::Top));
    };
    forEdgeRuns(a.top, a.bottom + 1, a.left, a.right, horizontalAt,
                [&](int r, int from, int to, const EdgeLine& line) {
                    drawEdge(painter, line, QPointF(cells.x(from), cells.y(r)),
                             QPointF(cells.x(to + 1), cells.y(r)));
                });

    // Diagonals across cells and merged areas.
    const auto diagonals = [&](const CellLook& look, const QRectF& rect) {
        if (look.diagonal.none())
            return;
        if (look.diagonalDown)
            drawEdge(painter, look.diagonal, rect.topLeft(), rect.bottomRight());
        if (look.diagonalUp)
            drawEdge(painter, look.diagonal, rect.bottomLeft(), rect.topRight());
    };
    for (int r = a.top; r <= a.bottom; ++r)
        for (int c = a.left; c <= a.right; ++c)
            if (const BlockCells::Entry& e = cells.at(r, c);
                !e.merge && (e.look->diagonalUp || e.look->diagonalDown))
                diagonals(*e.look, cells.rect(CellRect{r, c, r, c}));
    for (const CellRect& m : cells.merges())
        if (m.intersects(a))
            diagonals(cells.lookOf(m.top, m.left), cells.rect(m));
}

} // namespace host::render
