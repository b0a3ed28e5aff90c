#include "host/model/workbook.h"

#include <algorithm>

namespace host::model {

const Cell* Sheet::cell(int r, int c) const
{
    const auto it = cells.find({r, c});
    return it == cells.end() ? nullptr : &it->second;
}

Cell& Sheet::editCell(int r, int c)
{
    dirtyCells.insert({r, c});
    return cells[{r, c}];
}

void Sheet::clearCell(int r, int c)
{
    const auto it = cells.find({r, c});
    if (it == cells.end())
        return;
    dirtyCells.insert({r, c});
    cells.erase(it);
}

const RowInfo* Sheet::row(int r) const
{
    const auto it = rows.find(r);
    return it == rows.end() ? nullptr : &it->second;
}

RowInfo& Sheet::editRow(int r)
{
    dirtyRows.insert(r);
    return rows[r];
}

const ColumnSpan* Sheet::column(int c) const
{
    const auto it = std::upper_bound(columns.begin(), columns.end(), c,
                                     [](int value, const ColumnSpan& s) { return value < s.first; });
    if (it == columns.begin())
        return nullptr;
    const ColumnSpan& s = *(it - 1);
    return c <= s.last ? &s : nullptr;
}

void Sheet::setColumn(int first, int last, const std::function<void(ColumnSpan&)>& change)
{
    // Split the spans at the edges of [first, last], fill the gaps, then change every span
    // inside.
    std::vector<ColumnSpan> out;
    int next = first;
    for (const ColumnSpan& s : columns) {
        if (s.last < first || s.first > last) {
            out.push_back(s);
            continue;
        }
        if (s.first < first) {
            ColumnSpan before = s;
            before.last = first - 1;
            out.push_back(before);
        }
        const int from = std::max(s.first, first);
        if (from > next) {
            ColumnSpan gap;
            gap.first = next;
            gap.last = from - 1;
            change(gap);
            out.push_back(gap);
        }
        ColumnSpan inside = s;
        inside.first = from;
        inside.last = std::min(s.last, last);
        change(inside);
        out.push_back(inside);
        next = inside.last + 1;
        if (s.last > last) {
            ColumnSpan after = s;
            after.first = last + 1;
            out.push_back(after);
        }
    }
    if (next <= last) {
        ColumnSpan gap;
        gap.first = next;
        gap.last = last;
        change(gap);
        out.push_back(gap);
    }
    std::sort(out.begin(), out.end(),
              [](const ColumnSpan& a, const ColumnSpan& b) { return a.first < b.first; });
    columns = std::move(out);
    columnsDirty = true;
}

std::array<QRgb, 56> Workbook::defaultPalette()
{
    // The spreadsheet programs' standard palette for indices 8 to 63.
    return {qRgb(0x00, 0x00, 0x00), qRgb(0xFF, 0xFF, 0xFF), qRgb(0xFF, 0x00, 0x00),
            qRgb(0x00, 0xFF, 0x00), qRgb(0x00, 0x00, 0xFF), qRgb(0xFF, 0xFF, 0x00),
            qRgb(0xFF, 0x00, 0xFF), qRgb(0x00, 0xFF, 0xFF), qRgb(0x80, 0x00, 0x00),
            qRgb(0x00, 0x80, 0x00), qRgb(0x00, 0x00, 0x80), qRgb(0x80, 0x80, 0x00),
            qRgb(0x80, 0x00, 0x80), qRgb(0x00, 0x80, 0x80), qRgb(0xC0, 0xC0, 0xC0),
            qRgb(0x80, 0x80, 0x80), qRgb(0x99, 0x99, 0xFF), qRgb(0x99, 0x33, 0x66),
            qRgb(0xFF, 0xFF, 0xCC), qRgb(0xCC, 0xFF, 0xFF), qRgb(0x66, 0x00, 0x66),
            qRgb(0xFF, 0x80, 0x80), qRgb(0x00, 0x66, 0xCC), qRgb(0xCC, 0xCC, 0xFF),
            qRgb(0x00, 0x00, 0x80), qRgb(0xFF, 0x00, 0xFF), qRgb(0xFF, 0xFF, 0x00),
            qRgb(0x00, 0xFF, 0xFF), qRgb(0x80, 0x00, 0x80), qRgb(0x80, 0x00, 0x00),
            qRgb(0x00, 0x80, 0x80), qRgb(0x00, 0x00, 0xFF), qRgb(0x00, 0xCC, 0xFF),
            qRgb(0xCC, 0xFF, 0xFF), qRgb(0xCC, 0xFF, 0xCC), qRgb(0xFF, 0xFF, 0x99),
            qRgb(0x99, 0xCC, 0xFF), qRgb(0xFF, 0x99, 0xCC), qRgb(0xCC, 0x99, 0xFF),
            qRgb(0xFF, 0xCC, 0x99), qRgb(0x33, 0x66, 0xFF), qRgb(0x33, 0xCC, 0xCC),
            qRgb(0x99, 0xCC, 0x00), qRgb(0xFF, 0xCC, 0x00), qRgb(0xFF, 0x99, 0x00),
            qRgb(0xFF, 0x66, 0x00), qRgb(0x66, 0x66, 0x99), qRgb(0x96, 0x96, 0x96),
            qRgb(0x00, 0x33, 0x66), qRgb(0x33, 0x99, 0x66), qRgb(0x00, 0x33, 0x00),
            qRgb(0x33, 0x33, 0x00), qRgb(0x99, 0x33, 0x00), qRgb(0x99, 0x33, 0x66),
            qRgb(0x33, 0x33, 0x99), qRgb(0x33, 0x33, 0x33)};
}

std::array<QRgb, 12> Workbook::defaultThemeColors()
{
    // The default theme of the spreadsheet programs that wrote the first .xlsx files.
    return {qRgb(0x00, 0x00, 0x00), qRgb(0xFF, 0xFF, 0xFF), qRgb(0x1F, 0x49, 0x7D),
            qRgb(0xEE, 0xEC, 0xE1), qRgb(0x4F, 0x81, 0xBD), qRgb(0xC0, 0x50, 0x4D),
            qRgb(0x9B, 0xBB, 0x59), qRgb(0x80, 0x64, 0xA2), qRgb(0x4B, 0xAC, 0xC6),
            qRgb(0xF7, 0x96, 0x46), qRgb(0x00, 0x00, 0xFF), qRgb(0x80, 0x00, 0x80)};
}

Workbook::Workbook() : palette(defaultPalette())
{
    // The records a new styles part starts with, so that index 0 is the plain look.
    fonts.emplace_back();
    fills = {CellFill{}, CellFill{FillPattern::Gray125, {}, {}}};
    borders.emplace_back();
}

const CellFormat& Workbook::format(int index) const
{
    static const CellFormat fallback;
    return index >= 0 && size_t(index) < cellFormats.size() ? cellFormats[size_t(index)] : fallback;
}

} // namespace host::model
