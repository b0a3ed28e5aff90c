// Positions and sizes of a range, and its column widths and row heights.
#include "host/objects/range.h"

#include "host/model/geometry.h"
#include "host/model/workbook.h"
#include "host/objects/workbook.h"
#include "host/objects/worksheet.h"

#include <set>

namespace host::objects {

namespace {

constexpr double kMaxColumnWidth = 255;
constexpr double kMaxRowHeight = 409;

} // namespace

double Range::left() const
{
    return worksheet().geometry().left(first());
}

double Range::top() const
{
    return worksheet().geometry().top(first());
}

double Range::width() const
{
    return worksheet().geometry().width(first());
}

double Range::height() const
{
    return worksheet().geometry().height(first());
}

Variant Range::columnWidth() const
{
    Worksheet& ws = worksheet();
    const model::Sheet& sheet = ws.sheet();
    const model::SheetGeometry geometry = ws.geometry();
    const model::CellRect& a = first();
    // The widths of the stated spans, and the default where no span is stated.
    std::set<int> pixels;
    int column = a.left;
    for (const model::ColumnSpan& span : sheet.columns) {
        if (span.last < a.left || span.first > a.right)
            continue;
        if (span.first > column)
            pixels.insert(geometry.columnPixels(column));
        pixels.insert(geometry.columnPixels(std::max(span.first, a.left)));
        column = span.last + 1;
    }
    if (column <= a.right)
        pixels.insert(geometry.columnPixels(column));
    if (pixels.size() != 1)
        return Variant::null();
    return Variant(model::pixelsToCharacters(*pixels.begin(), ws.book().digitWidth()));
}

void Range::setColumnWidth(double characters)
{
    if (characters < 0 || characters > kMaxColumnWidth)
        raise(err::ApplicationDefined,
              QStringLiteral("Unable to set the ColumnWidth property of the Range class"));
    Worksheet& ws = worksheet();
    const double width = model::charactersToWidth(characters, ws.book().digitWidth());
    for (const model::CellRect& a : m_areas)
        ws.sheet().setColumn(a.left, a.right, [&](model::ColumnSpan& span) {
            span.hidden = characters == 0;
            if (characters > 0) {
                span.width = width;
                span.customWidth = true;
            }
        });
    ws.markChanged();
}

Variant Range::rowHeight() const
{
    Worksheet& ws = worksheet();
    const model::Sheet& sheet = ws.sheet();
    const model::SheetGeometry geometry = ws.geometry();
    const model::CellRect& a = first();
    std::set<double> heights;
    int expected = a.top;
    for (auto it = sheet.rows.lower_bound(a.top); it != sheet.rows.end() && it->first <= a.bottom;
         ++it) {
        if (it->first > expected)
            heights.insert(geometry.rowHeight(expected));
        heights.insert(geometry.rowHeight(it->first));
        expected = it->first + 1;
    }
    if (expected <= a.bottom)
        heights.insert(geometry.rowHeight(expected));
    if (heights.size() != 1)
        return Variant::null();
    return Variant(*heights.begin());
}

void Range::setRowHeight(double points)
{
    if (points < 0 || points > kMaxRowHeight)
        raise(err::ApplicationDefined,
              QStringLiteral("Unable to set the RowHeight property of the Range class"));
    Worksheet& ws = worksheet();
    for (const model::CellRect& a : m_areas)
        for (int r = a.top; r <= a.bottom; ++r) {
            model::RowInfo& row = ws.sheet().editRow(r);
            row.hidden = points == 0;
            if (points > 0) {
                row.height = points;
                row.customHeight = true;
            }
        }
    ws.markChanged();
}

} // namespace host::objects
