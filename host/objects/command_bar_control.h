#pragma once

#include "host/automation/events.h"
#include "host/automation/member_table.h"

#include <QImage>
#include <QStringList>

#include <functional>
#include <memory>

namespace host::objects {

class Application;
class CommandBar;
class CommandBars;

// The host's control type numbers.
enum class ControlType
{
    Button = 1,
    Edit = 2,
    DropDown = 3,
    ComboBox = 4,
    Popup = 10,
};

// What a built-in control does, wherever a copy of it stands: its Id, caption, when it is
// enabled and what it does when clicked (none: Execute is refused). The host application
// supplies the actions that need its windows (CommandBars::setBuiltInAction).
struct BuiltInControl
{
    int id = 0;
    QString caption;
    std::function<bool(const Application&)> enabled;
    std::function<void(Application&)> execute;
    // A combo box's entries (List, ListCount), its text, and what choosing a text does.
    std::function<QStringList(const Application&)> list;
    std::function<QString(const Application&)> text;
    std::function<void(Application&, const QString&)> applyText;
    ControlType type = ControlType::Button;
};

// A control on a command bar: a button, a combo box or a pop-up holding a bar of its own.
// Controls live as long as their bar holds them; a deleted control answers "object
// disconnected". A click (the user's, or Execute) raises Click(Ctrl, CancelDefault) first on
// this control and on every other control that stands for the same command (the same tag, or
// the same built-in Id), and runs the command unless a handler set CancelDefault.
class CommandBarControl : public TableDispatch<CommandBarControl>
{
public:
    CommandBarControl(std::weak_ptr<CommandBars> bars, CommandBar* parent, ControlType type,
                      int builtInId);
    ~CommandBarControl() override;

    static const MemberTable<CommandBarControl>& members();
    QString className() const override;
    EventSource* events() override { return &m_events; }

    ControlType type() const { return m_type; }
    int id() const { return m_builtInId ? m_builtInId : 1; }
    bool builtIn() const { return m_builtInId != 0; }
    QString caption() const;
    const QString& tag() const { return m_tag; }
    bool beginGroup() const { return m_beginGroup; }
    bool visible() const { return m_visible; }
    int faceId() const { return m_faceId; }
    // The picture pasted onto the button (PasteFace); null while it shows its FaceId.
    const QImage& face() const { return m_face; }
    QString tooltip() const;
    bool enabled() const;
    bool attached() const { return m_parent != nullptr; }
    CommandBar* parentBar() const { return m_parent; }
    // The bar of a pop-up's controls; none for other controls.
    std::shared_ptr<CommandBar> popupBar() const { return m_popup; }

    // A combo box's entries and its text, as the host's state makes them.
    QStringList entries() const;
    QString text() const;

    // What the user's click does: the Click event, then the command unless cancelled. Host
    // errors of the command reach the caller.
    void click();
    // What choosing a text in a combo box does: the Change event, then the command.
    void choose(const QString& text);

    // The same control again (its caption, tag, face and action) for another bar.
    std::shared_ptr<CommandBarControl> copyFor(CommandBar* parent) const;
    bool sameCommand(const CommandBarControl& other) const;
    // Cuts the control and its pop-up's controls loose from their bars.
    void detach();

private:
    CommandBars& bars() const;
    Application& app() const;
    const BuiltInControl* definition() const;
    void check() const; // raises when the control was deleted
    void changed() const;
    void execute();
    void remove();

    std::weak_ptr<CommandBars> m_bars;
    CommandBar* m_parent;
    ControlType m_type;
    int m_builtInId;
    QString m_caption; // a caption set replaces the built-in one
    bool m_captionSet = false;
    QString m_tag;
    QString m_onAction;
    QString m_parameter;
    QString m_tooltip;
    QString m_text;      // a custom combo box's text
    QStringList m_items; // a custom combo box's entries
    int m_style = 0;
    int m_faceId = 0;
    QImage m_face;
    bool m_beginGroup = false;
    bool m_visible = true;
    bool m_enabled = true; // custom controls; built-in ones follow the host
    bool m_temporary = false;
    std::shared_ptr<CommandBar> m_popup;
    EventSource m_events;

    friend class CommandBar;
};

} // namespace host::objects
