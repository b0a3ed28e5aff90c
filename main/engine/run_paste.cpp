#include "main/engine/run_paste.h"

#include "host/automation/host_error.h"
#include "main/engine/paste_info_writer.h"
#include "main/engine/picture_fit.h"
#include "main/engine/resample.h"
#include "main/settings/setting.h"
#include "platform/message_box.h"

namespace picrows {

RunOptions RunOptions::from(const c_Setting& setting)
{
    RunOptions o;
    o.glngPasteSize = setting.PasteSize;
    o.glngPastePoint = setting.PastePoint;
    o.gblnPasteInfo = setting.PasteInfo;
    o.gstrPasteInfo_Value = setting.PasteInfo_Value;
    o.gintPasteInfo_Type = setting.PasteInfo_Type;
    o.glngPasteInfo_X = setting.PasteInfo_X;
    o.glngPasteInfo_Y = setting.PasteInfo_Y;
    o.gintPasteInfo_Point = setting.PasteInfo_Point;
    o.gblnPasteInfo_Group = setting.PasteInfo_Group;
    o.InsertSyukusyou = setting.InsertSyukusyou;
    o.InsertSyukusyou_Bairitsu = setting.InsertSyukusyou_Bairitsu;
    o.InsertCutTrimming = setting.InsertCutTrimming;
    o.InsertCutTrimming_NotAuto = setting.InsertCutTrimming_NotAuto;
    o.Rotate_ApiMode = setting.Rotate_ApiMode;
    o.Textbox_Fontname = setting.Textbox_Fontname;
    o.Textbox_Fontsize = setting.Textbox_Fontsize;
    o.Textbox_ColorIndex = setting.Textbox_ColorIndex;
    return o;
}

ManualFill::~ManualFill() = default;

namespace {

void cascade(const xl::Picture& picture, double sequence)
{
    if (sequence == 1)
        return;
    const double shift = 10 * (sequence - 1);
    try {
        picture.setLeft(picture.Left() + shift);
    } catch (const host::HostError&) {
    }
    try {
        picture.setTop(picture.Top() + shift);
    } catch (const host::HostError&) {
    }
}

constexpr int kCommentShape = 4;

// The name of the sheet's newest shape (not a comment), empty when there is none: every shape
// above it afterwards was made since.
QString newestShapeName(const xl::Worksheet& sheet)
{
    const xl::Shape newest = m_GetLastAddShape(sheet);
    return newest.isNothing() ? QString() : newest.Name();
}

// Deletes every shape above the one named `newest` (the whole sheet's shapes for an empty
// name), comments aside. False when the host refused to delete one.
bool deleteShapesAbove(const xl::Worksheet& sheet, const QString& newest)
{
    try {
        const xl::Shapes shapes = sheet.Shapes();
        for (std::int32_t n = shapes.Count(); n >= 1; --n) {
            const xl::Shape shape = shapes.Item(n);
            if (shape.Type() == kCommentShape)
                continue;
            if (!newest.isEmpty() && shape.Name() == newest)
                break;
            shape.Delete();
        }
        return true;
    } catch (const host::HostError&) {
        return false;
    }
}

xl::Picture placePicture(PasteRun& run, const QString& path, const xl::Range& target,
                         double sequence)
{
    RunOptions& options = run.options;

    bool canCrop = false;
    QString refusal;
    xl::Picture picture = f_InsertPictureFile(run.app, path, canCrop, &refusal);
    if (picture.isNothing()) {
        run.refusal = RefusedFile{path, refusal};
        platform::showMessage(QStringLiteral("不明なエラー") + QStringLiteral("\r\n") +
                                  QStringLiteral("OKを押すと、処理を継続します。"),
                              platform::MsgButtons::OK, platform::MsgIcon::Critical,
                              QStringLiteral("読み込みエラー"));
        return {};
    }
    if (target.isNothing()) {
        cascade(picture, sequence);
        return picture;
    }

    picture.setPlacement(1);
    double uw = picture.Width();
    double uh = picture.Height();
    const TargetBox box = TargetBox::of(target);

    bool manual = false;
    double angle = 0;
    switch (options.glngPasteSize) {
    case 0:
        s_FitExact(picture, box);
        break;
    case 1:
        s_FitInside(picture, box, options.glngPastePoint);
        break;
    case 2:
        if (canCrop)
            s_FitAutoFill(picture, box, options.glngPastePoint);
        else
            s_FallbackToFitInside(picture, box, path, options.glngPastePoint);
        break;
    case 3: {
        if (run.manualFill == nullptr) {
            // Nobody to trim by hand: fill as the automatic mode does.
            if (canCrop)
                s_FitAutoFill(picture, box, options.glngPastePoint);
            else
                s_FallbackToFitInside(picture, box, path, options.glngPastePoint);
            break;
        }
        const ManualFillResult result =
            run.manualFill->fill(run.app, picture, target, canCrop, uw, uh, path, options);
        switch (result.outcome) {
        case ManualFillOutcome::Fitted:
            manual = true;
            angle = result.angle;
            if (!result.picture.isNothing())
                picture = result.picture;
            if (result.uw > 0 && result.uh > 0) {
                uw = result.uw;
                uh = result.uh;
            }
            break;
        case ManualFillOutcome::FitInside:
            s_FallbackToFitInside(picture, box, path, options.glngPastePoint);
            break;
        case ManualFillOutcome::AutoFill:
            s_FitAutoFill(picture, box, options.glngPastePoint);
            break;
        case ManualFillOutcome::Dropped:
            run.trimmingCancelled = result.cancelled;
            return {};
        }
        break;
    }
    default:
        break;
    }

    picture =
        s_ResamplePicture(run.app, picture, path, ResampleInput{uw, uh, canCrop, angle}, options);
    if (manual)
        run.manualFill->finish(run.app, picture);
    if (options.gblnPasteInfo)
        s_WritePasteInfo(run.app, options, path, picture, target);
    return picture;
}

} // namespace

xl::Picture f_RunPaste(PasteRun& run, const QString& path, const xl::Range& target, double sequence)
{
    run.trimmingCancelled = false;
    run.failedPictureStays = false;
    run.refusal.reset();
    const xl::Worksheet sheet = run.app.ActiveSheet();
    const QString newest = newestShapeName(sheet);
    try {
        return placePicture(run, path, target, sequence);
    } catch (const host::HostError&) {
        // The file stays listed for another run, so nothing of it may stay behind: the
        // picture, its replacement, its text box or group.
        run.failedPictureStays = !deleteShapesAbove(sheet, newest);
        throw;
    }
}

} // namespace picrows
