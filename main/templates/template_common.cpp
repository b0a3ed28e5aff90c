#include "main/templates/template_common.h"

#include "host/automation/variant.h"
#include "host/xl/application.h"
#include "main/reduce/screen_updating.h"
#include "platform/message_box.h"

namespace picrows {

QString placeholderSheetName()
{
    return QStringLiteral("TORVA_DAMMY_SHEET");
}

bool needsPlaceholder(const QString& sheetName)
{
    return sheetName.toUpper() == QLatin1String("SHEET1");
}

QString templateBookFileName(const QString& bookName, int hostVersion)
{
    return bookName + (hostVersion >= 12 ? QStringLiteral(".xlsx") : QStringLiteral(".xls"));
}

int hostVersionOf(const xl::Application& app)
{
    return int(host::leadingNumber(app.Version()));
}

void screenUpdatingBackOn(const xl::Application& app)
{
    try {
        s_SetScreenUpdating(app, true);
    } catch (const host::HostError&) {
        app.setScreenUpdating(true);
    }
}

void showTemplateError(const host::HostError& error)
{
    platform::showMessage(QStringLiteral("err(") + QString::number(error.number()) +
                              QStringLiteral(")\r\n") + error.description(),
                          platform::MsgButtons::OK, platform::MsgIcon::Critical,
                          platform::programTitle());
}

} // namespace picrows
