// The mode buttons' tooltip pictures and the watch over the host's window.
#include "host/running/running_hosts.h"
#include "main/insert_dialog/dialog_icons.h"
#include "tests/main/insert_dialog/dialog_test_support.h"

#include <QCursor>
#include <QDir>
#include <QDropEvent>
#include <QLabel>
#include <QMimeData>
#include <QMouseEvent>
#include <QTest>
#include <QTimer>
#include <QToolButton>
#include <QUrl>

namespace {

using namespace dialog_test;
using Presence = picrows::HostWindowState::Presence;

class TooltipTest : public DialogTest
{
protected:
    // The pointer moves over a widget of the mode toolbar with no button held.
    static void hover(QWidget* widget, QPoint at)
    {
        QCursor::setPos(widget->mapToGlobal(at));
        QMouseEvent move(QEvent::MouseMove, at, widget->mapToGlobal(at), Qt::NoButton, Qt::NoButton,
                         Qt::NoModifier);
        QCoreApplication::sendEvent(widget, &move);
    }
    static void hoverCentre(QWidget* widget)
    {
        hover(widget, QPoint(widget->width() / 2, widget->height() / 2));
    }
    static QString shownKey(const QLabel* tip)
    {
        return tip->isVisible() ? tip->property("key").toString() : QString();
    }
};

TEST_F(TooltipTest, HoveringAModeButtonShowsItsPictureUnderTheToolbar)
{
    ASSERT_TRUE(setting().ShowToolTipImages());
    auto dialog = openDialog();
    auto* excel = control<QToolButton>(*dialog, q("EXCELMODE"));
    auto* selected = control<QToolButton>(*dialog, q("SELECTEDMODE"));
    auto* click = control<QToolButton>(*dialog, q("CLICKMODE"));
    auto* bar = control<QWidget>(*dialog, q("tlbGo"));
    auto* tip = control<QLabel>(*dialog, q("picToolTip"));
    for (QToolButton* b : {excel, selected, click})
        EXPECT_EQ(b->toolTip(), QString()) << "pictures instead of text";
    EXPECT_EQ(control<QTimer>(*dialog, q("timToolTips"))->interval(), 100);

    hoverCentre(excel);
    EXPECT_EQ(shownKey(tip), q("EXCELMODE"));
    EXPECT_EQ(tip->geometry(),
              QRect(bar->mapTo(dialog.get(), QPoint(0, bar->height())), picrows::kTipSize));
    EXPECT_EQ(
        tip->pixmap().toImage(),
        picrows::modeTipPicture(q("EXCELMODE")).convertToFormat(tip->pixmap().toImage().format()));
    hoverCentre(selected);
    EXPECT_EQ(shownKey(tip), q("SELECTEDMODE"));
    hoverCentre(click);
    EXPECT_EQ(shownKey(tip), q("CLICKMODE"));
    // Between the buttons (the separator): no picture.
    hover(bar, QPoint(click->x() - 2, bar->height() / 2));
    EXPECT_EQ(shownKey(tip), QString());

    // The pointer leaving the toolbar hides the picture at the next tick.
    hoverCentre(selected);
    ASSERT_EQ(shownKey(tip), q("SELECTEDMODE"));
    QCursor::setPos(dialog->mapToGlobal(QPoint(dialog->width() / 2, dialog->height() - 5)));
    EXPECT_TRUE(QTest::qWaitFor([&] { return !tip->isVisible(); }, 1000));
    EXPECT_FALSE(control<QTimer>(*dialog, q("timToolTips"))->isActive());

    // A click on the picture hides it.
    hoverCentre(excel);
    ASSERT_TRUE(tip->isVisible());
    QTest::mouseClick(tip, Qt::LeftButton);
    EXPECT_FALSE(tip->isVisible());
}

TEST_F(TooltipTest, TheSettingSwitchesBetweenPicturesAndTextWhileTheDialogIsOpen)
{
    setting().setShowToolTipImages(false);
    auto dialog = openDialog();
    auto* excel = control<QToolButton>(*dialog, q("EXCELMODE"));
    auto* tip = control<QLabel>(*dialog, q("picToolTip"));
    EXPECT_EQ(excel->toolTip(), q("全設定を無視してエクセル標準の方法で一括挿入"));
    EXPECT_EQ(control<QToolButton>(*dialog, q("SELECTEDMODE"))->toolTip(),
              q("すでに選択中のセルに一括挿入"));
    EXPECT_EQ(control<QToolButton>(*dialog, q("CLICKMODE"))->toolTip(),
              q("これからセルを選択する毎に連続挿入"));
    hoverCentre(excel);
    EXPECT_FALSE(tip->isVisible());

    setting().setShowToolTipImages(true); // the settings call the dialog's SetToolTip
    EXPECT_EQ(excel->toolTip(), QString());
    hoverCentre(excel);
    EXPECT_EQ(shownKey(tip), q("EXCELMODE"));
    setting().setShowToolTipImages(false);
    EXPECT_FALSE(tip->isVisible());
}

TEST_F(TooltipTest, ChangingTheIconSizeWhileOpenSaysItTakesEffectNextTime)
{
    auto dialog = openDialog();
    setting().SetIconSize(60, 40);
    EXPECT_EQ(messages.shown(),
              (std::vector<platform::Message>{
                  message(q("アイコンサイズは、次回メイン画面を起動した際に反映されます。"),
                          platform::MsgButtons::OK, platform::MsgIcon::Information)}));
    dialog->close();
    setting().SetIconSize(70, 40);
    EXPECT_EQ(messages.shown().size(), 1u) << "closed: no word about it";
}

class HostWatchTest : public DialogTest
{
protected:
    HostWatchTest()
    {
        // The host's main window as the window system lists it, so that the dialog knows it.
        auto entry = std::make_shared<host::running::InProcessHost>(app.ref(), kWindow);
        m_registration = std::make_unique<host::running::Registration>(entry);
    }
    static constexpr std::int32_t kWindow = 4242;

private:
    std::unique_ptr<host::running::Registration> m_registration;
};

TEST_F(HostWatchTest, TheDialogClosesWhenTheHostWindowIsGoneButNotWhenMinimised)
{
    auto dialog = openDialog();
    auto* timer = control<QTimer>(*dialog, q("timCheckXlhandle"));
    EXPECT_TRUE(timer->isActive());
    EXPECT_EQ(timer->interval(), 100);
    hostWindow.state = Presence::Minimised;
    QTest::qWait(300);
    EXPECT_GT(hostWindow.asked, 1);
    EXPECT_TRUE(dialog->isVisible());

    hostWindow.state = Presence::Gone;
    EXPECT_TRUE(QTest::qWaitFor([&] { return !dialog->isVisible(); }, 1000));
    EXPECT_TRUE(dialog->hasClosed());
    EXPECT_FALSE(timer->isActive());
}

TEST_F(HostWatchTest, AHostGoneDuringAnAdditionClosesTheDialogOnceItIsDone)
{
    const QString folder = dir.filePath(q("many"));
    QDir().mkpath(folder);
    for (int i = 0; i < 3; ++i)
        picture(QStringLiteral("many/p%1.png").arg(i));
    auto dialog = openDialog();
    bool openDuringAddition = true;
    pump.step = [&] {
        hostWindow.state = Presence::Gone;
        QTest::qWait(150); // more than a tick of the watch
        openDuringAddition = openDuringAddition && dialog->isVisible();
    };
    QMimeData data;
    data.setUrls({QUrl::fromLocalFile(folder)});
    QDragEnterEvent enter(QPoint(5, 5), Qt::CopyAction, &data, Qt::LeftButton, Qt::NoModifier);
    QCoreApplication::sendEvent(control<QWidget>(*dialog, q("picDropTip")), &enter);
    QDropEvent drop(QPointF(5, 5), Qt::CopyAction, &data, Qt::LeftButton, Qt::NoModifier);
    QCoreApplication::sendEvent(control<QWidget>(*dialog, q("picDropTip")), &drop);
    pump.step = nullptr;
    EXPECT_TRUE(openDuringAddition);
    EXPECT_EQ(dialog->pictureFiles().count(), 3);
    EXPECT_TRUE(QTest::qWaitFor([&] { return !dialog->isVisible(); }, 1000));
}

} // namespace
