#include "main/insert_dialog/app_with_events.h"

#include "host/automation/host_error.h"
#include "main/insert_dialog/frm_get.h"

#include <QMetaObject>

namespace picrows {

c_AppWithEvents::~c_AppWithEvents()
{
    disconnect();
}

void c_AppWithEvents::setGobjApp(const xl::Application& app)
{
    disconnect();
    m_app = app;
    if (m_app.isNothing())
        return;
    m_cookie =
        m_app.onSheetSelectionChange([this](const xl::Worksheet& sh, const xl::Range& target) {
            gobjApp_SheetSelectionChange(sh, target);
        });
}

void c_AppWithEvents::disconnect()
{
    if (m_cookie != 0 && !m_app.isNothing()) {
        try {
            m_app.unadvise(m_cookie);
        } catch (const host::HostError&) {
            // The host has gone: its events went with it.
        }
    }
    m_cookie = 0;
}

void c_AppWithEvents::gobjApp_SheetSelectionChange(const xl::Worksheet&, const xl::Range& target)
{
    frmGet* dialog = m_dialog;
    if (!dialog)
        return;
    QMetaObject::invokeMethod(
        dialog, [dialog, target] { dialog->RunGoPaste(3, target); }, Qt::QueuedConnection);
}

} // namespace picrows
