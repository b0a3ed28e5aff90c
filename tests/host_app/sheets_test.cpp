// The sheet tabs' commands: insert, rename, move, delete with its question, protection with
// and without a password, grouping by Ctrl- and Shift-clicks, and what undo makes of them.
#include "tests/host_app/host_app_support.h"

#include "host/model/workbook.h"
#include "host_app/edit_history.h"
#include "host_app/sheet_menu.h"

#include <QMdiArea>
#include <QMdiSubWindow>
#include <QMenu>
#include <QUndoStack>

using namespace host_app_test;
using host::Variant;
using platform::MsgAnswer;

namespace {

class SheetsTest : public HostAppTest
{
public:
    SheetsTest()
    {
        host.options().sheetsInNewWorkbook = 3;
        app.Workbooks().Add();
        settle();
    }
    host::objects::Workbook& book() { return *host.app().activeWorkbook(); }
    QStringList names()
    {
        QStringList out;
        for (const auto& sheet : book().model().sheets)
            out << sheet->name;
        return out;
    }
    QUndoStack& stack() { return window.history().stackFor(book()); }
    void choose(int sheet, const char* entry)
    {
        QMenu menu;
        bookWindow().sheetActions().fillMenu(menu, sheet);
        for (QAction* action : menu.actions())
            if (action->text() == q(entry)) {
                ASSERT_TRUE(action->isEnabled()) << entry;
                action->trigger();
                settle();
                return;
            }
        FAIL() << "no entry " << entry;
    }
    QPoint tabCentre(int tab) { return bookWindow().tabs().tabRect(tab).center(); }
};

TEST_F(SheetsTest, InsertRenameAndMoveAreUndone)
{
    choose(0, "挿入(&I)");
    EXPECT_EQ(names(), (QStringList{q("Sheet4"), q("Sheet1"), q("Sheet2"), q("Sheet3")}));
    EXPECT_EQ(app.ActiveSheet().Name(), q("Sheet4"));
    EXPECT_EQ(bookWindow().tabs().count(), 4);

    dialogs.sheetNameAnswer = q("売上");
    QTest::mouseDClick(&bookWindow().tabs(), Qt::LeftButton, {}, tabCentre(1));
    settle();
    EXPECT_EQ(names()[1], q("売上"));

    choose(1, "右へ移動(&G)");
    EXPECT_EQ(names(), (QStringList{q("Sheet4"), q("Sheet2"), q("売上"), q("Sheet3")}));
    EXPECT_EQ(bookWindow().tabs().tabText(2), q("売上"));

    ASSERT_EQ(stack().count(), 3);
    stack().undo();
    EXPECT_EQ(names()[1], q("売上"));
    stack().undo();
    EXPECT_EQ(names()[1], q("Sheet1"));
    stack().undo();
    EXPECT_EQ(names(), (QStringList{q("Sheet1"), q("Sheet2"), q("Sheet3")}));
    stack().redo();
    EXPECT_EQ(names(), (QStringList{q("Sheet4"), q("Sheet1"), q("Sheet2"), q("Sheet3")}));
    EXPECT_TRUE(messages.shown().empty());
}

TEST_F(SheetsTest, ANameTakenIsRefusedWithAMessage)
{
    dialogs.sheetNameAnswer = q("Sheet2");
    choose(0, "名前の変更(&R)");
    EXPECT_EQ(names()[0], q("Sheet1"));
    ASSERT_EQ(messages.shown().size(), 1u);
    EXPECT_EQ(stack().count(), 0);
}

TEST_F(SheetsTest, DeletingAsksFirstAndCannotBeUndone)
{
    app.ActiveSheet().Range(q("A1")).Select();
    bookWindow().view().setFocus();
    QTest::keyClick(&view(), Qt::Key_5);
    QTest::keyClick(QApplication::focusWidget(), Qt::Key_Return);
    settle();
    ASSERT_EQ(stack().count(), 1);

    messages.answerNext(MsgAnswer::Cancel);
    choose(1, "削除(&D)");
    EXPECT_EQ(names().size(), 3);
    ASSERT_EQ(messages.shown().size(), 1u);
    EXPECT_EQ(messages.shown().front().text, q("このシートは完全に削除されます。続けますか?"));
    EXPECT_EQ(messages.shown().front().buttons, platform::MsgButtons::OKCancel);

    messages.answerNext(MsgAnswer::OK);
    choose(1, "削除(&D)");
    EXPECT_EQ(names(), (QStringList{q("Sheet1"), q("Sheet3")}));
    EXPECT_EQ(stack().count(), 0);
    EXPECT_EQ(bookWindow().tabs().count(), 2);
}

TEST_F(SheetsTest, ProtectionWithAndWithoutAPassword)
{
    dialogs.protectionAnswer = host_app::HostDialogs::Protection{q("secret"), true, false};
    choose(0, "シートの保護(&P)...");
    const xl::Worksheet sheet = app.ActiveSheet();
    EXPECT_TRUE(sheet.ProtectContents());
    EXPECT_FALSE(sheet.ProtectDrawingObjects());

    dialogs.passwordAnswer = q("wrong");
    choose(0, "シート保護の解除(&P)...");
    EXPECT_TRUE(sheet.ProtectContents());
    ASSERT_EQ(messages.shown().size(), 1u);

    // The password survives saving.
    const QString path = dir.filePath(q("protected.xlsx"));
    app.ActiveWorkbook().SaveAs(path);
    {
        host::objects::Host other;
        const xl::Application reader{other.application()};
        const xl::Worksheet back = reader.Workbooks().Open(path).Worksheets(1);
        EXPECT_THROW(back.call(q("Unprotect"), {Variant(q("wrong"))}), host::HostError);
        back.call(q("Unprotect"), {Variant(q("secret"))});
        EXPECT_FALSE(back.ProtectContents());
    }

    dialogs.passwordAnswer = q("secret");
    choose(0, "シート保護の解除(&P)...");
    EXPECT_FALSE(sheet.ProtectContents());

    // Without a password no password is asked for.
    dialogs.protectionAnswer = host_app::HostDialogs::Protection{};
    choose(0, "シートの保護(&P)...");
    const int asked = dialogs.asked;
    choose(0, "シート保護の解除(&P)...");
    EXPECT_EQ(dialogs.asked, asked);
    EXPECT_FALSE(sheet.ProtectContents());
}

TEST_F(SheetsTest, CtrlAndShiftClicksOnTabsGroupSheets)
{
    const auto grouped = [this] {
        QStringList out;
        for (const auto& sheet : book().model().sheets)
            if (sheet->view.tabSelected)
                out << sheet->name;
        return out;
    };
    QTest::mouseClick(&bookWindow().tabs(), Qt::LeftButton, Qt::ControlModifier, tabCentre(2));
    settle();
    EXPECT_EQ(grouped(), (QStringList{q("Sheet1"), q("Sheet3")}));
    QTest::mouseClick(&bookWindow().tabs(), Qt::LeftButton, Qt::ControlModifier, tabCentre(2));
    settle();
    EXPECT_EQ(grouped(), QStringList{q("Sheet1")});
    QTest::mouseClick(&bookWindow().tabs(), Qt::LeftButton, Qt::ShiftModifier, tabCentre(2));
    settle();
    EXPECT_EQ(grouped(), (QStringList{q("Sheet1"), q("Sheet2"), q("Sheet3")}));
    choose(0, "シートのグループ解除(&N)");
    EXPECT_EQ(grouped(), QStringList{q("Sheet1")});
}

TEST_F(SheetsTest, MinimisingTheWorkbookWindowIsItsWindowState)
{
    const auto state = [this] {
        return app.get(q("ActiveWindow")).toObject()->get(q("WindowState")).toInt32();
    };
    QMdiSubWindow* sub = window.mdiArea().activeSubWindow();
    ASSERT_NE(sub, nullptr);
    sub->showMinimized();
    settle();
    EXPECT_EQ(state(), -4140);
    EXPECT_TRUE(book().model().windowMinimized);
    sub->showMaximized();
    settle();
    EXPECT_EQ(state(), -4137);
    EXPECT_FALSE(book().model().windowMinimized);
}

} // namespace
