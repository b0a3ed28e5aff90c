// The template dialogs over the template commands: the save dialog's fields and checks, a sheet
// saved into a template book and opened again into a workbook, the open dialog without
// templates, and its way to the settings dialog.
#include "main/controls/use_text_box.h"
#include "main/settings_dialog/frm_setting.h"
#include "main/template_dialogs/frm_template_get.h"
#include "main/template_dialogs/frm_template_save.h"
#include "main/template_dialogs/template_commands.h"
#include "main/templates/template_open.h"
#include "main/templates/template_save.h"
#include "tests/main/settings_dialog/dialog_driver.h"
#include "tests/main/templates/template_test_support.h"

#include <QComboBox>
#include <QFileInfo>
#include <QFormLayout>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QTabWidget>

namespace {

using namespace templates_test;
using dialogs_test::whenShown;
using picrows::frmSetting;
using picrows::frmTemplateGet;
using picrows::frmTemplateSave;
using platform::MsgAnswer;
using platform::MsgButtons;
using platform::MsgIcon;

// The label a form layout shows beside a field.
QString labelOf(QWidget* field)
{
    auto* form = qobject_cast<QFormLayout*>(field->parentWidget()->layout()->itemAt(0)->layout());
    if (!form)
        return {};
    auto* label = qobject_cast<QLabel*>(form->labelForField(field));
    return label ? label->text() : QString();
}

class TemplateDialogs : public TemplateTest
{
protected:
    TemplateDialogs()
    {
        work = openBook({"Sheet1", "見積書"}, m_dir.filePath(q("Work.xlsx")));
        work.Worksheets(2).Activate();
        work.Worksheets(2).Range(q("A1")).setValue(host::Variant(q("見積書の見出し")));
        work.Worksheets(2).Range(q("B2")).Select();
    }

    xl::Workbook work;
};

TEST_F(TemplateDialogs, TheSaveDialogAsksForTwoNamesAFileCanHold)
{
    picrows::TemplateDialogResult result;
    picrows::TemplateSaveForm form(app, result);
    frmTemplateSave dialog(form);
    dialog.show();
    EXPECT_EQ(dialog.windowTitle(), q("ピクロウアドイン - テンプレートの保存"));
    EXPECT_EQ(dialog.txtName1->text(), q("ユーザーカスタム"));
    EXPECT_EQ(dialog.txtName2->text(), q("見積書"));
    EXPECT_EQ(labelOf(dialog.txtName1), q("分類名（ブック名）"));
    EXPECT_EQ(labelOf(dialog.txtName2), q("設定名（シート名）"));
    EXPECT_EQ(dialog.cmdOK->text(), q("OK"));
    EXPECT_EQ(dialog.cmdCancel->text(), q("キャンセル"));

    EXPECT_TRUE(dialog.cmdOK->isEnabled());
    dialog.txtName1->clear();
    EXPECT_FALSE(dialog.cmdOK->isEnabled());
    dialog.txtName1->setText(q("見積/請求"));
    EXPECT_TRUE(dialog.cmdOK->isEnabled());
    dialog.txtName2->clear();
    EXPECT_FALSE(dialog.cmdOK->isEnabled());
    dialog.txtName2->setText(q("a*b"));

    dialog.cmdOK->click();
    EXPECT_EQ(messages.shown(),
              std::vector{message(q("文字列 /* は、使えません。"), MsgIcon::Critical)});
    EXPECT_TRUE(dialog.isVisible());
    EXPECT_FALSE(result.confirmed);

    dialog.txtName1->setText(q("見積"));
    dialog.txtName2->setText(q("2024年版"));
    dialog.cmdOK->click();
    EXPECT_FALSE(dialog.isVisible());
    EXPECT_EQ(dialog.result(), QDialog::Accepted);
    EXPECT_TRUE(result.confirmed);
    EXPECT_EQ(result.text, q("見積\t2024年版"));
}

// "tool_temsave" saves the active sheet through its dialog; "tool_temload" lists it and opens
// it into a new workbook, then behind the active sheet.
TEST_F(TemplateDialogs, ASavedSheetOpensAgain)
{
    bool interactive = true;
    whenShown<frmTemplateSave>([&](frmTemplateSave& dialog) {
        interactive = app.Interactive();
        dialog.txtName2->setText(q("御見積書"));
        dialog.cmdOK->click();
    });
    picrows::s_Command_Tool_TemSave();
    EXPECT_FALSE(interactive);
    EXPECT_TRUE(app.Interactive());
    EXPECT_EQ(
        messages.shown(),
        std::vector{message(q("テンプレートフォルダ内に、テンプレートブック「ユーザーカスタム"
                              ".xlsx」を作成し、テンプレートシート「御見積書」を追加しました。"),
                            MsgIcon::Information)});
    const QString book = templatePath("ユーザーカスタム.xlsx");
    ASSERT_TRUE(QFileInfo::exists(book));
    EXPECT_EQ(sheetsOf(book), QStringList{q("御見積書")});

    struct Case
    {
        int insertOption;
        int books;          // open afterwards
        QStringList sheets; // of the workbook the sheet went into
    } cases[] = {
        {1, 2, {q("御見積書")}},
        {0, 2, {q("Sheet1"), q("見積書"), q("御見積書")}},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.insertOption);
        messages.clear();
        work.Activate();
        work.Worksheets(2).Activate();
        QStringList listed;
        QStringList options;
        whenShown<frmTemplateGet>([&](frmTemplateGet& dialog) {
            EXPECT_EQ(dialog.windowTitle(), q("ピクロウアドイン - テンプレートを開く"));
            for (int i = 0; i < dialog.icbTemplate->count(); ++i)
                listed << dialog.icbTemplate->itemText(i);
            for (int i = 0; i < dialog.icbInsert->count(); ++i)
                options << dialog.icbInsert->itemText(i);
            EXPECT_EQ(dialog.icbTemplate->currentIndex(), 0);
            EXPECT_EQ(dialog.icbInsert->currentIndex(), 0);
            EXPECT_FALSE(dialog.icbTemplate->itemIcon(0).isNull());
            dialog.icbInsert->setCurrentIndex(c.insertOption);
            dialog.cmdOK->click();
        });
        picrows::s_Command_Tool_TemLoad();
        EXPECT_EQ(listed, QStringList{q("ユーザーカスタム!御見積書")});
        EXPECT_EQ(options, (QStringList{q("現在のシートの後ろにシートを挿入"),
                                        q("新しいブックとしてシートを作成")}));
        EXPECT_TRUE(messages.shown().empty());
        EXPECT_TRUE(app.Interactive());
        const xl::Workbook target = app.ActiveWorkbook();
        QStringList sheets;
        for (const xl::Worksheet& sheet : target.Worksheets().items())
            sheets << sheet.Name();
        EXPECT_EQ(sheets, c.sheets);
        EXPECT_EQ(openBooks(), c.books);
        EXPECT_EQ(a1Of(target.Worksheets(q("御見積書"))), q("見積書の見出し"));
    }
}

