#include "host_app/command_bar_view.h"

#include "host/automation/host_error.h"
#include "host/objects/application.h"
#include "host/objects/built_in_bars.h"
#include "host/objects/command_bar.h"
#include "host/objects/command_bar_control.h"
#include "host/objects/command_bars.h"
#include "host_app/model_signals.h"
#include "platform/message_box.h"

#include <QAction>
#include <QComboBox>
#include <QIcon>
#include <QLineEdit>
#include <QMainWindow>
#include <QMenuBar>
#include <QPixmap>
#include <QStyle>
#include <QToolBar>
#include <QToolButton>

namespace host_app {

using host::objects::BarType;
using host::objects::CommandBar;
using host::objects::CommandBarControl;
using host::objects::ControlType;

namespace {

// Standard faces for the built-in buttons that have one on this desktop.
QIcon faceOf(const CommandBarControl& control, const QStyle& style)
{
    if (!control.face().isNull())
        return QIcon(QPixmap::fromImage(control.face()));
    switch (control.id()) {
    case host::objects::kControlNewButton:
        return style.standardIcon(QStyle::SP_FileIcon);
    case host::objects::kControlOpen:
        return style.standardIcon(QStyle::SP_DialogOpenButton);
    case host::objects::kControlSave:
        return style.standardIcon(QStyle::SP_DialogSaveButton);
    default:
        return {};
    }
}

} // namespace

CommandBarView::CommandBarView(QMainWindow& window, host::objects::CommandBars& bars,
                               ModelSignals& signals)
    : QObject(&window), m_window(window), m_bars(bars),
      m_refresh([this](unsigned what) { refresh(what); })
{
    connect(&signals, &ModelSignals::commandBarsChanged, this,
            [this] { m_refresh.request(Structure); });
    connect(&signals, &ModelSignals::anyChanged, this, [this] { m_refresh.request(States); });
    rebuild();
}

CommandBarView::~CommandBarView() = default;

void CommandBarView::setMenuExtender(std::function<void(int, QMenu&)> extender)
{
    m_extender = std::move(extender);
}

void CommandBarView::refresh(unsigned what)
{
    if (!m_bars.attached())
        return;
    if (what & Structure)
        rebuild();
    refreshStates();
}

void CommandBarView::report(const QString& text) const
{
    platform::showMessage(text, platform::MsgButtons::OK, platform::MsgIcon::Exclamation,
                          m_bars.app().caption());
}

void CommandBarView::click(const std::weak_ptr<CommandBarControl>& control)
{
    const auto held = control.lock();
    if (!held || !held->attached())
        return;
    try {
        held->click();
    } catch (const host::HostError& e) {
        report(e.description());
    }
}

void CommandBarView::choose(const std::weak_ptr<CommandBarControl>& control, const QString& text)
{
    const auto held = control.lock();
    if (!held || !held->attached())
        return;
    try {
        held->choose(text);
    } catch (const host::HostError& e) {
        report(e.description());
    }
    m_refresh.request(States);
}

QAction* CommandBarView::actionOf(const std::shared_ptr<CommandBarControl>& control,
                                  QObject* parent)
{
    auto* action = new QAction(control->caption(), parent);
    action->setToolTip(control->tooltip());
    action->setIcon(faceOf(*control, *m_window.style()));
    action->setProperty("controlId", control->id());
    const std::weak_ptr<CommandBarControl> weak = control;
    connect(action, &QAction::triggered, this, [this, weak] { click(weak); });
    track(action, weak);
    return action;
}

void CommandBarView::track(QAction* action, std::weak_ptr<CommandBarControl> control)
{
    m_actions.insert(action, std::move(control));
    connect(action, &QObject::destroyed, this, [this, action] { m_actions.remove(action); });
}

void CommandBarView::fillMenu(QMenu& menu, const CommandBar& bar)
{
    // The pop-ups built last time go with their actions.
    for (QMenu* old : menu.findChildren<QMenu*>(Qt::FindDirectChildrenOnly))
        delete old;
    menu.clear();
    for (const auto& control : bar.controls()) {
        if (!control->visible())
            continue;
        if (control->beginGroup() && !menu.isEmpty())
            menu.addSeparator();
        if (control->type() == ControlType::Popup) {
            QMenu* sub = menu.addMenu(control->caption());
            sub->menuAction()->setProperty("controlId", control->id());
            track(sub->menuAction(), control);
            const auto popup = control->popupBar();
            const int id = control->id();
            connect(sub, &QMenu::aboutToShow, this, [this, sub, popup, id] {
                fillMenu(*sub, *popup);
                if (m_extender)
                    m_extender(id, *sub);
                refreshStates();
            });
            fillMenu(*sub, *popup);
        } else {
            menu.addAction(actionOf(control, &menu));
        }
    }
}

void CommandBarView::fillToolBar(QToolBar& toolBar, const CommandBar& bar)
{
    for (const auto& control : bar.controls()) {
        if (!control->visible())
            continue;
        if (control->beginGroup() && !toolBar.actions().isEmpty())
            toolBar.addSeparator();
        switch (control->type()) {
        case ControlType::Popup: {
            auto* button = new QToolButton(&toolBar);
            button->setText(control->caption());
            button->setPopupMode(QToolButton::InstantPopup);
            auto* menu = new QMenu(button);
            fillMenu(*menu, *control->popupBar());
            button->setMenu(menu);
            QAction* added = toolBar.addWidget(button);
            added->setProperty("controlId", control->id());
            track(added, control);
            break;
        }
        case ControlType::ComboBox:
        case ControlType::DropDown:
        case ControlType::Edit: {
            auto* box = new QComboBox(&toolBar);
            box->setEditable(control->type() != ControlType::DropDown);
            box->setObjectName(QStringLiteral("control") + QString::number(control->id()));
            box->setToolTip(control->tooltip());
            box->setInsertPolicy(QComboBox::NoInsert);
            box->setMinimumContentsLength(control->id() == host::objects::kControlZoomBox ? 5 : 14);
            box->setSizeAdjustPolicy(QComboBox::AdjustToMinimumContentsLengthWithIcon);
            const std::weak_ptr<CommandBarControl> weak = control;
            connect(box, &QComboBox::textActivated, this,
                    [this, weak](const QString& text) { choose(weak, text); });
            m_combos.insert(box, weak);
            connect(box, &QObject::destroyed, this, [this, box] { m_combos.remove(box); });
            QAction* added = toolBar.addWidget(box);
            added->setProperty("controlId", control->id());
            break;
        }
        default:
            toolBar.addAction(actionOf(control, &toolBar));
            break;
        }
    }
}

void CommandBarView::rebuild()
{
    QMenuBar* menuBar = m_window.menuBar();
    menuBar->setVisible(!m_barsHidden);
    for (QMenu* old : menuBar->findChildren<QMenu*>(Qt::FindDirectChildrenOnly))
        delete old;
    menuBar->clear();
    for (QToolBar* toolBar : m_toolBars) {
        m_window.removeToolBar(toolBar);
        delete toolBar;
    }
    m_toolBars.clear();

    for (const auto& bar : m_bars.bars()) {
        if (bar->type() == BarType::MenuBar) {
            for (const auto& control : bar->controls()) {
                if (!control->visible())
                    continue;
                if (control->type() != ControlType::Popup) {
                    menuBar->addAction(actionOf(control, menuBar));
                    continue;
                }
                QMenu* menu = menuBar->addMenu(control->caption());
                menu->menuAction()->setProperty("controlId", control->id());
                track(menu->menuAction(), control);
                const auto popup = control->popupBar();
                const int id = control->id();
                connect(menu, &QMenu::aboutToShow, this, [this, menu, popup, id] {
                    fillMenu(*menu, *popup);
                    if (m_extender)
                        m_extender(id, *menu);
                    refreshStates();
                });
                fillMenu(*menu, *popup);
            }
        } else if (bar->type() == BarType::Toolbar) {
            auto* toolBar = new QToolBar(bar->nameLocal(), &m_window);
            toolBar->setObjectName(bar->name());
            toolBar->setToolButtonStyle(Qt::ToolButtonTextBesideIcon);
            fillToolBar(*toolBar, *bar);
            m_window.addToolBar(toolBar);
            toolBar->setVisible(bar->visible() && !m_barsHidden);
            m_toolBars.push_back(toolBar);
        }
    }
}

void CommandBarView::refreshStates()
{
    for (auto it = m_actions.cbegin(); it != m_actions.cend(); ++it) {
        const auto control = it.value().lock();
        if (control && control->attached())
            it.key()->setEnabled(control->enabled());
    }
    for (auto it = m_combos.cbegin(); it != m_combos.cend(); ++it) {
        const auto control = it.value().lock();
        if (!control || !control->attached())
            continue;
        QComboBox* box = it.key();
        box->setEnabled(control->enabled());
        QString text;
        QStringList entries;
        try {
            text = control->text();
            entries = control->entries();
        } catch (const host::HostError&) {
        }
        QStringList shown;
        for (int i = 0; i < box->count(); ++i)
            shown << box->itemText(i);
        if (shown != entries) {
            const QSignalBlocker quiet(box);
            box->clear();
            box->addItems(entries);
        }
        if (box->isEditable() && !box->lineEdit()->hasFocus())
            box->setEditText(text);
        else if (!box->isEditable())
            box->setCurrentText(text);
    }
}

QMenu* CommandBarView::popupMenu(const QString& barName)
{
    const auto bar = m_bars.bar(barName);
    if (!bar)
        return nullptr;
    auto* menu = new QMenu(&m_window);
    menu->setAttribute(Qt::WA_DeleteOnClose);
    fillMenu(*menu, *bar);
    refreshStates();
    return menu;
}

QList<QAction*> CommandBarView::actionsFor(int id) const
{
    QList<QAction*> out;
    for (auto it = m_actions.cbegin(); it != m_actions.cend(); ++it)
        if (it.key()->property("controlId").toInt() == id)
            out << it.key();
    return out;
}

QComboBox* CommandBarView::comboFor(int id) const
{
    for (auto it = m_combos.cbegin(); it != m_combos.cend(); ++it)
        if (const auto control = it.value().lock(); control && control->id() == id)
            return it.key();
    return nullptr;
}

QToolBar* CommandBarView::toolBar(const QString& barName) const
{
    for (QToolBar* toolBar : m_toolBars)
        if (toolBar->objectName() == barName)
            return toolBar;
    return nullptr;
}

void CommandBarView::hideBars()
{
    m_barsHidden = true;
    rebuild();
}

} // namespace host_app
