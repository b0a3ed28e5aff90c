#pragma once

#include "host/automation/member_table.h"

#include <functional>
#include <memory>
#include <vector>

namespace host::objects {

class CommandBarControl;
class CommandBars;
enum class ControlType;

// The host's command bar type numbers.
enum class BarType
{
    Toolbar = 0,
    MenuBar = 1,
    Popup = 2,
};

// A command bar: the menu bar, a toolbar, a context menu, or the bar of a pop-up control.
// It owns its controls in their order.
class CommandBar : public TableDispatch<CommandBar>
{
public:
    CommandBar(std::weak_ptr<CommandBars> bars, QString name, QString nameLocal, BarType type,
               bool builtIn);

    static const MemberTable<CommandBar>& members();
    QString className() const override { return QStringLiteral("CommandBar"); }

    const QString& name() const { return m_name; }
    const QString& nameLocal() const { return m_nameLocal; }
    BarType type() const { return m_type; }
    bool visible() const { return m_visible; }
    bool builtIn() const { return m_builtIn; }
    const std::vector<std::shared_ptr<CommandBarControl>>& controls() const { return m_controls; }
    // The pop-up control this bar belongs to; none for a bar of its own.
    CommandBarControl* owner() const { return m_owner; }
    void setOwner(CommandBarControl* owner) { m_owner = owner; }

    // Adds a control before the 1-based position `before` (0: at the end).
    std::shared_ptr<CommandBarControl> add(ControlType type, int builtInId, int before);
    void insert(std::shared_ptr<CommandBarControl> control, int before);
    void removeControl(const CommandBarControl& control);
    int indexOf(const CommandBarControl& control) const; // 1-based, 0 when not here

    // Every control of the bar, and with `recursive` those of its pop-ups, depth first.
    void visit(bool recursive,
               const std::function<void(const std::shared_ptr<CommandBarControl>&)>& f) const;
    // Cuts the bar's controls loose; the bar then answers "object disconnected".
    void detach();
    bool attached() const { return !m_bars.expired() && m_attached; }

    // The bars this one belongs to; raises when it was deleted or the host ended.
    CommandBars& bars() const;

private:
    ObjectRef findControl(const BoundArgs& args) const;
    void changed() const;

    std::weak_ptr<CommandBars> m_bars;
    QString m_name;
    QString m_nameLocal;
    BarType m_type;
    bool m_builtIn;
    bool m_visible = true;
    bool m_enabled = true;
    bool m_attached = true;
    int m_protection = 0;
    CommandBarControl* m_owner = nullptr;
    std::vector<std::shared_ptr<CommandBarControl>> m_controls;
};

// A bar's controls as a collection (CommandBar.Controls), or a list of controls found
// (CommandBars.FindControls).
class CommandBarControls : public TableDispatch<CommandBarControls>
{
public:
    explicit CommandBarControls(std::shared_ptr<CommandBar> bar) : m_bar(std::move(bar)) {}
    explicit CommandBarControls(std::vector<std::shared_ptr<CommandBarControl>> found)
        : m_found(std::move(found))
    {
    }

    static const MemberTable<CommandBarControls>& members();
    QString className() const override { return QStringLiteral("CommandBarControls"); }
    std::vector<Variant> enumerate() override;

private:
    std::vector<std::shared_ptr<CommandBarControl>> items() const;

    std::shared_ptr<CommandBar> m_bar; // none for a list of found controls
    std::vector<std::shared_ptr<CommandBarControl>> m_found;
};

} // namespace host::objects
