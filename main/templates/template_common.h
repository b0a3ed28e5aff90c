#pragma once

#include "host/automation/host_error.h"

#include <QString>

#include <functional>
#include <optional>

namespace xl {
class Application;
}

namespace picrows {

// What the template dialogs hand back to their command. The command clears it before the
// dialog opens; OK fills it in.
struct TemplateDialogResult
{
    bool confirmed = false;
    QString text;         // save: book name TAB sheet name; open: book path TAB sheet name
    int insertOption = 0; // open: 0 behind the active sheet, 1 into a new workbook
};

// The name the only sheet of a new workbook takes while a sheet called "Sheet1" is copied in,
// so that the copy keeps its name; the placeholder is deleted afterwards.
QString placeholderSheetName(); // "TORVA_DAMMY_SHEET"

// True when a copied sheet called `sheetName` needs the placeholder ("Sheet1" in any case).
bool needsPlaceholder(const QString& sheetName);

// The file name of a template book: the book name and ".xlsx" on hosts of version 12 and
// later, ".xls" before.
QString templateBookFileName(const QString& bookName, int hostVersion);

// The leading number of Application.Version.
int hostVersionOf(const xl::Application& app);

// The message of a host error that ends a template command: "err(" number ")" CR LF
// description (error icon, OK, program title).
void showTemplateError(const host::HostError& error);

// Screen updating on again after a host error ended a template command; a repaint nudge that
// fails in turn is of no concern.
void screenUpdatingBackOn(const xl::Application& app);

// How a template command ended, for callers that report it (the batch command); the dialogs'
// front end ignores it.
struct TemplateOutcome
{
    enum Status
    {
        Done,
        NotStarted, // the host state check failed or the template folder is missing
        Cancelled,  // the dialog was not confirmed
        Failed,     // a host error ended the command after its message
    };
    Status status = NotStarted;
    QString bookFile;  // save: the template book's file name
    QString sheetName; // save: the template sheet's final name
    std::optional<host::HostError> error;
};

// Opens the settings dialog on a tab, with no owner; the front end supplies it.
using OpenSettingsDialog = std::function<void(int tab)>;

} // namespace picrows
