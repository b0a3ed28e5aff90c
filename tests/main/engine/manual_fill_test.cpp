// Size mode 3 on the in-process host with a scripted trimming dialog: the picture's crops,
// turn and place as the trimming says, the fall-backs, the colour, and the cancel rules of a
// run.
#include "host/automation/member_table.h"
#include "host/model/drawing.h"
#include "host/render/copy_paste.h"
#include "host/xl/picture.h"
#include "host/xl/shape.h"
#include "main/engine/manual_fill.h"
#include "main/engine/picture_list.h"
#include "main/engine/run_selected.h"
#include "main/settings/setting.h"
#include "main/startup/startup_context.h"
#include "platform/key_state.h"
#include "platform/settings_store.h"
#include "tests/main/engine/engine_host_support.h"
#include "tests/main/engine/scripted_trimming.h"

namespace {

using namespace engine_test;
using engine_test::ScriptedTrimming;
using picrows::TrimmingState;
using platform::Message;

Message critical(const QString& text)
{
    return {text, platform::MsgButtons::OK, platform::MsgIcon::Critical, q("ピクロウアドイン")};
}

class ManualFill : public EngineTest
{
protected:
    ManualFill()
        : m_store(m_dir.path()), m_setting(m_store, app.ref()),
          m_fill(trimming, clipboard(), m_setting), m_keysInPlace(m_keys)
    {
        m_setting.Rotate_ApiMode = false;
        m_setting.Rotate_BackColor = 16777215;
        picrows::startupContext().gobjXlApp = app;
        run.manualFill = &m_fill;
        run.options.glngPasteSize = 3;
        run.options.Rotate_ApiMode = false;
        // B2:D2: three targets of 75 × 75 points, and B2:C2 a 150 × 75 one.
        range("C2:D2").setColumnWidth(13.57);
        range("A1:F10").setLocked(false);
    }
    ~ManualFill() override { picrows::startupContext().clear(); }

    host::model::Shape& modelShape(const xl::Picture& picture)
    {
        return *drawing().find(picture.ShapeRange().ID());
    }
    QImage shows(const xl::Picture& picture)
    {
        const host::render::ClipContent copy =
            host::render::copyOfShapes(model(), modelSheet(), {picture.ShapeRange().ID()});
        QImage out(copy.bitmap.size(), QImage::Format_RGB32);
        out.fill(Qt::white);
        QPainter painter(&out);
        painter.drawImage(0, 0, copy.bitmap);
        return out;
    }

