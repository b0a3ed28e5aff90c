#include "macro_workbook/macro_workbook.h"

#include "host/xl/application.h"
#include "host/xl/command_bars.h"

namespace picrows {

host::Variant CallForExe_GetTrimmingEnabled(const xl::Application& app)
{
    return host::Variant(app.CommandBars().GetEnabledMso(QStringLiteral("PictureCrop")));
}

host::Variant CallForExe_Refresh_RetrimmingCmd(const xl::Application&)
{
    return {};
}

host::AddInWorkbook macroWorkbook(const QString& folder)
{
    using Args = std::vector<host::Variant>;
    host::AddInWorkbook book;
    book.name = kMacroWorkbookName;
    book.folder = folder;
    book.macros = {
        {QStringLiteral("CallForExe_GetTrimmingEnabled"),
         [](const host::ObjectRef& app, const Args&) {
             return CallForExe_GetTrimmingEnabled(xl::Application(app));
         }},
        {QStringLiteral("CallForExe_Refresh_RetrimmingCmd"),
         [](const host::ObjectRef& app, const Args&) {
             return CallForExe_Refresh_RetrimmingCmd(xl::Application(app));
         }},
    };
    return book;
}

} // namespace picrows
