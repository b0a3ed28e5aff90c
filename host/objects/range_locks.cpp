// Locked cells of a range: the protection of the cell formats that the cells show.
#include "host/objects/range.h"

#include "host/model/stored_cells.h"
#include "host/objects/agreement.h"
#include "host/objects/workbook.h"
#include "host/objects/worksheet.h"

#include <set>

namespace host::objects {

namespace {

using model::CellRect;

// The style a cell without an entry of its own shows: its row's, else its column's.
void backgroundStyles(const model::Sheet& sheet, const model::CellRect& r, std::set<int>& styles)
{
    bool plainRow = false;
    auto it = sheet.rows.lower_bound(r.top);
    int expected = r.top;
    for (; it != sheet.rows.end() && it->first <= r.bottom; ++it) {
        if (it->first > expected)
            plainRow = true;
        if (it->second.style)
            styles.insert(*it->second.style);
        else
            plainRow = true;
        expected = it->first + 1;
    }
    if (expected <= r.bottom)
        plainRow = true;
    if (!plainRow)
        return;
    int column = r.left;
    for (const model::ColumnSpan& span : sheet.columns) {
        if (span.last < r.left || span.first > r.right)
            continue;
        if (span.first > column)
            styles.insert(0);
        styles.insert(span.style);
        column = span.last + 1;
    }
    if (column <= r.right)
        styles.insert(0);
}

} // namespace

Variant Range::locked() const
{
    Worksheet& ws = worksheet();
    const model::Sheet& sheet = ws.sheet();
    const model::Workbook& book = ws.book().model();
    std::set<int> styles;
    for (const CellRect& a : m_areas) {
        long long stored = 0;
        model::forStoredCells(sheet, a, [&](int, int, const model::Cell& cell) {
            styles.insert(cell.style);
            ++stored;
        });
        if (stored < a.count())
            backgroundStyles(sheet, a, styles);
    }
    bool sawTrue = false;
    bool sawFalse = false;
    for (int style : styles)
        (book.format(style).locked ? sawTrue : sawFalse) = true;
    return agreement(sawTrue, sawFalse);
}

void Range::setLocked(bool lock)
{
    Worksheet& ws = worksheet();
    model::Sheet& sheet = ws.sheet();
    if (sheet.protection.sheet)
        raise(err::ApplicationDefined,
              QStringLiteral("Unable to set the Locked property of the Range class"));
    Workbook& book = ws.book();
    const auto restyle = [&](const CellRect& a) {
        std::vector<std::pair<int, int>> stored;
        model::forStoredCells(sheet, a,
                              [&](int r, int c, const model::Cell&) { stored.emplace_back(r, c); });
        for (const auto& [r, c] : stored) {
            model::Cell& cell = sheet.editCell(r, c);
            cell.style = book.styleWithLock(cell.style, lock);
        }
    };
    for (const CellRect& a : m_areas) {
        if (a.top == 1 && a.bottom == model::kMaxRows) {
            // Whole columns carry the format in their column records.
            sheet.setColumn(a.left, a.right, [&](model::ColumnSpan& span) {
                span.style = book.styleWithLock(span.style, lock);
            });
            restyle(a);
        } else if (a.left == 1 && a.right == model::kMaxColumns) {
            for (int r = a.top; r <= a.bottom; ++r) {
                model::RowInfo& row = sheet.editRow(r);
                row.style = book.styleWithLock(row.style.value_or(0), lock);
            }
            restyle(a);
        } else {
            for (int r = a.top; r <= a.bottom; ++r)
                for (int c = a.left; c <= a.right; ++c) {
                    const model::Cell* existing = sheet.cell(r, c);
                    const int style =
                        existing ? existing->style : model::backgroundStyle(sheet, r, c);
                    sheet.editCell(r, c).style = book.styleWithLock(style, lock);
                }
        }
    }
    ws.markChanged();
}

} // namespace host::objects
