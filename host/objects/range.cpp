#include "host/objects/range.h"

#include "host/model/workbook.h"
#include "host/objects/application.h"
#include "host/objects/paste_special.h"
#include "host/objects/workbook.h"
#include "host/objects/worksheet.h"

#include <QStringList>

namespace host::objects {

namespace {

using model::CellRect;

constexpr std::int32_t kA1 = 1;

[[noreturn]] void failed()
{
    raise(err::ApplicationDefined);
}

bool onSheet(const CellRect& r)
{
    return r.top >= 1 && r.left >= 1 && r.bottom <= model::kMaxRows &&
           r.right <= model::kMaxColumns && r.top <= r.bottom && r.left <= r.right;
}

long long floorDiv(long long a, long long b)
{
    return a >= 0 ? a / b : -((-a + b - 1) / b);
}

// A column given as a number or as letters ("B").
long long columnIndex(const Variant& v)
{
    if (v.type() == VarType::String) {
        bool numeric = false;
        const long long n = v.toString().trimmed().toLongLong(&numeric);
        if (numeric)
            return n;
        const int letters = model::columnNumber(v.toString().trimmed());
        if (letters == 0)
            raise(err::TypeMismatch);
        return letters;
    }
    return v.toInt32();
}

QString formatArea(const CellRect& r, bool rowAbsolute, bool columnAbsolute)
{
    const QString rd = rowAbsolute ? QStringLiteral("$") : QString();
    const QString cd = columnAbsolute ? QStringLiteral("$") : QString();
    if (r.left == 1 && r.right == model::kMaxColumns)
        return rd + QString::number(r.top) + u':' + rd + QString::number(r.bottom);
    if (r.top == 1 && r.bottom == model::kMaxRows)
        return cd + model::columnName(r.left) + u':' + cd + model::columnName(r.right);
    QString s = cd + model::columnName(r.left) + rd + QString::number(r.top);
    if (!r.isSingleCell())
        s += u':' + cd + model::columnName(r.right) + rd + QString::number(r.bottom);
    return s;
}

QString quotedSheet(const QString& book, const QString& sheet)
{
    const QString text = u'[' + book + u']' + sheet;
    bool plain = true;
    for (QChar c : sheet)
        plain = plain && (c.isLetterOrNumber() || c == u'_' || c == u'.');
    if (plain)
        return text + u'!';
    QString escaped = text;
    escaped.replace(u'\'', QStringLiteral("''"));
    return u'\'' + escaped + QStringLiteral("'!");
}

} // namespace

Range::Range(std::shared_ptr<Worksheet> sheet, std::vector<CellRect> areas, RangeKind kind)
    : m_sheet(std::move(sheet)), m_areas(std::move(areas)), m_kind(kind)
{
    if (m_areas.empty())
        m_areas.push_back(CellRect{});
}

Worksheet& Range::worksheet() const
{
    m_sheet->sheet(); // raises when the sheet is gone
    return *m_sheet;
}

ObjectRef Range::make(std::vector<CellRect> areas, RangeKind kind) const
{
    for (const CellRect& r : areas)
        if (!onSheet(r))
            failed();
    return worksheet().range(std::move(areas), kind);
}

QString Range::address(bool rowAbsolute, bool columnAbsolute, bool external) const
{
    QStringList parts;
    for (const CellRect& r : m_areas)
        parts << formatArea(r, rowAbsolute, columnAbsolute);
    QString text = parts.join(u',');
    if (external)
        text = quotedSheet(worksheet().book().name(), worksheet().sheet().name) + text;
    return text;
}

long long Range::cellCount() const
{
    long long n = 0;
    for (const CellRect& r : m_areas)
        n += r.count();
    return n;
}

std::int32_t Range::count() const
{
    worksheet();
    long long n = 0;
    switch (m_kind) {
    case RangeKind::Cells:
        n = cellCount();
        break;
    case RangeKind::Rows:
        n = first().rows();
        break;
    case RangeKind::Columns:
        n = first().columns();
        break;
    }
    if (n > std::numeric_limits<std::int32_t>::max())
        raise(err::Overflow);
    return std::int32_t(n);
}

ObjectRef Range::item(const Variant& row, const Variant& column, RangeKind kind) const
{
    const CellRect& a = first();
    if (row.isMissing() && column.isMissing())
        raise(err::NotOptional);
    if (kind == RangeKind::Rows && column.isMissing()) {
        const long long r = a.top + (long long)row.toInt32() - 1;
        return make({CellRect{int(std::clamp<long long>(r, 0, model::kMaxRows + 1)), a.left,
                              int(std::clamp<long long>(r, 0, model::kMaxRows + 1)), a.right}},
                    RangeKind::Rows);
    }
    if (kind == RangeKind::Columns && column.isMissing()) {
        const long long c = a.left + columnIndex(row) - 1;
        const int cc = int(std::clamp<long long>(c, 0, model::kMaxColumns + 1));
        return make({CellRect{a.top, cc, a.bottom, cc}}, RangeKind::Columns);
    }
    long long r = 0;
    long long c = 0;
    if (column.isMissing()) {
        // The n-th cell, row by row through the first area (and on beyond it).
        const long long n = (long long)row.toInt32() - 1;
        r = a.top + floorDiv(n, a.columns());
        c = a.left + (n - floorDiv(n, a.columns()) * a.columns());
    } else {
        r = a.top + (row.isMissing() ? 1 : (long long)row.toInt32()) - 1;
        c = a.left + columnIndex(column) - 1;
    }
    if (r < 1 || r > model::kMaxRows || c < 1 || c > model::kMaxColumns)
        failed();
    return make({CellRect{int(r), int(c), int(r), int(c)}}, RangeKind::Cells);
}

ObjectRef Range::offset(int rows, int columns) const
{
    std::vector<CellRect> moved;
    for (CellRect r : m_areas) {
        r.top += rows;
        r.bottom += rows;
        r.left += columns;
        r.right += columns;
        moved.push_back(r);
    }
    return make(std::move(moved), m_kind);
}

ObjectRef Range::resize(const Variant& rows, const Variant& columns) const
{
    CellRect r = first();
    if (!rows.isMissing()) {
        const std::int32_t n = rows.toInt32();
        if (n < 1)
            failed();
        r.bottom = int(std::min<long long>((long long)r.top + n - 1, model::kMaxRows + 1LL));
    }
    if (!columns.isMissing()) {
        const std::int32_t n = columns.toInt32();
        if (n < 1)
            failed();
        r.right = int(std::min<long long>((long long)r.left + n - 1, model::kMaxColumns + 1LL));
    }
    return make({r}, m_kind);
}

ObjectRef Range::entire(RangeKind kind) const
{
    std::vector<CellRect> out;
    for (CellRect r : m_areas) {
        if (kind == RangeKind::Rows) {
            r.left = 1;
            r.right = model::kMaxColumns;
        } else {
            r.top = 1;
            r.bottom = model::kMaxRows;
        }
        out.push_back(r);
    }
    return make(std::move(out), kind);
}

ObjectRef Range::mergeArea() const
{
    const CellRect& a = first();
    for (const CellRect& merge : worksheet().sheet().merges)
        if (merge.contains(a.top, a.left))
            return merge.contains(a) ? make({merge}, RangeKind::Cells)
                                     : make(m_areas, RangeKind::Cells);
    return make(m_areas, RangeKind::Cells);
}

void Range::select()
{
    Worksheet& sheet = worksheet();
    if (!sheet.isActive())
        raise(err::ApplicationDefined, QStringLiteral("Select method of Range class failed"));
    sheet.select(m_areas, CellRect{first().top, first().left, first().top, first().left});
}

void Range::activate()
{
    Worksheet& sheet = worksheet();
    if (!sheet.isActive())
        raise(err::ApplicationDefined, QStringLiteral("Activate method of Range class failed"));
    const CellRect cell{first().top, first().left, first().top, first().left};
    model::Sheet& s = sheet.sheet();
    // Inside the selected cells the active cell moves; while shapes are selected the cell
    // becomes the selection.
    const bool cellsSelected = s.drawing.selection.empty();
    for (const CellRect& r : s.view.selection)
        if (cellsSelected && r.contains(cell)) {
            s.view.activeCell = model::formatA1(cell, false);
            s.viewDirty = true;
            sheet.selectionChanged();
            return;
        }
    sheet.select({cell}, cell);
}

std::vector<Variant> Range::enumerate()
{
    std::vector<Variant> out;
    for (const CellRect& a : m_areas) {
        if (m_kind == RangeKind::Rows) {
            for (int r = a.top; r <= a.bottom; ++r)
                out.emplace_back(make({CellRect{r, a.left, r, a.right}}, RangeKind::Rows));
        } else if (m_kind == RangeKind::Columns) {
            for (int c = a.left; c <= a.right; ++c)
                out.emplace_back(make({CellRect{a.top, c, a.bottom, c}}, RangeKind::Columns));
        } else {
            for (int r = a.top; r <= a.bottom; ++r)
                for (int c = a.left; c <= a.right; ++c)
                    out.emplace_back(make({CellRect{r, c, r, c}}, RangeKind::Cells));
        }
    }
    return out;
}

const MemberTable<Range>& Range::members()
{
    static const MemberTable<Range> table = [] {
        using R = Range;
        MemberTable<R> t;
        const QString rowIndex = QStringLiteral("RowIndex");
        const QString columnIndex = QStringLiteral("ColumnIndex");
        const auto missing = Variant::missing();
        const auto self = [](R& r) {
            return std::static_pointer_cast<Range>(r.shared_from_this());
        };

        t.member(QStringLiteral("Address"),
                 {QStringLiteral("RowAbsolute"), QStringLiteral("ColumnAbsolute"),
                  QStringLiteral("ReferenceStyle"), QStringLiteral("External"),
                  QStringLiteral("RelativeTo")},
                 0, [](R& r, const BoundArgs& a) {
                     if (a.value(2, kA1).toInt32() != kA1)
                         raise(err::ApplicationDefined);
                     return Variant(r.address(a.value(0, true).toBool(), a.value(1, true).toBool(),
                                              a.value(3, false).toBool()));
                 });
        t.prop(QStringLiteral("Areas"), [self](R& r) {
            r.worksheet();
            return Variant(ObjectRef(std::make_shared<Areas>(self(r))));
        });
        t.prop(QStringLiteral("Count"), [](R& r) { return Variant(r.count()); });
        t.prop(QStringLiteral("CountLarge"), [](R& r) {
            r.worksheet();
            return Variant(double(r.m_kind == RangeKind::Cells  ? r.cellCount()
                                  : r.m_kind == RangeKind::Rows ? r.first().rows()
                                                                : r.first().columns()));
        });
        t.prop(QStringLiteral("Row"), [](R& r) {
            r.worksheet();
            return Variant(std::int32_t(r.first().top));
        });
        t.prop(QStringLiteral("Column"), [](R& r) {
            r.worksheet();
            return Variant(std::int32_t(r.first().left));
        });
        t.member(QStringLiteral("Item"), {rowIndex, columnIndex}, 1,
                 [missing](R& r, const BoundArgs& a) {
                     return Variant(r.item(a.at(0), a.value(1, missing), r.m_kind));
                 });
        t.member(QStringLiteral("Cells"), {rowIndex, columnIndex}, 0,
                 [missing](R& r, const BoundArgs& a) {
                     if (!a.has(0) && !a.has(1))
                         return Variant(r.make(r.m_areas, RangeKind::Cells));
                     return Variant(
                         r.item(a.value(0, missing), a.value(1, missing), RangeKind::Cells));
                 });
        for (const auto& [name, kind] :
             {std::pair{QStringLiteral("Rows"), RangeKind::Rows},
              std::pair{QStringLiteral("Columns"), RangeKind::Columns}}) {
            const RangeKind k = kind;
            t.member(name, {QStringLiteral("Index")}, 0, [k, missing](R& r, const BoundArgs& a) {
                if (!a.has(0))
                    return Variant(r.make(r.m_areas, k));
                return Variant(r.item(a.at(0), missing, k));
            });
        }
        // The default member: the value, or an item when indexes are given.
        t.member(
            QStringLiteral("_Default"), {rowIndex, columnIndex}, 0,
            [missing](R& r, const BoundArgs& a) {
                if (!a.has(0) && !a.has(1))
                    return r.value();
                return Variant(r.item(a.value(0, missing), a.value(1, missing), r.m_kind));
            },
            [](R& r, const BoundArgs&, const Variant& v) { r.setValue(v); });
        t.defaultMember(QStringLiteral("_Default"));
        t.member(QStringLiteral("Offset"),
                 {QStringLiteral("RowOffset"), QStringLiteral("ColumnOffset")}, 0,
                 [](R& r, const BoundArgs& a) {
                     return Variant(r.offset(a.value(0, 0).toInt32(), a.value(1, 0).toInt32()));
                 });
        t.member(QStringLiteral("Resize"),
                 {QStringLiteral("RowSize"), QStringLiteral("ColumnSize")}, 0,
                 [missing](R& r, const BoundArgs& a) {
                     return Variant(r.resize(a.value(0, missing), a.value(1, missing)));
                 });
        t.prop(QStringLiteral("EntireRow"),
               [](R& r) { return Variant(r.entire(RangeKind::Rows)); });
        t.prop(QStringLiteral("EntireColumn"),
               [](R& r) { return Variant(r.entire(RangeKind::Columns)); });
        t.prop(QStringLiteral("MergeArea"), [](R& r) { return Variant(r.mergeArea()); });
        t.prop(QStringLiteral("CurrentRegion"), [](R& r) { return Variant(r.currentRegion()); });
        t.prop(QStringLiteral("Worksheet"),
               [](R& r) { return Variant(r.worksheet().shared_from_this()); });
        t.prop(QStringLiteral("Parent"),
               [](R& r) { return Variant(r.worksheet().shared_from_this()); });
        t.prop(QStringLiteral("Application"),
               [](R& r) { return Variant(r.worksheet().book().app().shared_from_this()); });

        t.prop(
            QStringLiteral("Value"), [](R& r) { return r.value(); },
            [](R& r, const Variant& v) { r.setValue(v); });
        t.prop(
            QStringLiteral("Value2"), [](R& r) { return r.value(); },
            [](R& r, const Variant& v) { r.setValue(v); });
        t.prop(
            QStringLiteral("Formula"), [](R& r) { return r.formula(); },
            [](R& r, const Variant& v) { r.setValue(v); });
        // Whole rows and columns move whatever Shift says.
        t.member(QStringLiteral("Insert"), {QStringLiteral("Shift"), QStringLiteral("CopyOrigin")},
                 0, [](R& r, const BoundArgs&) {
                     r.insertLines();
                     return Variant(true);
                 });
        t.member(QStringLiteral("Delete"), {QStringLiteral("Shift")}, 0,
                 [](R& r, const BoundArgs&) {
                     r.deleteLines();
                     return Variant(true);
                 });
        t.member(QStringLiteral("ClearContents"), {}, 0, [](R& r, const BoundArgs&) {
            r.clearContents();
            return Variant(true);
        });
        t.prop(
            QStringLiteral("MergeCells"), [](R& r) { return r.mergeCells(); },
            [](R& r, const Variant& v) { r.setMergeCells(v.toBool()); });
        t.prop(
            QStringLiteral("Hidden"), [](R& r) { return r.hidden(); },
            [](R& r, const Variant& v) { r.setHidden(v.toBool()); });
        t.prop(
            QStringLiteral("Locked"), [](R& r) { return r.locked(); },
            [](R& r, const Variant& v) { r.setLocked(v.toBool()); });

        t.prop(QStringLiteral("Left"), [](R& r) { return Variant(r.left()); });
        t.prop(QStringLiteral("Top"), [](R& r) { return Variant(r.top()); });
        t.prop(QStringLiteral("Width"), [](R& r) { return Variant(r.width()); });
        t.prop(QStringLiteral("Height"), [](R& r) { return Variant(r.height()); });
        t.prop(
            QStringLiteral("ColumnWidth"), [](R& r) { return r.columnWidth(); },
            [](R& r, const Variant& v) { r.setColumnWidth(v.toDouble()); });
        t.prop(
            QStringLiteral("RowHeight"), [](R& r) { return r.rowHeight(); },
            [](R& r, const Variant& v) { r.setRowHeight(v.toDouble()); });

        t.member(QStringLiteral("Copy"), {QStringLiteral("Destination")}, 0,
                 [](R& r, const BoundArgs& args) {
                     copyRangeToClipboard(r, args);
                     return Variant(true);
                 });
        t.member(QStringLiteral("Select"), {}, 0, [](R& r, const BoundArgs&) {
            r.select();
            return Variant(true);
        });
        t.member(QStringLiteral("Activate"), {}, 0, [](R& r, const BoundArgs&) {
            r.activate();
            return Variant(true);
        });
        return t;
    }();
    return table;
}

std::vector<Variant> Areas::enumerate()
{
    std::vector<Variant> out;
    for (const CellRect& a : m_range->areas())
        out.emplace_back(m_range->make({a}, RangeKind::Cells));
    return out;
}

const MemberTable<Areas>& Areas::members()
{
    static const MemberTable<Areas> table = [] {
        MemberTable<Areas> t;
        t.prop(QStringLiteral("Count"), [](Areas& a) {
            a.m_range->worksheet();
            return Variant(std::int32_t(a.m_range->areas().size()));
        });
        t.member(QStringLiteral("Item"), {QStringLiteral("Index")}, 1,
                 [](Areas& a, const BoundArgs& args) {
                     const std::int32_t i = args.at(0).toInt32();
                     const auto& areas = a.m_range->areas();
                     if (i < 1 || size_t(i) > areas.size())
                         raise(err::OutOfRange);
                     return Variant(a.m_range->make({areas[size_t(i - 1)]}, RangeKind::Cells));
                 });
        t.defaultMember(QStringLiteral("Item"));
        t.prop(QStringLiteral("Parent"),
               [](Areas& a) { return Variant(a.m_range->worksheet().shared_from_this()); });
        return t;
    }();
    return table;
}

} // namespace host::objects
