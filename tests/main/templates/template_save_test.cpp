#include "main/templates/template_save.h"

#include "tests/main/templates/template_test_support.h"

#include <QFile>
#include <QFileInfo>

namespace {

using namespace templates_test;
using picrows::TemplateOutcome;
using picrows::TemplateSaveForm;
using platform::MsgAnswer;
using platform::MsgButtons;
using platform::MsgIcon;

platform::Message saved(const char* book, const char* sheet)
{
    return message(q("テンプレートフォルダ内に、テンプレートブック「") + q(book) +
                       q("」を作成し、テンプレートシート「") + q(sheet) + q("」を追加しました。"),
                   MsgIcon::Information);
}

class TemplateSave : public TemplateTest
{
protected:
    TemplateSave() { work = openBook({"Sheet1", "Data"}, m_dir.filePath(q("Work.xlsx"))); }

    // Runs the command with a dialog that confirms these names as they are; an empty text
    // keeps the field's initial value.
    TemplateOutcome save(const char* bookName = "", const char* sheetName = "")
    {
        return picrows::s_Command_Tool_TemSave([&](TemplateSaveForm& form) {
            EXPECT_FALSE(app.Interactive());
            if (*bookName)
                form.txtName1 = q(bookName);
            if (*sheetName)
                form.txtName2 = q(sheetName);
            EXPECT_TRUE(form.ok());
        });
    }

    void expectHostSwitchesBack()
    {
        EXPECT_TRUE(app.Interactive());
        EXPECT_TRUE(app.ScreenUpdating());
        EXPECT_TRUE(app.EnableEvents());
        EXPECT_TRUE(app.DisplayAlerts());
        EXPECT_FALSE(app.CutCopyMode().toBool());
        EXPECT_EQ(app.SheetsInNewWorkbook(), 1);
    }

