// Placing one picture: insertion, the trimming state, every size mode at every reference
// point, the fallback for pictures that cannot be cropped, and host-standard mode.
#include "host/automation/member_table.h"
#include "main/engine/insert_picture.h"
#include "main/engine/run_paste.h"
#include "tests/main/engine/engine_host_support.h"

namespace {

using namespace engine_test;
using picrows::f_RunPaste;
using platform::Message;
using platform::MsgButtons;
using platform::MsgIcon;

const Message kCannotCrop{q("pic.pngは、エクセルの仕様により、トリミングできません。\r\n"
                            "OKを押すと自動リサイズして貼り付けます。"),
                          MsgButtons::OK, MsgIcon::Exclamation, q("ピクロウアドイン")};
const Message kStateError{q("トリミング状態取得エラー"), MsgButtons::OK, MsgIcon::Critical,
                          q("ピクロウアドイン")};

// One size mode at one point. Offsets and sizes are in points from the target's top-left
// corner; the target is 75 × 75, the wide picture 300 × 150 untouched, the tall one 150 × 300.
struct FitCase
{
    int mode;
    int point;
    bool wide;
    double left, top, width, height;
    double cropLeft, cropTop, cropRight, cropBottom;
};

void PrintTo(const FitCase& c, std::ostream* os)
{
    *os << "mode " << c.mode << " point " << c.point << (c.wide ? " wide" : " tall");
}

class PictureFit : public EngineTest, public ::testing::WithParamInterface<FitCase>
{
};

TEST_P(PictureFit, FitsTheTargetAtThePoint)
{
    const FitCase& c = GetParam();
    const xl::Range target = range("B2");
    ASSERT_DOUBLE_EQ(target.Width(), 75);
    ASSERT_DOUBLE_EQ(target.Height(), 75);
    run.options.glngPasteSize = c.mode;
    run.options.glngPastePoint = c.point;
    const xl::Picture picture =
        f_RunPaste(run, c.wide ? pictureFile(400, 200) : pictureFile(200, 400), target, 1);
    ASSERT_FALSE(picture.isNothing());

    const xl::ShapeRange shape = picture.ShapeRange();
    EXPECT_NEAR(shape.Left() - target.Left(), c.left, 1e-9);
    EXPECT_NEAR(shape.Top() - target.Top(), c.top, 1e-9);
    EXPECT_NEAR(shape.Width(), c.width, 1e-9);
    EXPECT_NEAR(shape.Height(), c.height, 1e-9);
    const xl::PictureFormat crop = shape.PictureFormat();
    EXPECT_NEAR(crop.CropLeft(), c.cropLeft, 1e-9);
    EXPECT_NEAR(crop.CropTop(), c.cropTop, 1e-9);
    EXPECT_NEAR(crop.CropRight(), c.cropRight, 1e-9);
    EXPECT_NEAR(crop.CropBottom(), c.cropBottom, 1e-9);
    EXPECT_EQ(picture.Placement(), 1);
    EXPECT_EQ(run.options.glngPastePoint, c.point);
    EXPECT_TRUE(messages.shown().empty());
}

INSTANTIATE_TEST_SUITE_P(Stretch, PictureFit,
                         ::testing::Values(FitCase{0, 0, true, 0, 0, 75, 75, 0, 0, 0, 0},
                                           FitCase{0, 2, false, 0, 0, 75, 75, 0, 0, 0, 0},
                                           FitCase{0, 4, true, 0, 0, 75, 75, 0, 0, 0, 0}));

INSTANTIATE_TEST_SUITE_P(FitInside, PictureFit,
                         ::testing::Values(FitCase{1, 0, true, 0, 37.5, 75, 37.5, 0, 0, 0, 0},
                                           FitCase{1, 1, true, 0, 37.5, 75, 37.5, 0, 0, 0, 0},
                                           FitCase{1, 2, true, 0, 18.75, 75, 37.5, 0, 0, 0, 0},
                                           FitCase{1, 3, true, 0, 0, 75, 37.5, 0, 0, 0, 0},
                                           FitCase{1, 4, true, 0, 0, 75, 37.5, 0, 0, 0, 0},
                                           FitCase{1, 0, false, 0, 0, 37.5, 75, 0, 0, 0, 0},
                                           FitCase{1, 1, false, 37.5, 0, 37.5, 75, 0, 0, 0, 0},
                                           FitCase{1, 2, false, 18.75, 0, 37.5, 75, 0, 0, 0, 0},
                                           FitCase{1, 3, false, 0, 0, 37.5, 75, 0, 0, 0, 0},
                                           FitCase{1, 4, false, 37.5, 0, 37.5, 75, 0, 0, 0, 0}));

// The excess is 300 − 75 × 150 / 75 = 150 points of the untouched picture.
INSTANTIATE_TEST_SUITE_P(
    AutomaticFill, PictureFit,
    ::testing::Values(FitCase{2, 0, true, 0, 0, 75, 75, 0, 0, 150, 0},
                      FitCase{2, 1, true, 0, 0, 75, 75, 150, 0, 0, 0},
                      FitCase{2, 2, true, 0, 0, 75, 75, 75, 0, 75, 0},
                      FitCase{2, 3, true, 0, 0, 75, 75, 0, 0, 150, 0},
                      FitCase{2, 4, true, 0, 0, 75, 75, 150, 0, 0, 0},
                      FitCase{2, 0, false, 0, 0, 75, 75, 0, 150, 0, 0},
                      FitCase{2, 1, false, 0, 0, 75, 75, 0, 150, 0, 0},
                      FitCase{2, 2, false, 0, 0, 75, 75, 0, 75, 0, 75},
                      FitCase{2, 3, false, 0, 0, 75, 75, 0, 0, 0, 150},
                      FitCase{2, 4, false, 0, 0, 75, 75, 0, 0, 0, 150},
                      // No manual fill in place: size mode 3 fills automatically.
                      FitCase{3, 2, true, 0, 0, 75, 75, 75, 0, 75, 0}));

TEST_F(EngineTest, SameProportionsAsTheTargetCropNothing)
{
    run.options.glngPasteSize = 2;
    run.options.glngPastePoint = 2;
    const xl::Picture picture = f_RunPaste(run, pictureFile(200, 200), range("B2"), 1);
    const xl::PictureFormat crop = picture.ShapeRange().PictureFormat();
    EXPECT_EQ(crop.CropLeft() + crop.CropTop() + crop.CropRight() + crop.CropBottom(), 0);
    EXPECT_DOUBLE_EQ(picture.Width(), 75);
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

// The ribbon add-in answers for the host before the macro workbook does.
TEST_F(EngineTest, PictureThatCannotBeCroppedIsFittedInsideAtTheCentreForTheRestOfTheRun)
{
    m_host.registerComAddIn(q("TORVA_PicrowsFor2007.Connect2"), q("ribbon"),
                            std::make_shared<NoCrop>());
    run.options.glngPasteSize = 2;
    run.options.glngPastePoint = 0;
    const xl::Picture picture = f_RunPaste(run, pictureFile(400, 200), range("B2"), 1);
    ASSERT_EQ(messages.shown().size(), 1u);
    EXPECT_EQ(messages.shown()[0], kCannotCrop);
    EXPECT_EQ(run.options.glngPastePoint, 2);
    EXPECT_NEAR(picture.Top() - range("B2").Top(), 18.75, 1e-9);
    EXPECT_NEAR(picture.Height(), 37.5, 1e-9);
    EXPECT_EQ(picture.ShapeRange().PictureFormat().CropRight(), 0);
}

// Who answers whether the host can crop, by version and by what is there to ask.
TEST_F(EngineTest, TrimmingStateComesFromTheRibbonAddInThenTheMacroWorkbook)
{
    struct Case
    {
        const char* version;
        bool macroWorkbook;
        bool canCrop;
        bool message;
    } cases[] = {
        {"16.0", true, true, false},  // the macro workbook: one picture is selected
        {"16.0", false, false, true}, // neither answers: cannot crop, after the message
        {"12.0", false, false, true},
        {"9.0", true, true, false}, // the Crop control is enabled for the selected picture
    };
    const QString file = pictureFile(40, 20);
    for (const Case& c : cases) {
        host::objects::HostOptions options;
        options.version = q(c.version);
        options.clipboard = host::render::makeProcessClipboard();
        host::objects::Host other(options);
        if (c.macroWorkbook)
            other.registerAddInWorkbook(picrows::macroWorkbook());
        other.adoptWorkbook(bookWithSheets({"Sheet1"}), q("Other"));
        const xl::Application otherApp(other.application());
        messages.clear();
        bool canCrop = !c.canCrop;
        const xl::Picture picture = picrows::f_InsertPictureFile(otherApp, file, canCrop);
        ASSERT_FALSE(picture.isNothing()) << c.version;
        EXPECT_EQ(canCrop, c.canCrop) << c.version << " " << c.macroWorkbook;
        if (c.message) {
            ASSERT_EQ(messages.shown().size(), 1u) << c.version;
            EXPECT_EQ(messages.shown()[0], kStateError);
        } else {
            EXPECT_TRUE(messages.shown().empty()) << c.version;
        }
    }
}

TEST_F(EngineTest, RefusedFileAnswersNothingAfterTheLoadError)
{
    const QString path = writeBytes("not a picture", q("broken.png"));
    EXPECT_TRUE(f_RunPaste(run, path, range("B2"), 1).isNothing());
    ASSERT_EQ(messages.shown().size(), 1u);
    EXPECT_EQ(messages.shown()[0],
              (Message{q("不明なエラー\r\nOKを押すと、処理を継続します。"), MsgButtons::OK,
                       MsgIcon::Critical, q("読み込みエラー")}));
    EXPECT_EQ(pictures().Count(), 0);
}

TEST_F(EngineTest, HostStandardModeCascadesFromWhereTheHostPutsThePicture)
{
    run.options.glngPasteSize = 0;
    run.options.gblnPasteInfo = true;
    run.options.gstrPasteInfo_Value = q("[FILENAME1]");
    const xl::Picture first = f_RunPaste(run, pictureFile(40, 20), xl::Range(), 1);
    const xl::Picture third = f_RunPaste(run, pictureFile(40, 20), xl::Range(), 3);
    EXPECT_DOUBLE_EQ(third.Left() - first.Left(), 20);
    EXPECT_DOUBLE_EQ(third.Top() - first.Top(), 20);
    EXPECT_DOUBLE_EQ(third.Width(), 30); // untouched: no sizing, no text
    EXPECT_EQ(shapes().Count(), 2);
}

TEST_F(EngineTest, LastAddedShapeSkipsCellComments)
{
    EXPECT_TRUE(picrows::m_GetLastAddShape(sheet()).isNothing());
    modelComment(1, 1);
    EXPECT_TRUE(picrows::m_GetLastAddShape(sheet()).isNothing());
    modelPicture(10, 10, 0, 0, "first");
    modelPicture(10, 10, 0, 0, "second");
    modelComment(2, 2);
    modelComment(3, 3);
    EXPECT_EQ(picrows::m_GetLastAddShape(sheet()).Name(), q("second"));
}

} // namespace

namespace {

// The manual fill as f_RunPaste sees it: a scripted outcome, and the order of the calls.
class ScriptedFill : public picrows::ManualFill
{
public:
    picrows::ManualFillResult result;
    QStringList calls;
    int picturesAtFinish = -1;

