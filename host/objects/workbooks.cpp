#include "host/objects/workbooks.h"

#include "host/model/workbook.h"
#include "host/objects/application.h"
#include "host/objects/book_files.h"
#include "host/objects/disconnected.h"
#include "host/objects/workbook.h"

#include <QFileInfo>

namespace host::objects {

namespace {

constexpr std::int32_t kTemplateWorksheet = -4167;

} // namespace

Application& Workbooks::app() const
{
    if (!m_app)
        raiseDisconnected();
    return *m_app;
}

std::vector<Variant> Workbooks::enumerate()
{
    std::vector<Variant> out;
    for (const auto& book : app().workbooks())
        out.emplace_back(ObjectRef(book));
    return out;
}

ObjectRef Workbooks::item(const Variant& index) const
{
    if (index.type() == VarType::String) {
        if (auto book = app().findByName(index.toString()))
            return book;
        raise(err::OutOfRange);
    }
    const auto books = app().workbooks();
    const std::int32_t i = index.toInt32();
    if (i < 1 || size_t(i) > books.size())
        raise(err::OutOfRange);
    return books[size_t(i - 1)];
}

ObjectRef Workbooks::add(const BoundArgs& args)
{
    Application& a = app();
    if (!args.has(0))
        return a.addNew(a.options().sheetsInNewWorkbook);
    const Variant& kind = args.at(0);
    if (kind.type() != VarType::String) {
        if (kind.toInt32() != kTemplateWorksheet)
            raise(err::ApplicationDefined,
                  QStringLiteral("Method 'Add' of object 'Workbooks' failed"));
        return a.addNew(1);
    }
    // A file as template: a new, never saved book named after it.
    const QString path = absoluteBookPath(kind.toString(), a.options().defaultFilePath);
    const QString name = QFileInfo(path).completeBaseName() + QString::number(a.nextBookNumber());
    auto book = a.adopt(loadWorkbookModel(path), name);
    book->setNeverSaved();
    return book;
}

const MemberTable<Workbooks>& Workbooks::members()
{
    static const MemberTable<Workbooks> table = [] {
        MemberTable<Workbooks> t;
        t.prop(QStringLiteral("Count"),
               [](Workbooks& w) { return Variant(std::int32_t(w.app().workbooks().size())); });
        t.member(QStringLiteral("Item"), {QStringLiteral("Index")}, 1,
                 [](Workbooks& w, const BoundArgs& args) { return Variant(w.item(args.at(0))); });
        t.defaultMember(QStringLiteral("Item"));
        t.member(QStringLiteral("Add"), {QStringLiteral("Template")}, 0,
                 [](Workbooks& w, const BoundArgs& args) { return Variant(w.add(args)); });
        t.member(QStringLiteral("Open"),
                 {QStringLiteral("Filename"), QStringLiteral("UpdateLinks"),
                  QStringLiteral("ReadOnly"), QStringLiteral("Format"), QStringLiteral("Password"),
                  QStringLiteral("WriteResPassword"), QStringLiteral("IgnoreReadOnlyRecommended"),
                  QStringLiteral("Origin"), QStringLiteral("Delimiter"), QStringLiteral("Editable"),
                  QStringLiteral("Notify"), QStringLiteral("Converter"), QStringLiteral("AddToMru"),
                  QStringLiteral("Local"), QStringLiteral("CorruptLoad")},
                 1, [](Workbooks& w, const BoundArgs& args) {
                     return Variant(ObjectRef(w.app().open(args.at(0).toString())));
                 });
        t.member(QStringLiteral("Close"), {}, 0, [](Workbooks& w, const BoundArgs&) {
            for (const auto& book : w.app().workbooks())
                if (!book->isAddin())
                    book->close(false, QString());
            return Variant();
        });
        t.prop(QStringLiteral("Application"),
               [](Workbooks& w) { return Variant(w.app().shared_from_this()); });
        t.prop(QStringLiteral("Parent"),
               [](Workbooks& w) { return Variant(w.app().shared_from_this()); });
        return t;
    }();
    return table;
}

} // namespace host::objects
