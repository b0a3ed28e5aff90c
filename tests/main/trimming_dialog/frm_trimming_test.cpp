// The trimming dialog driven as a user drives it: the frame and its handles, the quarter turns
// and the free angle, the options link, the buttons and the state each leaves, re-trimming.
#include "host/objects/host.h"
#include "host/xl/range.h"
#include "main/controls/modal_loop.h"
#include "main/controls/use_text_box.h"
#include "main/controls/window_services.h"
#include "main/trimming_dialog/trimming_dialog_service.h"
#include "tests/host/objects/objects_support.h"
#include "tests/main/trimming_dialog/trimming_dialog_support.h"

#include <QGroupBox>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QSlider>
#include <QTimer>
#include <QToolButton>
#include <QWindow>

namespace {

using namespace trimming_test;
using picrows::Corner;
using picrows::TwipsRect;

class Trimming : public DialogTest
{
protected:
    void expectFractions(double l, double r, double t, double b, double tolerance = 1e-9)
    {
        EXPECT_NEAR(state.dblCropLeft, l, tolerance);
        EXPECT_NEAR(state.dblCropRight, r, tolerance);
        EXPECT_NEAR(state.dblCropTop, t, tolerance);
        EXPECT_NEAR(state.dblCropBottom, b, tolerance);
    }
    void typeAngle(const char* text)
    {
        QLineEdit* box = dialog->utxtRotate()->txtMain();
        box->selectAll();
        QTest::keyClicks(box, q(text));
    }
    // The width ÷ height of the part the state's fractions leave of a W × H canvas.
    double visibleAspect(double W, double H) const
    {
        return (1 - state.dblCropLeft - state.dblCropRight) * W /
               ((1 - state.dblCropTop - state.dblCropBottom) * H);
    }
    QPoint centreOf(const TwipsRect& r)
    {
        return pixelAt(QPointF(r.left + r.width / 2, r.top + r.height / 2));
    }
    QPoint handle(Corner corner) { return preview().handleRect(corner).center().toPoint(); }
};

TEST_F(Trimming, InsertionOpensWithTheLargestCentredFrameAndEveryControl)
{
    state.blnCancel = false;
    picrows::frmTrimming& d = open(1.0); // a square target on a 2:1 picture
    expectFractions(0.25, 0.25, 0, 0);
    EXPECT_TRUE(state.blnCancel);
    EXPECT_EQ(d.windowTitle(), q("ピクロウアドイン - トリミング"));
    EXPECT_EQ(d.cmdOK()->text(), q("貼り付け(&P)"));
    EXPECT_EQ(d.cmdOK()->toolTip(), q("図の挿入を実行します"));
    EXPECT_EQ(d.cmdCancel()->text(), q("キャンセル"));
    EXPECT_EQ(d.cmdCancel()->toolTip(), q("キャンセルします"));
    EXPECT_EQ(d.fraRotate()->title(), q("回転"));
    EXPECT_EQ(d.fraColor()->title(), q("色彩"));
    EXPECT_EQ(d.lblRotate()->text(), q("角度"));
    EXPECT_EQ(d.utxtRotate()->toolTip(), q("回転角度"));
    EXPECT_EQ(d.lblOption_Area()->text(), q("<a href=\"options\">オプション</a>"));
    EXPECT_TRUE(d.fraRotate()->isVisible());
    EXPECT_TRUE(d.fraColor()->isVisible());
    EXPECT_TRUE(d.utxtRotate()->Enabled());
    EXPECT_EQ(d.utxtRotate()->NumText(), 0);
    EXPECT_EQ(d.utxtRotate()->Max(), 359.9);
    EXPECT_TRUE(d.utxtRotate()->BackToTop());
    for (const char* key : {"ROTATE_LEFT", "ROTATE_RIGHT", "CONTRAST_MINUS", "CONTRAST_PLUS",
                            "BRIGHTNESS_MINUS", "BRIGHTNESS_PLUS"}) {
        ASSERT_NE(d.button(q(key)), nullptr) << key;
        EXPECT_TRUE(d.button(q(key))->isEnabled()) << key;
    }
    EXPECT_EQ(d.sldContrast()->value(), 5);
    EXPECT_EQ(d.sldBrightness()->value(), 5);
    EXPECT_FALSE(d.lblColorTips()->isVisible());

    // The frame is square and centred on the displayed picture.
    const TwipsRect frame = preview().frame();
    const TwipsRect shown = *preview().display();
    EXPECT_NEAR(frame.width / frame.height, 1.0, 1e-4);
    EXPECT_NEAR(frame.left - shown.left, shown.right() - frame.right(), 0.01);
    EXPECT_EQ(frame.height, shown.height);
    // Never smaller than 6000 twips, held by the trimming dialog's resize limiter.
    EXPECT_EQ(picrows::ResizeLimiter::instance(picrows::ResizeLimiter::Control).window(), &d);
    // The limit is on the outer size: the widget's minimum plus the window's frame.
    EXPECT_GE(d.minimumWidth() + d.frameGeometry().width() - d.width(), int(6000 / tpp()) - 1);
    EXPECT_TRUE(messages.shown().empty());
}

TEST_F(Trimming, DraggingTheFrameMovesItOnThePictureWithoutScalingThePictureAgain)
{
    open(1.0);
    const int renders = preview().pictureRenders();
    const TwipsRect before = preview().hitArea();
    const QPoint centre = centreOf(before);

    // While the button is held only the outlines follow; the fractions wait for the release.
    send(QEvent::MouseButtonPress, centre, Qt::LeftButton);
    send(QEvent::MouseMove, centre + QPoint(40, 25), Qt::LeftButton);
    EXPECT_NEAR(preview().frame().left, before.left + 40 * tpp(), 1e-3);
    EXPECT_EQ(preview().frame().top, before.top); // as high as the picture: it cannot move down
    EXPECT_EQ(preview().hitArea(), before);
    expectFractions(0.25, 0.25, 0, 0);
    send(QEvent::MouseButtonRelease, centre + QPoint(40, 25), Qt::NoButton);
    EXPECT_EQ(preview().hitArea(), preview().frame());
    const double moved = 40 * tpp() / preview().display()->width;
    expectFractions(0.25 + moved, 0.25 - moved, 0, 0, 2.0 / 6000);
    EXPECT_NEAR(state.dblCropLeft + state.dblCropRight, 0.5, 2.0 / 6000);

    // Far to the left: it stops at the picture's left edge.
    drag(centreOf(preview().hitArea()), QPoint(-2000, 0));
    expectFractions(0, 0.5, 0, 0, 1.0 / 6000);
    EXPECT_EQ(preview().pictureRenders(), renders);
}

TEST_F(Trimming, DraggingAHandleKeepsTheProportionWithinThePicture)
{
    open(3.0); // a wide target: the frame spans the 2:1 picture's width
    expectFractions(0, 0, 1.0 / 6, 1.0 / 6, 1.0 / 3000);

    // Pulled in from the bottom-right corner, moved off the left edge, then pulled out again
    // as far as it goes: it stops at the picture's right edge though the bottom has room.
    drag(handle(Corner::RightBottom), QPoint(-60, -60));
    EXPECT_GT(state.dblCropRight, 0.1);
    EXPECT_NEAR(visibleAspect(6000, 3000), 3.0, 0.01);
    drag(centreOf(preview().hitArea()), QPoint(30, 0));
    EXPECT_GT(state.dblCropLeft, 0.05);
    drag(handle(Corner::RightBottom), QPoint(1000, 1000));
    EXPECT_NEAR(visibleAspect(6000, 3000), 3.0, 0.01);
    EXPECT_EQ(preview().frame().right(), preview().display()->right());
    EXPECT_NEAR(state.dblCropRight, 0, 1.0 / 6000);
    EXPECT_GT(state.dblCropBottom, 0.05);

    // Pulled in as far as it goes: 100 twips high.
    drag(handle(Corner::RightBottom), QPoint(-1000, -1000));
    EXPECT_NEAR(preview().frame().height, 100, 1e-3);
    EXPECT_NEAR(preview().frame().width, 300, 0.05);
    EXPECT_TRUE(messages.shown().empty());
}

TEST_F(Trimming, QuarterTurnsTurnThePictureAndStartTheFrameAfresh)
{
    picrows::frmTrimming& d = open(1.5);
    d.button(q("ROTATE_RIGHT"))->click();
    EXPECT_EQ(d.utxtRotate()->NumText(), 90);
    EXPECT_EQ(state.dblAngle, 90);
    EXPECT_EQ(d.canvases().rotated().size(), QSize(200, 400));
    // The turned picture is 1:2, the target 3:2: the frame spans its width.
    expectFractions(0, 0, 1.0 / 3, 1.0 / 3, 1.0 / 6000);
    // The left half (red) of the picture is now at the top.
    EXPECT_EQ(d.canvases().rotated().pixelColor(100, 10), QColor(Qt::red));

    for (double expected : {180.0, 270.0, 0.0}) {
        d.button(q("ROTATE_RIGHT"))->click();
        EXPECT_EQ(state.dblAngle, expected);
    }
    EXPECT_EQ(d.canvases().rotated().size(), QSize(400, 200));
    d.button(q("ROTATE_LEFT"))->click();
    EXPECT_EQ(d.utxtRotate()->NumText(), 270);
    EXPECT_EQ(state.dblAngle, 270);

    // From a free angle a quarter turn goes on from the nearest quarter.
    typeAngle("45");
    d.button(q("ROTATE_RIGHT"))->click();
    EXPECT_EQ(state.dblAngle, 180);
}

TEST_F(Trimming, AFreeAngleTurnsThePictureOnTheBackgroundInTenthsOfADegree)
{
    m_setting->Rotate_BackColor = 0x00FF00; // green, as 0x00BBGGRR
    picrows::frmTrimming& d = open(1.5);
    typeAngle("45");
    EXPECT_EQ(state.dblAngle, 45);
    const QImage& turned = d.canvases().rotated();
    EXPECT_EQ(turned.size(), QSize(424, 424));
    EXPECT_EQ(turned.pixelColor(0, 0), QColor(Qt::green)); // a corner the picture leaves
    // Square canvas, 3:2 frame.
    expectFractions(0, 0, 1.0 / 6, 1.0 / 6, 1.0 / 6000);

    typeAngle("12.3");
    EXPECT_NEAR(state.dblAngle, 12.3, 1e-9);
    d.utxtRotate()->cmdDown()->click();
    EXPECT_NEAR(state.dblAngle, 11.3, 1e-9);
}

TEST_F(Trimming, WithoutTheProgramsRotationOnlyQuarterTurnsAreOffered)
{
    m_setting->Rotate_ApiMode = false;
    picrows::frmTrimming& d = open(1.5);
    EXPECT_FALSE(d.utxtRotate()->Enabled());
    EXPECT_FALSE(d.lblRotate()->isEnabled());
    EXPECT_TRUE(d.button(q("ROTATE_LEFT"))->isEnabled());
    EXPECT_TRUE(d.button(q("ROTATE_RIGHT"))->isEnabled());
}

// The options link opens the settings on the rotation tab, owned by the dialog, and the
// dialog follows what changed there.
class TrimmingOptions : public Trimming
{
protected:
    picrows::TrimmingDialogContext contextFor() override
    {
        picrows::TrimmingDialogContext c = context();
        c.openSettings = [this](int tab, QWidget* owner) {
            opened.push_back({tab, owner});
            if (change)
                change();
        };
        return c;
    }
    void clickOptions() { Q_EMIT dialog->lblOption_Area()->linkActivated(q("options")); }

