#include "host/objects/window.h"

#include "host/model/workbook.h"
#include "host/objects/application.h"
#include "host/objects/disconnected.h"
#include "host/objects/range.h"
#include "host/objects/sheets.h"
#include "host/objects/workbook.h"
#include "host/objects/worksheet.h"
#include "host/render/sheet_render.h"

#include <algorithm>

namespace host::objects {

using model::kPointsPerPixel;
using model::SheetGeometry;

namespace {

model::Sheet& activeModelSheet(Window& w)
{
    const auto sheet = w.book().activeSheet();
    if (!sheet)
        raise(err::ApplicationDefined);
    return sheet->sheet();
}

// Sets one of the active sheet's view numbers and tells the views.
void setViewNumber(Window& w, int model::SheetView::*field, int value)
{
    model::Sheet& sheet = activeModelSheet(w);
    if (sheet.view.*field == value)
        return;
    sheet.view.*field = value;
    sheet.viewDirty = true;
    w.book().app().announce(ChangeKind::View, &w.book(), &sheet);
}

double pixelsPerPoint(int zoom)
{
    return 4.0 * zoom / 300.0;
}

[[noreturn]] void refuse(const char* property)
{
    raise(err::ApplicationDefined, QStringLiteral("Unable to set the ") +
                                       QString::fromLatin1(property) +
                                       QStringLiteral(" property of the Window class"));
}

} // namespace

Workbook& Window::book() const
{
    if (!m_book || !m_book->attached())
        raiseDisconnected();
    return *m_book;
}

bool Window::attached() const
{
    return m_book && m_book->attached();
}

ObjectRef Window::visibleRange()
{
    const auto sheet = book().activeSheet();
    if (!sheet || !sheet->hasCells())
        raise(err::ApplicationDefined);
    const model::Sheet& s = sheet->sheet();
    const SheetGeometry g = sheet->geometry();
    const double scale = pixelsPerPoint(s.view.zoom);
    const QPointF origin(g.columnLeft(s.view.leftColumn), g.rowTop(s.view.topRow));
    const QSizeF size(std::max(1, m_viewport.width()) / scale,
                      std::max(1, m_viewport.height()) / scale);
    return sheet->range({render::cellsCovering(book().model(), s, QRectF(origin, size))},
                        RangeKind::Cells);
}

QPoint Window::screenPixels(QPointF points)
{
    book();
    if (!m_toScreen)
        raise(err::ApplicationDefined);
    return m_toScreen(points);
}

const MemberTable<Window>& Window::members()
{
    static const MemberTable<Window> table = [] {
        MemberTable<Window> t;
        t.prop(QStringLiteral("Caption"), [](Window& w) { return Variant(w.book().name()); });
        t.prop(QStringLiteral("Index"), [](Window& w) {
            const auto windows = w.book().app().windows();
            const auto at = std::find_if(windows.begin(), windows.end(),
                                         [&w](const auto& other) { return other.get() == &w; });
            return Variant(std::int32_t(at == windows.end() ? 1 : at - windows.begin() + 1));
        });
        t.prop(
            QStringLiteral("Visible"),
            [](Window& w) {
                w.book();
                return Variant(w.m_visible);
            },
            [](Window& w, const Variant& v) {
                w.book();
                w.m_visible = v.toBool();
            });
        t.prop(
            QStringLiteral("WindowState"),
            [](Window& w) {
                const bool minimized = w.book().model().windowMinimized;
                return Variant(std::int32_t(minimized ? kWindowMinimized : w.m_state));
            },
            [](Window& w, const Variant& v) {
                const std::int32_t state = v.toInt32();
                if (state != kWindowMinimized && state != kWindowNormal &&
                    state != kWindowMaximized)
                    refuse("WindowState");
                model::Workbook& book = w.book().model();
                const bool minimized = state == kWindowMinimized;
                if (!minimized)
                    w.m_state = state;
                if (book.windowMinimized != minimized) {
                    book.windowMinimized = minimized;
                    book.sheetListDirty = true;
                }
                w.book().app().announce(ChangeKind::View, &w.book());
            });
        t.prop(
            QStringLiteral("Zoom"),
            [](Window& w) { return Variant(std::int32_t(activeModelSheet(w).view.zoom)); },
            [](Window& w, const Variant& v) {
                const std::int32_t zoom = v.toInt32();
                if (zoom < 10 || zoom > 400)
                    refuse("Zoom");
                setViewNumber(w, &model::SheetView::zoom, zoom);
            });
        t.prop(
            QStringLiteral("ScrollRow"),
            [](Window& w) { return Variant(std::int32_t(activeModelSheet(w).view.topRow)); },
            [](Window& w, const Variant& v) {
                const std::int32_t row = v.toInt32();
                if (row < 1 || row > model::kMaxRows)
                    refuse("ScrollRow");
                setViewNumber(w, &model::SheetView::topRow, row);
            });
        t.prop(
            QStringLiteral("ScrollColumn"),
            [](Window& w) { return Variant(std::int32_t(activeModelSheet(w).view.leftColumn)); },
            [](Window& w, const Variant& v) {
                const std::int32_t column = v.toInt32();
                if (column < 1 || column > model::kMaxColumns)
                    refuse("ScrollColumn");
                setViewNumber(w, &model::SheetView::leftColumn, column);
            });
        t.prop(QStringLiteral("VisibleRange"), [](Window& w) { return Variant(w.visibleRange()); });
        t.member(QStringLiteral("PointsToScreenPixelsX"), {QStringLiteral("Points")}, 1,
                 [](Window& w, const BoundArgs& args) {
                     return Variant(std::int32_t(w.screenPixels({args.at(0).toDouble(), 0}).x()));
                 });
        t.member(QStringLiteral("PointsToScreenPixelsY"), {QStringLiteral("Points")}, 1,
                 [](Window& w, const BoundArgs& args) {
                     return Variant(std::int32_t(w.screenPixels({0, args.at(0).toDouble()}).y()));
                 });
        t.prop(QStringLiteral("UsableWidth"),
               [](Window& w) { return Variant(w.m_viewport.width() * kPointsPerPixel); });
        t.prop(QStringLiteral("UsableHeight"),
               [](Window& w) { return Variant(w.m_viewport.height() * kPointsPerPixel); });
        t.prop(QStringLiteral("SelectedSheets"), [](Window& w) {
            return Variant(ObjectRef(std::make_shared<Sheets>(
                std::static_pointer_cast<Workbook>(w.book().shared_from_this()),
                SheetFilter::Selected)));
        });
        t.prop(QStringLiteral("ActiveSheet"),
               [](Window& w) { return Variant(ObjectRef(w.book().activeSheet())); });
        t.prop(QStringLiteral("ActiveCell"), [](Window& w) {
            const auto sheet = w.book().activeSheet();
            return sheet ? Variant(sheet->activeCell()) : Variant(ObjectRef());
        });
        t.prop(QStringLiteral("Selection"), [](Window& w) {
            const auto sheet = w.book().activeSheet();
            return sheet ? Variant(sheet->selection()) : Variant(ObjectRef());
        });
        t.member(QStringLiteral("Activate"), {}, 0, [](Window& w, const BoundArgs&) {
            w.book().activate();
            return Variant();
        });
        t.prop(QStringLiteral("Parent"),
               [](Window& w) { return Variant(w.book().shared_from_this()); });
        t.prop(QStringLiteral("Application"),
               [](Window& w) { return Variant(w.book().app().shared_from_this()); });
        return t;
    }();
    return table;
}

std::vector<Variant> Windows::enumerate()
{
    std::vector<Variant> out;
    for (const auto& window : m_windows)
        out.emplace_back(ObjectRef(window));
    return out;
}

const MemberTable<Windows>& Windows::members()
{
    static const MemberTable<Windows> table = [] {
        MemberTable<Windows> t;
        t.prop(QStringLiteral("Count"),
               [](Windows& w) { return Variant(std::int32_t(w.m_windows.size())); });
        t.member(QStringLiteral("Item"), {QStringLiteral("Index")}, 1,
                 [](Windows& w, const BoundArgs& args) {
                     const Variant& index = args.at(0);
                     if (index.type() == VarType::String) {
                         for (const auto& window : w.m_windows)
                             if (index.toString().compare(window->book().name(),
                                                          Qt::CaseInsensitive) == 0)
                                 return Variant(ObjectRef(window));
                         raise(err::OutOfRange);
                     }
                     const std::int32_t i = index.toInt32();
                     if (i < 1 || size_t(i) > w.m_windows.size())
                         raise(err::OutOfRange);
                     return Variant(ObjectRef(w.m_windows[size_t(i - 1)]));
                 });
        t.defaultMember(QStringLiteral("Item"));
        return t;
    }();
    return table;
}

} // namespace host::objects
