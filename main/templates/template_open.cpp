#include "main/templates/template_open.h"

#include "host/xl/workbook.h"
#include "host/xl/worksheet.h"
#include "main/reduce/screen_updating.h"
#include "main/settings/setting.h"
#include "main/startup/commands.h"
#include "main/startup/startup_context.h"
#include "main/startup/state_checks.h"
#include "main/templates/non_interactive.h"
#include "main/templates/sheet_names.h"
#include "platform/message_box.h"

#include <QDir>
#include <QFileInfo>

namespace picrows {

namespace {

bool isOpenInHost(const xl::Application& app, const QString& fileName)
{
    try {
        return !app.Workbooks().Item(fileName).isNothing();
    } catch (const host::HostError&) {
        return false;
    }
}

} // namespace

std::vector<TemplateItem> f_ListTemplates(const xl::Application& app, const QString& folder)
{
    const QDir dir(folder);
    std::vector<std::pair<QString, QString>> passes{
        {QStringLiteral("*.xls"), QStringLiteral(".XLS")}};
    if (hostVersionOf(app) >= 12)
        passes.emplace_back(QStringLiteral("*.xlsx"), QStringLiteral("XLSX"));

    std::vector<TemplateItem> items;
    for (const auto& [pattern, suffix] : passes) {
        // The pattern matches without regard to case, as the folder listings of the desktop
        // systems do, and the suffix test has the last word. Those listings come in name
        // order; so does this one, whatever order the file system keeps.
        const QStringList files =
            dir.entryList({pattern}, QDir::Files | QDir::Hidden, QDir::Name | QDir::IgnoreCase);
        for (const QString& fileName : files) {
            if (fileName.right(suffix.size()).toUpper() != suffix)
                continue;
            const QString path = dir.filePath(fileName);
            const QString names = f_GetSheetnameFromBookpath(app, path);
            if (names.isEmpty())
                continue;
            const QString stem = QFileInfo(fileName).completeBaseName();
            for (const QString& sheet : names.split(u'\t')) {
                if (isOpenInHost(app, fileName))
                    continue;
                items.push_back({stem + u'!' + sheet, path + u'\t' + sheet});
            }
        }
    }
    return items;
}

TemplateGetForm::TemplateGetForm(const xl::Application& app, c_Setting& setting,
                                 TemplateDialogResult& result, OpenSettingsDialog openSettings)
    : m_app(app), m_setting(setting), m_result(result), m_openSettings(std::move(openSettings))
{
}

QString TemplateGetForm::caption()
{
    return platform::programTitle() + QStringLiteral(" - テンプレートを開く");
}

QString TemplateGetForm::noTemplateText()
{
    return QStringLiteral("テンプレートが存在しません");
}

void TemplateGetForm::load()
{
    icbTemplate = f_ListTemplates(m_app, m_setting.MyDocPath());
    if (!icbTemplate.empty()) {
        templateIndex = 0;
    } else {
        okEnabled = false;
        templateEnabled = false;
        templateText = noTemplateText();
    }
    icbInsert = {{QStringLiteral("現在のシートの後ろにシートを挿入"), QStringLiteral("0")},
                 {QStringLiteral("新しいブックとしてシートを作成"), QStringLiteral("1")}};
    insertIndex = 0;
}

void TemplateGetForm::ok()
{
    m_result.text = icbTemplate.at(size_t(templateIndex)).tag;
    m_result.insertOption = icbInsert.at(size_t(insertIndex)).tag.toInt();
    m_result.confirmed = true;
}

void TemplateGetForm::option()
{
    m_result.confirmed = false;
    const std::int16_t width = m_setting.IconWidth();
    const std::int16_t height = m_setting.IconHeight();
    if (m_openSettings)
        m_openSettings(0);
    if (m_setting.IconWidth() != width || m_setting.IconHeight() != height)
        platform::showMessage(
            QStringLiteral("アイコンサイズは、次回メイン画面を起動した際に反映されます。"),
            platform::MsgButtons::OK, platform::MsgIcon::Information, platform::programTitle());
}

TemplateOutcome s_Command_Tool_TemLoad(const ShowTemplateGetForm& showForm,
                                       const OpenSettingsDialog& openSettings)
{
    TemplateOutcome outcome;
    if (!f_CheckAndMessageOfExcelStates(false, false, true, true, false, false, false, false,
                                        false))
        return outcome;
    StartupContext& context = startupContext();
    const xl::Application& app = context.gobjXlApp;
    c_Setting& setting = *context.gobjSetting;
    if (!setting.MyDocPathExists()) {
        if (platform::showMessage(
                QStringLiteral("テンプレートフォルダが見つからないため、処理を続行できません。\r\n"
                               "OKを押すと設定ウインドウを開きます。"),
                platform::MsgButtons::OKCancel, platform::MsgIcon::Critical,
                platform::programTitle()) == platform::MsgAnswer::OK &&
            openSettings)
            openSettings(0);
        return outcome;
    }

    TemplateDialogResult result;
    {
        NonInteractive modal(app);
        result.confirmed = false;
        TemplateGetForm form(app, setting, result, openSettings);
        form.load();
        showForm(form);
    }
    if (!result.confirmed || result.text.isEmpty()) {
        outcome.status = TemplateOutcome::Cancelled;
        return outcome;
    }

    s_SetScreenUpdating(app, false);
    try {
        const qsizetype tab = result.text.indexOf(u'\t');
        const QString bookPath = result.text.left(tab);
        const QString sheetName = result.text.mid(tab + 1);
        outcome.bookFile = QFileInfo(bookPath).fileName();
        outcome.sheetName = sheetName;

        xl::Workbook target = app.ActiveWorkbook();
        const bool makeNew = target.isNothing() || result.insertOption == 1;
        if (makeNew) {
            const std::int32_t sheetsInNewWorkbook = app.SheetsInNewWorkbook();
            app.setSheetsInNewWorkbook(1);
            target = app.Workbooks().Add();
            if (needsPlaceholder(sheetName))
                target.Sheets(1).setName(placeholderSheetName());
            app.setSheetsInNewWorkbook(sheetsInNewWorkbook);
        }

        app.setEnableEvents(false);
        app.setDisplayAlerts(false);
        target.setSaved(false);
        const xl::Workbook templateBook = app.Workbooks().Open(bookPath);
        templateBook.Sheets(sheetName).Copy({}, target.ActiveSheet());
        templateBook.Close(false);
        app.setCutCopyMode(host::Variant(false));
        app.setDisplayAlerts(true);
        app.setEnableEvents(true);

        if (makeNew) {
            app.setDisplayAlerts(false);
            app.ActiveWorkbook().Sheets(1).Delete();
            app.setDisplayAlerts(true);
        }
        s_SetScreenUpdating(app, true);
        outcome.status = TemplateOutcome::Done;
    } catch (const host::HostError& e) {
        screenUpdatingBackOn(app);
        app.setDisplayAlerts(true);
        app.setEnableEvents(true);
        showTemplateError(e);
        outcome.status = TemplateOutcome::Failed;
        outcome.error = e;
    }
    return outcome;
}

} // namespace picrows
