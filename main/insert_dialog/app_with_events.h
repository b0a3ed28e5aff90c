#pragma once

#include "host/xl/application.h"
#include "host/xl/range.h"
#include "host/xl/worksheet.h"

#include <QPointer>

namespace picrows {

class frmGet;

// The host's application events for the insertion dialog: each change of the cell selection
// asks the dialog for a click-mode run over the newly selected range. The run starts from the
// event loop, not inside the host's notification, so that a host in this process is not
// re-entered while it reports the change (a host in another process reports it through the
// event loop anyway). Releasing the sink (or a new gobjApp) disconnects the events.
class c_AppWithEvents
{
public:
    c_AppWithEvents() = default;
    ~c_AppWithEvents();
    c_AppWithEvents(const c_AppWithEvents&) = delete;
    c_AppWithEvents& operator=(const c_AppWithEvents&) = delete;

    const xl::Application& gobjApp() const { return m_app; }
    void setGobjApp(const xl::Application& app);

    // The dialog that receives the runs; without one a selection change does nothing.
    void setDialog(frmGet* dialog) { m_dialog = dialog; }

    void gobjApp_SheetSelectionChange(const xl::Worksheet& sh, const xl::Range& target);

private:
    void disconnect();

    xl::Application m_app;
    int m_cookie = 0;
    QPointer<frmGet> m_dialog;
};

} // namespace picrows
