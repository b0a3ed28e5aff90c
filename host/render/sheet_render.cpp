#include "host/render/sheet_render.h"

#include "host/model/digit_width.h"
#include "host/model/geometry.h"
#include "host/model/stored_cells.h"
#include "host/model/workbook.h"
#include "host/render/general_format.h"
#include "host/render/shape_paint.h"
#include "host/render/text_paint.h"

#include <QPainter>

#include <algorithm>
#include <cmath>
#include <vector>

namespace host::render {

namespace {

using model::CellRect;
using model::SheetGeometry;

constexpr double kCellPadding = 1.5;     // points: two pixels at 96 dpi each side
constexpr QRgb kGridColour = 0xffd4d4d4; // the light grey of the host's grid lines
constexpr long long kMaxImagePixels = 1LL << 28;
constexpr int kMaxImageSide = 32767;

SheetGeometry geometryOf(const model::Workbook& book, const model::Sheet& sheet)
{
    return SheetGeometry(sheet,
                         model::maximumDigitWidth(book.defaultFontName, book.defaultFontSize));
}

// Edges of the block's columns and rows in points from its top-left corner.
class BlockEdges
{
public:
    BlockEdges(const SheetGeometry& g, const CellRect& area) : m_area(area)
    {
        const double left = g.columnLeft(area.left);
        for (int c = area.left; c <= area.right + 1; ++c)
            m_columns.push_back(g.columnLeft(c) - left);
        double y = 0;
        m_rows.push_back(0);
        for (int r = area.top; r <= area.bottom; ++r) {
            y += g.rowHeight(r);
            m_rows.push_back(y);
        }
    }

    // The cells' rectangle; parts outside the block are clamped to its edges.
    QRectF rect(const CellRect& cells) const
    {
        const auto column = [&](int c) {
            return m_columns[size_t(std::clamp(c, m_area.left, m_area.right + 1) - m_area.left)];
        };
        const auto row = [&](int r) {
            return m_rows[size_t(std::clamp(r, m_area.top, m_area.bottom + 1) - m_area.top)];
        };
        return QRectF(QPointF(column(cells.left), row(cells.top)),
                      QPointF(column(cells.right + 1), row(cells.bottom + 1)));
    }
    double width() const { return m_columns.back(); }
    double height() const { return m_rows.back(); }

private:
    CellRect m_area;
    std::vector<double> m_columns;
    std::vector<double> m_rows;
};

// A merged area's full rectangle relative to the block, reaching beyond it where it does.
QRectF mergeRect(const SheetGeometry& g, const CellRect& area, const CellRect& merge)
{
    const double x0 = g.columnLeft(area.left);
    const double y0 = g.rowTop(area.top);
    return QRectF(g.columnLeft(merge.left) - x0, g.rowTop(merge.top) - y0, g.width(merge),
                  g.height(merge));
}

enum class Side
{
    Left,
    Centre,
    Right
};

Side sideOf(const model::Cell& cell)
{
    switch (cell.kind) {
    case model::CellKind::Number:
        return Side::Right;
    case model::CellKind::Boolean:
    case model::CellKind::Error:
        return Side::Centre;
    default:
        return Side::Left;
    }
}

// What a number shows in `room` points: the most General digits that fit, else hashes.
QString numberToFit(double value, double room, const QFont& font)
{
    for (int width = 11; width >= 1; --width) {
        const QString text = generalNumber(value, width);
        if (!text.isEmpty() && textWidth(text, font) <= room)
            return text;
    }
    const double hash = std::max(0.1, textWidth(QStringLiteral("#"), font));
    return QString(std::max(1, int(room / hash)), u'#');
}

struct CellPainter
{
    QPainter& painter;
    const model::Sheet& sheet;
    const CellRect& area;
    const QFont& font;
    const std::vector<CellRect>& merges;
    QRectF block;

    const CellRect* mergeOf(int row, int column) const
    {
        for (const CellRect& m : merges)
            if (m.contains(row, column))
                return &m;
        return nullptr;
    }

    bool takesOverflow(int row, int column) const
    {
        const model::Cell* cell = sheet.cell(row, column);
        return !(cell && !displayText(*cell).isEmpty()) && !mergeOf(row, column);
    }

