#pragma once

#include <QCoreApplication>

#include <memory>

class QMenu;
class QWidget;

namespace host::objects {
class Workbook;
}

namespace host_app {

class EditHistory;
class HostDialogs;

// What the sheet tabs offer: the tab's context menu (insert, delete with the usual question,
// rename, move left or right, protect or unprotect, select all sheets, ungroup) and the
// gestures on the tabs (a double click renames, a drag moves, Ctrl or Shift groups). Host
// errors show as messages; dialogs are asked through `dialogs`.
class SheetActions
{
    Q_DECLARE_TR_FUNCTIONS(host_app::SheetActions)

public:
    SheetActions(std::shared_ptr<host::objects::Workbook> book, EditHistory& history,
                 HostDialogs& dialogs, QWidget* owner)
        : m_book(std::move(book)), m_history(history), m_dialogs(dialogs), m_owner(owner)
    {
    }

    // `sheet` is 0-based among all the workbook's sheets.
    void fillMenu(QMenu& menu, int sheet);
    void rename(int sheet);
    void move(int sheet, int to);
    void group(int sheet, bool span);
    void remove(int sheet);
    void protect(int sheet);
    void unprotect(int sheet);

private:
    void run(const std::function<void()>& action) const;

    std::shared_ptr<host::objects::Workbook> m_book;
    EditHistory& m_history;
    HostDialogs& m_dialogs;
    QWidget* m_owner;
};

} // namespace host_app
