#include "host_app/edit_history.h"

#include "host/model/workbook.h"
#include "host/objects/application.h"
#include "host/objects/workbook.h"
#include "host/objects/worksheet.h"

#include <QUndoGroup>
#include <QUndoStack>

namespace host_app {

using host::objects::ChangeKind;
using host::objects::Workbook;
using host::objects::Worksheet;

namespace {

// A sheet as it was before and after one of the user's edits.
class SheetSnapshotCommand : public QUndoCommand
{
public:
    SheetSnapshotCommand(const QString& text, Worksheet& sheet, host::model::Sheet before,
                         EditHistory& history)
        : QUndoCommand(text), m_sheet(sheet.self()), m_before(std::move(before)),
          m_after(sheet.sheet()), m_history(history)
    {
    }

    void undo() override { put(m_before); }
    void redo() override
    {
        if (m_done) {
            m_done = false; // the edit itself made the sheet so
            return;
        }
        put(m_after);
    }

private:
    void put(const host::model::Sheet& state)
    {
        const auto sheet = m_sheet.lock();
        if (!sheet || !sheet->attached())
            return;
        const EditHistory::UserEdit scope(m_history);
        restoreSheet(*sheet, state);
    }

    std::weak_ptr<Worksheet> m_sheet;
    host::model::Sheet m_before;
    host::model::Sheet m_after;
    EditHistory& m_history;
    bool m_done = true;
};

void keepShapeMarks(std::vector<host::model::Shape>& shapes, const host::model::Drawing& now)
{
    for (host::model::Shape& shape : shapes) {
        if (const host::model::Shape* current = now.find(shape.id))
            shape.dirty = shape.dirty || current->dirty;
        keepShapeMarks(shape.members, now);
    }
}

} // namespace

void restoreSheet(Worksheet& worksheet, const host::model::Sheet& snapshot)
{
    host::model::Sheet& sheet = worksheet.sheet();
    host::model::Sheet back = snapshot;
    back.dirtyCells.insert(sheet.dirtyCells.begin(), sheet.dirtyCells.end());
    back.dirtyRows.insert(sheet.dirtyRows.begin(), sheet.dirtyRows.end());
    back.columnsDirty = back.columnsDirty || sheet.columnsDirty;
    back.mergesDirty = back.mergesDirty || sheet.mergesDirty;
    back.formatDirty = back.formatDirty || sheet.formatDirty;
    back.protectionDirty = back.protectionDirty || sheet.protectionDirty;
    back.viewDirty = back.viewDirty || sheet.viewDirty;
    back.drawing.dirty = back.drawing.dirty || sheet.drawing.dirty;
    keepShapeMarks(back.drawing.shapes, sheet.drawing);
    // Where the user looks now stays; undo is about contents.
    back.view.topRow = sheet.view.topRow;
    back.view.leftColumn = sheet.view.leftColumn;
    back.view.zoom = sheet.view.zoom;
    back.view.tabSelected = sheet.view.tabSelected;
    back.source = sheet.source;
    back.name = sheet.name;
    back.protection = sheet.protection; // protecting is no edit the stack undoes
    back.visibility = sheet.visibility;
    sheet = std::move(back);
    worksheet.markChanged(ChangeKind::Cells);
    worksheet.markChanged(ChangeKind::Shapes);
    worksheet.selectionChanged();
}

EditHistory::EditHistory(host::objects::Application& app, QObject* parent)
    : QObject(parent), m_app(app), m_group(new QUndoGroup(this))
{
    m_app.changes().add(this);
}

EditHistory::~EditHistory()
{
    m_app.changes().remove(this);
}

QUndoStack& EditHistory::stackFor(const Workbook& book)
{
    QUndoStack*& stack = m_stacks[&book];
    if (!stack) {
        stack = new QUndoStack(m_group);
        m_sheetLists[&book] = sheetList(book);
    }
    return *stack;
}

void EditHistory::forget(const Workbook* book)
{
    const auto found = m_stacks.find(book);
    if (found == m_stacks.end())
        return;
    delete found->second;
    m_stacks.erase(found);
    m_sheetLists.erase(book);
}

void EditHistory::setActive(const Workbook* book)
{
    const auto found = m_stacks.find(book);
    m_group->setActiveStack(found == m_stacks.end() ? nullptr : found->second);
}

void EditHistory::record(Worksheet& sheet, const QString& text, const std::function<void()>& edit)
{
    const UserEdit scope(*this);
    host::model::Sheet before = sheet.sheet();
    try {
        edit();
    } catch (...) {
        restoreSheet(sheet, before);
        throw;
    }
    push(sheet.book(), new SheetSnapshotCommand(text, sheet, std::move(before), *this));
}

host::model::Sheet EditHistory::snapshot(Worksheet& sheet) const
{
    return sheet.sheet();
}

void EditHistory::finish(Worksheet& sheet, const QString& text, host::model::Sheet before)
{
    push(sheet.book(), new SheetSnapshotCommand(text, sheet, std::move(before), *this));
}

void EditHistory::push(const Workbook& book, QUndoCommand* command)
{
    const UserEdit scope(*this);
    stackFor(book).push(command);
    m_sheetLists[&book] = sheetList(book);
}

QString EditHistory::sheetList(const Workbook& book) const
{
    if (!book.attached())
        return {};
    QString list;
    for (const auto& sheet : book.model().sheets)
        list += sheet->name + u'\n' + QString::number(sheet->visibility) + u'\n';
    return list;
}

void EditHistory::changed(const host::objects::Change& change)
{
    if (!change.book || m_userDepth > 0)
        return;
    switch (change.kind) {
    case ChangeKind::Cells:
    case ChangeKind::Shapes:
        changedFromOutside(change.book);
        break;
    case ChangeKind::Sheets: {
        // Activating a sheet is no edit; adding, removing, renaming or hiding one is.
        const auto known = m_sheetLists.find(change.book);
        if (known != m_sheetLists.end() && known->second != sheetList(*change.book))
            changedFromOutside(change.book);
        break;
    }
    default:
        break;
    }
}

void EditHistory::changedFromOutside(const Workbook* book)
{
    const auto found = m_stacks.find(book);
    if (found == m_stacks.end())
        return;
    found->second->clear();
    m_sheetLists[book] = sheetList(*book);
}

} // namespace host_app
