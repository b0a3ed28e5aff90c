#include "host/objects/command_bars.h"

#include "host/objects/application.h"
#include "host/objects/disconnected.h"
#include "host/objects/picture_commands.h"
#include "host/objects/workbook.h"

namespace host::objects {

Application& CommandBarControl::app() const
{
    const auto app = m_app.lock();
    if (!app)
        raiseDisconnected();
    return static_cast<Application&>(*app); // kept alive by its other owners meanwhile
}

QStringList CommandBarControl::entries() const
{
    if (!m_control.list)
        raise(err::NotSupported);
    return m_control.list(app());
}

const MemberTable<CommandBarControl>& CommandBarControl::members()
{
    static const MemberTable<CommandBarControl> table = [] {
        using C = CommandBarControl;
        MemberTable<C> t;
        t.prop(QStringLiteral("Id"), [](C& c) { return Variant(std::int32_t(c.m_control.id)); });
        t.prop(QStringLiteral("Caption"), [](C& c) { return Variant(c.m_control.caption); });
        t.prop(QStringLiteral("BuiltIn"), [](C&) { return Variant(true); });
        // 1 a button, 4 a combo box
        t.prop(QStringLiteral("Type"),
               [](C& c) { return Variant(std::int32_t(c.m_control.list ? 4 : 1)); });
        t.prop(QStringLiteral("ListCount"),
               [](C& c) { return Variant(std::int32_t(c.entries().size())); });
        t.member(QStringLiteral("List"), {QStringLiteral("Index")}, 1,
                 [](C& c, const BoundArgs& args) {
                     const QStringList entries = c.entries();
                     const std::int32_t i = args.at(0).toInt32();
                     if (i < 1 || i > entries.size())
                         raise(err::InvalidCall);
                     return Variant(entries[i - 1]);
                 });
        t.prop(QStringLiteral("Enabled"),
               [](C& c) { return Variant(!c.m_control.enabled || c.m_control.enabled(c.app())); });
        t.member(QStringLiteral("Execute"), {}, 0, [](C& c, const BoundArgs&) {
            Application& app = c.app();
            const bool enabled = !c.m_control.enabled || c.m_control.enabled(app);
            if (!c.m_control.execute || !enabled)
                raise(err::ApplicationDefined,
                      QStringLiteral("Method 'Execute' of object '_CommandBarButton' failed"));
            c.m_control.execute(app);
            return Variant();
        });
        t.prop(QStringLiteral("Application"),
               [](C& c) { return Variant(c.app().shared_from_this()); });
        return t;
    }();
    return table;
}

CommandBars::CommandBars(Application& app) : m_app(&app)
{
    const auto bookOpen = [](const Application& a) { return a.anyWorkbookOpen(); };
    const auto notEditing = [](const Application& a) { return !a.options().cellEditing; };
    addBuiltIn({kControlNew, QStringLiteral("&New..."), notEditing,
                [](Application& a) { a.addNew(a.options().sheetsInNewWorkbook); }});
    addBuiltIn({kControlSaveAs, QStringLiteral("Save &As..."), bookOpen, {}});
    addPictureControls(*this);
}

void CommandBars::addBuiltIn(BuiltInControl control)
{
    m_builtIns.push_back(std::move(control));
}

Application& CommandBars::app() const
{
    if (!m_app)
        raiseDisconnected();
    return *m_app;
}

ObjectRef CommandBars::findControl(const BoundArgs& args)
{
    Application& a = app();
    if (!args.has(1))
        return nullptr; // Tag and Type searches look at custom controls, of which there are none
                        // yet
    const std::int32_t id = args.at(1).toInt32();
    for (const BuiltInControl& control : m_builtIns)
        if (control.id == id)
            return std::make_shared<CommandBarControl>(a.weak_from_this(), control);
    return nullptr;
}

const MemberTable<CommandBars>& CommandBars::members()
{
    static const MemberTable<CommandBars> table = [] {
        MemberTable<CommandBars> t;
        t.member(
            QStringLiteral("FindControl"),
            {QStringLiteral("Type"), QStringLiteral("Id"), QStringLiteral("Tag"),
             QStringLiteral("Visible"), QStringLiteral("Recursive")},
            0, [](CommandBars& c, const BoundArgs& args) { return Variant(c.findControl(args)); });
        t.member(QStringLiteral("ExecuteMso"), {QStringLiteral("idMso")}, 1,
                 [](CommandBars& c, const BoundArgs& args) {
                     executeMso(c.app(), args.at(0).toString());
                     return Variant();
                 });
        t.member(QStringLiteral("GetEnabledMso"), {QStringLiteral("idMso")}, 1,
                 [](CommandBars& c, const BoundArgs& args) {
                     return Variant(getEnabledMso(c.app(), args.at(0).toString()));
                 });
        t.prop(QStringLiteral("Application"),
               [](CommandBars& c) { return Variant(c.app().shared_from_this()); });
        t.prop(QStringLiteral("Parent"),
               [](CommandBars& c) { return Variant(c.app().shared_from_this()); });
        return t;
    }();
    return table;
}

} // namespace host::objects
