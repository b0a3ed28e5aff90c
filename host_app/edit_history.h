#pragma once

#include "host/objects/change_notifier.h"

#include <QObject>
#include <QString>

#include <functional>
#include <map>

class QUndoCommand;
class QUndoGroup;
class QUndoStack;

namespace host::model {
struct Sheet;
}
namespace host::objects {
class Application;
class Workbook;
class Worksheet;
} // namespace host::objects

namespace host_app {

// The user's edits, one undo stack per open workbook, the active workbook's stack the group's
// active one (what the menu, toolbar and Ctrl+Z/Ctrl+Y act on). Every edit the window makes
// runs inside `record` (or a UserEdit scope); a change of cells, shapes or sheets that the
// model announces outside one came through automation and clears that workbook's stack, as
// the platform's host forgets its undo history when a macro changes the book.
class EditHistory : public QObject, public host::objects::ChangeObserver
{
    Q_OBJECT

public:
    explicit EditHistory(host::objects::Application& app, QObject* parent = nullptr);
    ~EditHistory() override;

    QUndoGroup& group() const { return *m_group; }
    QUndoStack& stackFor(const host::objects::Workbook& book);
    // The stack of `book` goes (the workbook closed).
    void forget(const host::objects::Workbook* book);
    void setActive(const host::objects::Workbook* book);

    // Runs `edit` (which changes `sheet` through the object model) and puts it on the stack
    // as one step named `text`: undo brings the sheet back as it was before, redo as it was
    // after. A host error leaves the sheet as it was and reaches the caller.
    void record(host::objects::Worksheet& sheet, const QString& text,
                const std::function<void()>& edit);
    // An edit made step by step (a drag): the sheet as it was when it began, taken by
    // `snapshot`; `finish` puts the sheet as it is now on the stack as one step.
    host::model::Sheet snapshot(host::objects::Worksheet& sheet) const;
    void finish(host::objects::Worksheet& sheet, const QString& text, host::model::Sheet before);
    // Puts a command of its own on the stack (its first redo does the edit).
    void push(const host::objects::Workbook& book, QUndoCommand* command);

    // While one lives, the model's changes are the user's.
    class UserEdit
    {
    public:
        explicit UserEdit(EditHistory& history) : m_history(history) { ++m_history.m_userDepth; }
        ~UserEdit() { --m_history.m_userDepth; }
        UserEdit(const UserEdit&) = delete;
        UserEdit& operator=(const UserEdit&) = delete;

    private:
        EditHistory& m_history;
    };
    bool userEditing() const { return m_userDepth > 0; }

    void changed(const host::objects::Change& change) override;

private:
    void changedFromOutside(const host::objects::Workbook* book);
    QString sheetList(const host::objects::Workbook& book) const;

    host::objects::Application& m_app;
    QUndoGroup* m_group;
    std::map<const host::objects::Workbook*, QUndoStack*> m_stacks;
    std::map<const host::objects::Workbook*, QString> m_sheetLists;
    int m_userDepth = 0;
};

// Puts a sheet back as `snapshot` holds it, keeping what the file writer must know: every
// cell, row and shape that changed on the way stays marked as changed, so that saving writes
// the state brought back.
void restoreSheet(host::objects::Worksheet& sheet, const host::model::Sheet& snapshot);

} // namespace host_app
