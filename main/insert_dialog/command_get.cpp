#include "main/insert_dialog/command_get.h"

#include "host/automation/host_error.h"
#include "main/controls/modal_loop.h"
#include "main/insert_dialog/app_with_events.h"
#include "main/insert_dialog/frm_get.h"
#include "main/startup/startup_context.h"
#include "main/startup/state_checks.h"
#include "platform/message_box.h"
#include "platform/widgets/dialog_services.h"

#include <memory>

namespace picrows {

namespace {

// Message boxes shown while the dialog is open belong to it, so that they come up over it.
class MessageOwner
{
public:
    explicit MessageOwner(QWidget* owner)
        : m_messages(dynamic_cast<platform::DialogMessages*>(&platform::messageService()))
    {
        if (m_messages)
            m_messages->setOwner(owner);
    }
    ~MessageOwner()
    {
        if (m_messages)
            m_messages->setOwner(nullptr);
    }
    MessageOwner(const MessageOwner&) = delete;
    MessageOwner& operator=(const MessageOwner&) = delete;

private:
    platform::DialogMessages* m_messages;
};

bool isCellSelection(const xl::Application& app)
{
    try {
        return app.Selection().TypeName().toUpper() == QStringLiteral("RANGE");
    } catch (const host::HostError&) {
        return true; // nothing to repair that can be told
    }
}

} // namespace

void s_Command_Get()
{
    if (!f_CheckAndMessageOfExcelStates(true, true, true, true, true, true, false, false, false))
        return;
    const xl::Application app = startupContext().gobjXlApp;
    if (!isCellSelection(app))
        s_FixSelectionToCells();

    auto sink = std::make_unique<c_AppWithEvents>();
    sink->setGobjApp(app);
    app.setInteractive(true);

    frmGet dialog;
    dialog.setEventSink(std::move(sink));
    const MessageOwner owner(&dialog);
    showModal(dialog);
}

} // namespace picrows
