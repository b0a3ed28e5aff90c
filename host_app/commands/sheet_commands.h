#pragma once

#include <QCoreApplication>
#include <QString>

namespace host::objects {
class Workbook;
class Worksheet;
} // namespace host::objects

namespace host_app {
class EditHistory;
}

// The user's commands on a workbook's sheets, through the object model. Adding, renaming and
// moving are steps on the undo stack; deleting cannot be undone and empties the stack, as on
// the platform's host. Protecting is no edit of contents: the stack keeps what it holds.
// Host errors (a name taken, the last visible sheet, a wrong password) reach the caller.
namespace host_app::commands {

class SheetTexts
{
    Q_DECLARE_TR_FUNCTIONS(host_app::commands::SheetTexts)
};

// A new worksheet before the active one, made active.
void addSheet(EditHistory& history, host::objects::Workbook& book);
void renameSheet(EditHistory& history, host::objects::Worksheet& sheet, const QString& name);
// To 0-based position `to` among all the workbook's sheets.
void moveSheet(EditHistory& history, host::objects::Worksheet& sheet, int to);
void deleteSheet(EditHistory& history, host::objects::Worksheet& sheet);
void protectSheet(EditHistory& history, host::objects::Worksheet& sheet, const QString& password,
                  bool contents, bool drawingObjects);
void unprotectSheet(EditHistory& history, host::objects::Worksheet& sheet, const QString& password);
// A tab clicked with Ctrl: the sheet joins the selected (grouped) sheets, or leaves them.
// With Shift: every visible sheet from the active one to it is selected.
void groupSheet(host::objects::Worksheet& sheet, bool span);

// The question before a sheet is deleted.
QString deleteQuestion();

} // namespace host_app::commands
