#include "main/templates/template_save.h"

#include "host/xl/workbook.h"
#include "host/xl/worksheet.h"
#include "main/reduce/screen_updating.h"
#include "main/settings/setting.h"
#include "main/startup/commands.h"
#include "main/startup/startup_context.h"
#include "main/startup/state_checks.h"
#include "main/templates/file_name_chars.h"
#include "main/templates/non_interactive.h"
#include "platform/message_box.h"

#include <QFileInfo>

namespace picrows {

namespace {

bool sheetNameTaken(const xl::Workbook& book, const QString& name, const xl::Worksheet& self)
{
    for (const xl::Worksheet& sheet : book.Sheets().items())
        if (!(sheet == self) && sheet.Name().compare(name, Qt::CaseInsensitive) == 0)
            return true;
    return false;
}

// Names the copy `name`, else `name (2)`, `name (3)`, … until the host takes one. A refusal
// for another reason than a clash would refuse every suffix as well: it ends the loop.
QString nameCopy(const xl::Workbook& book, const xl::Worksheet& copy, const QString& name)
{
    for (int number = 1;; ++number) {
        const QString candidate =
            number == 1 ? name : name + QStringLiteral(" (") + QString::number(number) + u')';
        try {
            copy.setName(candidate);
            return copy.Name();
        } catch (const host::HostError&) {
            if (!sheetNameTaken(book, candidate, copy))
                throw;
        }
    }
}

bool askToCreateFolder(const QString& folder)
{
    return platform::showMessage(
               QStringLiteral("テンプレートフォルダが見つからないため、処理を続行できません。\r\n"
                              "フォルダを作成しますか？\r\n\r\n") +
                   folder,
               platform::MsgButtons::YesNo, platform::MsgIcon::Critical,
               platform::programTitle()) == platform::MsgAnswer::Yes;
}

} // namespace

TemplateSaveForm::TemplateSaveForm(const xl::Application& app, TemplateDialogResult& result)
    : txtName1(defaultBookName()), txtName2(app.ActiveSheet().Name()), m_result(result)
{
}

QString TemplateSaveForm::caption()
{
    return platform::programTitle() + QStringLiteral(" - テンプレートの保存");
}

QString TemplateSaveForm::defaultBookName()
{
    return QStringLiteral("ユーザーカスタム");
}

QString TemplateSaveForm::bookNameLabel()
{
    return QStringLiteral("分類名（ブック名）");
}

QString TemplateSaveForm::sheetNameLabel()
{
    return QStringLiteral("設定名（シート名）");
}

bool TemplateSaveForm::okEnabled() const
{
    return !txtName1.isEmpty() && !txtName2.isEmpty();
}

bool TemplateSaveForm::ok()
{
    const QString refused = f_ReturnErrCharFromFoldernameOrFilenameSpeal(txtName1) +
                            f_ReturnErrCharFromFoldernameOrFilenameSpeal(txtName2);
    if (!refused.isEmpty()) {
        platform::showMessage(
            QStringLiteral("文字列 ") + refused + QStringLiteral(" は、使えません。"),
            platform::MsgButtons::OK, platform::MsgIcon::Critical, platform::programTitle());
        return false;
    }
    m_result.text = txtName1 + u'\t' + txtName2;
    m_result.confirmed = true;
    return true;
}

TemplateOutcome s_Command_Tool_TemSave(const ShowTemplateSaveForm& showForm)
{
    TemplateOutcome outcome;
    if (!f_CheckAndMessageOfExcelStates(true, true, true, true, false, false, false, false, false))
        return outcome;
    StartupContext& context = startupContext();
    const xl::Application& app = context.gobjXlApp;
    c_Setting& setting = *context.gobjSetting;
    while (!setting.MyDocPathExists()) {
        if (!askToCreateFolder(setting.MyDocPath()))
            return outcome;
        setting.setMyDocPath(setting.MyDocPath());
    }

    TemplateDialogResult result;
    {
        NonInteractive modal(app);
        result.confirmed = false;
        TemplateSaveForm form(app, result);
        showForm(form);
    }
    if (!result.confirmed || result.text.isEmpty()) {
        outcome.status = TemplateOutcome::Cancelled;
        return outcome;
    }

    s_SetScreenUpdating(app, false);
    xl::Workbook book;
    try {
        const qsizetype tab = result.text.indexOf(u'\t');
        const QString sheetName = result.text.mid(tab + 1);
        outcome.bookFile = templateBookFileName(result.text.left(tab), hostVersionOf(app));
        const QString bookPath = setting.MyDocPath() + u'/' + outcome.bookFile;

        const xl::Worksheet source = app.ActiveSheet();
        source.Parent().setSaved(false);

        bool isNew = false;
        if (QFileInfo::exists(bookPath)) {
            app.setEnableEvents(false);
            book = app.Workbooks().Open(bookPath);
            app.setEnableEvents(true);
        } else {
            const std::int32_t sheetsInNewWorkbook = app.SheetsInNewWorkbook();
            app.setSheetsInNewWorkbook(1);
            book = app.Workbooks().Add();
            if (needsPlaceholder(sheetName))
                book.Sheets(1).setName(placeholderSheetName());
            app.setSheetsInNewWorkbook(sheetsInNewWorkbook);
            isNew = true;
        }

        source.Copy({}, book.Sheets(book.Sheets().Count()));
        app.setCutCopyMode(host::Variant(false));
        if (isNew) {
            app.setDisplayAlerts(false);
            book.Sheets(1).Delete();
            app.setDisplayAlerts(true);
        }

        const xl::Worksheet copy = book.Sheets(book.Sheets().Count());
        outcome.sheetName = nameCopy(book, copy, sheetName);

        if (isNew)
            book.SaveAs(bookPath);
        else
            book.Save();
        book.Close(false);
        book = xl::Workbook();
        source.Activate();

        platform::showMessage(
            QStringLiteral("テンプレートフォルダ内に、テンプレートブック「") + outcome.bookFile +
                QStringLiteral("」を作成し、テンプレートシート「") + outcome.sheetName +
                QStringLiteral("」を追加しました。"),
            platform::MsgButtons::OK, platform::MsgIcon::Information, platform::programTitle());
        s_SetScreenUpdating(app, true);
        outcome.status = TemplateOutcome::Done;
    } catch (const host::HostError& e) {
        // Leave nothing half-made open behind; the original workbook is untouched.
        try {
            if (!book.isNothing())
                book.Close(false);
        } catch (const host::HostError&) {
        }
        screenUpdatingBackOn(app);
        app.setEnableEvents(true);
        app.setDisplayAlerts(true);
        showTemplateError(e);
        outcome.status = TemplateOutcome::Failed;
        outcome.error = e;
    }
    return outcome;
}

} // namespace picrows
