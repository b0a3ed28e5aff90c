#include "host/objects/command_bars.h"

#include "host/objects/mso_images.h"

#include "host/objects/application.h"
#include "host/objects/command_bar.h"
#include "host/objects/disconnected.h"
#include "host/objects/mso_images.h"
#include "host/objects/picture_commands.h"

namespace host::objects {

bool matchesSearch(const CommandBarControl& control, const BoundArgs& args)
{
    if (args.has(0) && int(control.type()) != args.at(0).toInt32())
        return false;
    if (args.has(1) && control.id() != args.at(1).toInt32())
        return false;
    if (args.has(2) && control.tag() != args.at(2).toString())
        return false;
    if (args.has(3) && args.at(3).toBool() && !control.visible())
        return false;
    return true;
}

CommandBars::CommandBars(Application& app) : m_app(&app) {}

Application& CommandBars::app() const
{
    if (!m_app)
        raiseDisconnected();
    return *m_app;
}

void CommandBars::detach()
{
    for (const auto& bar : m_bars)
        bar->detach();
    m_bars.clear();
    m_app = nullptr;
}

void CommandBars::addBuiltIn(BuiltInControl control)
{
    const int id = control.id;
    m_builtIns[id] = std::move(control);
}

const BuiltInControl* CommandBars::builtIn(int id) const
{
    const auto found = m_builtIns.find(id);
    return found == m_builtIns.end() ? nullptr : &found->second;
}

void CommandBars::setBuiltInAction(int id, std::function<void(Application&)> action)
{
    const auto found = m_builtIns.find(id);
    if (found != m_builtIns.end()) {
        found->second.execute = std::move(action);
        changed();
    }
}

std::shared_ptr<CommandBar> CommandBars::addBar(const QString& name, const QString& nameLocal,
                                                BarType type, bool builtIn)
{
    auto bar = std::make_shared<CommandBar>(
        std::static_pointer_cast<CommandBars>(shared_from_this()), name, nameLocal, type, builtIn);
    m_bars.push_back(bar);
    changed();
    return bar;
}

void CommandBars::removeBar(const CommandBar& bar)
{
    for (auto it = m_bars.begin(); it != m_bars.end(); ++it)
        if (it->get() == &bar) {
            const auto keep = *it;
            m_bars.erase(it);
            keep->detach();
            changed();
            return;
        }
}

std::shared_ptr<CommandBar> CommandBars::bar(const QString& name) const
{
    for (const auto& bar : m_bars)
        if (bar->name().compare(name, Qt::CaseInsensitive) == 0 ||
            bar->nameLocal().compare(name, Qt::CaseInsensitive) == 0)
            return bar;
    return nullptr;
}

std::vector<std::shared_ptr<CommandBarControl>> CommandBars::allControls() const
{
    std::vector<std::shared_ptr<CommandBarControl>> out;
    for (const auto& bar : m_bars)
        bar->visit(true, [&out](const auto& control) { out.push_back(control); });
    return out;
}

void CommandBars::raiseControlEvent(const CommandBarControl& source, const QString& event,
                                    std::vector<Variant>& args) const
{
    for (const auto& control : allControls())
        if (control->events()->hasSinks() && control->sameCommand(source))
            control->events()->fireByRef(event, args);
}

void CommandBars::changed() const
{
    if (m_app)
        m_app->announce(ChangeKind::CommandBars);
}

ObjectRef CommandBars::item(const Variant& index) const
{
    app();
    if (index.type() == VarType::String) {
        if (auto found = bar(index.toString()))
            return found;
        raise(err::InvalidCall);
    }
    const std::int32_t i = index.toInt32();
    if (i < 1 || size_t(i) > m_bars.size())
        raise(err::InvalidCall);
    return m_bars[size_t(i - 1)];
}

ObjectRef CommandBars::findControl(const BoundArgs& args) const
{
    app();
    for (const auto& control : allControls())
        if (matchesSearch(*control, args))
            return control;
    return nullptr;
}

std::vector<std::shared_ptr<CommandBarControl>>
CommandBars::findControls(const BoundArgs& args) const
{
    app();
    std::vector<std::shared_ptr<CommandBarControl>> out;
    for (const auto& control : allControls())
        if (matchesSearch(*control, args))
            out.push_back(control);
    return out;
}

std::vector<Variant> CommandBars::enumerate()
{
    app();
    std::vector<Variant> out;
    for (const auto& bar : m_bars)
        out.emplace_back(ObjectRef(bar));
    return out;
}

const MemberTable<CommandBars>& CommandBars::members()
{
    static const MemberTable<CommandBars> table = [] {
        using C = CommandBars;
        MemberTable<C> t;
        const QStringList search{QStringLiteral("Type"), QStringLiteral("Id"),
                                 QStringLiteral("Tag"), QStringLiteral("Visible"),
                                 QStringLiteral("Recursive")};
        t.member(QStringLiteral("FindControl"), search, 0,
                 [](C& c, const BoundArgs& args) { return Variant(c.findControl(args)); });
        // Nothing when no control answers, as the platform's host does.
        t.member(
            QStringLiteral("FindControls"), search.mid(0, 4), 0, [](C& c, const BoundArgs& args) {
                auto found = c.findControls(args);
                if (found.empty())
                    return Variant(ObjectRef());
                return Variant(ObjectRef(std::make_shared<CommandBarControls>(std::move(found))));
            });
        t.prop(QStringLiteral("Count"), [](C& c) {
            c.app();
            return Variant(std::int32_t(c.m_bars.size()));
        });
        t.member(QStringLiteral("Item"), {QStringLiteral("Index")}, 1,
                 [](C& c, const BoundArgs& args) { return Variant(c.item(args.at(0))); });
        t.defaultMember(QStringLiteral("Item"));
        t.prop(QStringLiteral("ActiveMenuBar"), [](C& c) {
            c.app();
            for (const auto& bar : c.m_bars)
                if (bar->type() == BarType::MenuBar)
                    return Variant(ObjectRef(bar));
            return Variant(ObjectRef());
        });
        // Add(Name, Position, MenuBar, Temporary): a toolbar of the user's or an add-in's.
        t.member(QStringLiteral("Add"),
                 {QStringLiteral("Name"), QStringLiteral("Position"), QStringLiteral("MenuBar"),
                  QStringLiteral("Temporary")},
                 0, [](C& c, const BoundArgs& args) {
                     c.app();
                     QString name = args.value(0, QString()).toString();
                     if (name.isEmpty())
                         name = QStringLiteral("Custom ") + QString::number(c.m_bars.size() + 1);
                     if (c.bar(name))
                         raise(err::InvalidCall);
                     const bool popup = args.value(1, std::int32_t(1)).toInt32() == 5;
                     return Variant(ObjectRef(
                         c.addBar(name, name, popup ? BarType::Popup : BarType::Toolbar, false)));
                 });
        t.member(QStringLiteral("ExecuteMso"), {QStringLiteral("idMso")}, 1,
                 [](C& c, const BoundArgs& args) {
                     executeMso(c.app(), args.at(0).toString());
                     return Variant();
                 });
        t.member(QStringLiteral("GetEnabledMso"), {QStringLiteral("idMso")}, 1,
                 [](C& c, const BoundArgs& args) {
                     return Variant(getEnabledMso(c.app(), args.at(0).toString()));
                 });
        t.member(QStringLiteral("GetImageMso"),
                 {QStringLiteral("idMso"), QStringLiteral("Width"), QStringLiteral("Height")}, 3,
                 [](C& c, const BoundArgs& args) {
                     c.app();
                     return Variant(getImageMso(args.at(0).toString(), args.at(1).toInt32(),
                                                args.at(2).toInt32()));
                 });
        t.member(QStringLiteral("GetLabelMso"), {QStringLiteral("idMso")}, 1,
                 [](C& c, const BoundArgs& args) {
                     c.app();
                     return Variant(getLabelMso(args.at(0).toString()));
                 });
        t.prop(QStringLiteral("Application"),
               [](C& c) { return Variant(c.app().shared_from_this()); });
        t.prop(QStringLiteral("Parent"), [](C& c) { return Variant(c.app().shared_from_this()); });
        return t;
    }();
    return table;
}

} // namespace host::objects
