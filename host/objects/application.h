#pragma once

#include "host/automation/add_in_workbook.h"
#include "host/automation/events.h"
#include "host/automation/member_table.h"
#include "host/objects/change_notifier.h"
#include "host/objects/host_options.h"

#include <memory>
#include <vector>

namespace host::model {
struct Sheet;
struct Workbook;
} // namespace host::model
namespace host::render {
class HostClipboard;
}

namespace host::objects {

class ComAddIns;
class CommandBars;
class Window;
class Workbook;
class Workbooks;
class Worksheet;

// Application.Cursor's values.
inline constexpr int kCursorDefault = -4143;
inline constexpr int kCursorNorthwestArrow = 1;
inline constexpr int kCursorWait = 2;
inline constexpr int kCursorIBeam = 3;

// The host application: its switches and settings, the open workbooks in the order they
// were opened, which of them is active, and the SheetSelectionChange event.
class Application : public TableDispatch<Application>
{
public:
    explicit Application(HostOptions options);
    ~Application() override;

    static const MemberTable<Application>& members();
    QString className() const override { return QStringLiteral("Application"); }
    EventSource* events() override { return &m_events; }

    HostOptions& options() { return m_options; }
    const HostOptions& options() const { return m_options; }
    QString path() const;
    bool enableEvents() const { return m_enableEvents; }
    // What a copy or cut left on the clipboard (1 copy, 2 cut, 0 nothing): CutCopyMode.
    void setCutCopyMode(int mode) { m_cutCopyMode = mode; }
    int cutCopyMode() const { return m_cutCopyMode; }
    // The clipboard Copy and PasteSpecial use (HostOptions::clipboard; one kept in the
    // process when the options name none). Setting CutCopyMode to False ends a copy of cells
    // and empties the clipboard of them; a copied shape stays on the clipboard.
    render::HostClipboard& clipboard();
    void endCutCopyMode();
    bool displayAlerts() const { return m_displayAlerts; }

    // Opens an add-in workbook of macros (IsAddin True) that Run resolves, after the open
    // workbooks and the add-ins opened before it. A name already open is refused (1004).
    std::shared_ptr<Workbook> openAddIn(AddInWorkbook addIn);
    // The macros of an open add-in workbook; none for any other book.
    const AddInWorkbook* addInOf(const Workbook& book) const;

    // Workbooks, in open order, then the add-in workbooks in the order they were opened.
    std::vector<std::shared_ptr<Workbook>> workbooks() const;
    std::shared_ptr<Workbook> findByName(const QString& name) const;
    std::shared_ptr<Workbook> findByFullName(const QString& fullName) const;
    std::shared_ptr<Workbook> adopt(std::unique_ptr<model::Workbook> book, const QString& fullName);
    std::shared_ptr<Workbook> addNew(int sheetCount);
    std::shared_ptr<Workbook> open(const QString& fileName);
    void closed(Workbook& book); // a workbook left the host
    int nextBookNumber() { return ++m_bookCounter; }

    // The active workbook is the most recently activated open one that is no add-in.
    std::shared_ptr<Workbook> activeWorkbook() const;
    void activated(Workbook& book);
    bool anyWorkbookOpen() const;
    std::shared_ptr<Worksheet> activeSheet() const;
    ObjectRef selection() const;

    void raiseSheetSelectionChange(const ObjectRef& sheet, const ObjectRef& target);

    // The windows of the open workbooks, the active one first, then the others from the most
    // recently active: Application.Windows and each window's Index.
    std::vector<std::shared_ptr<Window>> windows() const;

    // The main window's id on the desktop (Hwnd); 0 while there is none.
    void setMainWindowId(std::int32_t id);
    std::int32_t mainWindowId() const { return m_mainWindowId; }
    // The main window's title: the caption set, or, while none is set and the options say
    // the caption follows the workbook, the active workbook's name before the host's name.
    QString caption() const;
    bool screenUpdating() const { return m_screenUpdating; }
    bool interactive() const { return m_interactive; }
    // Application.Cursor: xlDefault (-4143), xlNorthwestArrow (1), xlWait (2), xlIBeam (3).
    int cursor() const { return m_cursor; }

    // Who shows the model learns of its changes here (change_notifier.h).
    ChangeNotifier& changes() { return m_changes; }
    void announce(ChangeKind kind, const Workbook* book = nullptr,
                  const model::Sheet* sheet = nullptr) const;

    ComAddIns& comAddIns() { return *m_comAddIns; }
    CommandBars& commandBars() { return *m_commandBars; }

    // Cuts every object loose when the host ends.
    void detach();

private:
    ObjectRef activeSheetOrRaise(const QString& member) const;
    Variant run(const BoundArgs& args);

    void setSwitch(bool& value, bool on);

    HostOptions m_options;
    QString m_hostCaption; // the caption the host started with
    EventSource m_events;
    ChangeNotifier m_changes;
    std::int32_t m_mainWindowId = 0;
    bool m_captionSet = false;
    int m_cursor = kCursorDefault;
    bool m_screenUpdating = true;
    bool m_enableEvents = true;
    bool m_interactive = true;
    bool m_displayAlerts = true;
    int m_cutCopyMode = 0;
    int m_bookCounter = 0;
    struct OpenAddIn
    {
        std::shared_ptr<Workbook> book;
        AddInWorkbook macros;
    };

    std::vector<std::shared_ptr<Workbook>> m_books;
    std::vector<OpenAddIn> m_addIns;
    std::vector<Workbook*> m_activation; // most recently activated last
    std::shared_ptr<Workbooks> m_workbooks;
    std::shared_ptr<CommandBars> m_commandBars;
    std::shared_ptr<ComAddIns> m_comAddIns;
};

} // namespace host::objects
