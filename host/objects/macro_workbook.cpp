#include "host/objects/macro_workbook.h"

#include "host/automation/dispatch.h"
#include "host/automation/host_error.h"
#include "host/model/workbook.h"
#include "host/objects/application.h"
#include "host/objects/picture_commands.h"
#include "host/objects/workbook.h"

namespace host::objects {

std::unique_ptr<model::Workbook> macroWorkbookModel()
{
    auto book = std::make_unique<model::Workbook>();
    auto sheet = std::make_unique<model::Sheet>();
    sheet->name = QStringLiteral("Sheet1");
    book->sheets.push_back(std::move(sheet));
    return book;
}

bool trimmingEnabled(const Application& app)
{
    return pictureCropEnabled(app);
}

Variant runMacro(Application& app, const QString& macro)
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
    if (!book || !book->isAddin() ||
        book->name().compare(kMacroWorkbookName, Qt::CaseInsensitive) != 0)
        refuse();
    if (name.compare(QStringLiteral("CallForExe_GetTrimmingEnabled"), Qt::CaseInsensitive) == 0)
        return Variant(trimmingEnabled(app));
    if (name.compare(QStringLiteral("CallForExe_Refresh_RetrimmingCmd"), Qt::CaseInsensitive) == 0)
        return {};
    refuse();
    return {};
}

} // namespace host::objects
