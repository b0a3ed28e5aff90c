#include "main/settings_dialog/command_setting.h"

#include "host/automation/host_error.h"
#include "host/xl/com_addins.h"
#include "host/xl/workbook.h"
#include "main/controls/modal_loop.h"
#include "main/settings/setting.h"
#include "main/settings_dialog/frm_setting.h"
#include "main/settings_dialog/message_owner.h"
#include "main/startup/startup_context.h"
#include "main/startup/state_checks.h"
#include "platform/message_box.h"

namespace picrows {

namespace {

// The host is not interactive while the dialog is open, and interactive again however the
// command ends (a store that cannot be written included).
class HostHeld
{
public:
    explicit HostHeld(const xl::Application& app) : m_app(app) { m_app.setInteractive(false); }
    ~HostHeld()
    {
        try {
            m_app.setInteractive(true);
        } catch (const host::HostError&) {
        }
    }
    HostHeld(const HostHeld&) = delete;
    HostHeld& operator=(const HostHeld&) = delete;

private:
    const xl::Application& m_app;
};

template <class Step> bool attemptCall(Step step)
{
    try {
        step();
        return true;
    } catch (const host::HostError&) {
        return false;
    }
}

// The macro workbook's name as Application.Run takes it: in single quotes when it holds "@".
QString refreshMacroOf(const QString& bookName)
{
    const QString book = bookName.contains(u'@') ? u'\'' + bookName + u'\'' : bookName;
    return book + QStringLiteral("!CallForExe_Refresh_RetrimmingCmd");
}

} // namespace

void s_TellAddInsReTrimmingChanged(const xl::Application& app, bool is64Bit, bool value)
{
    bool failed = false;
    if (is64Bit) {
        QString macroBook;
        attemptCall([&] {
            for (const xl::Workbook& book : app.Workbooks().items()) {
                const QString name = book.Name();
                if (name.toUpper().contains(QStringLiteral("TORVA_PICROWS.XLAM"))) {
                    macroBook = name;
                    break;
                }
            }
        });
        failed = macroBook.isEmpty() || !attemptCall([&] { app.Run(refreshMacroOf(macroBook)); });
    } else {
        // Both calls are made whatever the first one answered; either failing is enough.
        const bool menu = attemptCall([&] {
            app.COMAddIns(QStringLiteral("TORVA_Picrows.Connect"))
                .Object()
                .call(QStringLiteral("CallForExe_CommandBar_ViewChange_RetrimmingCmd"),
                      {host::Variant(value)});
        });
        const bool ribbon = attemptCall([&] {
            app.COMAddIns(QStringLiteral("TORVA_PicrowsFor2007.Connect2"))
                .Object()
                .call(QStringLiteral("CallForExe_Refresh_RetrimmingCmd"));
        });
        failed = !menu || !ribbon;
    }
    if (failed)
        platform::showMessage(
            QStringLiteral("再トリミングの配置に関する設定は、再起動後に反映されます。"),
            platform::MsgButtons::OK, platform::MsgIcon::Information, platform::programTitle());
}

void s_Command_Setting(std::int32_t tabIndex, QWidget* owner)
{
    if (!f_CheckAndMessageOfExcelStates(true, true, true, false, false, false, false, false, false))
        return;
    StartupContext& context = startupContext();
    const xl::Application app = context.gobjXlApp;
    c_Setting& setting = *context.gobjSetting;
    const HostHeld held(app);
    const bool reTrimmingAdd = setting.ReTrimmingAdd;
    {
        frmSetting dialog(setting, app, tabIndex, owner);
        const MessageOwner messages(&dialog, owner);
        showModal(dialog);
    }
    setting.SaveAll();
    if (setting.ReTrimmingAdd != reTrimmingAdd)
        s_TellAddInsReTrimmingChanged(app, context.gblnXl64bit, setting.ReTrimmingAdd);
}

} // namespace picrows
