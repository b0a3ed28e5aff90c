#pragma once

#include "host/xl/application.h"
#include "main/templates/template_common.h"

#include <QString>

#include <functional>
#include <vector>

namespace picrows {

class c_Setting;

// One item of the dialog's lists: what it shows and its tag.
struct TemplateItem
{
    QString text; // template: book file name without its extension "!" sheet name
    QString tag;  // template: full path of the book TAB sheet name; insert option: "0" / "1"
};

// The template sheets of the books in `folder`: first the ".xls" books, then, on hosts of
// version 12 and later, the ".xlsx" books, each pass in the order the folder lists them and
// each book's sheets in its order. The sheets of a book that is open in `app` are left out.
// An ".xls" book that cannot be read raises its host error.
std::vector<TemplateItem> f_ListTemplates(const xl::Application& app, const QString& folder);

// What the template-open dialog does; the dialog shows the two lists and calls in.
class TemplateGetForm
{
public:
    TemplateGetForm(const xl::Application& app, c_Setting& setting, TemplateDialogResult& result,
                    OpenSettingsDialog openSettings);

    static QString caption();        // program title + " - テンプレートを開く"
    static QString noTemplateText(); // "テンプレートが存在しません"

    // Fills the lists from the template folder of the settings: the first template selected,
    // or, without one, OK and the template list disabled with noTemplateText() as its text;
    // the two insert options with the first selected.
    void load();

    std::vector<TemplateItem> icbTemplate;
    int templateIndex = -1;
    bool templateEnabled = true;
    QString templateText; // the combo's text when it has no item
    std::vector<TemplateItem> icbInsert;
    int insertIndex = -1;
    bool okEnabled = true;

    // OK: the result is the selected template's tag and insert option, confirmed.
    void ok();
    // The "オプション" link, called once the dialog has closed: the result stays unconfirmed,
    // the settings dialog opens on its first tab, and a changed icon size is announced as
    // taking effect the next time the main window opens.
    void option();

private:
    const xl::Application& m_app;
    c_Setting& m_setting;
    TemplateDialogResult& m_result;
    OpenSettingsDialog m_openSettings;
};

using ShowTemplateGetForm = std::function<void(TemplateGetForm&)>;

// The template-open command: copies the template sheet the dialog names behind the active
// sheet of the active workbook, or into a new workbook (insert option 1, or no workbook open),
// which then holds that sheet alone. Every step, message and switch of the host as the command
// is specified; a host error during the copy puts the screen updating, events and alerts back
// on before its "err(" message. The form is loaded before it is shown; an unreadable ".xls"
// book raises its host error to the caller.
TemplateOutcome s_Command_Tool_TemLoad(const ShowTemplateGetForm& showForm,
                                       const OpenSettingsDialog& openSettings);

} // namespace picrows
