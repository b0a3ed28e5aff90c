// Switching a painter into a turned world and back.
#include "main/tools/world_transform.h"

#include <QImage>
#include <QPainter>

#include <gtest/gtest.h>

namespace {

using picrows::S_SetWorldTrans;

// Where drawing coordinates land on the device.
QPointF lands(const QPainter& painter, QPointF at)
{
    return painter.combinedTransform().map(at);
}

TEST(WorldTransform, AngleZeroMovesOnlyTheOriginAndSwitchOffPutsItBack)
{
    QImage canvas(40, 30, QImage::Format_RGB32);
    canvas.fill(Qt::white);
    QPainter painter(&canvas);
    const QRect viewport = painter.viewport();

    S_SetWorldTrans(true, &painter, 0, 0, 0, 0, 0, QPoint(30, 20));
    EXPECT_FALSE(painter.worldMatrixEnabled());
    EXPECT_TRUE(painter.worldTransform().isIdentity());
    EXPECT_EQ(lands(painter, {0, 0}), QPointF(30, 20));
    EXPECT_EQ(lands(painter, {5, -3}), QPointF(35, 17));
    painter.fillRect(0, 0, 1, 1, Qt::black);

    S_SetWorldTrans(false);
    EXPECT_EQ(painter.viewport(), viewport);
    EXPECT_EQ(lands(painter, {0, 0}), QPointF(0, 0));
    painter.end();
    EXPECT_EQ(canvas.pixel(30, 20), qRgb(0, 0, 0));
    EXPECT_EQ(canvas.pixel(0, 0), qRgb(255, 255, 255));
}

TEST(WorldTransform, TurnsClockwiseAboutTheOriginAndRestoresTheFormerTransform)
{
    QImage canvas(100, 100, QImage::Format_RGB32);
    QPainter painter(&canvas);
    const QTransform before = QTransform::fromTranslate(3, 4);
    painter.setWorldTransform(before);
    painter.setWorldMatrixEnabled(false);

    S_SetWorldTrans(true, &painter, 0, 0, 90, 0, 0, QPoint(50, 50));
    EXPECT_TRUE(painter.worldMatrixEnabled());
    // Right of the origin turns to below it on screen.
    const QPointF p = lands(painter, {10, 0});
    EXPECT_NEAR(p.x(), 50, 1e-5);
    EXPECT_NEAR(p.y(), 60, 1e-5);

    S_SetWorldTrans(false);
    EXPECT_FALSE(painter.worldMatrixEnabled());
    EXPECT_EQ(painter.worldTransform(), before);
    EXPECT_EQ(painter.viewport(), QRect(0, 0, 100, 100));
    // A second switch-off has nothing to restore.
    S_SetWorldTrans(false);
    EXPECT_EQ(painter.viewport(), QRect(0, 0, 100, 100));
}

// The five matrices compose in order: tilts, rotation, then the shears.
TEST(WorldTransform, ComposesTiltRotationAndShearInOrder)
{
    struct Case
    {
        const char* what;
        double tiltX, tiltY, angle, shearX, shearY;
        double m11, m12, m21, m22;
    } cases[] = {
        {"tilt about the horizontal axis", 60, 0, 0, 0, 0, 1, 0, 0, 0.5},
        {"tilt about the vertical axis", 0, 60, 0, 0, 0, 0.5, 0, 0, 1},
        {"rotation, then horizontal shear", 0, 0, 90, 50, 0, 0.5, 1, -1, 0},
        {"rotation, then vertical shear", 0, 0, 90, 0, 50, 0, 1, -1, -0.5},
        {"shears only", 0, 0, 0, 50, 20, 1, 0.2, 0.5, 1.1},
    };
    for (const Case& c : cases) {
        QImage canvas(10, 10, QImage::Format_RGB32);
        QPainter painter(&canvas);
        S_SetWorldTrans(true, &painter, c.tiltX, c.tiltY, c.angle, c.shearX, c.shearY, {});
        const QTransform t = painter.worldTransform();
        EXPECT_NEAR(t.m11(), c.m11, 1e-6) << c.what;
        EXPECT_NEAR(t.m12(), c.m12, 1e-6) << c.what;
        EXPECT_NEAR(t.m21(), c.m21, 1e-6) << c.what;
        EXPECT_NEAR(t.m22(), c.m22, 1e-6) << c.what;
        EXPECT_EQ(t.dx(), 0) << c.what;
        EXPECT_EQ(t.dy(), 0) << c.what;
        S_SetWorldTrans(false);
        EXPECT_TRUE(painter.worldTransform().isIdentity()) << c.what;
    }
}

TEST(WorldTransform, SwitchingOnAnotherPainterSwitchesTheFirstOff)
{
    QImage a(20, 20, QImage::Format_RGB32);
    QImage b(20, 20, QImage::Format_RGB32);
    QPainter first(&a);
    QPainter second(&b);

    S_SetWorldTrans(true, &first, 0, 0, 30, 0, 0, QPoint(10, 10));
    S_SetWorldTrans(true, &second, 0, 0, 0, 0, 0, QPoint(5, 5));
    EXPECT_EQ(first.viewport(), QRect(0, 0, 20, 20));
    EXPECT_TRUE(first.worldTransform().isIdentity());
    EXPECT_EQ(lands(second, {0, 0}), QPointF(5, 5));
    S_SetWorldTrans(false);
    EXPECT_EQ(lands(second, {0, 0}), QPointF(0, 0));
}

} // namespace
