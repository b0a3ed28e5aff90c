#include "host/render/sheet_render.h"

#include "host/model/digit_width.h"
#include "host/model/geometry.h"
#include "host/model/workbook.h"
#include "host/render/block_cells.h"
#include "host/render/cell_borders.h"
#include "host/render/cell_look.h"
#include "host/render/cell_text.h"
#include "host/render/general_format.h"
#include "host/render/shape_paint.h"

#include <QPainter>

#include <algorithm>
#include <cmath>
#include <vector>

namespace host::render {

namespace {

using model::CellRect;
using model::SheetGeometry;

constexpr long long kMaxImagePixels = 1LL << 28;
constexpr int kMaxImageSide = 32767;
// Blocks of more cells (rows and columns hidden by the million) draw their shapes only.
constexpr long long kMaxBlockCells = 1LL << 24;

SheetGeometry geometryOf(const model::Workbook& book, const model::Sheet& sheet)
{
    return SheetGeometry(sheet,
                         model::maximumDigitWidth(book.defaultFontName, book.defaultFontSize));
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
    const QRectF sheetBlock(g.left(area), g.top(area), g.width(area), g.height(area));
    const QRectF block(QPointF(0, 0), sheetBlock.size());
    painter.save();
    painter.setClipRect(block, Qt::IntersectClip);
    painter.fillRect(block, Qt::white);

    if (area.count() <= kMaxBlockCells) {
        const LookTable looks(book);
        const BlockCells cells(sheet, g, area, looks);
        // Fills, grid lines and borders on whole pixels; text smoothed.
        painter.save();
        painter.setRenderHint(QPainter::Antialiasing, false);
        paintFills(painter, cells);
        if (look.gridLines)
            paintGridLines(painter, cells);
        painter.setRenderHint(QPainter::TextAntialiasing);
        paintCellTexts(painter, cells, book);
        painter.setRenderHint(QPainter::Antialiasing, false);
        paintBorders(painter, cells);
        painter.restore();
    }

    // The shapes over the block, in sheet points.
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
