#pragma once

#include "host/automation/variant.h"
#include "host_app/coalesced_refresh.h"
#include "host_app/ribbon/ribbon_markup.h"

#include <QHash>
#include <QWidget>

#include <memory>
#include <vector>

class QAction;
class QBoxLayout;
class QLabel;
class QTabWidget;
class QToolButton;

namespace host::objects {
class Application;
}

namespace host_app {

class ModelSignals;
class RibbonUi;

// The ribbon of hosts of version 12 and later: the host's own tabs (Home, Insert, and the
// picture tools' Format tab while a picture is selected) and what the add-ins' markup adds,
// drawn from their callbacks, which are called by name on each add-in's published object.
// Markup that does not parse is refused with the host's error report; elements the ribbon does
// not know are reported and left out. Callbacks are read again when the host changes and when
// an add-in invalidates its ribbon object.
class RibbonWidget : public QWidget
{
    Q_OBJECT

public:
    RibbonWidget(host::objects::Application& app, ModelSignals& signals, QWidget* parent = nullptr);
    ~RibbonWidget() override;

    // Adds an add-in's markup; false after the report when it is refused.
    bool addCustomUI(const QString& progId, const host::ObjectRef& addin, const QString& markup);
    // Takes away what an add-in's markup added (its tabs once they hold nothing else, its
    // groups and controls, its repurposed commands), as when it is disconnected. The host's
    // built-in groups it hid show again. False when the ribbon shows nothing of it.
    bool removeCustomUI(const QString& progId);

    QTabWidget& tabs() const { return *m_tabs; }
    // The button or menu button showing a control id, or an item of a menu; for tests.
    QToolButton* buttonFor(const QString& controlId) const;
    QAction* menuItemFor(const QString& controlId) const;
    QWidget* groupFor(const QString& groupId) const;
    // Reads every callback again now.
    void flush();

protected:
    // Key tips: Alt and a tab's key tip choose the tab, then a control's key tip presses it.
    bool eventFilter(QObject* watched, QEvent* event) override;

private:
    struct AddIn;
    struct Item;
    struct Tab;
    Tab& tab(const QString& idMso, const QString& label, bool contextual);
    void buildBuiltInTabs();
    void addTab(const std::shared_ptr<AddIn>& owner, const RibbonNode& node, bool contextual);
    void addGroup(const std::shared_ptr<AddIn>& owner, Tab& into, const RibbonNode& node);
    void addControl(const std::shared_ptr<AddIn>& owner, QBoxLayout& into, const RibbonNode& node,
                    QWidget* parent);
    QWidget* builtInControl(const QString& idMso, const QString& size, QWidget* parent);
    void refreshItem(Item& item);
    void refreshAll();
    void invalidate(const AddIn* owner, const QString& controlId);
    void press(const Item& item);
    void runRepurposed(const QString& idMso);
    host::Variant callback(const AddIn& owner, const QString& name, const QString& controlId,
                           const QString& tag);
    void report(const QString& text) const;

    host::objects::Application& m_app;
    QTabWidget* m_tabs;
    std::vector<std::unique_ptr<Tab>> m_allTabs;
    std::vector<std::shared_ptr<AddIn>> m_addIns;
    std::vector<std::unique_ptr<Item>> m_items;
    QHash<QString, QWidget*> m_groups;
    CoalescedRefresh m_refresh;
    bool m_keytipMode = false;
};

} // namespace host_app
