#include "host_app/ribbon/ribbon_objects.h"

#include "host/automation/host_error.h"

namespace host_app {

const host::MemberTable<RibbonControl>& RibbonControl::members()
{
    static const host::MemberTable<RibbonControl> table = [] {
        host::MemberTable<RibbonControl> t;
        t.prop(QStringLiteral("Id"), [](RibbonControl& c) { return host::Variant(c.m_id); });
        t.prop(QStringLiteral("Tag"), [](RibbonControl& c) { return host::Variant(c.m_tag); });
        t.prop(QStringLiteral("Context"),
               [](RibbonControl&) { return host::Variant(host::ObjectRef()); });
        return t;
    }();
    return table;
}

const host::MemberTable<RibbonUi>& RibbonUi::members()
{
    static const host::MemberTable<RibbonUi> table = [] {
        host::MemberTable<RibbonUi> t;
        t.member(QStringLiteral("Invalidate"), {}, 0, [](RibbonUi& r, const host::BoundArgs&) {
            if (!r.m_handler)
                host::raise(host::err::ObjectNotSet);
            r.m_handler(QString());
            return host::Variant();
        });
        t.member(QStringLiteral("InvalidateControl"), {QStringLiteral("ControlID")}, 1,
                 [](RibbonUi& r, const host::BoundArgs& args) {
                     if (!r.m_handler)
                         host::raise(host::err::ObjectNotSet);
                     const QString id = args.at(0).toString();
                     if (id.isEmpty())
                         host::raise(host::err::InvalidCall);
                     r.m_handler(id);
                     return host::Variant();
                 });
        return t;
    }();
    return table;
}

} // namespace host_app
