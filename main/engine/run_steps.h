#pragma once

#include <QString>
#include <QStringList>

namespace host {
class HostError;
}
namespace xl {
class Application;
}

namespace picrows {

class StatusPanel;

// The steps both runners share.

// "取得中..." + n + " (ESCでキャンセル)": the progress text after the n-th picture.
QString runProgressText(int n);

// Selects the inserted pictures together on the active sheet; errors are ignored and nothing
// happens when no picture was inserted.
void s_SelectInserted(const xl::Application& app, const QStringList& names);

// "(err:" + number + ") " + description, critical icon, OK, program title.
void s_ReportRunError(const host::HostError& error);

// Screen updating back on and the status panel emptied, while the host is still there.
void s_EndRunDisplay(const xl::Application& app, StatusPanel* status);

} // namespace picrows
