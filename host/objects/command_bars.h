#pragma once

#include "host/automation/member_table.h"

#include <functional>
#include <memory>
#include <vector>

namespace host::objects {

class Application;

// A built-in control of the host: its Id, caption, when it is enabled and what Execute does
// (none: Execute is refused).
struct BuiltInControl
{
    int id = 0;
    QString caption;
    std::function<bool(const Application&)> enabled;
    std::function<void(Application&)> execute;
    // A combo box's entries (List, ListCount); none for a button.
    std::function<QStringList(const Application&)> list;
};

class CommandBarControl : public TableDispatch<CommandBarControl>
{
public:
    CommandBarControl(std::weak_ptr<Dispatch> app, const BuiltInControl& control)
        : m_app(std::move(app)), m_control(control)
    {
    }

    static const MemberTable<CommandBarControl>& members();
    QString className() const override
    {
        return m_control.list ? QStringLiteral("CommandBarComboBox")
                              : QStringLiteral("CommandBarButton");
    }

private:
    Application& app() const;
    QStringList entries() const;

    std::weak_ptr<Dispatch> m_app;
    BuiltInControl m_control;
};

// The host's command bars, as far as the suite looks at them: FindControl finds built-in
// controls by Id. Controls are created per lookup and answer the host's state at the time
// they are asked.
class CommandBars : public TableDispatch<CommandBars>
{
public:
    explicit CommandBars(Application& app);

    static const MemberTable<CommandBars>& members();
    QString className() const override { return QStringLiteral("CommandBars"); }

    void addBuiltIn(BuiltInControl control);
    void detach() { m_app = nullptr; }
    bool attached() const { return m_app != nullptr; }

private:
    Application& app() const;
    ObjectRef findControl(const BoundArgs& args);

    Application* m_app;
    std::vector<BuiltInControl> m_builtIns;
};

// The Ids of the built-in controls whose state the suite reads.
inline constexpr int kControlNew = 18;     // disabled while a cell is being edited
inline constexpr int kControlSaveAs = 748; // disabled while no workbook is open

} // namespace host::objects
