// Typing into cells and the formula bar: the host's cell-edit state while an edit is under
// way, the keys that end an edit, the desktop's input method, Delete, and what undo and redo
// make of them.
#include "tests/host_app/host_app_support.h"

#include "host/objects/built_in_bars.h"
#include "host_app/cell_editor.h"
#include "host_app/command_bar_view.h"
#include "host_app/commands/edit_commands.h"
#include "host_app/edit_history.h"

#include <QInputMethodEvent>
#include <QLabel>
#include <QLineEdit>
#include <QUndoStack>

using namespace host_app_test;
using host::Variant;

namespace {

class CellEditingTest : public HostAppTest
{
public:
    CellEditingTest()
    {
        app.Workbooks().Add();
        app.ActiveSheet().Range(q("B2")).Select();
        settle();
    }

    host_app::CellEditor& editor() { return bookWindow().cellEditor(); }
    QLineEdit& formulaBar() { return bookWindow().formulaBar(); }
    QUndoStack& stack() { return window.history().stackFor(*host.app().activeWorkbook()); }
    Variant value(const char* address) { return app.ActiveSheet().Range(q(address)).Value(); }
    QString active() { return app.ActiveCell().Address(); }
    // Each key goes where the focus is then, as the desktop sends it.
    void type(const QString& text)
    {
        for (const QChar c : text) {
            QWidget* target = QApplication::focusWidget() ? QApplication::focusWidget() : &view();
            if (c.toLatin1()) {
                QTest::keyClick(target, c.toLatin1());
            } else { // what a keyboard layout of the script would send
                QKeyEvent press(QEvent::KeyPress, 0, {}, QString(c));
                QApplication::sendEvent(target, &press);
            }
        }
        settle();
    }
    void key(Qt::Key key, Qt::KeyboardModifiers modifiers = {})
    {
        QWidget* target = QApplication::focusWidget() ? QApplication::focusWidget() : &view();
        QTest::keyClick(target, key, modifiers);
        settle();
    }
    bool newEnabled()
    {
        window.commandBars().flush();
        return app.CommandBars()
            .call(q("FindControl"), host::Args{}.add(q("Id"), Variant(std::int32_t(18))))
            .toObject()
            ->get(q("Enabled"))
            .toBool();
    }
    void compose(QWidget* target, const QString& preedit, const QString& commit = {})
    {
        QInputMethodEvent event(preedit, {});
        if (!commit.isEmpty())
            event.setCommitString(commit);
        QApplication::sendEvent(target, &event);
        settle();
    }
};

TEST_F(CellEditingTest, TypingEditsTheCellInPlaceWhileTheHostIsInItsEditState)
{
    view().setFocus();
    EXPECT_TRUE(newEnabled());
    type(q("12.5"));
    EXPECT_TRUE(editor().editing());
    EXPECT_TRUE(editor().editor().isVisible());
    EXPECT_EQ(formulaBar().text(), q("12.5"));
    EXPECT_TRUE(host.options().cellEditing);
    EXPECT_FALSE(newEnabled());         // the suite's state check reads control 18
    EXPECT_TRUE(value("B2").isEmpty()); // nothing written before the edit ends

    // The editor lies over the active cell.
    const QRect cell = layout().cellRect(host::model::CellRect{2, 2, 2, 2}).toRect();
    EXPECT_EQ(editor().editor().geometry().topLeft(), cell.topLeft());

    key(Qt::Key_Return);
    EXPECT_FALSE(editor().editing());
    EXPECT_FALSE(host.options().cellEditing);
    EXPECT_TRUE(newEnabled());
    EXPECT_EQ(value("B2"), Variant(12.5));
    EXPECT_EQ(active(), q("$B$3"));
    EXPECT_TRUE(view().hasFocus());
}

struct EndingKey
{
    const char* name;
    Qt::Key key;
    Qt::KeyboardModifiers modifiers;
    bool written;
    const char* active;
};

class EndingKeys : public CellEditingTest, public ::testing::WithParamInterface<EndingKey>
{
};

TEST_P(EndingKeys, EndTheEditAndMoveOn)
{
    const EndingKey& c = GetParam();
    view().setFocus();
    type(q("abc"));
    key(c.key, c.modifiers);
    EXPECT_FALSE(editor().editing());
    EXPECT_EQ(value("B2"), c.written ? Variant(q("abc")) : Variant());
    EXPECT_EQ(active(), q(c.active));
    EXPECT_EQ(stack().count(), c.written ? 1 : 0);
}

INSTANTIATE_TEST_SUITE_P(
    Keys, EndingKeys,
    ::testing::Values(EndingKey{"Enter", Qt::Key_Return, {}, true, "$B$3"},
                      EndingKey{"KeypadEnter", Qt::Key_Enter, Qt::KeypadModifier, true, "$B$3"},
                      EndingKey{"ShiftEnter", Qt::Key_Return, Qt::ShiftModifier, true, "$B$1"},
                      EndingKey{"Tab", Qt::Key_Tab, {}, true, "$C$2"},
                      EndingKey{"ShiftTab", Qt::Key_Backtab, Qt::ShiftModifier, true, "$A$2"},
                      EndingKey{"Right", Qt::Key_Right, {}, true, "$C$2"},
                      EndingKey{"Up", Qt::Key_Up, {}, true, "$B$1"},
                      EndingKey{"Escape", Qt::Key_Escape, {}, false, "$B$2"}),
    [](const auto& info) { return std::string(info.param.name); });

TEST_F(CellEditingTest, F2AndADoubleClickEditWhatTheCellHolds)
{
    app.ActiveSheet().Range(q("B2")).setValue(Variant(q("=1+1")));
    app.ActiveSheet().Range(q("C4")).setValue(Variant(q("東京")));
    settle();
    view().setFocus();
    key(Qt::Key_F2);
    ASSERT_TRUE(editor().editing());
    EXPECT_EQ(editor().editor().text(), q("=1+1"));
    // In this mode the arrows move the caret; the edit goes on.
    key(Qt::Key_Left);
    type(q("0"));
    EXPECT_TRUE(editor().editing());
    key(Qt::Key_Return);
    EXPECT_EQ(app.ActiveSheet().Range(q("B2")).Formula(), Variant(q("=1+01")));

    click("C4");
    QTest::mouseDClick(&view(), Qt::LeftButton, {}, centreOf("C4"));
    settle();
    ASSERT_TRUE(editor().editing());
    EXPECT_EQ(editor().editor().text(), q("東京"));
    type(q("都"));
    // A click elsewhere writes the text and selects there.
    click("E5");
    EXPECT_FALSE(editor().editing());
    EXPECT_EQ(value("C4"), Variant(q("東京都")));
    EXPECT_EQ(active(), q("$E$5"));
}

TEST_F(CellEditingTest, TheFormulaBarShowsAndEditsTheActiveCell)
{
    app.ActiveSheet().Range(q("D3")).setValue(Variant(42.0));
    app.ActiveSheet().Range(q("D3")).Select();
    settle();
    EXPECT_EQ(formulaBar().text(), q("42"));
    EXPECT_EQ(bookWindow().nameBox().text(), q("D3"));

    QTest::mouseClick(&formulaBar(), Qt::LeftButton);
    settle();
    ASSERT_TRUE(editor().editing());
    EXPECT_TRUE(host.options().cellEditing);
    formulaBar().end(false);
    type(q("0"));
    EXPECT_EQ(editor().editor().text(), q("420")); // the cell shows what the bar holds
    key(Qt::Key_Return);
    EXPECT_EQ(value("D3"), Variant(420.0));
    EXPECT_EQ(active(), q("$D$4"));
    EXPECT_TRUE(formulaBar().text().isEmpty());

    // Escape in the bar drops the edit.
    QTest::mouseClick(&formulaBar(), Qt::LeftButton);
    type(q("x"));
    key(Qt::Key_Escape);
    EXPECT_FALSE(editor().editing());
    EXPECT_TRUE(value("D4").isEmpty());
}

TEST_F(CellEditingTest, JapaneseComposedByTheInputMethodGoesIntoTheCell)
{
    view().setFocus();
    EXPECT_TRUE(view().testAttribute(Qt::WA_InputMethodEnabled));
    // The composition starts the edit; the text is the cell's only once committed.
    compose(&view(), q("にほんご"));
    ASSERT_TRUE(editor().editing());
    EXPECT_TRUE(editor().editor().hasFocus());
    EXPECT_TRUE(host.options().cellEditing);
    compose(&editor().editor(), {}, q("日本語"));
    EXPECT_EQ(editor().editor().text(), q("日本語"));
    compose(&editor().editor(), q("です"));
    compose(&editor().editor(), {}, q("です"));
    key(Qt::Key_Return);
    EXPECT_EQ(value("B2"), Variant(q("日本語です")));

    // And in the formula bar.
    QTest::mouseClick(&formulaBar(), Qt::LeftButton);
    compose(&formulaBar(), q("かな"));
    compose(&formulaBar(), {}, q("仮名"));
    EXPECT_EQ(editor().editor().text(), q("仮名"));
    key(Qt::Key_Return);
    EXPECT_EQ(value("B3"), Variant(q("仮名")));
}

TEST_F(CellEditingTest, WithInteractiveOffTypingEditsNothing)
{
    view().setFocus();
    app.setInteractive(false);
    settle();
    type(q("9"));
    compose(&view(), {}, q("字"));
    app.setInteractive(true);
    settle();
    EXPECT_FALSE(editor().editing());
    EXPECT_TRUE(value("B2").isEmpty());
}

TEST_F(CellEditingTest, ALockedCellOfAProtectedSheetIsNotEdited)
{
    app.ActiveSheet().Protect(true, true);
    settle();
    view().setFocus();
    type(q("1"));
    EXPECT_FALSE(editor().editing());
    EXPECT_FALSE(host.options().cellEditing);
    ASSERT_EQ(messages.shown().size(), 1u);
    EXPECT_EQ(messages.shown().front().text, host_app::commands::protectedCellMessage());
    key(Qt::Key_Delete);
    EXPECT_EQ(messages.shown().size(), 2u);
    EXPECT_EQ(stack().count(), 0);
}

TEST_F(CellEditingTest, DeleteClearsTheSelectionAndUndoRedoFollow)
{
    const xl::Worksheet sheet = app.ActiveSheet();
    sheet.Range(q("A1")).setValue(Variant(1.0));
    sheet.Range(q("B2")).setValue(Variant(q("x")));
    sheet.Range(q("C3")).setValue(Variant(3.0));
    settle();
    drag(centreOf("A1"), centreOf("B2"));
    key(Qt::Key_Delete);
    EXPECT_TRUE(value("A1").isEmpty());
    EXPECT_TRUE(value("B2").isEmpty());
    EXPECT_EQ(value("C3"), Variant(3.0));
    EXPECT_FALSE(app.ActiveWorkbook().Saved());

    key(Qt::Key_Z, Qt::ControlModifier);
    EXPECT_EQ(value("A1"), Variant(1.0));
    EXPECT_EQ(value("B2"), Variant(q("x")));
    key(Qt::Key_Y, Qt::ControlModifier);
    EXPECT_TRUE(value("A1").isEmpty());
    key(Qt::Key_Z, Qt::ControlModifier);
    EXPECT_EQ(value("A1"), Variant(1.0));
}

TEST_F(CellEditingTest, UndoAndRedoFromTheMenuAreEnabledByTheStack)
{
    const auto undo = window.commandBars().actionsFor(host::objects::kControlUndo);
    const auto redo = window.commandBars().actionsFor(host::objects::kControlRedo);
    ASSERT_EQ(undo.size(), 2); // the Edit menu and the Standard toolbar
    ASSERT_EQ(redo.size(), 2);
    window.commandBars().flush();
    EXPECT_FALSE(undo.front()->isEnabled());

    view().setFocus();
    type(q("5"));
    window.commandBars().flush();
    EXPECT_FALSE(undo.front()->isEnabled()); // not while a cell is being edited
    key(Qt::Key_Return);
    window.commandBars().flush();
    EXPECT_TRUE(undo.front()->isEnabled());
    EXPECT_FALSE(redo.front()->isEnabled());

    undo.back()->trigger();
    settle();
    EXPECT_TRUE(value("B2").isEmpty());
    EXPECT_TRUE(redo.front()->isEnabled());
    redo.front()->trigger();
    settle();
    EXPECT_EQ(value("B2"), Variant(5.0));
}

TEST_F(CellEditingTest, AutomationsEditsClearTheStackButItsSelectionsDoNot)
{
    view().setFocus();
    type(q("5"));
    key(Qt::Key_Return);
    ASSERT_EQ(stack().count(), 1);
    app.ActiveSheet().Range(q("F1")).Select();
    app.ActiveSheet().Range(q("F1")).Value();
    settle();
    EXPECT_EQ(stack().count(), 1);
    app.ActiveSheet().Range(q("F1")).setValue(Variant(1.0));
    settle();
    EXPECT_EQ(stack().count(), 0);
    EXPECT_EQ(value("B2"), Variant(5.0));
}

TEST_F(CellEditingTest, SavingAfterUndoWritesTheUndoneState)
{
    const QString path = dir.filePath(q("undone.xlsx"));
    const xl::Worksheet sheet = app.ActiveSheet();
    sheet.Range(q("B2")).setValue(Variant(q("kept")));
    app.ActiveWorkbook().SaveAs(path);
    settle();
    view().setFocus();
    type(q("changed"));
    key(Qt::Key_Return);
    app.ActiveWorkbook().Save(); // the edit reaches the file
    settle();
    ASSERT_EQ(stack().count(), 1); // saving is no edit
    key(Qt::Key_Z, Qt::ControlModifier);
    EXPECT_FALSE(app.ActiveWorkbook().Saved());
    app.ActiveWorkbook().Save();

    host::objects::Host other;
    const xl::Application reader{other.application()};
    reader.Workbooks().Open(path);
    EXPECT_EQ(reader.ActiveSheet().Range(q("B2")).Value(), Variant(q("kept")));
}

} // namespace
