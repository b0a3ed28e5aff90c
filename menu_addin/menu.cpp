// The add-in's menu under the worksheet menu bar (host versions below 12): a top-level pop-up
// tagged "TORVA" shared with the maker's other add-ins, this add-in's submenu at its top, and
// one shared home-page item at its bottom.
#include "host/automation/host_error.h"
#include "host/xl/command_bars.h"
#include "menu_addin/button_face.h"
#include "menu_addin/command_buttons.h"
#include "menu_addin/connect.h"
#include "platform/message_box.h"

#include <optional>

namespace menu_addin {

namespace {

constexpr std::int32_t kPopup = 10;
constexpr std::int32_t kIconAndCaption = 3;

host::Args byTag(const QString& tag)
{
    host::Args args;
    args.add(QStringLiteral("Tag"), host::Variant(tag));
    return args;
}

xl::Object controlsOf(const xl::Object& popup)
{
    return xl::Object(popup.get(QStringLiteral("Controls")));
}

xl::Object addPopup(const xl::Object& controls, std::optional<std::int32_t> before)
{
    host::Args args;
    args.add(QStringLiteral("Type"), host::Variant(kPopup));
    if (before)
        args.add(QStringLiteral("Before"), host::Variant(*before));
    args.add(QStringLiteral("Temporary"), host::Variant(true));
    return xl::Object(controls.call(QStringLiteral("Add"), args));
}

// One row of the menu: a button's caption, its face (a face number, or an icon when
// `icon` is given), whether a group line stands before it, and its tag.
struct ButtonRow
{
    CbSlot slot;
    QString caption;
    std::int32_t faceId = 0;
    QString icon;
    bool beginGroup = false;
    QString tag;
};

} // namespace

void Connect::s_CreateMenu()
{
    s_DeleteMenu();
    const xl::Object menuBar(m_app.CommandBars().get(QString(), {host::Variant(std::int32_t(1))}));

    xl::Object shared;
    try {
        shared =
            xl::Object(menuBar.call(QStringLiteral("FindControl"), byTag(QStringLiteral("TORVA"))));
        if (!shared.isNothing() && shared.get(QStringLiteral("Type")).toInt32() != kPopup) {
            shared.call(QStringLiteral("Delete"));
            shared = xl::Object();
        }
    } catch (const host::HostError&) {
        shared = xl::Object();
    }
    if (shared.isNothing())
        shared = addPopup(controlsOf(menuBar), std::nullopt);

    shared.let(QStringLiteral("Caption"), QStringLiteral("TORVA(&M)"));
    shared.let(QStringLiteral("Tag"), QStringLiteral("TORVA"));
    const xl::Object sharedBar(shared.get(QStringLiteral("CommandBar")));
    sharedBar.let(QStringLiteral("Protection"), std::int32_t(1));

    const xl::Object submenu = addPopup(controlsOf(shared), 1);
    submenu.let(QStringLiteral("Caption"), platform::programTitle() + QStringLiteral("(&R)"));
    submenu.let(QStringLiteral("Tag"), QStringLiteral("TORVA_PICROWS"));

    const auto addButton = [this](const xl::Object& parent, const ButtonRow& row) {
        const xl::Object button(controlsOf(parent).call(QStringLiteral("Add")));
        m_cb->setButton(row.slot, button);
        button.let(QStringLiteral("Caption"), row.caption);
        button.let(QStringLiteral("Style"), kIconAndCaption);
        button.let(QStringLiteral("OnAction"), m_onAction);
        if (!row.icon.isEmpty())
            S_SetIconToOfficeCommandbarButton(button, row.icon);
        else if (row.faceId)
            button.let(QStringLiteral("FaceId"), row.faceId);
        if (row.beginGroup)
            button.let(QStringLiteral("BeginGroup"), true);
        if (!row.tag.isEmpty())
            button.let(QStringLiteral("Tag"), row.tag);
    };
    if (!m_cb)
        m_cb = std::make_unique<c_CB>(m_app);

    addButton(submenu,
              {CbSlot::gobjBtnGet, QStringLiteral("ピクロウ(&O)"), 0, QStringLiteral("ICON_GET")});
    const xl::Object extras(
        controlsOf(submenu).call(QStringLiteral("Add"), host::Args{host::Variant(kPopup)}));
    extras.let(QStringLiteral("Caption"), QStringLiteral("おまけ機能(&T)"));
    addButton(extras, {CbSlot::gobjBtnToolSavePic,
                       QStringLiteral("選択セルまたはオートシェイプを画像として保存(&P)"), 0,
                       QStringLiteral("ICON_SAVEPIC")});
    addButton(extras, {CbSlot::gobjBtnToolTemLoad,
                       QStringLiteral("テンプレートシートを開く(&O)"),
                       316,
                       {},
                       true});
    addButton(extras, {CbSlot::gobjBtnToolTemSave,
                       QStringLiteral("現在のシートをテンプレートとして保存(&S)"), 317});
    addButton(extras, {CbSlot::gobjBtnToolReTrimming, QStringLiteral("再トリミング(&R)"), 0,
                       QStringLiteral("ICON_RETRIMMING"), true,
                       QStringLiteral("TORVA_RETRIMMINGCOMMAND_COPY")});
    addButton(extras, {CbSlot::gobjBtnToolReSmall,
                       QStringLiteral("図の原型サイズを一括縮小(&M)"),
                       218,
                       {},
                       true});
    addButton(submenu, {CbSlot::gobjBtnSetting, QStringLiteral("環境設定(&S)"), 548, {}, true});
    addButton(submenu, {CbSlot::gobjBtnHelp, QStringLiteral("ヘルプ(&H)"), 3278});
    addButton(submenu, {CbSlot::gobjBtnAbout, QStringLiteral("バージョン情報(&V)")});

    if (xl::Object(
            sharedBar.call(QStringLiteral("FindControl"), byTag(QStringLiteral("TORVA_SITE"))))
            .isNothing())
        addButton(shared, {CbSlot::gobjBtnGoToHomePage,
                           QStringLiteral("開発元ホームページへ(&D)"),
                           1016,
                           {},
                           false,
                           QStringLiteral("TORVA_SITE")});
}

void Connect::s_DeleteMenu()
{
    if (m_version >= 12)
        return;
    try {
        const xl::Object bars = m_app.CommandBars();
        const xl::Object own(
            bars.call(QStringLiteral("FindControl"), byTag(QStringLiteral("TORVA_PICROWS"))));
        if (!own.isNothing())
            own.call(QStringLiteral("Delete"));
    } catch (const host::HostError&) {
    }
    try {
        const xl::Object shared(m_app.CommandBars().call(QStringLiteral("FindControl"),
                                                         byTag(QStringLiteral("TORVA"))));
        if (!shared.isNothing() && controlsOf(shared).get(QStringLiteral("Count")).toInt32() == 1)
            shared.call(QStringLiteral("Delete"));
    } catch (const host::HostError&) {
    }
}

} // namespace menu_addin
