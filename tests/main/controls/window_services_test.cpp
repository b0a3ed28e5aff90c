#include "main/controls/window_services.h"

#include "platform/message_box.h"
#include "platform/settings_store.h"

#include <QApplication>
#include <QDialog>
#include <QTemporaryDir>
#include <QTest>

#include <gtest/gtest.h>

using namespace picrows;

TEST(LimitDragRect, TheDraggedEdgeStopsAndTheOppositeStays)
{
    const QRect proposed(100, 100, 50, 40); // right 150, bottom 140
    const struct
    {
        DragEdge edge;
        QRect expected;
    } cases[] = {
        {DragEdge::Left, QRect(70, 100, 80, 40)}, // width only
        {DragEdge::Right, QRect(100, 100, 80, 40)},
        {DragEdge::Top, QRect(100, 80, 50, 60)}, // height only
        {DragEdge::Bottom, QRect(100, 100, 50, 60)},
        {DragEdge::TopLeft, QRect(70, 80, 80, 60)},
        {DragEdge::TopRight, QRect(100, 80, 80, 60)},
        {DragEdge::BottomLeft, QRect(70, 100, 80, 60)},
        {DragEdge::BottomRight, QRect(100, 100, 80, 60)},
    };
    for (const auto& c : cases)
        EXPECT_EQ(limitDragRect(c.edge, proposed, 80, 60), c.expected) << int(c.edge);
    // Large enough already: nothing moves.
    EXPECT_EQ(limitDragRect(DragEdge::Left, QRect(0, 0, 300, 300), 80, 60), QRect(0, 0, 300, 300));
}

TEST(WinPosition, SavedPlacementComesBackAndOddValuesAreMended)
{
    QTemporaryDir folder;
    platform::SettingsStore store(folder.path());
    c_WinPosition position(store);
    EXPECT_EQ(c_WinPosition::keyPrefix(QStringLiteral("frmGet")), QStringLiteral("Get"));
    EXPECT_EQ(c_WinPosition::keyPrefix(QStringLiteral("frmTrimming")), QStringLiteral("Trimming"));

    QDialog dialog;
    dialog.setGeometry(30, 45, 300, 200);
    const double tpp = twipsPerPixel(&dialog);
    position.save(dialog, QStringLiteral("frmGet"), true);
    EXPECT_EQ(store.value(QStringLiteral("position"), QStringLiteral("Get_Left")),
              QString::number(dialog.frameGeometry().x() * tpp));
    EXPECT_TRUE(store.value(QStringLiteral("position"), QStringLiteral("Get_Height")).has_value());

    QDialog again;
    again.setGeometry(0, 0, 50, 50);
    position.restore(again, QStringLiteral("frmGet"), true);
    EXPECT_EQ(again.frameGeometry().topLeft(), dialog.frameGeometry().topLeft());
    EXPECT_EQ(again.size(), dialog.size());

    // A window left on a monitor to the left opens at 0; a size of 0 opens 2000 twips wide.
    store.setValue(QStringLiteral("position"), QStringLiteral("Get_Left"), QStringLiteral("-1500"));
    store.setValue(QStringLiteral("position"), QStringLiteral("Get_Width"), QStringLiteral("0"));
    store.setValue(QStringLiteral("position"), QStringLiteral("Get_Height"), QStringLiteral("x"));
    position.restore(again, QStringLiteral("frmGet"), true);
    EXPECT_EQ(again.frameGeometry().x(), 0);
    EXPECT_EQ(again.frameGeometry().width(), qRound(2000 / tpp));
    EXPECT_EQ(again.frameGeometry().height(), qRound(2000 / tpp));

    // A fixed-size dialog keeps its size and writes no size keys.
    QDialog fixed;
    fixed.setGeometry(10, 10, 120, 80);
    position.save(fixed, QStringLiteral("frmAbout"), false);
    EXPECT_FALSE(store.value(QStringLiteral("position"), QStringLiteral("About_Width")));
    store.setValue(QStringLiteral("position"), QStringLiteral("About_Width"),
                   QStringLiteral("9000"));
    position.restore(fixed, QStringLiteral("frmAbout"), false);
    EXPECT_EQ(fixed.size(), QSize(120, 80));
}

TEST(ResizeLimiter, KeepsTheMinimumAndServesOneWindowAtATime)
{
    platform::ScriptedMessages messages;
    const platform::ScopedMessageService scope(messages);
    QDialog dialog;
    dialog.setGeometry(50, 50, 400, 500);
    ResizeLimiter& limiter = ResizeLimiter::instance(ResizeLimiter::Main);
    limiter.start(&dialog, 253, 520);
    EXPECT_EQ(limiter.window(), &dialog);

    // Dragged narrower from the right: the left edge stays, the width stops at the minimum.
    dialog.setGeometry(50, 50, 100, 600);
    EXPECT_GE(dialog.frameGeometry().width(), 253);
    EXPECT_EQ(dialog.geometry().x(), 50);

    QDialog second;
    limiter.start(&second, 10, 10);
    ASSERT_EQ(messages.shown().size(), 1u);
    EXPECT_EQ(messages.shown()[0],
              (platform::Message{QStringLiteral("Err:SubClass_Start_WindowResizeRimit_Main"),
                                 platform::MsgButtons::OK, platform::MsgIcon::Critical,
                                 platform::programTitle()}));
    EXPECT_EQ(limiter.window(), &dialog) << "the first window keeps its limiter";

    limiter.stop();
    EXPECT_EQ(limiter.window(), nullptr);
    dialog.setGeometry(50, 50, 100, 100);
    EXPECT_EQ(dialog.size(), QSize(100, 100)) << "stopped: the minimum is gone";

    ResizeLimiter& control = ResizeLimiter::instance(ResizeLimiter::Control);
    control.start(&second, 10, 10);
    control.start(&dialog, 10, 10);
    EXPECT_EQ(messages.shown().back().text,
              QStringLiteral("Err:SubClass_Start_WindowResizeRimit_Control"));
    control.stop();
}

TEST(ResizeLimiter, AMinimumSetBeforeTheWindowIsShownCountsItsFrameOnceShown)
{
    QDialog dialog;
    dialog.setGeometry(50, 50, 400, 500);
    ResizeLimiter& limiter = ResizeLimiter::instance(ResizeLimiter::Main);
    limiter.start(&dialog, 253, 520); // no frame yet
    dialog.show();
    ASSERT_TRUE(QTest::qWaitForWindowExposed(&dialog));
    dialog.resize(10, 10);
    EXPECT_EQ(dialog.frameGeometry().size(), QSize(253, 520))
        << "the outer size stops at the minimum, the frame included";
    limiter.stop();
}
