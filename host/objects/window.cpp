#include "host/objects/window.h"

#include "host/model/workbook.h"
#include "host/objects/application.h"
#include "host/objects/disconnected.h"
#include "host/objects/sheets.h"
#include "host/objects/workbook.h"
#include "host/objects/worksheet.h"

namespace host::objects {

namespace {

model::Sheet& activeModelSheet(Window& w)
{
    const auto sheet = w.book().activeSheet();
    if (!sheet)
        raise(err::ApplicationDefined);
    return sheet->sheet();
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

const MemberTable<Window>& Window::members()
{
    static const MemberTable<Window> table = [] {
        MemberTable<Window> t;
        t.prop(QStringLiteral("Caption"), [](Window& w) { return Variant(w.book().name()); });
        t.prop(QStringLiteral("Index"), [](Window& w) {
            w.book();
            return Variant(std::int32_t(1));
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
            });
        t.prop(
            QStringLiteral("Zoom"),
            [](Window& w) { return Variant(std::int32_t(activeModelSheet(w).view.zoom)); },
            [](Window& w, const Variant& v) {
                const std::int32_t zoom = v.toInt32();
                if (zoom < 10 || zoom > 400)
                    refuse("Zoom");
                model::Sheet& sheet = activeModelSheet(w);
                sheet.view.zoom = zoom;
                sheet.viewDirty = true;
            });
        t.prop(
            QStringLiteral("ScrollRow"),
            [](Window& w) { return Variant(std::int32_t(activeModelSheet(w).view.topRow)); },
            [](Window& w, const Variant& v) {
                const std::int32_t row = v.toInt32();
                if (row < 1 || row > model::kMaxRows)
                    refuse("ScrollRow");
                model::Sheet& sheet = activeModelSheet(w);
                sheet.view.topRow = row;
                sheet.viewDirty = true;
            });
        t.prop(
            QStringLiteral("ScrollColumn"),
            [](Window& w) { return Variant(std::int32_t(activeModelSheet(w).view.leftColumn)); },
            [](Window& w, const Variant& v) {
                const std::int32_t column = v.toInt32();
                if (column < 1 || column > model::kMaxColumns)
                    refuse("ScrollColumn");
                model::Sheet& sheet = activeModelSheet(w);
                sheet.view.leftColumn = column;
                sheet.viewDirty = true;
            });
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
    if (!m_window)
        return {};
    return {Variant(ObjectRef(m_window))};
}

const MemberTable<Windows>& Windows::members()
{
    static const MemberTable<Windows> table = [] {
        MemberTable<Windows> t;
        t.prop(QStringLiteral("Count"),
               [](Windows& w) { return Variant(std::int32_t(w.m_window ? 1 : 0)); });
        t.member(QStringLiteral("Item"), {QStringLiteral("Index")}, 1,
                 [](Windows& w, const BoundArgs& args) {
                     const Variant& index = args.at(0);
                     const bool first =
                         index.type() == VarType::String
                             ? w.m_window && index.toString().compare(w.m_window->book().name(),
                                                                      Qt::CaseInsensitive) == 0
                             : index.toInt32() == 1;
                     if (!w.m_window || !first)
                         raise(err::OutOfRange);
                     return Variant(ObjectRef(w.m_window));
                 });
        t.defaultMember(QStringLiteral("Item"));
        return t;
    }();
    return table;
}

} // namespace host::objects
