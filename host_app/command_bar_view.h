#pragma once

#include "host_app/coalesced_refresh.h"

#include <QCoreApplication>
#include <QHash>
#include <QObject>

#include <functional>
#include <memory>
#include <vector>

class QAction;
class QComboBox;
class QMainWindow;
class QMenu;
class QToolBar;

namespace host::objects {
class CommandBar;
class CommandBarControl;
class CommandBars;
} // namespace host::objects

namespace host_app {

class ModelSignals;

// The main window's menu bar, toolbars and context menus as views of the host's command-bar
// model: rebuilt when bars or controls change, their enabled states and texts read again after
// every change of the host. A click runs the control's click (its event first, then its
// command) and shows a host error to the user.
class CommandBarView : public QObject
{
    Q_OBJECT

public:
    CommandBarView(QMainWindow& window, host::objects::CommandBars& bars, ModelSignals& signals);
    ~CommandBarView() override;

    // Adds what a pop-up shows besides its controls (recent files, the open windows); called
    // with the pop-up's built-in Id each time its menu is about to show.
    void setMenuExtender(std::function<void(int id, QMenu& menu)> extender);

    // A menu of the pop-up command bar with this name, built now; null when there is none.
    QMenu* popupMenu(const QString& barName);

    // The actions and boxes that show the controls with this Id: for tests and for looking up.
    QList<QAction*> actionsFor(int id) const;
    QComboBox* comboFor(int id) const;
    QToolBar* toolBar(const QString& barName) const;

    // Keeps the menu bar and the toolbars hidden, as a host with a ribbon has them; the
    // context menus stay.
    void hideBars();

    // Reads the model again now (what a pending refresh would do).
    void flush() { m_refresh.flush(); }

private:
    enum Refresh : unsigned
    {
        Structure = 1,
        States = 2,
    };
    void refresh(unsigned what);
    void rebuild();
    void refreshStates();
    void track(QAction* action, std::weak_ptr<host::objects::CommandBarControl> control);
    void fillMenu(QMenu& menu, const host::objects::CommandBar& bar);
    QAction* actionOf(const std::shared_ptr<host::objects::CommandBarControl>& control,
                      QObject* parent);
    void fillToolBar(QToolBar& toolBar, const host::objects::CommandBar& bar);
    void click(const std::weak_ptr<host::objects::CommandBarControl>& control);
    void choose(const std::weak_ptr<host::objects::CommandBarControl>& control,
                const QString& text);
    void report(const QString& text) const;

    QMainWindow& m_window;
    bool m_barsHidden = false;
    host::objects::CommandBars& m_bars;
    CoalescedRefresh m_refresh;
    std::function<void(int, QMenu&)> m_extender;
    std::vector<QToolBar*> m_toolBars;
    QHash<QAction*, std::weak_ptr<host::objects::CommandBarControl>> m_actions;
    QHash<QComboBox*, std::weak_ptr<host::objects::CommandBarControl>> m_combos;
};

} // namespace host_app