    picrows::ManualFillResult fill(const xl::Application&, const xl::Picture& picture,
                                   const xl::Range& target, bool, double uw, double uh,
                                   const QString&, picrows::RunOptions&) override
    {
        calls << QStringLiteral("fill %1x%2").arg(uw).arg(uh);
        if (result.outcome == picrows::ManualFillOutcome::Fitted) {
            const xl::ShapeRange shape = picture.ShapeRange();
            shape.setLockAspectRatio(false);
            shape.setLeft(target.Left());
            shape.setTop(target.Top());
            shape.setWidth(target.Width());
            shape.setHeight(target.Height());
        } else if (result.outcome == picrows::ManualFillOutcome::Dropped) {
            picture.Delete();
        }
        return result;
    }
    void finish(const xl::Application&, const xl::Picture& picture) override
    {
        calls << QStringLiteral("finish ") + picture.Name();
    }
};

TEST_F(EngineTest, ManualFillRunsInPlaceOfSizingAndFinishesAfterTheRepaste)
{
    ScriptedFill fill;
    fill.result.outcome = picrows::ManualFillOutcome::Fitted;
    run.manualFill = &fill;
    run.options.glngPasteSize = 3;
    run.options.InsertCutTrimming = true; // manual fill: the copy replaces the picture
    run.options.gblnPasteInfo = true;
    run.options.gstrPasteInfo_Value = q("[FILENAME1]");
    run.options.glngPasteInfo_Y = 1;
    const xl::Picture picture = f_RunPaste(run, pictureFile(400, 200), range("B2"), 1);
    ASSERT_FALSE(picture.isNothing());
    EXPECT_EQ(fill.calls, (QStringList{q("fill 300x150"), q("finish ") + picture.Name()}));
    EXPECT_EQ(pictures().Count(), 1);
    EXPECT_NEAR(picture.ShapeRange().PictureFormat().CropLeft(), 4.0 / 3, 1e-5); // the copy
    EXPECT_EQ(range("B3").Value().toString(), q("pic.png"));
    EXPECT_FALSE(run.trimmingCancelled);
}

TEST_F(EngineTest, CancelledManualFillAnswersNothingAndWritesNothing)
{
    ScriptedFill fill;
    fill.result.outcome = picrows::ManualFillOutcome::Dropped;
    fill.result.cancelled = true;
    run.manualFill = &fill;
    run.options.glngPasteSize = 3;
    run.options.gblnPasteInfo = true;
    run.options.gstrPasteInfo_Value = q("[FILENAME1]");
    run.options.glngPasteInfo_Y = 1;
    EXPECT_TRUE(f_RunPaste(run, pictureFile(400, 200), range("B2"), 1).isNothing());
    EXPECT_TRUE(run.trimmingCancelled);
    EXPECT_EQ(fill.calls, QStringList{q("fill 300x150")});
    EXPECT_EQ(pictures().Count(), 0);
    EXPECT_EQ(range("B3").Value().toString(), QString());
}

TEST_F(EngineTest, ManualFillThatCannotCropFallsBackToFitInsideWithTheWarning)
{
    ScriptedFill fill;
    fill.result.outcome = picrows::ManualFillOutcome::FitInside;
    run.manualFill = &fill;
    run.options.glngPasteSize = 3;
    run.options.glngPastePoint = 3;
    const xl::Picture picture = f_RunPaste(run, pictureFile(400, 200), range("B2"), 1);
    ASSERT_EQ(messages.shown().size(), 1u);
    EXPECT_EQ(messages.shown()[0], kCannotCrop);
    EXPECT_EQ(run.options.glngPastePoint, 2);
    EXPECT_NEAR(picture.Top() - range("B2").Top(), 18.75, 1e-9);
}

} // namespace
