// The host's switches where the user meets them: screen updating, interaction and the cursor.
#include "tests/host_app/host_app_support.h"

#include <QDialog>
#include <QLineEdit>
#include <QTest>
#include <QTimer>

using namespace host_app_test;
using host::Variant;

namespace {

class SwitchesTest : public HostAppTest
{
protected:
    SwitchesTest()
    {
        app.Workbooks().Add();
        settle();
    }
};

TEST_F(SwitchesTest, WithScreenUpdatingOffTheViewKeepsWhatItShowed)
{
    const QImage before = grabView();
    app.setScreenUpdating(false);
    app.ActiveSheet().Range(q("B2:D6")).Select();
    app.ActiveWindow().setZoom(300);
    EXPECT_EQ(grabView(), before);
    app.setScreenUpdating(true);
    const QImage after = grabView();
    EXPECT_NE(after, before);
    EXPECT_DOUBLE_EQ(layout().scale(), 4.0);
}

TEST_F(SwitchesTest, WithInteractiveOffTheUsersInputIsIgnored)
{
    app.setInteractive(false);
    click("C3");
    press(Qt::Key_Down);
    EXPECT_EQ(selectionAddress(), q("$A$1"));
    // Automation goes on meanwhile.
    app.ActiveSheet().Range(q("B2")).Select();
    EXPECT_EQ(selectionAddress(), q("$B$2"));
    app.setInteractive(true);
    click("C3");
    EXPECT_EQ(selectionAddress(), q("$C$3"));
}

// A dialog put up by code while the user's input is off is how that code asks the user: it
// takes the keys, and once it has closed the workbook ignores them again.
TEST_F(SwitchesTest, WithInteractiveOffADialogPutUpByCodeTakesTheKeys)
{
    app.setInteractive(false);
    QString typed;
    QTimer::singleShot(0, [&] {
        auto* dialog = qobject_cast<QDialog*>(QApplication::activeModalWidget());
        if (!dialog)
            return;
        auto* edit = dialog->findChild<QLineEdit*>();
        QTest::keyClicks(edit, q("b.bmp"));
        typed = edit->text();
        dialog->accept();
    });
    QDialog dialog(&window);
    new QLineEdit(&dialog);
    QTimer::singleShot(5000, &dialog, &QDialog::reject);
    dialog.exec();
    EXPECT_EQ(typed, q("b.bmp"));
    press(Qt::Key_Down);
    EXPECT_EQ(selectionAddress(), q("$A$1"));
    app.setInteractive(true);
}

TEST_F(SwitchesTest, TheCursorShows)
{
    EXPECT_EQ(QApplication::overrideCursor(), nullptr);
    app.let(q("Cursor"), Variant(std::int32_t(2))); // xlWait
    settle();
    ASSERT_NE(QApplication::overrideCursor(), nullptr);
    EXPECT_EQ(QApplication::overrideCursor()->shape(), Qt::WaitCursor);
    app.let(q("Cursor"), Variant(std::int32_t(3))); // xlIBeam
    settle();
    EXPECT_EQ(QApplication::overrideCursor()->shape(), Qt::IBeamCursor);
    app.let(q("Cursor"), Variant(std::int32_t(-4143))); // xlDefault
    settle();
    EXPECT_EQ(QApplication::overrideCursor(), nullptr);
}

} // namespace
