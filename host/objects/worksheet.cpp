#include "host/objects/worksheet.h"

#include "host/model/workbook.h"
#include "host/objects/application.h"
#include "host/objects/book_files.h"
#include "host/objects/chart_area.h"
#include "host/objects/disconnected.h"
#include "host/objects/paste_special.h"
#include "host/objects/range.h"
#include "host/objects/shape_selection.h"
#include "host/objects/sheet_export.h"
#include "host/objects/sheet_name.h"
#include "host/objects/sheet_protection.h"
#include "host/objects/workbook.h"
#include "host/objects/worksheet_shapes.h"

namespace host::objects {

namespace {

using model::CellRect;

const CellRect kWholeSheet{1, 1, model::kMaxRows, model::kMaxColumns};

bool isVisible(const model::Sheet& sheet)
{
    return sheet.visibility == -1;
}

[[noreturn]] void methodFailed(const char* method)
{
    raise(err::ApplicationDefined,
          QString::fromLatin1(method) + QStringLiteral(" method of Worksheet class failed"));
}

// Members that only sheets of cells have.
bool isCellMember(const QString& member)
{
    static const QStringList names{QStringLiteral("Range"), QStringLiteral("Cells"),
                                   QStringLiteral("Rows"), QStringLiteral("Columns"),
                                   QStringLiteral("UsedRange")};
    return names.contains(member, Qt::CaseInsensitive);
}

} // namespace

QString Worksheet::className() const
{
    if (!m_sheet)
        return QStringLiteral("Worksheet");
    switch (m_sheet->kind) {
    case model::SheetKind::Chartsheet:
        return QStringLiteral("Chart");
    case model::SheetKind::Dialogsheet:
        return QStringLiteral("DialogSheet");
    default:
        return QStringLiteral("Worksheet");
    }
}

Variant Worksheet::invoke(const QString& member, CallKind kind, const Args& args)
{
    if (!hasCells() && isCellMember(member))
        raise(err::NotSupported);
    return TableDispatch<Worksheet>::invoke(member, kind, args);
}

Workbook& Worksheet::book() const
{
    if (!m_book || !m_book->attached())
        raiseDisconnected();
    return *m_book;
}

model::Sheet& Worksheet::sheet() const
{
    book();
    return *m_sheet;
}

void Worksheet::detach()
{
    m_book = nullptr;
    m_sheet = nullptr;
}

std::shared_ptr<Worksheet> Worksheet::self()
{
    return std::static_pointer_cast<Worksheet>(shared_from_this());
}

int Worksheet::index() const
{
    return book().indexOf(sheet()) + 1;
}

bool Worksheet::isActive() const
{
    Workbook& b = book();
    return b.app().activeWorkbook().get() == &b && b.activeSheet().get() == this;
}

model::SheetGeometry Worksheet::geometry() const
{
    return model::SheetGeometry(sheet(), book().digitWidth());
}

void Worksheet::markChanged(ChangeKind kind)
{
    Workbook& b = book();
    b.markChanged();
    b.app().announce(kind, &b, m_sheet);
}

void Worksheet::selectionChanged()
{
    Workbook& b = book();
    b.app().announce(ChangeKind::Selection, &b, m_sheet);
}

ObjectRef Worksheet::range(std::vector<CellRect> areas, RangeKind kind)
{
    sheet();
    return std::make_shared<Range>(self(), std::move(areas), kind);
}

ObjectRef Worksheet::wholeSheet(RangeKind kind)
{
    return range({kWholeSheet}, kind);
}

bool Worksheet::hasCells() const
{
    return sheet().kind == model::SheetKind::Worksheet;
}

ObjectRef Worksheet::selection()
{
    if (sheet().kind == model::SheetKind::Chartsheet)
        return std::make_shared<ChartArea>(self());
    if (!hasCells())
        return nullptr;
    if (ObjectRef shapes = drawingSelection(self()))
        return shapes;
    const model::SheetView& view = sheet().view;
    if (view.selection.empty())
        return activeCell();
    return range(view.selection, RangeKind::Cells);
}

ObjectRef Worksheet::activeCell()
{
    if (!hasCells())
        return nullptr;
    const auto cell = model::parseA1(sheet().view.activeCell);
    return range({cell ? *cell : CellRect{}}, RangeKind::Cells);
}

void Worksheet::select(const std::vector<CellRect>& areas, const CellRect& active, bool raiseEvent)
{
    model::Sheet& s = sheet();
    s.drawing.selection.clear(); // selecting cells ends a selection of shapes
    s.view.selection = areas;
    s.view.activeCell =
        model::formatA1(CellRect{active.top, active.left, active.top, active.left}, false);
    s.viewDirty = true;
    selectionChanged();
    if (raiseEvent)
        book().app().raiseSheetSelectionChange(self(), range(areas, RangeKind::Cells));
}

int Worksheet::nextVisibleFrom(int index) const
{
    const auto& sheets = book().model().sheets;
    const int n = int(sheets.size());
    for (int i = index + 1; i < n; ++i)
        if (isVisible(*sheets[size_t(i)]))
            return i;
    for (int i = index - 1; i >= 0; --i)
        if (isVisible(*sheets[size_t(i)]))
            return i;
    return -1;
}

void Worksheet::activate()
{
    if (!isVisible(sheet()))
        methodFailed("Activate");
    book().setActiveSheet(index() - 1);
    book().activate();
}

void Worksheet::selectSheet(bool replace)
{
    model::Sheet& s = sheet();
    if (!isVisible(s))
        methodFailed("Select");
    if (replace) {
        activate();
        return;
    }
    if (!s.view.tabSelected) {
        s.view.tabSelected = true;
        s.viewDirty = true;
        book().app().announce(ChangeKind::Sheets, &book());
    }
}

void Worksheet::setVisible(const Variant& value)
{
    const std::int32_t visible = value.toInt32();
    model::Sheet& s = sheet();
    const auto refuse = [] {
        raise(err::ApplicationDefined,
              QStringLiteral("Unable to set the Visible property of the Worksheet class"));
    };
    if (visible != -1 && visible != 0 && visible != 2)
        refuse();
    if (visible == s.visibility)
        return;
    const int i = index() - 1;
    if (visible != -1) {
        const int other = nextVisibleFrom(i);
        if (other < 0)
            refuse(); // a workbook keeps at least one visible sheet
        if (book().model().activeSheet == i)
            book().setActiveSheet(other);
    }
    s.visibility = visible;
    if (visible != -1 && s.view.tabSelected) {
        s.view.tabSelected = false;
        s.viewDirty = true;
    }
    book().model().sheetListDirty = true;
    markChanged(ChangeKind::Sheets);
}

void Worksheet::copy(const BoundArgs& args)
{
    Workbook& source = book();
    Application& app = source.app();
    const int from = index() - 1;
    const QString name = sheet().name;
    if (args.has(0) && args.has(1))
        raise(err::ApplicationDefined, QStringLiteral("Copy method of Worksheet class failed"));

    std::shared_ptr<Workbook> target;
    int insertAt = 0;
    if (args.has(0) || args.has(1)) {
        const auto anchor = std::dynamic_pointer_cast<Worksheet>(
            (args.has(0) ? args.at(0) : args.at(1)).toObject());
        if (!anchor)
            raise(err::TypeMismatch);
        target = std::static_pointer_cast<Workbook>(anchor->book().shared_from_this());
        insertAt = anchor->index() - 1 + (args.has(1) ? 1 : 0);
    } else {
        // Neither: the copy becomes the only sheet of a new workbook.
        target = app.addNew(1);
        model::Workbook& fresh = target->model();
        fresh.sheets.clear();
        // The new book takes the source's default font, so the copy keeps its layout.
        fresh.defaultFontName = source.model().defaultFontName;
        fresh.defaultFontSize = source.model().defaultFontSize;
        fresh.activeSheet = 0;
        target->sheetsChanged();
    }
    model::Workbook& to = target->model();
    const QString newName = copyName(to, name);
    copySheetModel(source.model(), from, to, insertAt, newName);
    to.sheetListDirty = true;
    target->markChanged();
    target->sheetsChanged();
    app.announce(ChangeKind::Sheets, target.get());
    // The copy becomes the active sheet of its workbook, which becomes the active workbook.
    target->setActiveSheet(insertAt);
    target->activate();
}

void Worksheet::moveTo(int to)
{
    Workbook& b = book();
    model::Workbook& m = b.model();
    const int from = index() - 1;
    to = std::clamp(to, 0, int(m.sheets.size()) - 1);
    if (to == from)
        return;
    model::Sheet* active = m.sheets[size_t(m.activeSheet)].get();
    auto moved = std::move(m.sheets[size_t(from)]);
    m.sheets.erase(m.sheets.begin() + from);
    m.sheets.insert(m.sheets.begin() + to, std::move(moved));
    for (size_t i = 0; i < m.sheets.size(); ++i)
        if (m.sheets[i].get() == active)
            m.activeSheet = int(i);
    m.sheetListDirty = true;
    b.markChanged();
    b.app().announce(ChangeKind::Sheets, &b);
}

void Worksheet::remove()
{
    Workbook& b = book();
    model::Workbook& m = b.model();
    const int i = index() - 1;
    if (isVisible(sheet()) && nextVisibleFrom(i) < 0)
        raise(err::ApplicationDefined,
              QStringLiteral("A workbook must contain at least one visible worksheet. To hide, "
                             "delete, or move the selected sheet(s), you must first insert a new "
                             "sheet or unhide a sheet that is already hidden."));
    const bool wasActive = m.activeSheet == i;
    const int next = nextVisibleFrom(i);
    m.sheets.erase(m.sheets.begin() + i);
    if (wasActive)
        b.setActiveSheet(next > i ? next - 1 : next);
    else if (m.activeSheet > i)
        --m.activeSheet;
    m.sheetListDirty = true;
    b.markChanged();
    b.sheetsChanged(); // detaches this object
    b.app().announce(ChangeKind::Sheets, &b);
}

ObjectRef Worksheet::rangeOf(const BoundArgs& args)
{
    const auto failed = [] {
        raise(err::ApplicationDefined,
              QStringLiteral("Method 'Range' of object '_Worksheet' failed"));
    };
    const auto areasOf = [&](const Variant& v) -> std::vector<CellRect> {
        if (v.isObject()) {
            const auto other = std::dynamic_pointer_cast<Range>(v.toObject());
            if (!other || &other->worksheet() != this)
                failed();
            return other->areas();
        }
        const auto parsed = model::parseA1List(v.toString());
        if (!parsed)
            failed();
        return *parsed;
    };
    std::vector<CellRect> areas = areasOf(args.at(0));
    if (args.has(1)) {
        const CellRect a = areas.front();
        const CellRect b = areasOf(args.at(1)).front();
        areas = {CellRect{std::min(a.top, b.top), std::min(a.left, b.left),
                          std::max(a.bottom, b.bottom), std::max(a.right, b.right)}};
    }
    return range(std::move(areas), RangeKind::Cells);
}

ObjectRef Worksheet::usedRange()
{
    const model::Sheet& s = sheet();
    if (s.cells.empty())
        return range({CellRect{}}, RangeKind::Cells);
    CellRect used{model::kMaxRows, model::kMaxColumns, 1, 1};
    for (const auto& [key, cell] : s.cells) {
        used.top = std::min(used.top, key.first);
        used.bottom = std::max(used.bottom, key.first);
        used.left = std::min(used.left, key.second);
        used.right = std::max(used.right, key.second);
    }
    return range({used}, RangeKind::Cells);
}

const MemberTable<Worksheet>& Worksheet::members()
{
    static const MemberTable<Worksheet> table = [] {
        using W = Worksheet;
        MemberTable<W> t;
        const auto done = [] { return Variant(); };
        t.prop(
            QStringLiteral("Name"), [](W& w) { return Variant(w.sheet().name); },
            [](W& w, const Variant& v) {
                const QString name = v.toString();
                model::Sheet& s = w.sheet();
                if (name == s.name)
                    return;
                checkSheetName(w.book().model(), name, &s);
                s.name = name;
                w.book().model().sheetListDirty = true;
                w.markChanged(ChangeKind::Sheets);
            });
        t.prop(QStringLiteral("Index"), [](W& w) { return Variant(std::int32_t(w.index())); });
        t.prop(
            QStringLiteral("Visible"),
            [](W& w) { return Variant(std::int32_t(w.sheet().visibility)); },
            [](W& w, const Variant& v) { w.setVisible(v); });
        t.prop(QStringLiteral("ProtectContents"),
               [](W& w) { return Variant(w.sheet().protection.sheet); });
        t.prop(QStringLiteral("ProtectDrawingObjects"), [](W& w) {
            const model::SheetProtection& p = w.sheet().protection;
            return Variant(p.sheet && p.objects);
        });
        t.prop(QStringLiteral("ProtectScenarios"), [](W& w) {
            const model::SheetProtection& p = w.sheet().protection;
            return Variant(p.sheet && p.scenarios);
        });
        t.member(QStringLiteral("Protect"),
                 {QStringLiteral("Password"), QStringLiteral("DrawingObjects"),
                  QStringLiteral("Contents"), QStringLiteral("Scenarios"),
                  QStringLiteral("UserInterfaceOnly")},
                 0, [done](W& w, const BoundArgs& args) {
                     model::Sheet& s = w.sheet();
                     s.protection.sheet =
                         args.value(2, true).toBool() || args.value(1, true).toBool();
                     s.protection.objects = args.value(1, true).toBool();
                     s.protection.scenarios = args.value(3, true).toBool();
                     const QString password = args.value(0, QString()).toString();
                     s.protection.password =
                         password.isEmpty() ? QString() : legacyPasswordHash(password);
                     s.protectionDirty = true;
                     w.markChanged();
                     return done();
                 });
        t.member(QStringLiteral("Unprotect"), {QStringLiteral("Password")}, 0,
                 [done](W& w, const BoundArgs& args) {
                     model::Sheet& s = w.sheet();
                     const QString given = args.value(0, QString()).toString();
                     if (!s.protection.password.isEmpty() &&
                         (given.isEmpty() || legacyPasswordHash(given) != s.protection.password))
                         raise(err::ApplicationDefined,
                               QStringLiteral("The password you supplied is not correct. Verify "
                                              "that the CAPS LOCK key is off and be sure to use "
                                              "the correct capitalization."));
                     s.protection = {};
                     s.protectionDirty = true;
                     w.markChanged();
                     return done();
                 });

        t.member(QStringLiteral("Range"), {QStringLiteral("Cell1"), QStringLiteral("Cell2")}, 1,
                 [](W& w, const BoundArgs& args) { return Variant(w.rangeOf(args)); });
        t.member(QStringLiteral("Cells"),
                 {QStringLiteral("RowIndex"), QStringLiteral("ColumnIndex")}, 0,
                 [](W& w, const BoundArgs& args) {
                     const ObjectRef all = w.wholeSheet(RangeKind::Cells);
                     if (!args.has(0) && !args.has(1))
                         return Variant(all);
                     return all->get(QStringLiteral("Item"), {args.value(0, Variant::missing()),
                                                              args.value(1, Variant::missing())});
                 });
        for (const auto& [name, kind] :
             {std::pair{QStringLiteral("Rows"), RangeKind::Rows},
              std::pair{QStringLiteral("Columns"), RangeKind::Columns}}) {
            const RangeKind k = kind;
            t.member(name, {QStringLiteral("Index")}, 0, [k](W& w, const BoundArgs& args) {
                const ObjectRef all = w.wholeSheet(k);
                return args.has(0) ? all->get(QStringLiteral("Item"), {args.at(0)}) : Variant(all);
            });
        }
        t.prop(QStringLiteral("UsedRange"), [](W& w) { return Variant(w.usedRange()); });
        addShapeMembers(t);
        addExportMembers(t);

        t.member(QStringLiteral("Copy"), {QStringLiteral("Before"), QStringLiteral("After")}, 0,
                 [done](W& w, const BoundArgs& args) {
                     w.copy(args);
                     return done();
                 });
        t.member(QStringLiteral("PasteSpecial"), pasteSpecialParameters(), 0,
                 [](W& w, const BoundArgs& args) { return pasteSpecial(w, args); });
        t.member(QStringLiteral("Delete"), {}, 0, [](W& w, const BoundArgs&) {
            w.remove();
            return Variant(true);
        });
        // Within the workbook: before or after one of its sheets.
        t.member(QStringLiteral("Move"), {QStringLiteral("Before"), QStringLiteral("After")}, 0,
                 [done](W& w, const BoundArgs& args) {
                     const bool before = args.has(0);
                     if (before == args.has(1))
                         raise(err::ApplicationDefined,
                               QStringLiteral("Move method of Worksheet class failed"));
                     auto* other =
                         dynamic_cast<Worksheet*>(&deref(args.at(before ? 0 : 1).toObject()));
                     if (!other || &other->book() != &w.book())
                         raise(err::ApplicationDefined,
                               QStringLiteral("Move method of Worksheet class failed"));
                     const int from = w.index() - 1;
                     int to = other->index() - 1 + (before ? 0 : 1);
                     if (to > from)
                         --to;
                     w.moveTo(to);
                     return done();
                 });
        t.member(QStringLiteral("Activate"), {}, 0, [done](W& w, const BoundArgs&) {
            w.activate();
            return done();
        });
        t.member(QStringLiteral("Select"), {QStringLiteral("Replace")}, 0,
                 [done](W& w, const BoundArgs& args) {
                     w.selectSheet(args.value(0, true).toBool());
                     return done();
                 });
        t.prop(QStringLiteral("Parent"), [](W& w) { return Variant(w.book().shared_from_this()); });
        t.prop(QStringLiteral("Application"),
               [](W& w) { return Variant(w.book().app().shared_from_this()); });
        return t;
    }();
    return table;
}

} // namespace host::objects
