#pragma once

#include "host/automation/add_in_workbook.h"
#include "host/automation/events.h"
#include "host/automation/member_table.h"
#include "host/objects/host_options.h"

#include <memory>
#include <vector>

namespace host::model {
struct Workbook;
}
namespace host::render {
class HostClipboard;
}

namespace host::objects {

class ComAddIns;
class CommandBars;
class Workbook;
class Workbooks;
class Worksheet;

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

    ComAddIns& comAddIns() { return *m_comAddIns; }

    // Cuts every object loose when the host ends.
    void detach();

private:
    ObjectRef activeSheetOrRaise(const QString& member) const;
    Variant run(const BoundArgs& args);

    HostOptions m_options;
    EventSource m_events;
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
