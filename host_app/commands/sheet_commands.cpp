#include "host_app/commands/sheet_commands.h"

#include "host/automation/host_error.h"
#include "host/model/workbook.h"
#include "host/objects/application.h"
#include "host/objects/workbook.h"
#include "host/objects/worksheet.h"
#include "host_app/edit_history.h"

#include <QUndoCommand>
#include <QUndoStack>

namespace host_app::commands {

using host::Variant;
using host::objects::Workbook;
using host::objects::Worksheet;

namespace {

std::weak_ptr<Workbook> weakOf(Workbook& book)
{
    return std::static_pointer_cast<Workbook>(book.shared_from_this());
}

Worksheet* sheetObject(const host::ObjectRef& ref)
{
    return ref ? dynamic_cast<Worksheet*>(&host::deref(ref)) : nullptr;
}

// Sheets are found again by name: undo and redo may have made new objects for them.
std::shared_ptr<Worksheet> byName(Workbook& book, const QString& name)
{
    for (int i = 0; i < book.sheetCount(); ++i)
        if (const auto sheet = book.sheetAt(i); sheet->sheet().name == name)
            return sheet;
    return nullptr;
}

class RenameCommand : public QUndoCommand
{
public:
    RenameCommand(EditHistory& history, std::weak_ptr<Workbook> book, QString from, QString to)
        : QUndoCommand(SheetTexts::tr("シート名の変更")), m_history(history),
          m_book(std::move(book)), m_from(std::move(from)), m_to(std::move(to))
    {
    }
    void undo() override { rename(m_to, m_from); }
    void redo() override { rename(m_from, m_to); }

private:
    void rename(const QString& from, const QString& to)
    {
        const auto book = m_book.lock();
        if (!book || !book->attached())
            return;
        const EditHistory::UserEdit scope(m_history);
        if (const auto sheet = byName(*book, from))
            sheet->let(QStringLiteral("Name"), Variant(to));
    }

    EditHistory& m_history;
    std::weak_ptr<Workbook> m_book;
    QString m_from;
    QString m_to;
};

class MoveCommand : public QUndoCommand
{
public:
    MoveCommand(EditHistory& history, std::weak_ptr<Workbook> book, QString name, int from, int to)
        : QUndoCommand(SheetTexts::tr("シートの移動")), m_history(history), m_book(std::move(book)),
          m_name(std::move(name)), m_from(from), m_to(to)
    {
    }
    void undo() override { move(m_from); }
    void redo() override { move(m_to); }

private:
    void move(int to)
    {
        const auto book = m_book.lock();
        if (!book || !book->attached())
            return;
        const EditHistory::UserEdit scope(m_history);
        if (const auto sheet = byName(*book, m_name))
            sheet->moveTo(to);
    }

    EditHistory& m_history;
    std::weak_ptr<Workbook> m_book;
    QString m_name;
    int m_from;
    int m_to;
};

class AddCommand : public QUndoCommand
{
public:
    AddCommand(EditHistory& history, std::weak_ptr<Workbook> book)
        : QUndoCommand(SheetTexts::tr("シートの挿入")), m_history(history), m_book(std::move(book))
    {
    }
    void undo() override
    {
        const auto book = m_book.lock();
        if (!book || !book->attached())
            return;
        const EditHistory::UserEdit scope(m_history);
        if (const auto sheet = byName(*book, m_name))
            sheet->call(QStringLiteral("Delete"));
    }
    void redo() override
    {
        const auto book = m_book.lock();
        if (!book || !book->attached())
            return;
        const EditHistory::UserEdit scope(m_history);
        const auto before = book->activeSheet();
        host::Args args;
        if (before)
            args.add(QStringLiteral("Before"), Variant(host::ObjectRef(before)));
        Worksheet* added = sheetObject(book->get(QStringLiteral("Worksheets"))
                                           .toObject()
                                           ->call(QStringLiteral("Add"), args)
                                           .toObject());
        if (!added)
            return;
        if (m_name.isEmpty())
            m_name = added->sheet().name;
        else if (added->sheet().name != m_name)
            added->let(QStringLiteral("Name"), Variant(m_name));
    }

private:
    EditHistory& m_history;
    std::weak_ptr<Workbook> m_book;
    QString m_name; // the name the sheet got the first time
};

} // namespace

void addSheet(EditHistory& history, Workbook& book)
{
    history.push(book, new AddCommand(history, weakOf(book)));
}

void renameSheet(EditHistory& history, Worksheet& sheet, const QString& name)
{
    const QString from = sheet.sheet().name;
    if (from == name)
        return;
    {
        // Refused names stop here, before anything goes on the stack.
        const EditHistory::UserEdit scope(history);
        sheet.let(QStringLiteral("Name"), Variant(name));
        sheet.let(QStringLiteral("Name"), Variant(from));
    }
    history.push(sheet.book(), new RenameCommand(history, weakOf(sheet.book()), from, name));
}

void moveSheet(EditHistory& history, Worksheet& sheet, int to)
{
    const int from = sheet.index() - 1;
    to = std::clamp(to, 0, sheet.book().sheetCount() - 1);
    if (to == from)
        return;
    history.push(sheet.book(),
                 new MoveCommand(history, weakOf(sheet.book()), sheet.sheet().name, from, to));
}

void deleteSheet(EditHistory& history, Worksheet& sheet)
{
    Workbook& book = sheet.book();
    sheet.call(QStringLiteral("Delete"));
    history.stackFor(book).clear();
}

void protectSheet(EditHistory& history, Worksheet& sheet, const QString& password, bool contents,
                  bool drawingObjects)
{
    const EditHistory::UserEdit scope(history);
    host::Args args;
    if (!password.isEmpty())
        args.add(QStringLiteral("Password"), Variant(password));
    args.add(QStringLiteral("DrawingObjects"), Variant(drawingObjects));
    args.add(QStringLiteral("Contents"), Variant(contents));
    sheet.call(QStringLiteral("Protect"), args);
}

void unprotectSheet(EditHistory& history, Worksheet& sheet, const QString& password)
{
    const EditHistory::UserEdit scope(history);
    host::Args args;
    if (!password.isEmpty())
        args.add(QStringLiteral("Password"), Variant(password));
    sheet.call(QStringLiteral("Unprotect"), args);
}

void groupSheet(Worksheet& sheet, bool span)
{
    Workbook& book = sheet.book();
    const auto active = book.activeSheet();
    if (!active || active.get() == &sheet)
        return;
    host::model::Workbook& model = book.model();
    if (span) {
        const int a = active->index() - 1;
        const int b = sheet.index() - 1;
        for (int i = std::min(a, b); i <= std::max(a, b); ++i)
            if (model.sheets[size_t(i)]->visibility == -1)
                book.sheetAt(i)->call(QStringLiteral("Select"), {Variant(false)});
        return;
    }
    host::model::Sheet& s = sheet.sheet();
    if (!s.view.tabSelected) {
        sheet.call(QStringLiteral("Select"), {Variant(false)});
        return;
    }
    s.view.tabSelected = false;
    s.viewDirty = true;
    book.app().announce(host::objects::ChangeKind::Sheets, &book);
}

QString deleteQuestion()
{
    return SheetTexts::tr("このシートは完全に削除されます。続けますか?");
}

} // namespace host_app::commands
