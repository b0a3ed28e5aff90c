#pragma once

#include "host/automation/com_add_in.h"
#include "host/automation/member_table.h"
#include "host/xl/application.h"

#include <memory>

namespace menu_addin {

class c_CB;

// The menu add-in's class "TORVA_Picrows.Connect". On connection it checks the host's version
// and the platform, publishes itself as the add-in's object (the bridge the ribbon add-in and
// the main program call by name, letter case ignored), builds its menu under the worksheet
// menu bar for host versions below 12, puts the re-trimming copies where the ReTrimmingAdd
// setting says, and listens to the host's insert-picture control 2619. Disconnection removes
// every control it made and drops every host reference.
class Connect : public host::TableDispatch<Connect>, public host::ComAddInInstance
{
public:
    Connect();
    ~Connect() override;

    static const host::MemberTable<Connect>& members();
    QString className() const override { return QStringLiteral("Connect"); }

    void OnConnection(const host::ObjectRef& application, host::ConnectMode mode,
                      const host::ObjectRef& addInInst,
                      std::vector<host::Variant>& custom) override;
    void OnDisconnection(host::RemoveMode mode, std::vector<host::Variant>& custom) override;

    void AddinInstance_OnConnection(const host::ObjectRef& Application, std::int32_t ConnectMode,
                                    const host::ObjectRef& AddInInst,
                                    std::vector<host::Variant>& custom);
    void AddinInstance_OnDisconnection(std::int32_t RemoveMode, std::vector<host::Variant>& custom);

    // The bridge (also reached by name through members()).
    void CallFor2007_Get() { startIgnoringErrors(0); }
    void CallFor2007_Setting() { startIgnoringErrors(1); }
    void CallFor2007_Help() { startIgnoringErrors(2); }
    void CallFor2007_About() { startIgnoringErrors(3); }
    void CallFor2007_SavePic() { startIgnoringErrors(4); }
    void CallFor2007_Retrimming() { startIgnoringErrors(5); }
    void CallFor2007_ReSmall() { startIgnoringErrors(6); }
    void CallFor2007_TemplateLoad() { startIgnoringErrors(7); }
    void CallFor2007_TemplateSave() { startIgnoringErrors(8); }
    void CallFor2007_GoToHomePage();
    // Executes the host's insert-picture button, whose click the hook hears; `blnCancel` is
    // left as it came.
    void CallFor2007_DefaultIns(bool& blnCancel);
    // The ReTrimmingAdd setting as stored now; errors reach the caller.
    bool CallFor2007_ReTrimmingAddEnabled();
    void CallForExe_CommandBar_ViewChange_RetrimmingCmd(bool blnView);

    // Puts copies of the menu's re-trimming button on the Picture toolbar and the pictures
    // context menu (add), or only removes every copy; host versions below 12 only.
    void s_CreateOrDelete_RetrimmingCommand(bool add);

    // What the connection kept: the on-action text, the host version, the button sink.
    const QString& onAction() const { return m_onAction; }
    double hostVersion() const { return m_version; }
    c_CB* buttons() const { return m_cb.get(); }

private:
    void s_CreateMenu();
    void s_DeleteMenu();
    void startIgnoringErrors(std::int32_t command);

    xl::Application m_app; // set while connected
    double m_version = 0;
    QString m_onAction;
    std::unique_ptr<c_CB> m_cb;
};

} // namespace menu_addin
