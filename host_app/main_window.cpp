#include "host_app/main_window.h"

#include "host/model/workbook.h"
#include "host/objects/application.h"
#include "host/objects/built_in_bars.h"
#include "host/objects/command_bars.h"
#include "host/objects/picture_commands.h"
#include "host/objects/window.h"
#include "host/objects/workbook.h"
#include "host/objects/worksheet.h"
#include "host_app/app_switches.h"
#include "host_app/command_bar_view.h"
#include "host_app/crop_mode.h"
#include "host_app/edit_history.h"
#include "host_app/edit_menu.h"
#include "host_app/host_dialogs.h"
#include "host_app/host_publication.h"
#include "host_app/model_signals.h"
#include "host_app/recent_files.h"
#include "host_app/sheet_view.h"
#include "host_app/workbook_window.h"

#include <QCloseEvent>
#include <QFileInfo>
#include <QLabel>
#include <QMdiArea>
#include <QMdiSubWindow>
#include <QMenu>
#include <QMimeData>
#include <QShortcut>
#include <QStatusBar>
#include <QUndoGroup>
#include <QUndoStack>

#include <set>

namespace host_app {

namespace {

using namespace host::objects;

bool isWorkbookFile(const QUrl& url)
{
    const QString suffix = QFileInfo(url.toLocalFile()).suffix().toLower();
    return url.isLocalFile() && (suffix == u"xlsx" || suffix == u"xlsm");
}

// The built-in commands this window carries out.
constexpr int kWindowCommands[] = {kControlOpen,  kControlSave, kControlSaveAs,
                                   kControlClose, kControlExit, kControlArrange,
                                   kControlUndo,  kControlRedo, kControlCrop};

} // namespace

MainWindow::MainWindow(Application& app, HostDialogs& dialogs, RecentFiles& recent, QWidget* parent)
    : QMainWindow(parent), m_app(app), m_dialogs(dialogs), m_recent(recent),
      m_signals(new ModelSignals(app, this)), m_history(new EditHistory(app, this)),
      m_workbookCommands(app, dialogs, recent), m_mdi(new QMdiArea(this)),
      m_refresh([this](unsigned) { reconcile(); })
{
    m_app.options().captionFollowsWorkbook = true;
    m_workbookCommands.setOwner(this);
    setCentralWidget(m_mdi);
    m_mdi->setViewMode(QMdiArea::SubWindowView);
    m_mdi->setActivationOrder(QMdiArea::ActivationHistoryOrder);
    setAcceptDrops(true);
    statusBar()->addWidget(new QLabel(tr("準備完了"), this));

    m_commandBars = new CommandBarView(*this, app.commandBars(), *m_signals);
    m_commandBars->setMenuExtender([this](int id, QMenu& menu) { extendMenu(id, menu); });
    m_switches = new AppSwitches(app, *m_signals, this);
    installBuiltInActions();

    connect(m_signals, &ModelSignals::workbooksChanged, this, [this] { m_refresh.request(1); });
    connect(m_signals, &ModelSignals::switchesChanged, this, [this] { m_refresh.request(1); });
    connect(m_mdi, &QMdiArea::subWindowActivated, this,
            [this](QMdiSubWindow* sub) { followActivation(sub); });

    // The id the desktop knows this window by, for the host's Hwnd and the registry.
    m_app.setMainWindowId(std::int32_t(winId()));
    m_publication = new HostPublication(app, *m_signals, this);
    reconcile();
}

MainWindow::~MainWindow()
{
    CommandBars& bars = m_app.commandBars();
    if (bars.attached())
        for (int id : kWindowCommands)
            bars.setBuiltInAction(id, {});
    if (bars.attached())
        bars.setBuiltInAction(kControlInsertPictureFromFile, insertPicturesFromFiles);
    m_app.options().saveAsDialog = {};
    m_app.options().pictureFilesDialog = {};
    m_app.options().windowCommandEnabled = {};
    for (const auto& [book, sub] : m_windows)
        sub->removeEventFilter(this);
    // The workbook windows go with the area after this object has stopped being a main
    // window; the area's last activation must not reach it.
    disconnect(m_mdi, nullptr, this, nullptr);
}

void MainWindow::installBuiltInActions()
{
    CommandBars& bars = m_app.commandBars();
    bars.setBuiltInAction(kControlOpen,
                          [this](Application&) { m_workbookCommands.openWithDialog(); });
    bars.setBuiltInAction(kControlSave, [this](Application&) {
        if (const auto book = activeBook())
            m_workbookCommands.save(*book);
    });
    bars.setBuiltInAction(kControlSaveAs, [this](Application&) {
        if (const auto book = activeBook())
            m_workbookCommands.saveAs(*book);
    });
    bars.setBuiltInAction(kControlClose, [this](Application&) {
        if (const auto book = activeBook())
            m_workbookCommands.close(*book);
    });
    bars.setBuiltInAction(kControlExit, [this](Application&) { close(); });
    bars.setBuiltInAction(kControlArrange, [this](Application&) { m_mdi->tileSubWindows(); });
    bars.setBuiltInAction(kControlUndo, [this](Application&) { m_history->group().undo(); });
    bars.setBuiltInAction(kControlRedo, [this](Application&) { m_history->group().redo(); });
    // Pictures the user inserts are one step on the stack (none when the dialog is cancelled).
    bars.setBuiltInAction(kControlInsertPictureFromFile, [this](Application& app) {
        const auto sheet = app.activeSheet();
        if (!sheet || !sheet->hasCells()) {
            insertPicturesFromFiles(app);
            return;
        }
        host::model::Sheet before = m_history->snapshot(*sheet);
        {
            const EditHistory::UserEdit scope(*m_history);
            insertPicturesFromFiles(app);
        }
        if (sheet->sheet().drawing.nextId != before.drawing.nextId)
            m_history->finish(*sheet, tr("図の挿入"), std::move(before));
    });
    bars.setBuiltInAction(kControlCrop, [this](Application&) {
        if (WorkbookWindow* shown = activeWorkbookWindow())
            shown->cropMode().enter();
    });
    m_app.options().windowCommandEnabled = [this](int id) { return windowCommandEnabled(id); };
    // The stack's changes come with the model's, which refresh the commands' states; a stack
    // emptied or moved through without one needs its own.
    connect(&m_history->group(), &QUndoGroup::indexChanged, this,
            [this] { m_app.announce(ChangeKind::Switches); });
    connect(&m_history->group(), &QUndoGroup::activeStackChanged, this,
            [this] { m_app.announce(ChangeKind::Switches); });
    // Ctrl+Z and Ctrl+Y run the menu's commands (their Click events first); an editor with
    // the focus keeps them for its own text.
    const auto shortcut = [this](const QKeySequence& keys, int id) {
        connect(new QShortcut(keys, this), &QShortcut::activated, this, [this, id] {
            m_commandBars->flush();
            for (QAction* action : m_commandBars->actionsFor(id))
                if (action->isEnabled()) {
                    action->trigger();
                    return;
                }
        });
    };
    shortcut(QKeySequence::Undo, kControlUndo);
    shortcut(QKeySequence(Qt::CTRL | Qt::Key_Y), kControlRedo);
    m_app.options().saveAsDialog = [this](const SaveAsQuestion& question) {
        return m_dialogs.saveFileName(this, question.title, question.initialFileName,
                                      question.fileFilter, question.filterIndex);
    };
    m_app.options().pictureFilesDialog = [this] { return m_dialogs.picturesToInsert(this); };
}

bool MainWindow::windowCommandEnabled(int id) const
{
    if (m_app.options().cellEditing)
        return false;
    switch (id) {
    case kControlUndo:
        return m_history->group().canUndo();
    case kControlRedo:
        return m_history->group().canRedo();
    default:
        return false;
    }
}

std::shared_ptr<Workbook> MainWindow::activeBook() const
{
    return m_app.activeWorkbook();
}

WorkbookWindow* MainWindow::windowFor(const Workbook& book) const
{
    const auto found = m_windows.find(&book);
    return found == m_windows.end() ? nullptr
                                    : static_cast<WorkbookWindow*>(found->second->widget());
}

WorkbookWindow* MainWindow::activeWorkbookWindow() const
{
    const auto book = activeBook();
    return book ? windowFor(*book) : nullptr;
}

void MainWindow::flush()
{
    m_refresh.flush();
    m_commandBars->flush();
}

void MainWindow::reconcile()
{
    m_reconciling = true;
    std::set<const Workbook*> open;
    for (const auto& book : m_app.workbooks())
        if (!book->isAddin())
            open.insert(book.get());

    for (auto it = m_windows.begin(); it != m_windows.end();) {
        if (open.count(it->first)) {
            ++it;
            continue;
        }
        QMdiSubWindow* sub = it->second;
        m_history->forget(it->first);
        sub->removeEventFilter(this);
        m_mdi->removeSubWindow(sub);
        delete sub;
        it = m_windows.erase(it);
    }
    for (const auto& book : m_app.workbooks()) {
        if (book->isAddin())
            continue;
        QMdiSubWindow*& sub = m_windows[book.get()];
        if (!sub) {
            auto* window = new WorkbookWindow(book, *m_signals, *m_history, m_dialogs);
            connect(&window->view(), &SheetView::contextMenuRequested, this,
                    [this](const QString& bar, const QPoint& at) {
                        if (QMenu* menu = m_commandBars->popupMenu(bar))
                            menu->popup(at);
                    });
            sub = m_mdi->addSubWindow(window);
            sub->setAttribute(Qt::WA_DeleteOnClose, false);
            sub->installEventFilter(this);
            // Maximised, as the first one is, unless the user arranged them otherwise.
            const bool maximised =
                m_windows.size() == 1 ||
                std::any_of(m_windows.begin(), m_windows.end(),
                            [](const auto& w) { return w.second && w.second->isMaximized(); });
            if (maximised)
                sub->showMaximized();
            else
                sub->show();
            // A new window takes the keys in its cells, not in its formula bar.
            window->view().setFocus(Qt::OtherFocusReason);
        }
        sub->setWindowTitle(book->name());
    }
    m_history->setActive(activeBook().get());
    if (const auto active = activeBook()) {
        QMdiSubWindow* sub = m_windows[active.get()];
        if (m_mdi->activeSubWindow() != sub)
            m_mdi->setActiveSubWindow(sub);
    }
    setWindowTitle(m_app.caption());
    m_reconciling = false;
}

void MainWindow::followActivation(QMdiSubWindow* sub)
{
    if (m_reconciling || !sub)
        return;
    for (const auto& [book, window] : m_windows)
        if (window == sub && activeBook().get() != book) {
            auto* shown = static_cast<WorkbookWindow*>(sub->widget());
            shown->book()->activate();
        }
}

bool MainWindow::eventFilter(QObject* watched, QEvent* event)
{
    if (event->type() == QEvent::WindowStateChange && !m_reconciling) {
        // The user minimised, restored or maximised a workbook window: its WindowState.
        for (const auto& [book, sub] : m_windows)
            if (sub == watched) {
                const Qt::WindowStates state = sub->windowState();
                const int value = state & Qt::WindowMinimized   ? kWindowMinimized
                                  : state & Qt::WindowMaximized ? kWindowMaximized
                                                                : kWindowNormal;
                const auto held = static_cast<WorkbookWindow*>(sub->widget())->book();
                if (held->attached())
                    held->window()->let(QStringLiteral("WindowState"),
                                        host::Variant(std::int32_t(value)));
            }
        return QMainWindow::eventFilter(watched, event);
    }
    if (event->type() != QEvent::Close)
        return QMainWindow::eventFilter(watched, event);
    for (const auto& [book, sub] : m_windows)
        if (sub == watched) {
            // The window goes when its workbook closes; the user may keep it open.
            event->ignore();
            const auto held = static_cast<WorkbookWindow*>(sub->widget())->book();
            m_workbookCommands.close(*held);
            m_refresh.request(1);
            return true;
        }
    return QMainWindow::eventFilter(watched, event);
}

void MainWindow::changeEvent(QEvent* event)
{
    // A maximised workbook window adds its title to the main window's; the title stays the
    // host's Caption, which is what the desktop finds the window by.
    if (event->type() == QEvent::WindowTitleChange && windowTitle() != m_app.caption())
        setWindowTitle(m_app.caption());
    QMainWindow::changeEvent(event);
}

void MainWindow::closeEvent(QCloseEvent* event)
{
    if (!m_workbookCommands.closeAll()) {
        event->ignore();
        return;
    }
    event->accept();
}

void MainWindow::dragEnterEvent(QDragEnterEvent* event)
{
    const QList<QUrl> urls = event->mimeData()->urls();
    if (std::any_of(urls.begin(), urls.end(), isWorkbookFile))
        event->acceptProposedAction();
}

void MainWindow::dropEvent(QDropEvent* event)
{
    QStringList files;
    for (const QUrl& url : event->mimeData()->urls())
        if (isWorkbookFile(url))
            files << url.toLocalFile();
    if (files.isEmpty())
        return;
    event->acceptProposedAction();
    m_workbookCommands.open(files);
}

void MainWindow::extendMenu(int id, QMenu& menu)
{
    if (id == kMenuFile) {
        QAction* exit = nullptr;
        for (QAction* action : menu.actions())
            if (action->property("controlId").toInt() == kControlExit)
                exit = action;
        const QStringList files = m_recent.files();
        int number = 1;
        for (const QString& file : files) {
            auto* action = new QAction(QStringLiteral("&%1 %2").arg(number++).arg(file), &menu);
            connect(action, &QAction::triggered, this,
                    [this, file] { m_workbookCommands.open({file}); });
            menu.insertAction(exit, action);
        }
        if (!files.isEmpty())
            menu.insertSeparator(exit);
    } else if (id == kMenuEdit) {
        if (WorkbookWindow* shown = activeWorkbookWindow())
            EditMenu::fill(menu, shown->view(), *m_history);
    } else if (id == kMenuWindow) {
        menu.addSeparator();
        int number = 1;
        const auto active = activeBook();
        for (const auto& book : m_app.workbooks()) {
            if (book->isAddin())
                continue;
            auto* action =
                new QAction(QStringLiteral("&%1 %2").arg(number++).arg(book->name()), &menu);
            action->setCheckable(true);
            action->setChecked(book == active);
            const std::weak_ptr<Workbook> weak = book;
            connect(action, &QAction::triggered, this, [weak] {
                if (const auto held = weak.lock(); held && held->attached())
                    held->activate();
            });
            menu.addAction(action);
        }
    }
}

} // namespace host_app
