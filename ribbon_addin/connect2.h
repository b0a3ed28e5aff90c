#pragma once

#include "host/automation/com_add_in.h"
#include "host/automation/member_table.h"
#include "host/automation/ribbon_extensibility.h"
#include "host/xl/application.h"

#include <optional>

namespace ribbon_addin {

// The ribbon add-in's class "TORVA_PicrowsFor2007.Connect2". It hands hosts of version 12,
// 14, 15 and 16 its ribbon markup, answers the markup's callbacks (reached by name on the
// published object) and turns every press into a call by name on the menu add-in's bridge,
// which it fetches lazily from COMAddIns("TORVA_Picrows.Connect").Object.
class Connect2 : public host::TableDispatch<Connect2>,
                 public host::ComAddInInstance,
                 public host::RibbonExtensibility
{
public:
    static const host::MemberTable<Connect2>& members();
    QString className() const override { return QStringLiteral("Connect2"); }

    void OnConnection(const host::ObjectRef& application, host::ConnectMode mode,
                      const host::ObjectRef& addInInst,
                      std::vector<host::Variant>& custom) override;
    void OnDisconnection(host::RemoveMode mode, std::vector<host::Variant>& custom) override;
    QString GetCustomUI(const QString& ribbonId) override
    {
        return IRibbonExtensibility_GetCustomUI(ribbonId);
    }

    void AddinInstance_OnConnection(const host::ObjectRef& Application, std::int32_t ConnectMode,
                                    const host::ObjectRef& AddInInst,
                                    std::vector<host::Variant>& custom);
    void AddinInstance_OnDisconnection(std::int32_t RemoveMode, std::vector<host::Variant>& custom);
    QString IRibbonExtensibility_GetCustomUI(const QString& RibbonID);

    // The callbacks the markup names.
    void Callback_onLoad(const host::ObjectRef& ribbon) { m_ribbon = ribbon; }
    host::ObjectRef Callback_loadImage(const QString& strImage);
    QString Callback_getLabel(const host::ObjectRef& control);
    QString Callback_getScreentip(const host::ObjectRef& control);
    QString Callback_getSupertip(const host::ObjectRef& control);
    // No value (nullopt) for an id outside the two Size groups, or when the bridge fails.
    std::optional<bool> Callback_getVisible(const host::ObjectRef& control);
    void Callback_Button_onAction(const host::ObjectRef& control);
    void Call_PictureInsertFromFile_onAction(const host::ObjectRef& Ctrl, bool& fCancelDefault);

    // Called by the main program by name.
    bool CallForExe_GetTrimmingEnabled();
    void CallForExe_Refresh_RetrimmingCmd();

    const xl::Application& application() const { return m_app; }
    const host::ObjectRef& ribbon() const { return m_ribbon; }

private:
    enum class TipKind
    {
        Label,
        Screentip,
        Supertip
    };
    QString textOf(const host::ObjectRef& control, TipKind kind);
    // Fills the bridge when it is empty; false (after the message) when the host raised.
    bool fetchBridge();

    xl::Application m_app;
    xl::Object m_bridge;
    host::ObjectRef m_ribbon;
};

// The title of every message box of this add-in.
QString ribbonTitle(); // "ピクロウアドイン For 2007"

} // namespace ribbon_addin
