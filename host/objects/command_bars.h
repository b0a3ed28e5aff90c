#pragma once

#include "host/automation/member_table.h"
#include "host/objects/command_bar_control.h"

#include <functional>
#include <map>
#include <memory>
#include <vector>

namespace host::objects {

class Application;
class CommandBar;
enum class BarType;

// The host's command bars: the menu bar, the toolbars and the context menus, with the
// built-in controls standing on them (built_in_bars.h) and whatever add-ins added. The host
// application's menus and toolbars are views of this model; every change is announced
// (ChangeKind::CommandBars).
class CommandBars : public TableDispatch<CommandBars>
{
public:
    explicit CommandBars(Application& app);

    static const MemberTable<CommandBars>& members();
    QString className() const override { return QStringLiteral("CommandBars"); }
    std::vector<Variant> enumerate() override;

    Application& app() const;
    void detach();
    bool attached() const { return m_app != nullptr; }

    // What the built-in control with `id` does; every copy of it shares this.
    void addBuiltIn(BuiltInControl control);
    const BuiltInControl* builtIn(int id) const;
    // The command the host application runs for a built-in control (the save dialog, say).
    void setBuiltInAction(int id, std::function<void(Application&)> action);

    std::shared_ptr<CommandBar> addBar(const QString& name, const QString& nameLocal, BarType type,
                                       bool builtIn);
    void removeBar(const CommandBar& bar);
    const std::vector<std::shared_ptr<CommandBar>>& bars() const { return m_bars; }
    // By name or local name, letter case ignored; none when there is no such bar.
    std::shared_ptr<CommandBar> bar(const QString& name) const;

    // Every control of every bar, pop-ups' controls included, depth first in bar order.
    std::vector<std::shared_ptr<CommandBarControl>> allControls() const;
    // Raises the event on every control that stands for the same command as `source`.
    void raiseControlEvent(const CommandBarControl& source, const QString& event,
                           std::vector<Variant>& args) const;

    void changed() const;

private:
    ObjectRef findControl(const BoundArgs& args) const;
    std::vector<std::shared_ptr<CommandBarControl>> findControls(const BoundArgs& args) const;
    ObjectRef item(const Variant& index) const;

    Application* m_app;
    std::map<int, BuiltInControl> m_builtIns;
    std::vector<std::shared_ptr<CommandBar>> m_bars;
};

// Whether a control answers a FindControl(s) search: Type, Id, Tag and Visible as given
// (arguments left out match anything).
bool matchesSearch(const CommandBarControl& control, const BoundArgs& args);

// The Ids of the built-in controls whose state the suite reads.
inline constexpr int kControlNew = 18;     // disabled while a cell is being edited
inline constexpr int kControlSaveAs = 748; // disabled while no workbook is open

} // namespace host::objects
