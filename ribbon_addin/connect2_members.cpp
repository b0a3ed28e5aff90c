#include "ribbon_addin/connect2.h"

namespace ribbon_addin {

// The names the host and the main program call; letter case does not matter.
const host::MemberTable<Connect2>& Connect2::members()
{
    static const host::MemberTable<Connect2> table = [] {
        using host::BoundArgs;
        using host::Variant;
        using C = Connect2;
        host::MemberTable<C> t;
        const QStringList control{QStringLiteral("control")};
        t.member(QStringLiteral("GetCustomUI"), {QStringLiteral("RibbonID")}, 0,
                 [](C& c, const BoundArgs& args) {
                     return Variant(c.GetCustomUI(args.value(0, QString()).toString()));
                 });
        t.member(QStringLiteral("Callback_onLoad"), {QStringLiteral("ribbon")}, 1,
                 [](C& c, const BoundArgs& args) {
                     c.Callback_onLoad(args.at(0).toObject());
                     return Variant();
                 });
        t.member(QStringLiteral("Callback_loadImage"), {QStringLiteral("strImage")}, 1,
                 [](C& c, const BoundArgs& args) {
                     return Variant(c.Callback_loadImage(args.at(0).toString()));
                 });
        t.member(QStringLiteral("Callback_getLabel"), control, 1, [](C& c, const BoundArgs& args) {
            return Variant(c.Callback_getLabel(args.at(0).toObject()));
        });
        t.member(QStringLiteral("Callback_getScreentip"), control, 1,
                 [](C& c, const BoundArgs& args) {
                     return Variant(c.Callback_getScreentip(args.at(0).toObject()));
                 });
        t.member(QStringLiteral("Callback_getSupertip"), control, 1,
                 [](C& c, const BoundArgs& args) {
                     return Variant(c.Callback_getSupertip(args.at(0).toObject()));
                 });
        t.member(
            QStringLiteral("Callback_getVisible"), control, 1, [](C& c, const BoundArgs& args) {
                const std::optional<bool> visible = c.Callback_getVisible(args.at(0).toObject());
                return visible ? Variant(*visible) : Variant();
            });
        t.member(QStringLiteral("Callback_Button_onAction"), control, 1,
                 [](C& c, const BoundArgs& args) {
                     c.Callback_Button_onAction(args.at(0).toObject());
                     return Variant();
                 });
        t.member(QStringLiteral("Call_PictureInsertFromFile_onAction"),
                 {QStringLiteral("Ctrl"), QStringLiteral("fCancelDefault")}, 2,
                 [](C& c, const BoundArgs& args) {
                     bool cancel = args.at(1).toBool();
                     c.Call_PictureInsertFromFile_onAction(args.at(0).toObject(), cancel);
                     args.writeBack(1, Variant(cancel));
                     return Variant();
                 });
        t.member(QStringLiteral("CallForExe_GetTrimmingEnabled"), {}, 0,
                 [](C& c, const BoundArgs&) { return Variant(c.CallForExe_GetTrimmingEnabled()); });
        t.member(QStringLiteral("CallForExe_Refresh_RetrimmingCmd"), {}, 0,
                 [](C& c, const BoundArgs&) {
                     c.CallForExe_Refresh_RetrimmingCmd();
                     return Variant();
                 });
        return t;
    }();
    return table;
}

} // namespace ribbon_addin
