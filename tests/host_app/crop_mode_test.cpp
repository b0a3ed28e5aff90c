// Crop mode: offered for exactly one selected picture, entered from the crop button or
// ExecuteMso("PictureCrop"); its handles move the crops the object model reports; Enter or a
// click elsewhere ends it, as one undo step.
#include "host_app/crop_mode.h"
#include "host_app/edit_history.h"
#include "tests/host_app/host_app_support.h"

#include <QUndoStack>

using namespace host_app_test;
using host::Variant;

namespace {

class CropModeTest : public HostAppTest
{
protected:
    CropModeTest()
    {
        app.Workbooks().Add();
        // 160 × 120 pixels: 120 × 90 points; the left half red, the right half blue.
        QImage image(160, 120, QImage::Format_RGB32);
        image.fill(Qt::blue);
        for (int y = 0; y < 120; ++y)
            for (int x = 0; x < 80; ++x)
                image.setPixel(x, y, qRgb(255, 0, 0));
        const QString file = dir.filePath(q("halves.png"));
        image.save(file);
        const xl::Worksheet sheet = app.ActiveSheet();
        sheet.Range(q("C4")).Select();
        sheet.Pictures().Insert(file);
        sheet.Shapes().AddTextbox(1, 400, 40, 60, 30);
        sheet.Range(q("A1")).Select();
        settle();
    }
    xl::Shape picture() { return app.ActiveSheet().Shapes().Item(1); }
    QPoint viewAt(double x, double y) { return layout().toView(QPointF(x, y)).toPoint(); }
    host_app::CropMode& crop() { return bookWindow().cropMode(); }
    QUndoStack& stack() { return window.history().stackFor(*host.app().activeWorkbook()); }
    bool cropEnabled() { return app.CommandBars().GetEnabledMso(q("PictureCrop")); }
};

TEST_F(CropModeTest, TheCommandIsOfferedForExactlyOnePicture)
{
    EXPECT_FALSE(cropEnabled()) << "cells selected";
    EXPECT_FALSE(app.CommandBars().FindControl(732).Enabled());
    app.ActiveSheet().Shapes().Item(2).Select();
    EXPECT_FALSE(cropEnabled()) << "a text box";
    picture().Select();
    EXPECT_TRUE(cropEnabled());
    EXPECT_TRUE(app.CommandBars().FindControl(732).Enabled());
    picture().Select();
    app.ActiveSheet().Shapes().Item(2).Select(false);
    EXPECT_FALSE(cropEnabled()) << "a picture and a text box";
    // Refused as a disabled command is, and no mode starts.
    EXPECT_THROW(app.CommandBars().ExecuteMso(q("PictureCrop")), host::HostError);
    EXPECT_FALSE(crop().active());
}

TEST_F(CropModeTest, ACropHandleDragCropsAndEnterEndsAsOneUndoStep)
{
    picture().Select();
    app.CommandBars().ExecuteMso(q("PictureCrop"));
    settle();
    ASSERT_TRUE(crop().active());
    const double left = picture().Left();
    const double top = picture().Top();

    // The left side's handle, dragged 80 px (60 points) right: the red half goes.
    const QPoint handle = viewAt(left, top + 45);
    drag(handle, handle + QPoint(80, 0));
    EXPECT_NEAR(picture().PictureFormat().CropLeft(), 60, 0.8);
    EXPECT_NEAR(picture().Left(), left + 60, 0.8);
    EXPECT_NEAR(picture().Width(), 60, 0.8);
    EXPECT_TRUE(crop().active()) << "the mode lasts across drags";

    // The bottom handle, 40 px (30 points) up.
    const QPoint bottom = viewAt(left + 60 + 30, top + 90);
    drag(bottom, bottom + QPoint(0, -40));
    EXPECT_NEAR(picture().PictureFormat().CropBottom(), 30, 0.8);
    EXPECT_NEAR(picture().Height(), 60, 0.8);

    // In the mode the cropped-away part shows faintly: red, washed out.
    const QRgb faint = grabView().pixel(viewAt(left + 20, top + 20));
    EXPECT_GT(qRed(faint), 200);
    EXPECT_GT(qGreen(faint), 100) << "dimmed, not full red";
    EXPECT_LT(qGreen(faint), 250) << "drawn, not left white";

    press(Qt::Key_Return);
    EXPECT_FALSE(crop().active());
    EXPECT_EQ(stack().count(), 1);
    // Outside the mode the cropped part is not drawn.
    EXPECT_EQ(grabView().pixel(viewAt(left + 20, top + 20)), qRgb(255, 255, 255));

    stack().undo();
    settle();
    EXPECT_EQ(picture().PictureFormat().CropLeft(), 0);
    EXPECT_EQ(picture().PictureFormat().CropBottom(), 0);
    EXPECT_NEAR(picture().Width(), 120, 0.8);
}

TEST_F(CropModeTest, AClickElsewhereEndsTheModeAndDoesWhatAClickDoes)
{
    picture().Select();
    settle();
    // The crop button of the Picture toolbar starts it as ExecuteMso does.
    app.CommandBars().FindControl(732).Execute();
    ASSERT_TRUE(crop().active());
    click("A10");
    EXPECT_FALSE(crop().active());
    EXPECT_EQ(app.Selection().TypeName(), q("Range"));
    EXPECT_EQ(stack().count(), 0) << "nothing cropped, no step";
}

TEST_F(CropModeTest, CropsStopShortOfNothing)
{
    picture().Select();
    app.CommandBars().ExecuteMso(q("PictureCrop"));
    settle();
    const double left = picture().Left();
    const double top = picture().Top();
    const QPoint right = viewAt(left + 120, top + 45);
    drag(right, right - QPoint(400, 0)); // far past the left side
    EXPECT_GT(picture().Width(), 0);
    EXPECT_LE(picture().PictureFormat().CropRight(), 119.01);
    EXPECT_NEAR(picture().Left(), left, 0.01);
}

} // namespace
