#include "cli/sheet_report.h"

#include "host/automation/host_error.h"
#include "host/model/cell_ref.h"
#include "host/model/workbook.h"
#include "host/objects/worksheet.h"
#include "host/xl/range.h"
#include "host/xl/worksheet.h"

namespace cli {

namespace {

// A cell of `area` at a 0-based row and column offset.
xl::Range cellOf(const xl::Range& area, int row, int column)
{
    return area.Cells(row + 1, column + 1);
}

// The value of cell (row, column) in what Value answered for the whole area: a scalar for
// one cell, a rows × columns array for several.
host::Variant valueAt(const host::Variant& values, int row, int column)
{
    if (!values.isArray())
        return values;
    const host::VariantArray& array = values.toArray();
    const int columns = array.columns == 0 ? 1 : array.columns;
    return array.items.at(std::size_t(row) * std::size_t(columns) + std::size_t(column));
}

void reportArea(const xl::Range& area, std::vector<CellReport>& out)
{
    const auto rect = host::model::parseA1(area.Address());
    if (!rect)
        host::raise(host::err::ApplicationDefined,
                    QStringLiteral("unexpected address %1").arg(area.Address()));
    if (rect->count() > kMaxReportedCells - (long long)out.size())
        throw RangeTooLarge(QStringLiteral("%1 holds %2 cells, more than %3 can be reported")
                                .arg(area.Address())
                                .arg(rect->count())
                                .arg(kMaxReportedCells)
                                .toStdString());

    // A cell's left edge and width are its column's, its top and height its row's: ask once
    // per column and row, and once per cell only where the area's cells differ.
    const int rows = rect->rows();
    const int columns = rect->columns();
    struct Line
    {
        double start = 0;
        double size = 0;
        bool hidden = false;
    };
    std::vector<Line> columnLines(std::size_t(columns), Line{});
    for (int c = 0; c < columns; ++c) {
        const xl::Range cell = cellOf(area, 0, c);
        columnLines[std::size_t(c)] = {cell.Left(), cell.Width(),
                                       cell.EntireColumn().Hidden().toBool()};
    }
    std::vector<Line> rowLines(std::size_t(rows), Line{});
    for (int r = 0; r < rows; ++r) {
        const xl::Range cell = cellOf(area, r, 0);
        rowLines[std::size_t(r)] = {cell.Top(), cell.Height(), cell.EntireRow().Hidden().toBool()};
    }

    const host::Variant values = area.Value();
    const host::Variant merged = area.MergeCells();
    const bool anyMerged = merged.isNull() || merged.toBool();
    const host::Variant locked = area.Locked();
    for (int r = 0; r < rows; ++r) {
        for (int c = 0; c < columns; ++c) {
            const Line& row = rowLines[std::size_t(r)];
            const Line& column = columnLines[std::size_t(c)];
            CellReport cell;
            const int sheetRow = rect->top + r;
            const int sheetColumn = rect->left + c;
            cell.address = host::model::formatA1({sheetRow, sheetColumn, sheetRow, sheetColumn});
            cell.left = column.start;
            cell.width = column.size;
            cell.top = row.start;
            cell.height = row.size;
            cell.hidden = row.hidden || column.hidden;
            cell.mergeArea = anyMerged ? cellOf(area, r, c).MergeArea().Address() : cell.address;
            cell.locked = locked.isNull() ? cellOf(area, r, c).Locked().toBool() : locked.toBool();
            cell.value = valueAt(values, r, c);
            out.push_back(std::move(cell));
        }
    }
}

// The sheet's shapes as the in-process host holds them.
std::vector<ShapeReport> reportShapes(const xl::Worksheet& sheet)
{
    std::vector<ShapeReport> out;
    const auto* object = dynamic_cast<const host::objects::Worksheet*>(sheet.ref().get());
    if (!object)
        return out;
    for (const host::model::Shape& shape : object->sheet().drawing.shapes) {
        ShapeReport r;
        r.name = shape.name;
        r.type = int(shape.kind);
        r.left = shape.left;
        r.top = shape.top;
        r.width = shape.width;
        r.height = shape.height;
        r.rotation = shape.rotation;
        r.placement = int(shape.placement);
        if (shape.picture) {
            const host::model::PictureData& p = *shape.picture;
            r.picture = true;
            r.untouchedWidth = p.untouchedWidth;
            r.untouchedHeight = p.untouchedHeight;
            r.cropLeft = p.cropLeft;
            r.cropTop = p.cropTop;
            r.cropRight = p.cropRight;
            r.cropBottom = p.cropBottom;
            r.brightness = p.brightness;
            r.contrast = p.contrast;
        }
        out.push_back(std::move(r));
    }
    return out;
}

} // namespace

SheetReport reportSheet(const xl::Worksheet& sheet, const xl::Range& range)
{
    SheetReport report;
    report.name = sheet.Name();
    report.visible = sheet.Visible();
    report.protectContents = sheet.ProtectContents();
    report.protectDrawingObjects = sheet.ProtectDrawingObjects();
    for (const xl::Range& area : range.Areas().items())
        reportArea(area, report.cells);
    report.shapes = reportShapes(sheet);
    return report;
}

} // namespace cli
