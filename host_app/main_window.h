#pragma once

#include "host_app/coalesced_refresh.h"
#include "host_app/commands/workbook_commands.h"

#include <QMainWindow>

#include <map>
#include <memory>

class QMdiArea;
class QMdiSubWindow;
class QMenu;

namespace host::objects {
class Application;
class Workbook;
} // namespace host::objects

namespace host_app {

class AppSwitches;
class CommandBarView;
class EditHistory;
class HostDialogs;
class HostPublication;
class ModelSignals;
class RecentFiles;
class WorkbookWindow;

// The host application's main window: a window per open workbook inside it, the menu bar and
// toolbars of the host's command bars, and the file commands. It shows the object model and
// follows it: a workbook opened, closed or activated through automation appears, goes or comes
// to the front here; activating a workbook window activates its workbook. Its title is the
// host's Caption, its id the host's Hwnd.
class MainWindow : public QMainWindow
{
    Q_OBJECT

public:
    MainWindow(host::objects::Application& app, HostDialogs& dialogs, RecentFiles& recent,
               QWidget* parent = nullptr);
    ~MainWindow() override;

    host::objects::Application& app() const { return m_app; }
    ModelSignals& modelSignals() const { return *m_signals; }
    WorkbookCommands& workbookCommands() { return m_workbookCommands; }
    CommandBarView& commandBars() const { return *m_commandBars; }
    HostPublication& publication() const { return *m_publication; }
    EditHistory& history() const { return *m_history; }
    QMdiArea& mdiArea() const { return *m_mdi; }
    WorkbookWindow* windowFor(const host::objects::Workbook& book) const;
    WorkbookWindow* activeWorkbookWindow() const;

    // Brings the windows up to date with the model now (what a pending refresh would do).
    void flush();

protected:
    void changeEvent(QEvent* event) override;
    void closeEvent(QCloseEvent* event) override;
    void dragEnterEvent(QDragEnterEvent* event) override;
    void dropEvent(QDropEvent* event) override;
    bool eventFilter(QObject* watched, QEvent* event) override;

private:
    void reconcile();
    void followActivation(QMdiSubWindow* sub);
    void extendMenu(int id, QMenu& menu);
    void installBuiltInActions();
    bool windowCommandEnabled(int id) const;
    std::shared_ptr<host::objects::Workbook> activeBook() const;

    host::objects::Application& m_app;
    HostDialogs& m_dialogs;
    RecentFiles& m_recent;
    ModelSignals* m_signals;
    EditHistory* m_history;
    WorkbookCommands m_workbookCommands;
    QMdiArea* m_mdi;
    CommandBarView* m_commandBars;
    AppSwitches* m_switches;
    HostPublication* m_publication;
    CoalescedRefresh m_refresh;
    std::map<const host::objects::Workbook*, QMdiSubWindow*> m_windows;
    bool m_reconciling = false;
};

} // namespace host_app
