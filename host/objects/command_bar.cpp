#include "host/objects/command_bar.h"

#include "host/objects/application.h"
#include "host/objects/command_bar_control.h"
#include "host/objects/command_bars.h"
#include "host/objects/disconnected.h"

#include <algorithm>

namespace host::objects {

CommandBar::CommandBar(std::weak_ptr<CommandBars> bars, QString name, QString nameLocal,
                       BarType type, bool builtIn)
    : m_bars(std::move(bars)), m_name(std::move(name)), m_nameLocal(std::move(nameLocal)),
      m_type(type), m_builtIn(builtIn)
{
}

CommandBars& CommandBar::bars() const
{
    const auto bars = m_bars.lock();
    if (!bars || !bars->attached() || !m_attached)
        raiseDisconnected();
    return *bars;
}

void CommandBar::changed() const
{
    if (const auto bars = m_bars.lock())
        bars->changed();
}

std::shared_ptr<CommandBarControl> CommandBar::add(ControlType type, int builtInId, int before)
{
    auto control = std::make_shared<CommandBarControl>(m_bars, this, type, builtInId);
    insert(control, before);
    return control;
}

void CommandBar::insert(std::shared_ptr<CommandBarControl> control, int before)
{
    if (before < 0 || before > int(m_controls.size()) + 1)
        raise(err::InvalidCall);
    control->m_parent = this;
    const auto at = before == 0 ? m_controls.end() : m_controls.begin() + (before - 1);
    m_controls.insert(at, std::move(control));
}

void CommandBar::removeControl(const CommandBarControl& control)
{
    std::erase_if(m_controls, [&control](const auto& c) { return c.get() == &control; });
}

int CommandBar::indexOf(const CommandBarControl& control) const
{
    for (size_t i = 0; i < m_controls.size(); ++i)
        if (m_controls[i].get() == &control)
            return int(i) + 1;
    return 0;
}

void CommandBar::visit(
    bool recursive, const std::function<void(const std::shared_ptr<CommandBarControl>&)>& f) const
{
    for (const auto& control : m_controls) {
        f(control);
        if (recursive && control->popupBar())
            control->popupBar()->visit(true, f);
    }
}

void CommandBar::detach()
{
    m_attached = false;
    for (const auto& control : m_controls)
        control->detach();
}

ObjectRef CommandBar::findControl(const BoundArgs& args) const
{
    bars();
    const bool recursive = args.value(4, false).toBool();
    ObjectRef found;
    visit(recursive, [&](const std::shared_ptr<CommandBarControl>& control) {
        if (!found && matchesSearch(*control, args))
            found = control;
    });
    return found;
}

const MemberTable<CommandBar>& CommandBar::members()
{
    static const MemberTable<CommandBar> table = [] {
        using B = CommandBar;
        MemberTable<B> t;
        t.prop(QStringLiteral("Name"), [](B& b) {
            b.bars();
            return Variant(b.m_owner ? b.m_owner->caption() : b.m_name);
        });
        t.prop(QStringLiteral("NameLocal"), [](B& b) {
            b.bars();
            return Variant(b.m_owner ? b.m_owner->caption() : b.m_nameLocal);
        });
        t.prop(QStringLiteral("Type"), [](B& b) {
            b.bars();
            return Variant(std::int32_t(b.m_type));
        });
        t.prop(QStringLiteral("BuiltIn"), [](B& b) {
            b.bars();
            return Variant(b.m_builtIn);
        });
        t.prop(QStringLiteral("Index"), [](B& b) {
            const auto& all = b.bars().bars();
            const auto at = std::find_if(all.begin(), all.end(),
                                         [&b](const auto& other) { return other.get() == &b; });
            return Variant(std::int32_t(at == all.end() ? 0 : at - all.begin() + 1));
        });
        t.prop(
            QStringLiteral("Visible"),
            [](B& b) {
                b.bars();
                return Variant(b.m_visible);
            },
            [](B& b, const Variant& v) {
                b.bars();
                b.m_visible = v.toBool();
                b.changed();
            });
        t.prop(
            QStringLiteral("Enabled"),
            [](B& b) {
                b.bars();
                return Variant(b.m_enabled);
            },
            [](B& b, const Variant& v) {
                b.bars();
                b.m_enabled = v.toBool();
                b.changed();
            });
        t.prop(
            QStringLiteral("Protection"),
            [](B& b) {
                b.bars();
                return Variant(std::int32_t(b.m_protection));
            },
            [](B& b, const Variant& v) {
                b.bars();
                b.m_protection = v.toInt32();
            });
        t.prop(QStringLiteral("Controls"), [](B& b) {
            b.bars();
            return Variant(ObjectRef(std::make_shared<CommandBarControls>(
                std::static_pointer_cast<CommandBar>(b.shared_from_this()))));
        });
        t.member(QStringLiteral("FindControl"),
                 {QStringLiteral("Type"), QStringLiteral("Id"), QStringLiteral("Tag"),
                  QStringLiteral("Visible"), QStringLiteral("Recursive")},
                 0, [](B& b, const BoundArgs& args) { return Variant(b.findControl(args)); });
        t.member(QStringLiteral("Delete"), {}, 0, [](B& b, const BoundArgs&) {
            CommandBars& bars = b.bars();
            if (b.m_builtIn || b.m_owner)
                raise(err::ApplicationDefined,
                      QStringLiteral("Method 'Delete' of object 'CommandBar' failed"));
            bars.removeBar(b);
            return Variant();
        });
        t.prop(QStringLiteral("Parent"), [](B& b) { return Variant(b.bars().shared_from_this()); });
        t.prop(QStringLiteral("Application"),
               [](B& b) { return Variant(b.bars().app().shared_from_this()); });
        return t;
    }();
    return table;
}

std::vector<std::shared_ptr<CommandBarControl>> CommandBarControls::items() const
{
    if (!m_bar)
        return m_found;
    if (!m_bar->attached())
        raiseDisconnected();
    return m_bar->controls();
}

std::vector<Variant> CommandBarControls::enumerate()
{
    std::vector<Variant> out;
    for (const auto& control : items())
        out.emplace_back(ObjectRef(control));
    return out;
}

const MemberTable<CommandBarControls>& CommandBarControls::members()
{
    static const MemberTable<CommandBarControls> table = [] {
        using L = CommandBarControls;
        MemberTable<L> t;
        t.prop(QStringLiteral("Count"),
               [](L& l) { return Variant(std::int32_t(l.items().size())); });
        t.member(
            QStringLiteral("Item"), {QStringLiteral("Index")}, 1, [](L& l, const BoundArgs& args) {
                const auto items = l.items();
                const Variant& index = args.at(0);
                if (index.type() == VarType::String) {
                    for (const auto& control : items)
                        if (control->caption().compare(index.toString(), Qt::CaseInsensitive) == 0)
                            return Variant(ObjectRef(control));
                    raise(err::InvalidCall);
                }
                const std::int32_t i = index.toInt32();
                if (i < 1 || size_t(i) > items.size())
                    raise(err::InvalidCall);
                return Variant(ObjectRef(items[size_t(i - 1)]));
            });
        t.defaultMember(QStringLiteral("Item"));
        // Add(Type, Id, Parameter, Before, Temporary): a button by default; an Id other than
        // 1 puts a copy of that built-in control there.
        t.member(QStringLiteral("Add"),
                 {QStringLiteral("Type"), QStringLiteral("Id"), QStringLiteral("Parameter"),
                  QStringLiteral("Before"), QStringLiteral("Temporary")},
                 0, [](L& l, const BoundArgs& args) {
                     if (!l.m_bar)
                         raise(err::NotSupported);
                     CommandBars& bars = l.m_bar->bars();
                     const std::int32_t id = args.value(1, std::int32_t(1)).toInt32();
                     const BuiltInControl* builtIn = id > 1 ? bars.builtIn(id) : nullptr;
                     if (id > 1 && !builtIn)
                         raise(err::ApplicationDefined,
                               QStringLiteral("Method 'Add' of object 'CommandBarControls' "
                                              "failed"));
                     auto type = ControlType(
                         args.value(0, std::int32_t(builtIn ? int(builtIn->type) : 1)).toInt32());
                     if (type != ControlType::Button && type != ControlType::Popup &&
                         type != ControlType::ComboBox && type != ControlType::DropDown &&
                         type != ControlType::Edit)
                         raise(err::InvalidCall);
                     if (builtIn)
                         type = builtIn->type;
                     const int before = args.value(3, std::int32_t(0)).toInt32();
                     auto control = l.m_bar->add(type, builtIn ? id : 0, before);
                     if (args.has(2))
                         control->let(QStringLiteral("Parameter"), args.at(2));
                     bars.changed();
                     return Variant(ObjectRef(control));
                 });
        t.prop(QStringLiteral("Parent"), [](L& l) {
            if (!l.m_bar)
                raise(err::NotSupported);
            return Variant(l.m_bar->shared_from_this());
        });
        return t;
    }();
    return table;
}

} // namespace host::objects
