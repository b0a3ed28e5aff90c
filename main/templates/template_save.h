#pragma once

#include "host/xl/application.h"
#include "main/templates/template_common.h"

#include <QString>

#include <functional>

namespace picrows {

// What the template-save dialog does; the dialog shows its two fields and calls in. The
// fields start as the default book name and the active sheet's name.
class TemplateSaveForm
{
public:
    TemplateSaveForm(const xl::Application& app, TemplateDialogResult& result);

    static QString caption();         // program title + " - テンプレートの保存"
    static QString defaultBookName(); // "ユーザーカスタム"
    static QString bookNameLabel();   // "分類名（ブック名）"
    static QString sheetNameLabel();  // "設定名（シート名）"

    QString txtName1; // the book name
    QString txtName2; // the sheet name

    // OK is enabled exactly while neither field is empty.
    bool okEnabled() const;
    // OK: names holding a character a file name cannot hold are refused with a message
    // naming those characters (book field first), and the dialog stays open (false). Otherwise
    // the result is book name TAB sheet name, confirmed, and the dialog closes (true).
    bool ok();

private:
    TemplateDialogResult& m_result;
};

// Shows the dialog modally; the dialog's front end or the batch command supplies it.
using ShowTemplateSaveForm = std::function<void(TemplateSaveForm&)>;

// The template-save command: copies the active sheet of the attached host (the start-up
// context's) into the template book the dialog names, in the template folder of the
// settings, under the sheet name it names or that name with " (2)", " (3)", … on a clash;
// a missing book is created. Every step, message and switch of the host as the command is
// specified; a sheet name that the host refuses for another reason than a clash ends the
// command with that refusal's "err(" message. After a host error the template book is closed
// unsaved and screen updating, events and alerts are back on before the "err(" message.
TemplateOutcome s_Command_Tool_TemSave(const ShowTemplateSaveForm& showForm);

} // namespace picrows
