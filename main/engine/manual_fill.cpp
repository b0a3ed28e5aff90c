#include "main/engine/manual_fill.h"

#include "host/xl/application.h"
#include "host/xl/picture.h"
#include "host/xl/range.h"
#include "host/xl/shape.h"
#include "main/reduce/attempt.h"
#include "main/reduce/picture_capture.h"
#include "main/reduce/screen_updating.h"
#include "main/settings/setting.h"
#include "main/tools/apply_colour.h"
#include "main/tools/rotated_replace.h"
#include "main/tools/round_half_even.h"
#include "platform/message_box.h"

namespace picrows {

double roundedTrimmingAngle(double angle)
{
    return double(roundHalfEven(angle * 100)) / 100;
}

ManualPlacement manualPlacement(const TrimmingState& s, double angle, bool rotateApiMode, double uw,
                                double uh, const TargetBox& t)
{
    const double cl = s.dblCropLeft, cr = s.dblCropRight, ct = s.dblCropTop, cb = s.dblCropBottom;
    ManualPlacement p;
    const bool turnedByHost = !rotateApiMode && (angle == 90 || angle == 180 || angle == 270);
    if (!turnedByHost) {
        // Upright, or already turned in the pixels. (Without the program's rotation the dialog
        // offers quarter turns only.)
        p = {std::nullopt, cl * uw, cr * uw, ct * uh, cb * uh, t.W, t.H, t.L, t.T};
    } else if (angle == 180) {
        p = {180.0, cr * uw, cl * uw, cb * uh, ct * uh, t.W, t.H, t.L, t.T};
    } else {
        const double left = t.L + (t.W - t.H) / 2;
        const double top = t.T + (t.H - t.W) / 2;
        if (angle == 90)
            p = {90.0, ct * uw, cb * uw, cr * uh, cl * uh, t.H, t.W, left, top};
        else
            p = {270.0, cb * uw, ct * uw, cl * uh, cr * uh, t.H, t.W, left, top};
    }
    return p;
}

ManualTrimmingFill::ManualTrimmingFill(TrimmingService& service, platform::Clipboard& clipboard,
                                       const c_Setting& setting)
    : m_service(service), m_clipboard(clipboard), m_setting(setting)
{
}

ManualFillResult ManualTrimmingFill::fill(const xl::Application& app, const xl::Picture& picture,
                                          const xl::Range& target, bool canCrop, double uw,
                                          double uh, const QString& path, RunOptions& options)
{
    const TargetBox box = TargetBox::of(target);
    m_state = TrimmingState{};
    m_state.dblAspect = box.W / box.H;
    m_state.blnCancel = false;

    ManualFillResult result;
    if (!canCrop) {
        result.outcome = ManualFillOutcome::FitInside;
        return result;
    }

    CapturedPicture image;
    attempt(
        [&] { image = f_GetImageFromShaperange(app, m_clipboard, picture.ShapeRange(), uw, uh); });
    if (image.isNull()) {
        platform::showMessage(
            QStringLiteral("トリミングできません。OKを押すと自動トリミングします。"
                           "\r\n") +
                path,
            platform::MsgButtons::OK, platform::MsgIcon::Critical, platform::programTitle());
        options.glngPastePoint = 2;
        result.outcome = ManualFillOutcome::AutoFill;
        return result;
    }

    m_service.showTrimming(image.image, image.points, m_state, false);
    if (m_state.blnCancel) {
        picture.Delete();
        result.outcome = ManualFillOutcome::Dropped;
        result.cancelled = true;
        return result;
    }

    // The options link of the dialog may have switched the rotation engine: what it says now
    // decides, here and in the resampling that follows.
    options.Rotate_ApiMode = m_setting.Rotate_ApiMode;
    const double angle = roundedTrimmingAngle(m_state.dblAngle);
    xl::Picture placed = picture;
    if (angle != 0 && options.Rotate_ApiMode) {
        const std::optional<RotatedPicture> rotated = s_ReplaceWithRotatedPicture(
            app, picture, image.image, m_state.dblAngle, m_setting.Rotate_BackColor, m_clipboard);
        if (!rotated) {
            result.outcome = ManualFillOutcome::Dropped;
            return result;
        }
        placed = rotated->picture;
        uw = rotated->width;
        uh = rotated->height;
    }

    const ManualPlacement p = manualPlacement(m_state, angle, options.Rotate_ApiMode, uw, uh, box);
    const xl::ShapeRange shape = placed.ShapeRange();
    shape.setLockAspectRatio(false);
    if (p.rotation)
        shape.setRotation(*p.rotation);
    const xl::PictureFormat crop = shape.PictureFormat();
    crop.setCropLeft(p.cropLeft);
    crop.setCropRight(p.cropRight);
    crop.setCropTop(p.cropTop);
    crop.setCropBottom(p.cropBottom);
    shape.setWidth(p.width);
    shape.setHeight(p.height);
    shape.setLeft(p.left);
    shape.setTop(p.top);

    result.outcome = ManualFillOutcome::Fitted;
    result.picture = placed;
    result.angle = angle;
    result.uw = uw;
    result.uh = uh;
    return result;
}

void ManualTrimmingFill::finish(const xl::Application& app, const xl::Picture& picture)
{
    s_ApplyPictureColour(picture, m_state.sngContrast, m_state.sngBrightness);
    // One clean repaint of what the fill changed.
    const bool screenUpdating = app.ScreenUpdating();
    s_SetScreenUpdating(app, true);
    s_SetScreenUpdating(app, screenUpdating);
}

} // namespace picrows