    // `rect` is the cell's (or merged area's) rectangle; `spill` how far left-aligned text
    // may run on to the right over empty cells.
    void paint(const model::Cell& cell, const QRectF& rect, double spill) const
    {
        QString text = displayText(cell);
        if (text.isEmpty())
            return;
        text.remove(u'\n'); // line breaks show only in wrapped cells
        const QRectF inner = rect.adjusted(kCellPadding, 0, -kCellPadding, 0);
        const Side side = sideOf(cell);
        if (cell.kind == model::CellKind::Number)
            text = numberToFit(cell.number, std::max(0.0, inner.width()), font);
        TextPlacement placement;
        placement.wrap = false;
        placement.vertical = model::kAlignBottom;
        placement.horizontal = side == Side::Right    ? model::kAlignRight
                               : side == Side::Centre ? model::kAlignCenter
                                                      : model::kAlignLeft;
        QRectF clip = rect;
        if (side == Side::Left)
            clip.setRight(rect.right() + spill);
        painter.save();
        painter.setClipRect(clip.intersected(block), Qt::IntersectClip);
        paintText(painter, inner, text, font, Qt::black, placement);
        painter.restore();
    }
};

void paintGrid(QPainter& painter, const BlockEdges& edges, const CellRect& area,
               const SheetGeometry& g)
{
    QPen pen{QColor::fromRgba(kGridColour)};
    pen.setWidthF(0.75); // one pixel at 96 dpi
    painter.save();
    painter.setPen(pen);
    for (int c = area.left; c <= area.right + 1; ++c) {
        if (c <= area.right && g.columnHidden(c))
            continue;
        const double x = edges.rect(CellRect{area.top, c, area.top, c}).left();
        painter.drawLine(QPointF(x, 0), QPointF(x, edges.height()));
    }
    for (int r = area.top; r <= area.bottom + 1; ++r) {
        if (r <= area.bottom && g.rowHidden(r))
            continue;
        const double y = edges.rect(CellRect{r, area.left, r, area.left}).top();
        painter.drawLine(QPointF(0, y), QPointF(edges.width(), y));
    }
    painter.restore();
}

} // namespace

QRectF rangeRect(const model::Workbook& book, const model::Sheet& sheet, const CellRect& area)
{
    const SheetGeometry g = geometryOf(book, sheet);
    return QRectF(g.left(area), g.top(area), g.width(area), g.height(area));
}

void paintRange(QPainter& painter, const model::Workbook& book, const model::Sheet& sheet,
                const CellRect& area, const RangeLook& look)
{
    const SheetGeometry g = geometryOf(book, sheet);
    const BlockEdges edges(g, area);
    const QRectF block(0, 0, edges.width(), edges.height());
    painter.save();
    painter.setClipRect(block, Qt::IntersectClip);
    painter.fillRect(block, Qt::white);

    std::vector<CellRect> merges;
    for (const CellRect& m : sheet.merges)
        if (m.intersects(area))
            merges.push_back(m);
    if (look.gridLines)
        paintGrid(painter, edges, area, g);

    const QFont font = cellFont(book);
    painter.setRenderHint(QPainter::TextAntialiasing);
    const CellPainter cells{painter, sheet, area, font, merges, block};
    for (const CellRect& m : merges) {
        const QRectF rect = mergeRect(g, area, m);
        if (look.gridLines) { // the merged area hides the grid inside it
            painter.fillRect(rect.intersected(block), Qt::white);
            QPen pen{QColor::fromRgba(kGridColour)};
            pen.setWidthF(0.75);
            painter.save();
            painter.setPen(pen);
            painter.drawRect(rect);
            painter.restore();
        }
        if (const model::Cell* cell = sheet.cell(m.top, m.left))
            cells.paint(*cell, rect, 0);
    }
    model::forStoredCells(sheet, area, [&](int row, int column, const model::Cell& cell) {
        if (cells.mergeOf(row, column) || g.rowHidden(row) || g.columnHidden(column))
            return;
        const QRectF rect = edges.rect(CellRect{row, column, row, column});
        double spill = 0;
        if (sideOf(cell) == Side::Left)
            for (int c = column + 1; c <= area.right && cells.takesOverflow(row, c); ++c)
                spill += edges.rect(CellRect{row, c, row, c}).width();
        cells.paint(cell, rect, spill);
    });

    // The shapes over the block, in sheet points.
    const QRectF sheetBlock(g.columnLeft(area.left), g.rowTop(area.top), block.width(),
                            block.height());
    painter.translate(-sheetBlock.topLeft());
    for (const model::Shape& shape : sheet.drawing.shapes)
        if (displayedBounds(shape).intersects(sheetBlock))
            paintShape(painter, book, shape);
    painter.restore();
}

QImage renderRange(const model::Workbook& book, const model::Sheet& sheet, const CellRect& area,
                   double pixelsPerPoint, const RangeLook& look)
{
    const QRectF rect = rangeRect(book, sheet, area);
    const long long width = std::llround(rect.width() * pixelsPerPoint);
    const long long height = std::llround(rect.height() * pixelsPerPoint);
    if (width <= 0 || height <= 0 || width > kMaxImageSide || height > kMaxImageSide ||
        width * height > kMaxImagePixels)
        return {};
    QImage image(int(width), int(height), QImage::Format_ARGB32_Premultiplied);
    if (image.isNull())
        return {};
    const int dotsPerMetre = int(std::lround(pixelsPerPoint * 72 / 0.0254));
    image.setDotsPerMeterX(dotsPerMetre);
    image.setDotsPerMeterY(dotsPerMetre);
    image.fill(Qt::white);
    QPainter painter(&image);
    painter.scale(width / rect.width(), height / rect.height());
    paintRange(painter, book, sheet, area, look);
    painter.end();
    return image;
}

CellRect cellsCovering(const model::Workbook& book, const model::Sheet& sheet, const QRectF& points)
{
    const SheetGeometry g = geometryOf(book, sheet);
    // The first index in [1, last] whose far edge lies beyond `at`.
    const auto search = [](int last, double at, auto&& edgeAfter) {
        int lo = 1, hi = last;
        while (lo < hi) {
            const int mid = lo + (hi - lo) / 2;
            if (edgeAfter(mid) > at)
                hi = mid;
            else
                lo = mid + 1;
        }
        return lo;
    };
    const auto columnEnd = [&](int c) { return g.columnLeft(c + 1); };
    const auto rowEnd = [&](int r) { return g.rowTop(r + 1); };
    const QRectF r = points.normalized();
    const double inset = 1e-6; // a far edge on a cell boundary belongs to the cell before it
    CellRect out;
    out.left = search(model::kMaxColumns, std::max(0.0, r.left()), columnEnd);
    out.top = search(model::kMaxRows, std::max(0.0, r.top()), rowEnd);
    out.right = std::max(out.left, search(model::kMaxColumns, r.right() - inset, columnEnd));
    out.bottom = std::max(out.top, search(model::kMaxRows, r.bottom() - inset, rowEnd));
    return out;
}

CellRect usedArea(const model::Workbook& book, const model::Sheet& sheet)
{
    std::optional<CellRect> used;
    const auto include = [&](const CellRect& r) {
        if (!used) {
            used = r;
            return;
        }
        used->top = std::min(used->top, r.top);
        used->left = std::min(used->left, r.left);
        used->bottom = std::max(used->bottom, r.bottom);
        used->right = std::max(used->right, r.right);
    };
    for (const auto& [key, cell] : sheet.cells)
        if (!displayText(cell).isEmpty())
            include(CellRect{key.first, key.second, key.first, key.second});
    for (const CellRect& m : sheet.merges)
        include(m);
    for (const model::Shape& shape : sheet.drawing.shapes) {
        if (shape.hidden || shape.kind == model::ShapeKind::Comment)
            continue;
        const QRectF bounds = displayedBounds(shape);
        if (bounds.width() > 0 && bounds.height() > 0)
            include(cellsCovering(book, sheet, bounds));
    }
    return used.value_or(CellRect{});
}

} // namespace host::render
