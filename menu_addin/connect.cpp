#include "menu_addin/connect.h"

#include "host/automation/host_error.h"
#include "host/automation/variant.h"
#include "host/xl/command_bars.h"
#include "menu_addin/addin_setting.h"
#include "menu_addin/command_buttons.h"
#include "menu_addin/launcher.h"
#include "menu_addin/os_version.h"
#include "platform/message_box.h"

namespace menu_addin {

namespace {

bool supportedVersion(double version)
{
    return (version >= 9 && version <= 12) || version == 14 || version == 15 || version == 16;
}

void refuse(const QString& text, const host::ObjectRef& addInInst)
{
    platform::showMessage(text, platform::MsgButtons::OK, platform::MsgIcon::Critical,
                          platform::programTitle());
    host::deref(addInInst).let(QStringLiteral("Connect"), host::Variant(false));
}

} // namespace

Connect::Connect() = default;
Connect::~Connect() = default;

void Connect::OnConnection(const host::ObjectRef& application, host::ConnectMode mode,
                           const host::ObjectRef& addInInst, std::vector<host::Variant>& custom)
{
    AddinInstance_OnConnection(application, std::int32_t(mode), addInInst, custom);
}

void Connect::OnDisconnection(host::RemoveMode mode, std::vector<host::Variant>& custom)
{
    AddinInstance_OnDisconnection(std::int32_t(mode), custom);
}

void Connect::AddinInstance_OnConnection(const host::ObjectRef& Application, std::int32_t,
                                         const host::ObjectRef& AddInInst,
                                         std::vector<host::Variant>&)
{
    try {
        const xl::Application app(Application);
        const double version = host::leadingNumber(app.Version());
        if (!supportedVersion(version)) {
            refuse(QStringLiteral("このバージョンのエクセルには対応していません。"), AddInInst);
            return;
        }
        const std::int32_t os = F_GetOS();
        if (os == 3 || os == 13) {
            refuse(QStringLiteral("このバージョンのＯＳには対応していません。"), AddInInst);
            return;
        }
        m_app = app;
        m_version = version;

        const xl::Object record(AddInInst);
        m_onAction = QStringLiteral("!<") + record.get(QStringLiteral("ProgId")).toString() + u'>';
        record.let(QStringLiteral("Object"), host::Variant(shared_from_this()));

        if (m_version < 12) {
            s_CreateMenu();
            s_CreateOrDelete_RetrimmingCommand(c_Setting().ReTrimmingAdd());
        }

        if (!m_cb)
            m_cb = std::make_unique<c_CB>(m_app);
        host::Args byId;
        byId.add(QStringLiteral("Id"), host::Variant(std::int32_t(2619)));
        m_cb->setButton(CbSlot::gobjBtnDefaultIns,
                        xl::Object(m_app.CommandBars().call(QStringLiteral("FindControl"), byId)));
    } catch (const host::HostError& e) {
        platform::showMessage(QStringLiteral("OnConnection-Err:") + QString::number(e.number()) +
                                  QStringLiteral("\r\n") + e.description(),
                              platform::MsgButtons::OK, platform::MsgIcon::None,
                              platform::programTitle());
    }
}

void Connect::AddinInstance_OnDisconnection(std::int32_t, std::vector<host::Variant>&)
{
    if (m_app.isNothing())
        return;
    s_DeleteMenu();
    s_CreateOrDelete_RetrimmingCommand(false);
    m_cb.reset();
    m_app = xl::Application();
}

void Connect::startIgnoringErrors(std::int32_t command)
{
    try {
        s_CommandByShell(m_app, command);
    } catch (const host::HostError&) {
    }
}

void Connect::CallFor2007_GoToHomePage()
{
    s_OpenHomePage();
}

void Connect::CallFor2007_DefaultIns(bool&)
{
    try {
        if (m_cb)
            m_cb->button(CbSlot::gobjBtnDefaultIns).call(QStringLiteral("Execute"));
    } catch (const host::HostError&) {
    }
}

bool Connect::CallFor2007_ReTrimmingAddEnabled()
{
    return c_Setting().ReTrimmingAdd();
}

void Connect::CallForExe_CommandBar_ViewChange_RetrimmingCmd(bool blnView)
{
    s_CreateOrDelete_RetrimmingCommand(blnView);
}

const host::MemberTable<Connect>& Connect::members()
{
    static const host::MemberTable<Connect> table = [] {
        using host::BoundArgs;
        using host::Variant;
        host::MemberTable<Connect> t;
        const auto command = [&t](const QString& name, void (Connect::*method)()) {
            t.member(name, {}, 0, [method](Connect& c, const BoundArgs&) {
                (c.*method)();
                return Variant();
            });
        };
        command(QStringLiteral("CallFor2007_Get"), &Connect::CallFor2007_Get);
        command(QStringLiteral("CallFor2007_ReSmall"), &Connect::CallFor2007_ReSmall);
        command(QStringLiteral("CallFor2007_SavePic"), &Connect::CallFor2007_SavePic);
        command(QStringLiteral("CallFor2007_TemplateLoad"), &Connect::CallFor2007_TemplateLoad);
        command(QStringLiteral("CallFor2007_TemplateSave"), &Connect::CallFor2007_TemplateSave);
        command(QStringLiteral("CallFor2007_GoToHomePage"), &Connect::CallFor2007_GoToHomePage);
        command(QStringLiteral("CallFor2007_Setting"), &Connect::CallFor2007_Setting);
        command(QStringLiteral("CallFor2007_Help"), &Connect::CallFor2007_Help);
        command(QStringLiteral("CallFor2007_About"), &Connect::CallFor2007_About);
        command(QStringLiteral("CallFor2007_Retrimming"), &Connect::CallFor2007_Retrimming);
        t.member(QStringLiteral("CallFor2007_DefaultIns"), {QStringLiteral("blnCancel")}, 1,
                 [](Connect& c, const BoundArgs& args) {
                     bool cancel = args.at(0).toBool();
                     c.CallFor2007_DefaultIns(cancel);
                     args.writeBack(0, Variant(cancel));
                     return Variant();
                 });
        t.member(QStringLiteral("CallFor2007_ReTrimmingAddEnabled"), {}, 0,
                 [](Connect& c, const BoundArgs&) {
                     return Variant(c.CallFor2007_ReTrimmingAddEnabled());
                 });
        t.member(QStringLiteral("CallForExe_CommandBar_ViewChange_RetrimmingCmd"),
                 {QStringLiteral("blnView")}, 1, [](Connect& c, const BoundArgs& args) {
                     bool view = false;
                     try {
                         view = args.at(0).toBool();
                     } catch (const host::HostError&) {
                         return Variant();
                     }
                     c.CallForExe_CommandBar_ViewChange_RetrimmingCmd(view);
                     return Variant();
                 });
        return t;
    }();
    return table;
}

} // namespace menu_addin
