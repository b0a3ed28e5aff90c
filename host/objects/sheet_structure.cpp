#include "host/objects/sheet_structure.h"

#include "host/automation/host_error.h"
#include "host/model/geometry.h"
#include "host/model/workbook.h"
#include "host/objects/worksheet.h"

#include <algorithm>
#include <optional>

namespace host::objects {

namespace {

using model::CellRect;
using model::Sheet;

// Where a line goes: inserting `count` before `first` (count > 0) or deleting `-count` lines
// from `first` (count < 0). Deleted lines have none.
struct Shift
{
    int first;
    int count;

    std::optional<int> map(int line) const
    {
        if (line < first)
            return line;
        if (count > 0)
            return line + count;
        if (line < first - count)
            return std::nullopt;
        return line + count;
    }
    // An edge of a span: a deleted start moves to the place, a deleted end to just before.
    int start(int line) const { return map(line).value_or(first); }
    int end(int line) const { return map(line).value_or(first - 1); }
};

int limitOf(SheetAxis axis)
{
    return axis == SheetAxis::Rows ? model::kMaxRows : model::kMaxColumns;
}

void moveCells(Sheet& sheet, SheetAxis axis, const Shift& shift, int limit)
{
    std::map<model::CellKey, model::Cell> moved;
    for (auto& [key, cell] : sheet.cells) {
        const int at = axis == SheetAxis::Rows ? key.first : key.second;
        const auto to = shift.map(at);
        sheet.dirtyCells.insert(key);
        if (!to || *to > limit)
            continue;
        model::CellKey newKey = key;
        (axis == SheetAxis::Rows ? newKey.first : newKey.second) = *to;
        sheet.dirtyCells.insert(newKey);
        moved.emplace(newKey, std::move(cell));
    }
    sheet.cells = std::move(moved);
}

void moveRows(Sheet& sheet, const Shift& shift)
{
    std::map<int, model::RowInfo> moved;
    int last = shift.first;
    for (auto& [row, info] : sheet.rows) {
        last = std::max(last, row);
        if (const auto to = shift.map(row); to && *to <= model::kMaxRows)
            moved.emplace(*to, info);
    }
    // Rows whose format left them are written afresh too.
    const int reach = std::min(model::kMaxRows, last + std::max(shift.count, 0));
    for (int r = shift.first; r <= reach; ++r)
        sheet.dirtyRows.insert(r);
    for (const auto& [row, info] : moved)
        sheet.dirtyRows.insert(row);
    sheet.rows = std::move(moved);
}

void moveColumns(Sheet& sheet, const Shift& shift)
{
    std::vector<model::ColumnSpan> moved;
    for (const model::ColumnSpan& span : sheet.columns) {
        model::ColumnSpan m = span;
        m.first = shift.start(span.first);
        m.last = std::min(model::kMaxColumns, shift.end(span.last));
        if (shift.count > 0 && span.first < shift.first && span.last >= shift.first) {
            // A span the place cuts: the inserted columns take its format, as they do the
            // format of the column before them.
            m.first = span.first;
        }
        if (m.first <= m.last && m.first <= model::kMaxColumns)
            moved.push_back(m);
    }
    sheet.columns = std::move(moved);
    sheet.columnsDirty = true;
}

void moveMerges(Sheet& sheet, SheetAxis axis, const Shift& shift, int limit)
{
    std::vector<CellRect> moved;
    for (CellRect m : sheet.merges) {
        int& a = axis == SheetAxis::Rows ? m.top : m.left;
        int& b = axis == SheetAxis::Rows ? m.bottom : m.right;
        const int from = shift.count > 0 && a < shift.first ? a : shift.start(a);
        b = std::min(limit, shift.end(b));
        a = from;
        if (a <= b && !m.isSingleCell())
            moved.push_back(m);
    }
    sheet.merges = std::move(moved);
    sheet.mergesDirty = true;
}

// The sheet's position (points) as a line and a fraction of it, and back.
struct Place
{
    int line;
    double fraction;
};

double lineStart(const model::SheetGeometry& g, SheetAxis axis, int line)
{
    return axis == SheetAxis::Rows ? g.rowTop(line) : g.columnLeft(line);
}

Place placeOf(const model::SheetGeometry& g, SheetAxis axis, double at, int limit)
{
    int low = 1;
    int high = limit;
    while (low < high) {
        const int mid = low + (high - low + 1) / 2;
        if (lineStart(g, axis, mid) <= at)
            low = mid;
        else
            high = mid - 1;
    }
    const double start = lineStart(g, axis, low);
    const double size = lineStart(g, axis, low + 1) - start;
    return Place{low, size > 0 ? std::clamp((at - start) / size, 0.0, 1.0) : 0.0};
}

double pointOf(const model::SheetGeometry& g, SheetAxis axis, const Place& place)
{
    const double start = lineStart(g, axis, place.line);
    return start + place.fraction * (lineStart(g, axis, place.line + 1) - start);
}

Place movePlace(const Place& place, const Shift& shift)
{
    if (const auto to = shift.map(place.line))
        return Place{*to, place.fraction};
    return Place{shift.first, 0.0};
}

void scaleMembers(std::vector<model::Shape>& members, SheetAxis axis, double from, double to,
                  double factor)
{
    for (model::Shape& m : members) {
        double& start = axis == SheetAxis::Rows ? m.top : m.left;
        double& size = axis == SheetAxis::Rows ? m.height : m.width;
        start = to + (start - from) * factor;
        size *= factor;
        m.dirty = true;
        scaleMembers(m.members, axis, from, to, factor);
    }
}

void changeLines(Worksheet& worksheet, SheetAxis axis, const Shift& shift)
{
    Sheet& sheet = worksheet.sheet();
    if (sheet.protection.sheet)
        raise(err::ApplicationDefined,
              QStringLiteral("You can't use this command on a protected sheet."));
    const int limit = limitOf(axis);

    // Shapes are placed in points: note where each lies among the lines first.
    struct Anchored
    {
        model::Shape* shape;
        Place start;
        Place end;
    };
    std::vector<Anchored> anchored;
    {
        const model::SheetGeometry before = worksheet.geometry();
        for (model::Shape& s : sheet.drawing.shapes) {
            if (s.placement == model::Placement::FreeFloating &&
                s.kind != model::ShapeKind::Comment)
                continue;
            const double start = axis == SheetAxis::Rows ? s.top : s.left;
            const double size = axis == SheetAxis::Rows ? s.height : s.width;
            anchored.push_back({&s, placeOf(before, axis, start, limit),
                                placeOf(before, axis, start + size, limit)});
        }
    }

    moveCells(sheet, axis, shift, limit);
    if (axis == SheetAxis::Rows)
        moveRows(sheet, shift);
    else
        moveColumns(sheet, shift);
    moveMerges(sheet, axis, shift, limit);

    const model::SheetGeometry after = worksheet.geometry();
    for (const Anchored& a : anchored) {
        model::Shape& s = *a.shape;
        double& start = axis == SheetAxis::Rows ? s.top : s.left;
        double& size = axis == SheetAxis::Rows ? s.height : s.width;
        const double oldStart = start;
        const double oldSize = size;
        start = pointOf(after, axis, movePlace(a.start, shift));
        if (s.placement == model::Placement::MoveAndSize)
            size = std::max(0.0, pointOf(after, axis, movePlace(a.end, shift)) - start);
        if (s.kind == model::ShapeKind::Comment) {
            int& line = axis == SheetAxis::Rows ? s.commentRow : s.commentColumn;
            line = shift.start(line);
        }
        if (start != oldStart || size != oldSize) {
            scaleMembers(s.members, axis, oldStart, start, oldSize > 0 ? size / oldSize : 1.0);
            s.dirty = true;
            sheet.drawing.dirty = true;
        }
    }
    worksheet.markChanged(ChangeKind::Cells);
    worksheet.markChanged(ChangeKind::Shapes);
}

} // namespace

void insertLines(Worksheet& sheet, SheetAxis axis, int first, int count)
{
    if (count <= 0 || first < 1 || first > limitOf(axis))
        raise(err::ApplicationDefined, QStringLiteral("Insert method of Range class failed"));
    changeLines(sheet, axis, Shift{first, count});
}

void deleteLines(Worksheet& sheet, SheetAxis axis, int first, int count)
{
    if (count <= 0 || first < 1 || first + count - 1 > limitOf(axis))
        raise(err::ApplicationDefined, QStringLiteral("Delete method of Range class failed"));
    changeLines(sheet, axis, Shift{first, -count});
}

} // namespace host::objects