    std::vector<std::pair<int, QWidget*>> opened;
    std::function<void()> change;
};

TEST_F(TrimmingOptions, SwitchingTheRotationEngineOffSnapsTheAngleToAQuarter)
{
    picrows::frmTrimming& d = open(1.5);
    typeAngle("100");
    change = [this] { m_setting->Rotate_ApiMode = false; };
    clickOptions();
    ASSERT_EQ(opened.size(), 1u);
    EXPECT_EQ(opened[0].first, 3);
    EXPECT_EQ(opened[0].second, &d);
    EXPECT_FALSE(d.utxtRotate()->Enabled());
    EXPECT_EQ(d.utxtRotate()->NumText(), 90);
    EXPECT_EQ(state.dblAngle, 90);
    expectFractions(0, 0, 1.0 / 3, 1.0 / 3, 1.0 / 6000);

    change = [this] { m_setting->Rotate_ApiMode = true; };
    clickOptions();
    EXPECT_TRUE(d.utxtRotate()->Enabled());
    EXPECT_EQ(state.dblAngle, 90);
}

TEST_F(TrimmingOptions, ANewBackgroundColourShowsAtOnce)
{
    picrows::frmTrimming& d = open(1.5);
    typeAngle("30");
    EXPECT_EQ(d.canvases().rotated().pixelColor(0, 0), QColor(Qt::white));
    const double top = state.dblCropTop;
    change = [this] { m_setting->Rotate_BackColor = 0x0000FF; }; // red
    clickOptions();
    EXPECT_EQ(d.canvases().rotated().pixelColor(0, 0), QColor(Qt::red));
    EXPECT_EQ(state.dblCropTop, top); // the frame stays
    // Nothing changed: nothing redrawn.
    change = nullptr;
    const int renders = preview().pictureRenders();
    clickOptions();
    EXPECT_EQ(preview().pictureRenders(), renders);
}

TEST_F(Trimming, OnlyTheOkButtonConfirms)
{
    const struct
    {
        const char* how;
        std::function<void(picrows::frmTrimming&)> close;
        bool cancelled;
    } cases[] = {
        {"OK", [](picrows::frmTrimming& d) { d.cmdOK()->click(); }, false},
        {"Cancel", [](picrows::frmTrimming& d) { d.cmdCancel()->click(); }, true},
        {"close box", [](picrows::frmTrimming& d) { d.close(); }, true},
        {"Escape", [](picrows::frmTrimming& d) { QTest::keyClick(&d, Qt::Key_Escape); }, true},
    };
    for (const auto& c : cases) {
        picrows::frmTrimming& d = open(1.0);
        drag(centreOf(preview().hitArea()), QPoint(-30, 0));
        const double left = state.dblCropLeft;
        c.close(d);
        EXPECT_FALSE(d.isVisible()) << c.how;
        EXPECT_EQ(state.blnCancel, c.cancelled) << c.how;
        EXPECT_EQ(state.dblCropLeft, left) << c.how; // what the frame said when it closed
        EXPECT_EQ(picrows::ResizeLimiter::instance(picrows::ResizeLimiter::Control).window(),
                  nullptr)
            << c.how;
        EXPECT_TRUE(m_store->value(q("position"), q("Trimming_Width")).has_value()) << c.how;
        dialog.reset();
    }
}

TEST_F(Trimming, ReTrimmingOffersTheFrameOnlyFromTheCurrentCrop)
{
    // 300 × 150 points cropped 30 left and right: the visible part is 240 × 150.
    state.dblCropLeft = 0.1;
    state.dblCropRight = 0.1;
    picrows::frmTrimming& d = open(1.6, true);
    EXPECT_FALSE(d.fraRotate()->isVisible());
    EXPECT_FALSE(d.fraColor()->isVisible());
    EXPECT_EQ(d.cmdOK()->text(), q("再トリミング(&R)"));
    EXPECT_EQ(d.windowTitle(), q("ピクロウアドイン - トリミング"));
    expectFractions(0.1, 0.1, 0, 0, 1e-12);
    EXPECT_TRUE(state.blnCancel);
    d.cmdOK()->click();
    EXPECT_FALSE(state.blnCancel);
    expectFractions(0.1, 0.1, 0, 0, 1e-12);
    EXPECT_TRUE(messages.shown().empty());
}

TEST_F(Trimming, ANegativeCropIsReportedAndTheFrameStartsCentred)
{
    state.dblCropLeft = -0.05;
    state.dblCropRight = 0.1;
    open(1.6, true);
    ASSERT_EQ(messages.shown().size(), 1u);
    EXPECT_EQ(
        messages.shown()[0],
        (platform::Message{
            q("再トリミング機能は、マイナスのトリミング値（元図よりも大きなトリミング）には"
              "対応していません。\r\nOKを押すと、トリミング範囲を初期化して処理を継続しま"
              "す。"),
            platform::MsgButtons::OK, platform::MsgIcon::Exclamation, q("ピクロウアドイン")}));
    expectFractions(0.1, 0.1, 0, 0, 1.0 / 6000); // 4800 of 6000 twips wide, centred
}

// With a host: the caption names the selected cells, and version 9 has no quarter turns
// without the program's rotation.
TEST_F(Trimming, TheHostNamesTheCellsAndItsVersionDecidesTheQuarterTurns)
{
    host::objects::Host host;
    host.adoptWorkbook(objects_test::bookWithSheets({"Sheet1"}), q("Book1"));
    const xl::Application app(host.application());
    app.Range(q("B2:D5")).Select();
    hostApp = app;
    picrows::frmTrimming& d = open(1.0);
    EXPECT_EQ(d.windowTitle(), q("ピクロウアドイン - トリミング(B2:D5)"));
    EXPECT_TRUE(d.button(q("ROTATE_RIGHT"))->isEnabled());
    dialog.reset();

    host.options().version = q("9.0");
    m_setting->Rotate_ApiMode = false;
    picrows::frmTrimming& old = open(1.0);
    EXPECT_FALSE(old.button(q("ROTATE_LEFT"))->isEnabled());
    EXPECT_FALSE(old.button(q("ROTATE_RIGHT"))->isEnabled());
    EXPECT_FALSE(old.utxtRotate()->Enabled());
    dialog.reset();
    hostApp = {};
}

TEST_F(Trimming, TheServiceShowsTheDialogModalOnlyWithinTheProgram)
{
    picrows::TrimmingDialogService service(context());
    state.dblAspect = 2.0;
    bool checked = false;
    QTimer::singleShot(0, [&] {
        auto* shown = qobject_cast<picrows::frmTrimming*>(picrows::currentModalDialog());
        ASSERT_NE(shown, nullptr);
        EXPECT_FALSE(shown->isModal());
        EXPECT_EQ(shown->windowHandle()->modality(), Qt::NonModal);
        checked = true;
        shown->cmdOK()->click();
    });
    service.showTrimming(halves(), QSizeF(300, 150), state, false);
    EXPECT_TRUE(checked);
    EXPECT_FALSE(state.blnCancel);
    expectFractions(0, 0, 0, 0, 1e-12); // the picture's own proportions
}

} // namespace
