#include "main/templates/template_open.h"

#include "tests/main/templates/template_test_support.h"

#include <QFile>

namespace {

using namespace templates_test;
using picrows::TemplateGetForm;
using picrows::TemplateItem;
using picrows::TemplateOutcome;
using platform::MsgAnswer;
using platform::MsgButtons;
using platform::MsgIcon;

QStringList textsOf(const std::vector<TemplateItem>& items)
{
    QStringList texts;
    for (const TemplateItem& item : items)
        texts << item.text;
    return texts;
}

QStringList namesOf(const xl::Workbook& book)
{
    QStringList names;
    for (const xl::Worksheet& sheet : book.Worksheets().items())
        names << sheet.Name();
    return names;
}

class TemplateOpen : public TemplateTest
{
protected:
    // Two books with the same sheet names and an .xls book.
    void makeTemplates()
    {
        writeBook(templatePath("見積.xlsx"), {"明細", "Sheet1"});
        writeBook(templatePath("Archive.xlsx"), {"明細", "Sheet1"});
        ASSERT_TRUE(QFile::copy(fixture("template_sheets.xls"), templatePath("old.xls")));
    }

    // Runs the command; the dialog picks the template whose text is `text` and the insert
    // option, and confirms.
    TemplateOutcome open(const char* text, int insertOption = 0)
    {
        return picrows::s_Command_Tool_TemLoad(
            [&](TemplateGetForm& form) {
                EXPECT_FALSE(app.Interactive());
                const QStringList texts = textsOf(form.icbTemplate);
                form.templateIndex = int(texts.indexOf(q(text)));
                ASSERT_GE(form.templateIndex, 0) << text;
                form.insertIndex = insertOption;
                form.ok();
            },
            [](int) { ADD_FAILURE() << "the settings dialog opened"; });
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
};

// .xls books first, then .xlsx books in name order, one entry per book and sheet; the tag
// names the book's path and the sheet.
TEST_F(TemplateOpen, ListsXlsThenXlsxBooksSheetBySheet)
{
    makeTemplates();
    const auto items = picrows::f_ListTemplates(app, templates());
    EXPECT_EQ(textsOf(items), (QStringList{q("old!Sheet1"), q("old!日本語の見積書"),
                                           q("old!Hidden"), q("old!Last"), q("Archive!明細"),
                                           q("Archive!Sheet1"), q("見積!明細"), q("見積!Sheet1")}));
    ASSERT_EQ(items.size(), 8u);
    EXPECT_EQ(items[6].tag, templatePath("見積.xlsx") + q("\t明細"));
    EXPECT_EQ(items[1].tag, templatePath("old.xls") + q("\t日本語の見積書"));
    EXPECT_EQ(openBooks(), 0); // every book read was closed again
}

TEST_F(TemplateOpen, OlderHostsListOnlyXlsBooks)
{
    makeTemplates();
    setVersion("11.0");
    EXPECT_EQ(
        textsOf(picrows::f_ListTemplates(app, templates())),
        (QStringList{q("old!Sheet1"), q("old!日本語の見積書"), q("old!Hidden"), q("old!Last")}));
}

// A host before version 12 saves its templates as ".xls" files holding an .xlsx package (it
// has no writer of the older format); they are listed and opened all the same.
TEST_F(TemplateOpen, OlderHostsOpenTheXlsTemplatesTheySaved)
{
    setVersion("11.0");
    writeBook(templatePath("saved.xls"), {"Form"});
    const xl::Workbook work = openBook({"Sheet1"}, m_dir.filePath(q("Work.xlsx")));
    ASSERT_EQ(open("saved!Form").status, TemplateOutcome::Done);
    EXPECT_EQ(namesOf(work), (QStringList{q("Sheet1"), q("Form")}));
}

TEST_F(TemplateOpen, BooksOpenInTheHostAreNotOffered)
{
    makeTemplates();
    const xl::Workbook open = app.Workbooks().Open(templatePath("見積.xlsx"));
    EXPECT_EQ(textsOf(picrows::f_ListTemplates(app, templates())).filter(q("見積!")),
              QStringList());
    EXPECT_EQ(textsOf(picrows::f_ListTemplates(app, templates())).filter(q("Archive!")).size(), 2);
    EXPECT_EQ(openBooks(), 1);
}

TEST_F(TemplateOpen, AnUnreadableXlsBookRaisesToTheDialog)
{
    QFile file(templatePath("bad.xls"));
    ASSERT_TRUE(file.open(QIODevice::WriteOnly));
    file.write(QByteArray(4096, 'x'));
    file.close();
    EXPECT_THROW(picrows::f_ListTemplates(app, templates()), host::HostError);
}

TEST_F(TemplateOpen, DialogWithoutTemplatesCannotConfirm)
{
    picrows::TemplateDialogResult result;
    TemplateGetForm form(app, setting(), result, {});
    form.load();
    EXPECT_TRUE(form.icbTemplate.empty());
    EXPECT_FALSE(form.okEnabled);
    EXPECT_FALSE(form.templateEnabled);
    EXPECT_EQ(form.templateText, q("テンプレートが存在しません"));
    EXPECT_EQ(TemplateGetForm::caption(), q("ピクロウアドイン - テンプレートを開く"));
    ASSERT_EQ(form.icbInsert.size(), 2u);
    EXPECT_EQ(form.icbInsert[0].text, q("現在のシートの後ろにシートを挿入"));
    EXPECT_EQ(form.icbInsert[1].text, q("新しいブックとしてシートを作成"));
    EXPECT_EQ(form.insertIndex, 0);
}

TEST_F(TemplateOpen, DialogConfirmsTheSelectedTemplateAndOption)
{
    makeTemplates();
    picrows::TemplateDialogResult result;
    TemplateGetForm form(app, setting(), result, {});
    form.load();
    EXPECT_TRUE(form.okEnabled);
    EXPECT_EQ(form.templateIndex, 0);
    form.templateIndex = 5;
    form.insertIndex = 1;
    form.ok();
    EXPECT_TRUE(result.confirmed);
    EXPECT_EQ(result.text, templatePath("Archive.xlsx") + q("\tSheet1"));
    EXPECT_EQ(result.insertOption, 1);
}

// The sheet lands behind the active sheet; the template book is closed again.
TEST_F(TemplateOpen, CopiesBehindTheActiveSheet)
{
    makeTemplates();
    const xl::Workbook work = openBook({"Sheet1", "Data"}, m_dir.filePath(q("Work.xlsx")));
    work.setSaved(true);
    ASSERT_EQ(open("見積!明細").status, TemplateOutcome::Done);
    EXPECT_TRUE(messages.shown().empty());
    EXPECT_EQ(namesOf(work), (QStringList{q("Sheet1"), q("明細"), q("Data")}));
    EXPECT_EQ(a1Of(work.Worksheets(2)), q("明細 of 見積.xlsx"));
    EXPECT_FALSE(work.Saved());
    EXPECT_EQ(openBooks(), 1);
    expectHostSwitchesBack();
}

// The second option makes a new workbook that holds the inserted sheet alone, under its own
// name even when that is "Sheet1"; the active workbook stays as it was.
TEST_F(TemplateOpen, ANewWorkbookHoldsOnlyTheInsertedSheet)
{
    makeTemplates();
    const xl::Workbook work = openBook({"Sheet1", "Data"}, m_dir.filePath(q("Work.xlsx")));
    std::vector<xl::Workbook> made;
    for (const char* text : {"Archive!Sheet1", "見積!明細"}) {
        SCOPED_TRACE(text);
        ASSERT_EQ(open(text, 1).status, TemplateOutcome::Done);
        made.push_back(app.ActiveWorkbook());
        EXPECT_FALSE(made.back() == work);
        EXPECT_EQ(namesOf(made.back()), QStringList{q(text).section(u'!', 1)});
        expectHostSwitchesBack();
    }
    EXPECT_EQ(a1Of(made.front().Worksheets(1)), q("Sheet1 of Archive.xlsx"));
    EXPECT_EQ(openBooks(), 3);
    EXPECT_EQ(namesOf(work), (QStringList{q("Sheet1"), q("Data")}));
}

TEST_F(TemplateOpen, AFailedCopyIsReportedWithTheHostSwitchesBack)
{
    makeTemplates();
    openBook({"Sheet1"}, m_dir.filePath(q("Work.xlsx")));
    const TemplateOutcome outcome = picrows::s_Command_Tool_TemLoad(
        [&](TemplateGetForm& form) {
            form.templateIndex = 6; // 見積!明細, gone before the copy
            QFile::remove(templatePath("見積.xlsx"));
            form.ok();
        },
        {});
    ASSERT_EQ(outcome.status, TemplateOutcome::Failed);
    ASSERT_TRUE(outcome.error);
    EXPECT_EQ(messages.shown(),
              std::vector{message(q("err(") + QString::number(outcome.error->number()) +
                                      q(")\r\n") + outcome.error->description(),
                                  MsgIcon::Critical)});
    expectHostSwitchesBack();
}

TEST_F(TemplateOpen, MissingFolderOffersTheSettingsDialog)
{
    openBook({"Sheet1"}, m_dir.filePath(q("Work.xlsx")));
    QDir(templates()).removeRecursively();
    const platform::Message missing =
        message(q("テンプレートフォルダが見つからないため、処理を続行できません。\r\n"
                  "OKを押すと設定ウインドウを開きます。"),
                MsgIcon::Critical, MsgButtons::OKCancel);
    std::vector<int> tabs;
    const auto run = [&] {
        return picrows::s_Command_Tool_TemLoad([](TemplateGetForm&) { FAIL(); },
                                               [&](int tab) { tabs.push_back(tab); });
    };
    messages.answerNext(MsgAnswer::Cancel);
    EXPECT_EQ(run().status, TemplateOutcome::NotStarted);
    EXPECT_TRUE(tabs.empty());
    messages.answerNext(MsgAnswer::OK);
    EXPECT_EQ(run().status, TemplateOutcome::NotStarted);
    EXPECT_EQ(tabs, std::vector{0});
    EXPECT_EQ(messages.shown(), (std::vector{missing, missing}));
}

// The option link leaves the command unconfirmed; a changed icon size is announced.
TEST_F(TemplateOpen, OptionLinkAnnouncesAChangedIconSize)
{
    makeTemplates();
    openBook({"Sheet1"}, m_dir.filePath(q("Work.xlsx")));
    for (const bool change : {false, true}) {
        messages.clear();
        bool opened = false;
        const TemplateOutcome outcome = picrows::s_Command_Tool_TemLoad(
            [](TemplateGetForm& form) { form.option(); },
            [&](int tab) {
                EXPECT_EQ(tab, 0);
                opened = true;
                if (change)
                    setting().SetIconSize(std::int16_t(setting().IconWidth() + 1),
                                          setting().IconHeight());
            });
        EXPECT_TRUE(opened);
        EXPECT_EQ(outcome.status, TemplateOutcome::Cancelled);
        EXPECT_EQ(messages.shown(),
                  change ? std::vector{message(q("アイコンサイズは、次回メイン画面を起動した際に"
                                                 "反映されます。"),
                                               MsgIcon::Information)}
                         : std::vector<platform::Message>{});
    }
}

} // namespace
