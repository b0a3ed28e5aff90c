// The trimming dialog's brightness and contrast: the sliders and their buttons, the values the
// state takes, the preview's pixels and the note beside it.
#include "main/controls/use_text_box.h"
#include "tests/main/trimming_dialog/trimming_dialog_support.h"

#include <QLabel>
#include <QSlider>
#include <QToolButton>

namespace {

using namespace trimming_test;

// Two grey levels side by side.
QImage greys(int left, int right)
{
    QImage image(40, 20, QImage::Format_RGB32);
    image.fill(QColor(left, left, left));
    QPainter painter(&image);
    painter.fillRect(20, 0, 20, 20, QColor(right, right, right));
    return image;
}

class Colour : public DialogTest
{
};

TEST_F(Colour, TheSlidersPreviewContrastThenBrightness)
{
    const struct
    {
        int contrast, brightness; // slider positions
        int leftIn, rightIn;      // grey levels of the picture
        int leftOut, rightOut;    // as the preview shows them
    } cases[] = {
        {5, 5, 200, 100, 200, 100}, // unchanged
        {9, 5, 200, 100, 255, 0},   // 81°: 583 and −49, clamped
        {1, 5, 0, 255, 108, 148},   // 9°: towards the middle
        {5, 9, 0, 255, 204, 255},   // a white layer at 204
        {5, 1, 0, 255, 0, 51},      // a black layer at 204
        {5, 6, 0, 100, 51, 131},    // white at 51
        {7, 3, 128, 138, 77, 89},   // contrast first (128 and 148), then black at 102
    };
    for (const auto& c : cases) {
        picrows::frmTrimming& d = open(1.0, false, greys(c.leftIn, c.rightIn));
        d.sldContrast()->setValue(c.contrast);
        d.sldBrightness()->setValue(c.brightness);
        const QImage& shown = d.canvases().colour();
        EXPECT_EQ(qRed(shown.pixel(5, 5)), c.leftOut) << c.contrast << "/" << c.brightness;
        EXPECT_EQ(qBlue(shown.pixel(35, 5)), c.rightOut) << c.contrast << "/" << c.brightness;
        EXPECT_FLOAT_EQ(state.sngContrast, float(c.contrast) / 10);
        EXPECT_FLOAT_EQ(state.sngBrightness, float(c.brightness) / 10);
        const bool adjusted = c.contrast != 5 || c.brightness != 5;
        EXPECT_EQ(d.lblColorTips()->isVisible(), adjusted) << c.contrast << "/" << c.brightness;
        EXPECT_EQ(d.lblColorTips()->text(),
                  q("※明るさ・コントラストの結果は、実際の表示と異なる場合があります。"));
        // The preview shows the adjusted picture: the rotated canvas is made from it.
        EXPECT_EQ(d.canvases().rotated(), shown);
        dialog.reset();
    }
}

TEST_F(Colour, ButtonsStepTheSliderAndStopAtItsEnds)
{
    picrows::frmTrimming& d = open(1.0);
    QToolButton* minus = d.button(q("BRIGHTNESS_MINUS"));
    QToolButton* plus = d.button(q("BRIGHTNESS_PLUS"));
    for (int i = 0; i < 3; ++i)
        plus->click();
    EXPECT_EQ(d.sldBrightness()->value(), 8);
    EXPECT_FLOAT_EQ(state.sngBrightness, 0.8f);
    plus->click();
    EXPECT_EQ(d.sldBrightness()->value(), 9);
    EXPECT_FALSE(plus->isEnabled());
    EXPECT_TRUE(minus->isEnabled());
    for (int i = 0; i < 8; ++i)
        minus->click();
    EXPECT_EQ(d.sldBrightness()->value(), 1);
    EXPECT_FALSE(minus->isEnabled());
    EXPECT_TRUE(plus->isEnabled());
    d.button(q("CONTRAST_MINUS"))->click();
    EXPECT_FLOAT_EQ(state.sngContrast, 0.4f);
    EXPECT_TRUE(d.button(q("CONTRAST_PLUS"))->isEnabled());
}

TEST_F(Colour, TheColourIsTurnedWithThePictureAndTheFrameStays)
{
    picrows::frmTrimming& d = open(1.0, false, greys(0, 0));
    d.button(q("ROTATE_RIGHT"))->click();
    const double top = state.dblCropTop;
    d.sldBrightness()->setValue(9);
    EXPECT_EQ(d.canvases().rotated().size(), QSize(20, 40));
    EXPECT_EQ(qGreen(d.canvases().rotated().pixel(10, 20)), 204);
    EXPECT_EQ(state.dblCropTop, top);
    // Back to the middle: the picture as it is, and no note.
    d.sldBrightness()->setValue(5);
    EXPECT_EQ(qGreen(d.canvases().rotated().pixel(10, 20)), 0);
    EXPECT_FALSE(d.lblColorTips()->isVisible());
}

} // namespace
