#include "host/objects/sheets.h"

#include "host/model/workbook.h"
#include "host/objects/application.h"
#include "host/objects/sheet_name.h"
#include "host/objects/workbook.h"
#include "host/objects/worksheet.h"

namespace host::objects {

Sheets::Sheets(std::shared_ptr<Workbook> book, SheetFilter filter)
    : m_book(std::move(book)), m_filter(filter)
{
}

std::vector<std::shared_ptr<Worksheet>> Sheets::items() const
{
    model::Workbook& book = m_book->model();
    std::vector<std::shared_ptr<Worksheet>> out;
    for (size_t i = 0; i < book.sheets.size(); ++i) {
        model::Sheet& sheet = *book.sheets[i];
        bool wanted = true;
        if (m_filter == SheetFilter::Worksheets)
            wanted = sheet.kind == model::SheetKind::Worksheet;
        else if (m_filter == SheetFilter::Selected)
            wanted = sheet.view.tabSelected || int(i) == book.activeSheet;
        if (wanted)
            out.push_back(m_book->sheetObject(sheet));
    }
    return out;
}

std::vector<Variant> Sheets::enumerate()
{
    std::vector<Variant> out;
    for (const auto& sheet : items())
        out.emplace_back(ObjectRef(sheet));
    return out;
}

std::shared_ptr<Worksheet> Sheets::item(const Variant& index) const
{
    const auto all = items();
    if (index.type() == VarType::String) {
        for (const auto& sheet : all)
            if (sheet->sheet().name.compare(index.toString(), Qt::CaseInsensitive) == 0)
                return sheet;
        raise(err::OutOfRange);
    }
    const std::int32_t i = index.toInt32();
    if (i < 1 || size_t(i) > all.size())
        raise(err::OutOfRange);
    return all[size_t(i - 1)];
}

ObjectRef Sheets::add(const BoundArgs& args)
{
    if (m_filter == SheetFilter::Selected)
        raise(err::NotSupported);
    model::Workbook& book = m_book->model();
    int insertAt = book.activeSheet; // before the active sheet, as the host adds by default
    if (args.has(0) || args.has(1)) {
        const auto anchor = std::dynamic_pointer_cast<Worksheet>(
            args.has(0) ? args.at(0).toObject() : args.at(1).toObject());
        if (!anchor || &anchor->book() != m_book.get())
            raise(err::ApplicationDefined,
                  QStringLiteral("Method 'Add' of object 'Sheets' failed"));
        insertAt = anchor->index() - 1 + (args.has(0) ? 0 : 1);
    }
    const int count = args.has(2) ? args.at(2).toInt32() : 1;
    if (count < 1)
        raise(err::ApplicationDefined, QStringLiteral("Method 'Add' of object 'Sheets' failed"));
    std::shared_ptr<Worksheet> last;
    for (int n = 0; n < count; ++n) {
        auto sheet = std::make_unique<model::Sheet>();
        sheet->name = nextSheetName(book);
        model::Sheet& added = *sheet;
        book.sheets.insert(book.sheets.begin() + insertAt, std::move(sheet));
        last = m_book->sheetObject(added);
    }
    book.sheetListDirty = true;
    m_book->markChanged();
    m_book->app().announce(ChangeKind::Sheets, m_book.get());
    // The last sheet added becomes the active one.
    last->activate();
    return last;
}

const MemberTable<Sheets>& Sheets::members()
{
    static const MemberTable<Sheets> table = [] {
        MemberTable<Sheets> t;
        t.prop(QStringLiteral("Count"),
               [](Sheets& s) { return Variant(std::int32_t(s.items().size())); });
        t.member(QStringLiteral("Item"), {QStringLiteral("Index")}, 1,
                 [](Sheets& s, const BoundArgs& args) {
                     return Variant(ObjectRef(s.item(args.at(0))));
                 });
        t.defaultMember(QStringLiteral("Item"));
        t.member(QStringLiteral("Add"),
                 {QStringLiteral("Before"), QStringLiteral("After"), QStringLiteral("Count"),
                  QStringLiteral("Type")},
                 0, [](Sheets& s, const BoundArgs& args) { return Variant(s.add(args)); });
        t.prop(QStringLiteral("Parent"),
               [](Sheets& s) { return Variant(s.m_book->shared_from_this()); });
        t.prop(QStringLiteral("Application"),
               [](Sheets& s) { return Variant(s.m_book->app().shared_from_this()); });
        return t;
    }();
    return table;
}

} // namespace host::objects