    ScriptedTrimming trimming;
    QTemporaryDir m_dir;
    platform::SettingsStore m_store;
    picrows::c_Setting m_setting;
    picrows::ManualTrimmingFill m_fill;

private:
    platform::ScriptedKeys m_keys;
    platform::ScopedKeyState m_keysInPlace;
};

// A 300 × 150 point picture (untouched) into the 150 × 75 point target B2:C2.
TEST_F(ManualFill, CropsTurnAndBoxFollowTheTrimming)
{
    const xl::Range target = range("B2:C2");
    const double L = target.Left(), T = target.Top();
    const struct
    {
        double angle;
        double rotation;
        double cropLeft, cropRight, cropTop, cropBottom;
        double left, top, width, height;
    } cases[] = {
        // Fractions left 0.1, right 0.2, top 0.05, bottom 0.15 of the picture as shown (turned).
        {0, 0, 30, 60, 7.5, 22.5, L, T, 150, 75},
        {90, 90, 15, 45, 30, 15, L + 37.5, T - 37.5, 75, 150},
        {180, 180, 60, 30, 22.5, 7.5, L, T, 150, 75},
        {270, 270, 45, 15, 15, 30, L + 37.5, T - 37.5, 75, 150},
    };
    for (const auto& c : cases) {
        trimming.answers = {ScriptedTrimming::confirm(0.1, 0.2, 0.05, 0.15, c.angle)};
        const xl::Picture picture = f_RunPaste(run, pictureFile(400, 200), target, 1);
        ASSERT_FALSE(picture.isNothing()) << c.angle;
        const xl::ShapeRange shape = picture.ShapeRange();
        const xl::PictureFormat crop = shape.PictureFormat();
        EXPECT_NEAR(shape.Rotation(), c.rotation, 1e-9) << c.angle;
        EXPECT_NEAR(crop.CropLeft(), c.cropLeft, 1e-9) << c.angle;
        EXPECT_NEAR(crop.CropRight(), c.cropRight, 1e-9) << c.angle;
        EXPECT_NEAR(crop.CropTop(), c.cropTop, 1e-9) << c.angle;
        EXPECT_NEAR(crop.CropBottom(), c.cropBottom, 1e-9) << c.angle;
        EXPECT_NEAR(shape.Left(), c.left, 1e-9) << c.angle;
        EXPECT_NEAR(shape.Top(), c.top, 1e-9) << c.angle;
        EXPECT_NEAR(shape.Width(), c.width, 1e-9) << c.angle;
        EXPECT_NEAR(shape.Height(), c.height, 1e-9) << c.angle;
        picture.Delete();
    }
    // The dialog saw the untouched picture and a frame of the target's proportions.
    ASSERT_EQ(trimming.seen.size(), 4u);
    EXPECT_EQ(trimming.seen[0].aspect, 2.0);
    EXPECT_EQ(trimming.seen[0].points, QSizeF(300, 150));
    EXPECT_FALSE(trimming.seen[0].retrimming);
    EXPECT_TRUE(messages.shown().empty());
    EXPECT_TRUE(app.ScreenUpdating());
}

// With the program's rotation the picture is replaced by its turned copy, upright on the sheet,
// cropped in the copy's own size.
TEST_F(ManualFill, TheProgramsRotationTurnsThePixels)
{
    m_setting.Rotate_ApiMode = true;
    run.options.Rotate_ApiMode = true;
    trimming.answers = {ScriptedTrimming::confirm(0, 0, 0.1, 0, 90)};
    const xl::Range target = range("B2:C2");
    const xl::Picture picture = f_RunPaste(run, pictureFile(400, 200), target, 1);
    ASSERT_FALSE(picture.isNothing());
    EXPECT_EQ(shapes().Count(), 1); // the inserted picture and the bitmap are gone
    const xl::ShapeRange shape = picture.ShapeRange();
    EXPECT_EQ(shape.Rotation(), 0);
    EXPECT_NEAR(shape.Left(), target.Left(), 1e-9);
    EXPECT_NEAR(shape.Top(), target.Top(), 1e-9);
    EXPECT_NEAR(shape.Width(), 150, 1e-9);
    EXPECT_NEAR(shape.Height(), 75, 1e-9);
    const host::model::PictureData& data = *modelShape(picture).picture;
    EXPECT_GT(data.untouchedHeight, data.untouchedWidth); // the copy stands upright
    EXPECT_NEAR(shape.PictureFormat().CropTop(), 0.1 * data.untouchedHeight, 1e-9);
    EXPECT_EQ(shape.PictureFormat().CropLeft(), 0);

    // Turned clockwise: the red left half on top, the blue right half below, the green band
    // (the top quarter) on the right.
    const QImage seen = shows(picture);
    const auto colourAt = [&](double x, double y) {
        return seen.pixelColor(int(x * seen.width()), int(y * seen.height()));
    };
    EXPECT_GT(colourAt(0.3, 0.2).red(), 200);
    EXPECT_LT(colourAt(0.3, 0.2).blue(), 60);
    EXPECT_GT(colourAt(0.3, 0.85).blue(), 200);
    EXPECT_GT(colourAt(0.95, 0.5).green(), 100);
    EXPECT_LT(colourAt(0.95, 0.5).red(), 60);
    EXPECT_TRUE(messages.shown().empty());
}

// The options link in the dialog switched the program's rotation off: the host turns it.
TEST_F(ManualFill, TheRotationEngineIsReadWhenTheDialogHasClosed)
{
    m_setting.Rotate_ApiMode = true;
    run.options.Rotate_ApiMode = true;
    trimming.during = [this] { m_setting.Rotate_ApiMode = false; };
    trimming.answers = {ScriptedTrimming::confirm(0, 0, 0, 0, 90)};
    const xl::Picture picture = f_RunPaste(run, pictureFile(400, 200), range("B2:C2"), 1);
    ASSERT_FALSE(picture.isNothing());
    EXPECT_EQ(picture.ShapeRange().Rotation(), 90);
    EXPECT_NEAR(picture.ShapeRange().Width(), 75, 1e-9);
    EXPECT_FALSE(run.options.Rotate_ApiMode);
}

TEST_F(ManualFill, BrightnessAndContrastGoToThePicture)
{
    TrimmingState answer = ScriptedTrimming::confirm(0, 0, 0, 0);
    answer.sngBrightness = 0.3f;
    answer.sngContrast = 0.7f;
    trimming.answers = {answer};
    const xl::Picture picture = f_RunPaste(run, pictureFile(200, 200), range("B2"), 1);
    const xl::PictureFormat format = picture.ShapeRange().PictureFormat();
    EXPECT_NEAR(format.Brightness(), 0.3, 1e-6);
    EXPECT_NEAR(format.Contrast(), 0.7, 1e-6);
    EXPECT_TRUE(app.ScreenUpdating());
    EXPECT_TRUE(messages.shown().empty());
}

// The ribbon add-in's object, answering that the host cannot crop.
struct NoCrop : host::TableDispatch<NoCrop>
{
    QString className() const override { return q("Connect2"); }
    static const host::MemberTable<NoCrop>& members()
    {
        static const host::MemberTable<NoCrop> table = [] {
            host::MemberTable<NoCrop> t;
            t.member(q("CallForExe_GetTrimmingEnabled"), {}, 0,
                     [](NoCrop&, const host::BoundArgs&) { return host::Variant(false); });
            return t;
        }();
        return table;
    }
};

TEST_F(ManualFill, APictureTheHostCannotCropIsFittedInsideWithoutTheDialog)
{
    m_host.registerComAddIn(q("TORVA_PicrowsFor2007.Connect2"), q("ribbon"),
                            std::make_shared<NoCrop>());
    run.options.glngPastePoint = 0;
    const QString path = pictureFile(400, 200, "wide.png");
    const xl::Picture picture = f_RunPaste(run, path, range("B2"), 1);
    EXPECT_TRUE(trimming.seen.empty());
    ASSERT_EQ(messages.shown().size(), 1u);
    EXPECT_EQ(
        messages.shown()[0],
        (Message{q("wide.pngは、エクセルの仕様により、トリミングできません。\r\nOKを押すと"
                   "自動リサイズして貼り付けます。"),
                 platform::MsgButtons::OK, platform::MsgIcon::Exclamation, q("ピクロウアドイン")}));
    EXPECT_EQ(run.options.glngPastePoint, 2);
    EXPECT_NEAR(picture.Height(), 37.5, 1e-9); // fitted inside, centred
    EXPECT_NEAR(picture.Top() - range("B2").Top(), 18.75, 1e-9);
}

TEST_F(ManualFill, APictureWhoseImageCannotBeCapturedIsFilledAutomatically)
{
    // The fill reads a clipboard the host does not copy to: the capture finds nothing.
    const std::unique_ptr<platform::Clipboard> elsewhere = platform::makeProcessClipboard();
    picrows::ManualTrimmingFill fill(trimming, *elsewhere, m_setting);
    run.manualFill = &fill;
    run.options.glngPastePoint = 0;
    const QString path = pictureFile(400, 200, "lost.png");
    const xl::Picture picture = f_RunPaste(run, path, range("B2"), 1);
    EXPECT_TRUE(trimming.seen.empty());
    EXPECT_EQ(
        messages.shown(),
        (std::vector<Message>{
            critical(q("不明なエラー:必要な画像を取得できません。")),
            critical(q("トリミングできません。OKを押すと自動トリミングします。\r\n") + path)}));
    EXPECT_EQ(run.options.glngPastePoint, 2);
    const xl::PictureFormat crop = picture.ShapeRange().PictureFormat();
    EXPECT_NEAR(crop.CropLeft(), 75, 1e-9); // the centre kept
    EXPECT_NEAR(crop.CropRight(), 75, 1e-9);
    EXPECT_NEAR(picture.Width(), 75, 1e-9);
}

// Three pictures into three cells; the user confirms two and cancels the third: that picture
// is deleted, the run stops, the file stays first in the list and the two stay on the sheet.
TEST_F(ManualFill, ACancelledDialogDeletesItsPictureAndEndsTheRun)
{
    picrows::PictureList list;
    for (const char* name : {"a.png", "b.png", "c.png", "d.png"})
        list.append(pictureFile(300, 100, name));
    trimming.answers = {ScriptedTrimming::confirm(0.2, 0.2, 0, 0),
                        ScriptedTrimming::confirm(0.1, 0.3, 0, 0), ScriptedTrimming::cancel()};
    picrows::SelectedRunSettings settings;
    settings.scan.OneCellOnePaste = true;
    range("B2:E2").Select();
    const picrows::RunOutcome outcome = picrows::s_RunPasteWhenSelectedModeOrClickMode(
        run, list, range("B2:E2"), true, settings, nullptr);
    EXPECT_TRUE(outcome.stoppedByUser);
    EXPECT_EQ(outcome.inserted.size(), 2);
    EXPECT_EQ(shapes().Count(), 2);
    ASSERT_EQ(list.count(), 2);
    EXPECT_TRUE(list.first().endsWith(q("c.png")));
    ASSERT_EQ(trimming.seen.size(), 3u);
    for (const auto& seen : trimming.seen)
        EXPECT_EQ(seen.aspect, 1.0);
    // The second picture (225 × 75 points) keeps 10 % on the left, 30 % on the right.
    const xl::PictureFormat crop = shapes().Item(2).PictureFormat();
    EXPECT_NEAR(crop.CropLeft(), 22.5, 1e-9);
    EXPECT_NEAR(crop.CropRight(), 67.5, 1e-9);
    EXPECT_NEAR(shapes().Item(2).Left(), range("C2").Left(), 1e-9);
    EXPECT_NEAR(shapes().Item(2).Width(), 75, 1e-9);
    EXPECT_TRUE(messages.shown().empty());
}

TEST(ManualPlacement, AnAngleLeftOverWithoutTheHostsTurnIsPlacedUpright)
{
    TrimmingState s;
    s.dblCropLeft = 0.5;
    const picrows::TargetBox box{10, 20, 100, 50};
    const picrows::ManualPlacement p = picrows::manualPlacement(s, 45, false, 200, 100, box);
    EXPECT_FALSE(p.rotation);
    EXPECT_EQ(p.cropLeft, 100);
    EXPECT_EQ(p.width, 100);
    EXPECT_EQ(p.left, 10);
    EXPECT_EQ(picrows::roundedTrimmingAngle(89.996), 90);
    EXPECT_EQ(picrows::roundedTrimmingAngle(0.125), 0.12); // halves to even
    EXPECT_EQ(picrows::roundedTrimmingAngle(0.375), 0.38);
}

} // namespace
