#include "host/objects/macro_workbook.h"

#include "host/automation/dispatch.h"
#include "host/automation/host_error.h"
#include "host/model/workbook.h"
#include "host/objects/application.h"
#include "host/objects/workbook.h"

namespace host::objects {

std::unique_ptr<model::Workbook> addInWorkbookModel()
{
    auto book = std::make_unique<model::Workbook>();
    auto sheet = std::make_unique<model::Sheet>();
    sheet->name = QStringLiteral("Sheet1");
    book->sheets.push_back(std::move(sheet));
    return book;
}

Variant runMacro(Application& app, const QString& macro, const std::vector<Variant>& args)
{
    const auto refuse = [&macro]() {
        raise(err::ApplicationDefined,
              QStringLiteral("Cannot run the macro '") + macro +
                  QStringLiteral("'. The macro may not be available in this workbook or all macros "
                                 "may be disabled."));
    };
    const QString text = macro.trimmed();
    const qsizetype bang = text.lastIndexOf(u'!');
    if (bang <= 0)
        refuse();
    QString bookName = text.left(bang);
    if (bookName.size() >= 2 && bookName.startsWith(u'\'') && bookName.endsWith(u'\''))
        bookName =
            bookName.mid(1, bookName.size() - 2).replace(QStringLiteral("''"), QStringLiteral("'"));
    QString name = text.mid(bang + 1);
    name = name.mid(name.lastIndexOf(u'.') + 1); // "Module.Macro" → "Macro"

    const auto book = app.findByName(bookName);
    const AddInWorkbook* addIn = book ? app.addInOf(*book) : nullptr;
    if (!addIn)
        refuse();
    for (const auto& [macroName, run] : addIn->macros)
        if (macroName.compare(name, Qt::CaseInsensitive) == 0)
            return run(app.shared_from_this(), args);
    refuse();
    return {};
}

} // namespace host::objects
