#include "cli/sheet_report.h"

#include "host/automation/host_error.h"
#include "host/model/cell_ref.h"
#include "host/xl/range.h"
#include "host/xl/shape.h"
#include "host/xl/worksheet.h"

namespace cli {

namespace {

constexpr int kPictureType = 13; // msoPicture

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

// The sheet's shapes in z-order, as the host's Shapes collection answers them.
std::vector<ShapeReport> reportShapes(const xl::Worksheet& sheet)
{
    std::vector<ShapeReport> out;
    for (const xl::Shape& shape : sheet.Shapes().items()) {
        ShapeReport r;
        r.name = shape.Name();
        r.type = shape.Type();
        r.left = shape.Left();
        r.top = shape.Top();
        r.width = shape.Width();
        r.height = shape.Height();
        r.rotation = shape.Rotation();
        r.placement = shape.Placement();
        if (r.type == kPictureType) {
            const xl::PictureFormat format = shape.PictureFormat();
            r.picture = true;
            r.untouchedWidth = format.get(QStringLiteral("UntouchedWidth")).toDouble();
            r.untouchedHeight = format.get(QStringLiteral("UntouchedHeight")).toDouble();
            r.cropLeft = format.CropLeft();
            r.cropTop = format.CropTop();
            r.cropRight = format.CropRight();
            r.cropBottom = format.CropBottom();
            r.brightness = format.Brightness();
            r.contrast = format.Contrast();
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