    xl::Workbook work;
};

// "Sheet1" copied into a new book keeps its name: the placeholder takes the new book's only
// sheet and is gone afterwards.
TEST_F(TemplateSave, Sheet1IntoANewBookKeepsItsName)
{
    work.Worksheets(1).Range(q("A1")).setValue(host::Variant(q("marked")));
    work.setSaved(true);
    const TemplateOutcome outcome = save();
    ASSERT_EQ(outcome.status, TemplateOutcome::Done);
    EXPECT_EQ(messages.shown(), std::vector{saved("ユーザーカスタム.xlsx", "Sheet1")});

    const QString path = templatePath("ユーザーカスタム.xlsx");
    EXPECT_EQ(sheetsOf(path), QStringList{q("Sheet1")});
    host::objects::Host other;
    EXPECT_EQ(a1Of(xl::Application(other.application()).Workbooks().Open(path).Worksheets(1)),
              q("marked"));

    // Only the source workbook is left, with its sheet active again and marked unsaved.
    EXPECT_EQ(openBooks(), 1);
    EXPECT_EQ(app.ActiveSheet().Name(), q("Sheet1"));
    EXPECT_FALSE(work.Saved());
    expectHostSwitchesBack();
}

// The placeholder follows the requested name, whatever the source sheet is called: "sheet1"
// would otherwise clash with the new book's own "Sheet1".
TEST_F(TemplateSave, ThePlaceholderFollowsTheRequestedName)
{
    work.Worksheets(q("Data")).Activate();
    ASSERT_EQ(save("", "sheet1").status, TemplateOutcome::Done);
    EXPECT_EQ(sheetsOf(templatePath("ユーザーカスタム.xlsx")), QStringList{q("sheet1")});
    EXPECT_EQ(messages.shown(), std::vector{saved("ユーザーカスタム.xlsx", "sheet1")});
}

// A name the book already holds takes " (2)", then " (3)"; the wording is the same for an
// existing book.
TEST_F(TemplateSave, ClashingNamesTakeNumberedSuffixes)
{
    work.Worksheets(q("Data")).Activate();
    for (int i = 0; i < 3; ++i)
        ASSERT_EQ(save("見積", "明細").status, TemplateOutcome::Done);
    EXPECT_EQ(messages.shown(),
              (std::vector{saved("見積.xlsx", "明細"), saved("見積.xlsx", "明細 (2)"),
                           saved("見積.xlsx", "明細 (3)")}));
    EXPECT_EQ(sheetsOf(templatePath("見積.xlsx")),
              (QStringList{q("明細"), q("明細 (2)"), q("明細 (3)")}));
    EXPECT_EQ(openBooks(), 1);
    expectHostSwitchesBack();
}

TEST_F(TemplateSave, BookExtensionFollowsTheHostVersion)
{
    setVersion("11.0");
    ASSERT_EQ(save().status, TemplateOutcome::Done);
    EXPECT_EQ(messages.shown(), std::vector{saved("ユーザーカスタム.xls", "Sheet1")});
    EXPECT_TRUE(QFileInfo::exists(templatePath("ユーザーカスタム.xls")));
    EXPECT_FALSE(QFileInfo::exists(templatePath("ユーザーカスタム.xlsx")));
}

// A name that the host refuses for another reason than a clash ends the command with the
// host's error; nothing is saved and the new book does not stay open.
TEST_F(TemplateSave, AHostRefusedSheetNameEndsWithItsError)
{
    const TemplateOutcome outcome = save("", "a[1]");
    ASSERT_EQ(outcome.status, TemplateOutcome::Failed);
    ASSERT_TRUE(outcome.error);
    ASSERT_EQ(messages.shown().size(), 1u);
    EXPECT_EQ(messages.shown().front(),
              message(q("err(1004)\r\n") + outcome.error->description(), MsgIcon::Critical));
    EXPECT_EQ(outcome.error->number(), 1004);
    EXPECT_FALSE(QFileInfo::exists(templatePath("ユーザーカスタム.xlsx")));
    EXPECT_EQ(openBooks(), 1);
    EXPECT_TRUE(app.ScreenUpdating());
}

// The existing template book cannot be opened: the host's error, with events back on.
TEST_F(TemplateSave, AnUnreadableTemplateBookEndsWithItsError)
{
    QFile file(templatePath("ユーザーカスタム.xlsx"));
    ASSERT_TRUE(file.open(QIODevice::WriteOnly));
    file.write("not a workbook");
    file.close();
    const TemplateOutcome outcome = save();
    ASSERT_EQ(outcome.status, TemplateOutcome::Failed);
    ASSERT_TRUE(outcome.error);
    EXPECT_EQ(messages.shown(),
              std::vector{message(q("err(") + QString::number(outcome.error->number()) +
                                      q(")\r\n") + outcome.error->description(),
                                  MsgIcon::Critical)});
    EXPECT_EQ(openBooks(), 1);
    expectHostSwitchesBack();
}

TEST_F(TemplateSave, MissingFolderIsCreatedOnYesAndLeftOnNo)
{
    QDir(templates()).removeRecursively();
    const platform::Message ask =
        message(q("テンプレートフォルダが見つからないため、処理を続行できません。\r\n"
                  "フォルダを作成しますか？\r\n\r\n") +
                    templates(),
                MsgIcon::Critical, MsgButtons::YesNo);

    messages.answerNext(MsgAnswer::No);
    EXPECT_EQ(save().status, TemplateOutcome::NotStarted);
    EXPECT_EQ(messages.shown(), std::vector{ask});
    EXPECT_FALSE(QFileInfo::exists(templates()));

    messages.clear();
    messages.answerNext(MsgAnswer::Yes);
    EXPECT_EQ(save().status, TemplateOutcome::Done);
    EXPECT_EQ(messages.shown(), (std::vector{ask, saved("ユーザーカスタム.xlsx", "Sheet1")}));
}

TEST_F(TemplateSave, CancelLeavesEverythingAsItWas)
{
    work.setSaved(true);
    const TemplateOutcome outcome =
        picrows::s_Command_Tool_TemSave([](TemplateSaveForm&) {}); // closed without OK
    EXPECT_EQ(outcome.status, TemplateOutcome::Cancelled);
    EXPECT_TRUE(messages.shown().empty());
    EXPECT_TRUE(QDir(templates()).isEmpty());
    EXPECT_TRUE(work.Saved());
    EXPECT_TRUE(app.Interactive());
}

TEST_F(TemplateSave, NoWorkbookStopsAtTheStateCheck)
{
    work.Close(false);
    bool shown = false;
    EXPECT_EQ(picrows::s_Command_Tool_TemSave([&](TemplateSaveForm&) { shown = true; }).status,
              TemplateOutcome::NotStarted);
    EXPECT_FALSE(shown);
    ASSERT_EQ(messages.shown().size(), 1u);
    EXPECT_EQ(messages.shown().front().icon, MsgIcon::Critical);
}

class TemplateSaveDialog : public TemplateSave
{
};

TEST_F(TemplateSaveDialog, StartsWithTheDefaultsAndNeedsBothNames)
{
    work.Worksheets(q("Data")).Activate();
    picrows::TemplateDialogResult result;
    TemplateSaveForm form(app, result);
    EXPECT_EQ(form.txtName1, q("ユーザーカスタム"));
    EXPECT_EQ(form.txtName2, q("Data"));
    EXPECT_EQ(TemplateSaveForm::caption(), q("ピクロウアドイン - テンプレートの保存"));
    EXPECT_TRUE(form.okEnabled());
    form.txtName1.clear();
    EXPECT_FALSE(form.okEnabled());
    form.txtName1 = q("x");
    form.txtName2.clear();
    EXPECT_FALSE(form.okEnabled());
}

// The refused characters of both names are named together, the book's first; the dialog stays
// open until the names pass.
TEST_F(TemplateSaveDialog, RefusedCharactersAreNamedAndTheDialogStaysOpen)
{
    picrows::TemplateDialogResult result;
    TemplateSaveForm form(app, result);
    form.txtName1 = q("分類/一");
    form.txtName2 = q("設定:二?");
    EXPECT_FALSE(form.ok());
    EXPECT_FALSE(result.confirmed);
    EXPECT_EQ(messages.shown(),
              std::vector{message(q("文字列 /: は、使えません。"), MsgIcon::Critical)});

    form.txtName1 = q("分類／一");
    form.txtName2 = q("設定：二");
    EXPECT_TRUE(form.ok());
    EXPECT_TRUE(result.confirmed);
    EXPECT_EQ(result.text, q("分類／一\t設定：二"));
    EXPECT_EQ(messages.shown().size(), 1u);
}

} // namespace
