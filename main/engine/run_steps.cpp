#include "main/engine/run_steps.h"

#include "host/automation/host_error.h"
#include "host/xl/application.h"
#include "host/xl/shape.h"
#include "host/xl/worksheet.h"
#include "main/engine/run_outcome.h"
#include "main/engine/status_panel.h"
#include "platform/message_box.h"

namespace picrows {

ExclusionListView::~ExclusionListView() = default;

QString runProgressText(int n)
{
    return QStringLiteral("取得中...") + QString::number(n) + QStringLiteral(" (ESCでキャンセル)");
}

void s_SelectInserted(const xl::Application& app, const QStringList& names)
{
    if (names.isEmpty())
        return;
    try {
        app.ActiveSheet().Shapes().Range(names).Select();
    } catch (const host::HostError&) {
        // A picture may have gone with the error that ended the run; nothing is selected then.
    }
}

void s_ReportRunError(const host::HostError& error)
{
    platform::showMessage(error.report(), platform::MsgButtons::OK, platform::MsgIcon::Critical,
                          platform::programTitle());
}

void s_EndRunDisplay(const xl::Application& app, StatusPanel* status)
{
    if (app.isNothing())
        return;
    app.setScreenUpdating(true);
    if (status)
        status->setText(QString());
}

} // namespace picrows
