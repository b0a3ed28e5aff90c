// Cell contents and formats of a range: values, formulas, merges, hidden rows and columns,
// the current region.
#include "host/objects/range.h"

#include "host/model/stored_cells.h"
#include "host/model/workbook.h"
#include "host/objects/agreement.h"
#include "host/objects/sheet_structure.h"
#include "host/objects/workbook.h"
#include "host/objects/worksheet.h"

#include <set>

namespace host::objects {

namespace {

using model::Cell;
using model::CellKind;
using model::CellRect;
using model::Sheet;

void storeValue(Sheet& sheet, int row, int column, const Variant& value)
{
    const Cell* existing = sheet.cell(row, column);
    const int style = existing ? existing->style : 0;
    Cell cell;
    cell.style = style;
    switch (value.type()) {
    case VarType::Empty:
    case VarType::Null:
    case VarType::Missing:
        break;
    case VarType::Boolean:
        cell.kind = CellKind::Boolean;
        cell.boolean = value.toBool();
        break;
    case VarType::String: {
        const QString text = value.toString();
        bool numeric = false;
        const double number = text.trimmed().toDouble(&numeric);
        if (text.isEmpty()) {
        } else if (text.size() > 1 && text.front() == u'=') {
            cell.formula = text.mid(1);
        } else if (text.front() == u'\'') {
            cell.kind = CellKind::Text;
            cell.text = text.mid(1);
        } else if (numeric && !text.trimmed().isEmpty()) {
            cell.kind = CellKind::Number;
            cell.number = number;
        } else if (text.compare(QStringLiteral("TRUE"), Qt::CaseInsensitive) == 0 ||
                   text.compare(QStringLiteral("FALSE"), Qt::CaseInsensitive) == 0) {
            cell.kind = CellKind::Boolean;
            cell.boolean = text.compare(QStringLiteral("TRUE"), Qt::CaseInsensitive) == 0;
        } else {
            cell.kind = CellKind::Text;
            cell.text = text;
        }
        break;
    }
    case VarType::Object:
        storeValue(sheet, row, column, deref(value.toObject()).get(QString()));
        return;
    case VarType::Array:
        raise(err::TypeMismatch);
    default:
        cell.kind = CellKind::Number;
        cell.number = value.toDouble();
        break;
    }
    if (!cell.hasValue() && style == 0)
        sheet.clearCell(row, column);
    else
        sheet.editCell(row, column) = cell;
}

bool lineHasValue(const Sheet& sheet, const CellRect& line)
{
    bool found = false;
    model::forStoredCells(sheet, line,
                          [&](int, int, const Cell& cell) { found = found || cell.hasValue(); });
    return found;
}

} // namespace

Variant cellValue(const Cell* cell)
{
    if (!cell)
        return {};
    switch (cell->kind) {
    case CellKind::Empty:
        return {};
    case CellKind::Number:
        return Variant(cell->number);
    case CellKind::Text:
    case CellKind::Error:
        return Variant(cell->text);
    case CellKind::Boolean:
        return Variant(cell->boolean);
    }
    return {};
}

void Range::checkUnprotected(const char* property) const
{
    const Sheet& sheet = worksheet().sheet();
    if (!sheet.protection.sheet)
        return;
    const Variant lockedState = locked();
    if (lockedState.isNull() || lockedState.toBool())
        raise(err::ApplicationDefined,
              QStringLiteral("Unable to set the ") + QString::fromLatin1(property) +
                  QStringLiteral(" property of the Range class. The cell or chart you're trying "
                                 "to change is on a protected sheet."));
}

Variant Range::value() const
{
    const Sheet& sheet = worksheet().sheet();
    const CellRect& a = first();
    if (a.isSingleCell())
        return cellValue(sheet.cell(a.top, a.left));
    VariantArray array;
    array.rows = a.rows();
    array.columns = a.columns();
    array.items.resize(size_t(a.count()));
    model::forStoredCells(sheet, a, [&](int row, int column, const Cell& cell) {
        array.items[size_t(row - a.top) * size_t(a.columns()) + size_t(column - a.left)] =
            cellValue(&cell);
    });
    return Variant(std::move(array));
}

Variant Range::formula() const
{
    const Sheet& sheet = worksheet().sheet();
    const auto text = [](const Cell* cell) -> Variant {
        if (cell && !cell->formula.isEmpty())
            return Variant(u'=' + cell->formula);
        const Variant v = cellValue(cell);
        if (v.type() == VarType::Boolean)
            return Variant(v.toBool() ? QStringLiteral("TRUE") : QStringLiteral("FALSE"));
        return Variant(v.toString());
    };
    const CellRect& a = first();
    if (a.isSingleCell())
        return text(sheet.cell(a.top, a.left));
    VariantArray array;
    array.rows = a.rows();
    array.columns = a.columns();
    for (int r = a.top; r <= a.bottom; ++r)
        for (int c = a.left; c <= a.right; ++c)
            array.items.push_back(text(sheet.cell(r, c)));
    return Variant(std::move(array));
}

void Range::setValue(const Variant& value)
{
    checkUnprotected("Value");
    Sheet& sheet = worksheet().sheet();
    if (value.isArray()) {
        // An array fills the first area from its top-left; cells beyond it get #N/A.
        const VariantArray& array = value.toArray();
        const CellRect& a = first();
        const int rows = array.columns == 0 ? 1 : array.rows;
        const int columns = array.columns == 0 ? array.rows : array.columns;
        for (int r = 0; r < a.rows(); ++r)
            for (int c = 0; c < a.columns(); ++c) {
                const int sr = array.columns == 0 ? 0 : r;
                if (sr < rows && c < columns) {
                    storeValue(sheet, a.top + r, a.left + c,
                               array.items[size_t(sr) * size_t(columns) + size_t(c)]);
                } else {
                    Cell& cell = sheet.editCell(a.top + r, a.left + c);
                    cell.kind = CellKind::Error;
                    cell.text = QStringLiteral("#N/A");
                    cell.formula.clear();
                }
            }
    } else {
        for (const CellRect& a : m_areas)
            for (int r = a.top; r <= a.bottom; ++r)
                for (int c = a.left; c <= a.right; ++c)
                    storeValue(sheet, r, c, value);
    }
    worksheet().markChanged();
}

void Range::clearContents()
{
    checkUnprotected("Value");
    Sheet& sheet = worksheet().sheet();
    for (const CellRect& a : m_areas) {
        std::vector<std::pair<int, int>> stored;
        model::forStoredCells(sheet, a,
                              [&](int r, int c, const Cell&) { stored.emplace_back(r, c); });
        for (const auto& [r, c] : stored)
            storeValue(sheet, r, c, Variant());
    }
    worksheet().markChanged();
}

Variant Range::mergeCells() const
{
    const Sheet& sheet = worksheet().sheet();
    long long covered = 0;
    for (const CellRect& a : m_areas)
        for (const CellRect& merge : sheet.merges)
            if (merge.intersects(a)) {
                const CellRect i{std::max(a.top, merge.top), std::max(a.left, merge.left),
                                 std::min(a.bottom, merge.bottom), std::min(a.right, merge.right)};
                covered += i.count();
            }
    return agreement(covered > 0, covered < cellCount());
}

void Range::setMergeCells(bool merged)
{
    Sheet& sheet = worksheet().sheet();
    for (const CellRect& a : m_areas) {
        std::erase_if(sheet.merges, [&a](const CellRect& m) { return m.intersects(a); });
        if (merged && !a.isSingleCell()) {
            // A merged area keeps only its top-left cell's value.
            std::vector<std::pair<int, int>> others;
            model::forStoredCells(sheet, a, [&](int r, int c, const Cell&) {
                if (r != a.top || c != a.left)
                    others.emplace_back(r, c);
            });
            for (const auto& [r, c] : others)
                storeValue(sheet, r, c, Variant());
            sheet.merges.push_back(a);
        }
    }
    sheet.mergesDirty = true;
    worksheet().markChanged();
}

Variant Range::hidden() const
{
    const Sheet& sheet = worksheet().sheet();
    bool sawTrue = false;
    bool sawFalse = false;
    for (const CellRect& a : m_areas) {
        if (a.left == 1 && a.right == model::kMaxColumns) {
            // Whole rows: the stated rows, and the sheet's default for the others.
            int expected = a.top;
            for (auto it = sheet.rows.lower_bound(a.top);
                 it != sheet.rows.end() && it->first <= a.bottom; ++it) {
                if (it->first > expected)
                    (sheet.rowsHiddenByDefault ? sawTrue : sawFalse) = true;
                (it->second.hidden ? sawTrue : sawFalse) = true;
                expected = it->first + 1;
            }
            if (expected <= a.bottom)
                (sheet.rowsHiddenByDefault ? sawTrue : sawFalse) = true;
        } else if (a.top == 1 && a.bottom == model::kMaxRows) {
            int expected = a.left;
            for (const model::ColumnSpan& span : sheet.columns) {
                if (span.last < a.left || span.first > a.right)
                    continue;
                if (span.first > expected)
                    sawFalse = true;
                (span.hidden ? sawTrue : sawFalse) = true;
                expected = span.last + 1;
            }
            if (expected <= a.right)
                sawFalse = true;
        } else {
            raise(err::ApplicationDefined,
                  QStringLiteral("Unable to get the Hidden property of the Range class"));
        }
    }
    return agreement(sawTrue, sawFalse);
}

void Range::setHidden(bool hide)
{
    Sheet& sheet = worksheet().sheet();
    for (const CellRect& a : m_areas) {
        if (a.left == 1 && a.right == model::kMaxColumns) {
            for (int r = a.top; r <= a.bottom; ++r)
                sheet.editRow(r).hidden = hide;
        } else if (a.top == 1 && a.bottom == model::kMaxRows) {
            sheet.setColumn(a.left, a.right,
                            [hide](model::ColumnSpan& span) { span.hidden = hide; });
        } else {
            raise(err::ApplicationDefined,
                  QStringLiteral("Unable to set the Hidden property of the Range class"));
        }
    }
    worksheet().markChanged();
}

ObjectRef Range::currentRegion() const
{
    const Sheet& sheet = worksheet().sheet();
    CellRect r = first();
    // Grow the block while a cell next to it (corners included) holds something.
    for (bool grew = true; grew;) {
        grew = false;
        const int left = std::max(1, r.left - 1);
        const int right = std::min(model::kMaxColumns, r.right + 1);
        const int top = std::max(1, r.top - 1);
        const int bottom = std::min(model::kMaxRows, r.bottom + 1);
        if (r.top > 1 && lineHasValue(sheet, CellRect{r.top - 1, left, r.top - 1, right})) {
            --r.top;
            grew = true;
        }
        if (r.bottom < model::kMaxRows &&
            lineHasValue(sheet, CellRect{r.bottom + 1, left, r.bottom + 1, right})) {
            ++r.bottom;
            grew = true;
        }
        if (r.left > 1 && lineHasValue(sheet, CellRect{top, r.left - 1, bottom, r.left - 1})) {
            --r.left;
            grew = true;
        }
        if (r.right < model::kMaxColumns &&
            lineHasValue(sheet, CellRect{top, r.right + 1, bottom, r.right + 1})) {
            ++r.right;
            grew = true;
        }
    }
    return make({r}, RangeKind::Cells);
}

} // namespace host::objects

namespace host::objects {

namespace {

// The whole rows or columns of a range's first area. Shifting only part of the cells is not
// done: such a range is refused.
struct Lines
{
    SheetAxis axis;
    int first;
    int count;
};

Lines linesOf(const CellRect& a, RangeKind kind, const char* method)
{
    if (kind == RangeKind::Rows || (a.left == 1 && a.right == model::kMaxColumns))
        return {SheetAxis::Rows, a.top, a.rows()};
    if (kind == RangeKind::Columns || (a.top == 1 && a.bottom == model::kMaxRows))
        return {SheetAxis::Columns, a.left, a.columns()};
    raise(err::ApplicationDefined,
          QString::fromLatin1(method) + QStringLiteral(" method of Range class failed"));
}

} // namespace

void Range::insertLines()
{
    const Lines l = linesOf(first(), m_kind, "Insert");
    objects::insertLines(worksheet(), l.axis, l.first, l.count);
}

void Range::deleteLines()
{
    const Lines l = linesOf(first(), m_kind, "Delete");
    objects::deleteLines(worksheet(), l.axis, l.first, l.count);
}

} // namespace host::objects
