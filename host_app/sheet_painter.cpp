#include "host_app/sheet_painter.h"

#include "host/model/workbook.h"
#include "host/render/sheet_render.h"
#include "host_app/commands/selection_commands.h"
#include "host_app/shape_hit.h"
#include "host_app/sheet_layout.h"

#include <QPainter>
#include <QPainterPath>

namespace host_app {

namespace {

using host::model::CellRect;

const QColor kHeaderBackground(0xf3, 0xf3, 0xf3);
const QColor kHeaderSelected(0xd2, 0xd2, 0xd2);
const QColor kHeaderLine(0xc6, 0xc6, 0xc6);
const QColor kHeaderText(0x44, 0x44, 0x44);
const QColor kSelectionFill(0x21, 0x73, 0x46, 0x30);
const QColor kSelectionBorder(0x21, 0x73, 0x46);
const QColor kHandleLine(0x60, 0x60, 0x60);
constexpr double kHandleSize = 7;

void paintCellSelection(QPainter& painter, const SheetLayout& layout)
{
    const host::model::Sheet& sheet = layout.sheet();
    // A merged area shows selected whole, whatever part of it the selection names.
    std::vector<CellRect> areas;
    for (const CellRect& area : sheet.view.selection)
        areas.push_back(commands::withMerges(sheet, area));
    const QRectF activeRect =
        layout.cellRect(commands::withMerges(sheet, commands::activeCell(sheet)));

    QPainterPath shaded;
    for (const CellRect& area : areas)
        shaded.addRect(layout.cellRect(area));
    QPainterPath hole;
    hole.addRect(activeRect);
    shaded = shaded.subtracted(hole);
    painter.fillPath(shaded, kSelectionFill);

    QPen border(kSelectionBorder);
    border.setWidthF(2);
    border.setJoinStyle(Qt::MiterJoin);
    painter.setPen(border);
    painter.setBrush(Qt::NoBrush);
    if (areas.size() == 1)
        painter.drawRect(layout.cellRect(areas.front()).adjusted(0, 0, -1, -1));
    else
        painter.drawRect(activeRect.adjusted(0, 0, -1, -1));
}

void paintShapeHandles(QPainter& painter, const SheetLayout& layout)
{
    const host::model::Drawing& drawing = layout.sheet().drawing;
    painter.setRenderHint(QPainter::Antialiasing);
    for (const QPolygonF& outline : shapeOutlines(drawing, drawing.selection)) {
        QPolygonF shown;
        for (const QPointF& p : outline)
            shown << layout.toView(p);
        QPen line(kHandleLine);
        line.setWidthF(1);
        line.setStyle(Qt::DashLine);
        painter.setPen(line);
        painter.setBrush(Qt::NoBrush);
        painter.drawPolygon(shown);
        // Corners and the middles of the sides.
        painter.setPen(QPen(kHandleLine, 1));
        painter.setBrush(Qt::white);
        for (int i = 0; i < 4 && i + 1 < shown.size(); ++i) {
            const QPointF corner = shown[i];
            const QPointF middle = (shown[i] + shown[i + 1]) / 2;
            for (const QPointF& at : {corner, middle})
                painter.drawEllipse(at, kHandleSize / 2, kHandleSize / 2);
        }
    }
    painter.setRenderHint(QPainter::Antialiasing, false);
}

void paintHeaders(QPainter& painter, const SheetLayout& layout)
{
    const host::model::Sheet& sheet = layout.sheet();
    const QRect area = layout.cellArea();
    const int headerWidth = layout.rowHeaderWidth();
    const int headerHeight = layout.columnHeaderHeight();
    const bool cellsSelected = sheet.drawing.selection.empty();
    const auto columnSelected = [&](int c) {
        for (const CellRect& r : sheet.view.selection)
            if (cellsSelected && c >= r.left && c <= r.right)
                return true;
        return false;
    };
    const auto rowSelected = [&](int row) {
        for (const CellRect& r : sheet.view.selection)
            if (cellsSelected && row >= r.top && row <= r.bottom)
                return true;
        return false;
    };

    QFont font = painter.font();
    font.setPixelSize(std::max(8, std::min(13, int(11 * layout.scale() * 0.9 + 2))));
    painter.setFont(font);

    painter.fillRect(QRect(0, 0, area.right() + 1, headerHeight), kHeaderBackground);
    painter.fillRect(QRect(0, 0, headerWidth, area.bottom() + 1), kHeaderBackground);
    painter.save();
    painter.setClipRect(QRect(headerWidth, 0, area.width(), headerHeight));
    for (const SheetLayout::Edge& e : layout.visibleColumns()) {
        const QRectF cell(QPointF(e.start, 0), QPointF(e.end, headerHeight));
        if (columnSelected(e.index))
            painter.fillRect(cell, kHeaderSelected);
        painter.setPen(kHeaderLine);
        painter.drawLine(QPointF(e.end, 0), QPointF(e.end, headerHeight));
        painter.setPen(kHeaderText);
        painter.drawText(cell, Qt::AlignCenter, host::model::columnName(e.index));
    }
    painter.restore();
    painter.save();
    painter.setClipRect(QRect(0, headerHeight, headerWidth, area.height()));
    for (const SheetLayout::Edge& e : layout.visibleRows()) {
        const QRectF cell(QPointF(0, e.start), QPointF(headerWidth, e.end));
        if (rowSelected(e.index))
            painter.fillRect(cell, kHeaderSelected);
        painter.setPen(kHeaderLine);
        painter.drawLine(QPointF(0, e.end), QPointF(headerWidth, e.end));
        painter.setPen(kHeaderText);
        painter.drawText(cell, Qt::AlignCenter, QString::number(e.index));
    }
    painter.restore();
    painter.setPen(kHeaderLine);
    painter.drawLine(QPointF(0, headerHeight - 0.5), QPointF(area.right() + 1, headerHeight - 0.5));
    painter.drawLine(QPointF(headerWidth - 0.5, 0), QPointF(headerWidth - 0.5, area.bottom() + 1));
    // The corner that selects the whole sheet.
    painter.setBrush(kHeaderLine);
    painter.setPen(Qt::NoPen);
    const QPointF corner(headerWidth - 4, headerHeight - 4);
    painter.drawPolygon(QPolygonF{corner, corner - QPointF(10, 0), corner - QPointF(0, 10)});
}

} // namespace

void paintCells(QPainter& painter, const host::model::Workbook& book, const SheetLayout& layout)
{
    const QRect area = layout.cellArea();
    if (area.isEmpty())
        return;
    const CellRect cells = layout.visibleCells();
    painter.save();
    painter.setClipRect(area);
    // The renderer draws the block with its top-left corner at the painter's origin, in points.
    const QPointF corner = layout.toView(
        QPointF(layout.geometry().columnLeft(cells.left), layout.geometry().rowTop(cells.top)));
    painter.translate(corner);
    painter.scale(layout.scale(), layout.scale());
    host::render::RangeLook look;
    look.gridLines = true;
    host::render::paintRange(painter, book, layout.sheet(), cells, look);
    painter.restore();
}

void paintSheetView(QPainter& painter, const host::model::Workbook& book, const SheetLayout& layout)
{
    paintCells(painter, book, layout);
    painter.save();
    painter.setClipRect(layout.cellArea());
    if (layout.sheet().drawing.selection.empty())
        paintCellSelection(painter, layout);
    else
        paintShapeHandles(painter, layout);
    painter.restore();
    paintHeaders(painter, layout);
}

} // namespace host_app
