#include "ribbon_addin/connect2.h"

#include "host/automation/host_error.h"
#include "host/automation/variant.h"
#include "host/xl/com_addins.h"
#include "host/xl/command_bars.h"
#include "platform/message_box.h"
#include "ribbon_addin/os_code.h"
#include "ribbon_addin/png_picture.h"
#include "ribbon_addin/resources.h"
#include "ribbon_addin/ribbon_table.h"

#include <pugixml.hpp>

#include <sstream>

namespace ribbon_addin {

namespace {

void tell(const QString& text, platform::MsgIcon icon = platform::MsgIcon::None)
{
    platform::showMessage(text, platform::MsgButtons::OK, icon, ribbonTitle());
}

void tellUnknown(const char* callback, const QString& id)
{
    tell(QStringLiteral("Error:") + QLatin1String(callback) + QStringLiteral("\r\n") + id);
}

// The control's Id; empty when reading it fails, as the callbacks ignore errors.
QString idOf(const host::ObjectRef& control)
{
    try {
        return host::deref(control).get(QStringLiteral("Id")).toString();
    } catch (const host::HostError&) {
        return {};
    }
}

const char* markupName(double version)
{
    if (version == 12)
        return "CUSTOMUI2007";
    if (version == 14)
        return "CUSTOMUI2010";
    if (version == 15)
        return "CUSTOMUI2013";
    if (version == 16)
        return "CUSTOMUI2016";
    return nullptr;
}

} // namespace

QString ribbonTitle()
{
    return QStringLiteral("ピクロウアドイン For 2007");
}

void Connect2::OnConnection(const host::ObjectRef& application, host::ConnectMode mode,
                            const host::ObjectRef& addInInst, std::vector<host::Variant>& custom)
{
    AddinInstance_OnConnection(application, std::int32_t(mode), addInInst, custom);
}

void Connect2::OnDisconnection(host::RemoveMode mode, std::vector<host::Variant>& custom)
{
    AddinInstance_OnDisconnection(std::int32_t(mode), custom);
}

void Connect2::AddinInstance_OnConnection(const host::ObjectRef& Application, std::int32_t,
                                          const host::ObjectRef& AddInInst,
                                          std::vector<host::Variant>&)
{
    const xl::Application app(Application);
    const double version = host::leadingNumber(app.Version());
    if (version < 12)
        return;
    const std::int32_t os = F_GetOS();
    const xl::Object record(AddInInst);
    if ((version == 12 || version == 14 || version == 15 || version == 16) && os != 3 && os != 13) {
        m_app = app;
        record.let(QStringLiteral("Object"), host::Variant(shared_from_this()));
    } else {
        record.let(QStringLiteral("Connect"), host::Variant(false));
    }
}

void Connect2::AddinInstance_OnDisconnection(std::int32_t, std::vector<host::Variant>&)
{
    m_bridge = xl::Object();
    m_app = xl::Application();
}

QString Connect2::IRibbonExtensibility_GetCustomUI(const QString&)
{
    if (m_app.isNothing())
        return {};
    const char* name = markupName(host::leadingNumber(m_app.Version()));
    if (!name)
        return {};
    const QByteArray bytes = resourceBytes(QLatin1String(name), QStringLiteral("XML"));
    pugi::xml_document doc;
    const pugi::xml_parse_result parsed =
        doc.load_buffer(bytes.constData(), size_t(bytes.size()),
                        pugi::parse_default | pugi::parse_declaration, pugi::encoding_utf8);
    if (!parsed || !doc.document_element()) {
        tell(QStringLiteral("Err:LoadXML"), platform::MsgIcon::Critical);
        return {};
    }
    std::ostringstream out;
    doc.save(out, "  ", pugi::format_default, pugi::encoding_utf8);
    return QString::fromStdString(out.str());
}

bool Connect2::fetchBridge()
{
    try {
        if (m_bridge.isNothing())
            m_bridge = m_app.COMAddIns(QStringLiteral("TORVA_Picrows.Connect")).Object();
        return true;
    } catch (const host::HostError& e) {
        tell(QStringLiteral("Err:") + QString::number(e.number()) + QStringLiteral("\r\n") +
                 e.description(),
             platform::MsgIcon::Critical);
        return false;
    }
}

host::ObjectRef Connect2::Callback_loadImage(const QString& strImage)
{
    host::ObjectRef picture;
    try {
        const RibbonEntry* entry = ribbonEntry(strImage);
        if (!entry)
            tellUnknown("Callback_loadImage", strImage);
        else if (entry->hostImage)
            picture = m_app.CommandBars().GetImageMso(QLatin1String(entry->hostImage), 32, 32);
        else if (entry->pngImage)
            picture = F_LoadResPNGPicture(QLatin1String(entry->pngImage), QStringLiteral("PNG"));
    } catch (const host::HostError&) {
    }
    if (!picture) {
        try {
            picture = m_app.CommandBars().GetImageMso(QStringLiteral("Delete"), 32, 32);
        } catch (const host::HostError&) {
        }
    }
    return picture;
}

QString Connect2::textOf(const host::ObjectRef& control, TipKind kind)
{
    const QString id = idOf(control);
    const RibbonEntry* entry = ribbonEntry(id);
    if (entry) {
        if (kind == TipKind::Label && entry->hostGroupLabel) {
            try {
                return m_app.CommandBars().GetLabelMso(QStringLiteral("GroupPictureSize"));
            } catch (const host::HostError&) {
                return {};
            }
        }
        const int number = kind == TipKind::Label       ? entry->label
                           : kind == TipKind::Screentip ? entry->screentip
                                                        : entry->supertip;
        if (number != 0)
            return ribbonString(number);
    }
    tellUnknown(kind == TipKind::Label       ? "Callback_getLabel"
                : kind == TipKind::Screentip ? "Callback_getScreentip"
                                             : "Callback_getSupertip",
                id);
    return {};
}

QString Connect2::Callback_getLabel(const host::ObjectRef& control)
{
    return textOf(control, TipKind::Label);
}

QString Connect2::Callback_getScreentip(const host::ObjectRef& control)
{
    return textOf(control, TipKind::Screentip);
}

QString Connect2::Callback_getSupertip(const host::ObjectRef& control)
{
    return textOf(control, TipKind::Supertip);
}

std::optional<bool> Connect2::Callback_getVisible(const host::ObjectRef& control)
{
    const bool fetched = fetchBridge();
    const QString id = idOf(control);
    const bool hostGroup = id == QLatin1String("GroupPictureSize");
    if (!hostGroup && id != QLatin1String("TORVA_PICROW_TAB_PICTURETOOLSFORMAT_GROUPPICTURESIZE")) {
        tellUnknown("Callback_getVisible", id);
        return std::nullopt;
    }
    // After a failed fetch the host's own group stays, so that the Size controls are not lost.
    if (!fetched)
        return hostGroup ? std::optional<bool>(true) : std::nullopt;
    try {
        const bool copyShown =
            m_bridge.call(QStringLiteral("CallFor2007_ReTrimmingAddEnabled")).toBool();
        return hostGroup ? !copyShown : copyShown;
    } catch (const host::HostError&) {
        return std::nullopt;
    }
}

void Connect2::Callback_Button_onAction(const host::ObjectRef& control)
{
    if (!fetchBridge())
        return;
    const QString id = idOf(control);
    const RibbonEntry* entry = ribbonEntry(id);
    if (!entry || !entry->action) {
        tellUnknown("Callback_Button_onAction", id);
        return;
    }
    try {
        m_bridge.call(QLatin1String(entry->action));
    } catch (const host::HostError&) {
    }
}

void Connect2::Call_PictureInsertFromFile_onAction(const host::ObjectRef&, bool& fCancelDefault)
{
    if (!fetchBridge())
        return;
    auto cancel = std::make_shared<host::Variant>(false);
    host::Args args;
    args.addByRef(cancel);
    m_bridge.call(QStringLiteral("CallFor2007_DefaultIns"), args);
    fCancelDefault = cancel->toBool();
}

bool Connect2::CallForExe_GetTrimmingEnabled()
{
    return m_app.CommandBars().GetEnabledMso(QStringLiteral("PictureCrop"));
}

void Connect2::CallForExe_Refresh_RetrimmingCmd()
{
    host::deref(m_ribbon).call(QStringLiteral("Invalidate"));
}

} // namespace ribbon_addin