TEST_F(TemplateDialogs, WithoutTemplatesTheOpenDialogOffersNothingToOpen)
{
    whenShown<frmTemplateGet>([&](frmTemplateGet& dialog) {
        EXPECT_EQ(dialog.icbTemplate->count(), 0);
        EXPECT_FALSE(dialog.icbTemplate->isEnabled());
        EXPECT_EQ(dialog.icbTemplate->placeholderText(), q("テンプレートが存在しません"));
        EXPECT_FALSE(dialog.cmdOK->isEnabled());
        EXPECT_EQ(dialog.icbInsert->count(), 2);
        EXPECT_EQ(labelOf(dialog.icbTemplate), q("テンプレート"));
        EXPECT_EQ(labelOf(dialog.icbInsert), q("挿入先"));
        EXPECT_EQ(dialog.lblOption->text(), q("<a href=\"option\">オプション</a>"));
        EXPECT_EQ(dialog.lblOption->toolTip(), q("環境設定を開く"));
        dialog.cmdCancel->click();
    });
    const int sheets = work.Worksheets().Count();
    picrows::s_Command_Tool_TemLoad();
    EXPECT_EQ(work.Worksheets().Count(), sheets);
    EXPECT_EQ(openBooks(), 1);
    EXPECT_TRUE(messages.shown().empty());
}

// The "オプション" link closes the dialog and opens the settings on their first tab; a changed
// icon size is announced afterwards, and nothing is inserted.
TEST_F(TemplateDialogs, TheOptionLinkOpensTheSettings)
{
    writeBook(templatePath("定型.xlsx"), {"月報"});
    int tab = -1;
    whenShown<frmTemplateGet>([&](frmTemplateGet& dialog) {
        whenShown<frmSetting>([&](frmSetting& settings) {
            tab = settings.tabMain()->currentIndex();
            settings.utxtIconWidth->txtMain()->setText(q("150"));
            settings.cmdOK->click();
        });
        Q_EMIT dialog.lblOption->linkActivated(q("option"));
    });
    const int sheets = work.Worksheets().Count();
    picrows::s_Command_Tool_TemLoad();
    EXPECT_EQ(tab, 0);
    EXPECT_EQ(setting().IconWidth(), 150);
    EXPECT_EQ(messages.shown(),
              std::vector{message(q("アイコンサイズは、次回メイン画面を起動した際に反映されます。"),
                                  MsgIcon::Information)});
    EXPECT_EQ(work.Worksheets().Count(), sheets);
    EXPECT_EQ(openBooks(), 1);
    EXPECT_TRUE(app.Interactive());
}

// Without the template folder the open command offers the settings dialog instead.
TEST_F(TemplateDialogs, AMissingFolderLeadsToTheSettings)
{
    ASSERT_TRUE(QDir(templates()).removeRecursively());
    messages.answerNext(MsgAnswer::OK);
    int tab = -1;
    whenShown<frmSetting>([&](frmSetting& settings) {
        tab = settings.tabMain()->currentIndex();
        settings.cmdCancel->click();
    });
    picrows::s_Command_Tool_TemLoad();
    EXPECT_EQ(tab, 0);
    EXPECT_EQ(messages.shown(),
              std::vector{message(q("テンプレートフォルダが見つからないため、処理を続行できません。"
                                    "\r\nOKを押すと設定ウインドウを開きます。"),
                                  MsgIcon::Critical, MsgButtons::OKCancel)});
}

} // namespace
