#include "main/retrimming/retrimming.h"
#include "platform/clipboard.h"

#include "host/xl/application.h"
#include "host/xl/picture.h"
#include "host/xl/shape.h"
#include "main/engine/insert_picture.h"
#include "main/reduce/attempt.h"
#include "main/reduce/picture_capture.h"
#include "main/reduce/screen_updating.h"
#include "main/startup/startup_context.h"
#include "main/startup/state_checks.h"
#include "main/trimming_dialog/trimming_dialog_service.h"
#include "platform/message_box.h"

#include <QApplication>

#include <memory>

namespace picrows {

namespace {

// Puts back what the command switched on the host, also when a host error leaves early.
class HostSwitch
{
public:
    HostSwitch(std::function<void()> back) : m_back(std::move(back)) {}
    ~HostSwitch() { attempt(m_back); }
    HostSwitch(const HostSwitch&) = delete;
    HostSwitch& operator=(const HostSwitch&) = delete;

private:
    std::function<void()> m_back;
};

// The new crop applied while the picture keeps its box: moved away from the sheet's top-left
// border first, the crop taken back to none, the new one set, and the box put back.
void applyCrop(const xl::Application& app, const xl::ShapeRange& shape, const TrimmingState& s,
               double uw, double uh, float left, float top, float width, float height)
{
    const bool screenUpdating = app.ScreenUpdating();
    s_SetScreenUpdating(app, false);
    const HostSwitch back([&] { s_SetScreenUpdating(app, screenUpdating); });
    shape.setLockAspectRatio(false);
    shape.setLeft(uw);
    shape.setTop(uh);
    const xl::PictureFormat crop = shape.PictureFormat();
    crop.setCropLeft(0);
    crop.setCropRight(0);
    crop.setCropTop(0);
    crop.setCropBottom(0);
    crop.setCropLeft(s.dblCropLeft * uw);
    crop.setCropRight(s.dblCropRight * uw);
    crop.setCropTop(s.dblCropTop * uh);
    crop.setCropBottom(s.dblCropBottom * uh);
    shape.setWidth(width);
    shape.setHeight(height);
    shape.setLeft(left);
    shape.setTop(top);
}

} // namespace

TrimmingState reTrimmingState(double uw, double uh, double cl, double cr, double ct, double cb)
{
    TrimmingState s;
    s.dblAspect = (uw - cl - cr) / (uh - ct - cb);
    s.dblCropLeft = cl / uw;
    s.dblCropRight = cr / uw;
    s.dblCropTop = ct / uh;
    s.dblCropBottom = cb / uh;
    s.blnCancel = false;
    return s;
}

void s_ReTrimming(const ReTrimmingIo& io)
{
    if (!f_CheckAndMessageOfExcelStates(true, true, true, true, true, false, true, false, false))
        return;
    const xl::Application app = startupContext().gobjXlApp;
    const std::function<void()> beep = io.beep ? io.beep : [] { QApplication::beep(); };

    if (!f_GetTrimmingEnabled(app)) {
        platform::showMessage(
            QStringLiteral("この画像は、エクセルの仕様により、トリミングできません。"),
            platform::MsgButtons::OK, platform::MsgIcon::Exclamation, platform::programTitle());
        return;
    }

    const xl::Object selection = app.Selection();
    const QString kind = selection.TypeName().toUpper();
    int count = 0;
    if (kind == QStringLiteral("DRAWINGOBJECTS"))
        count = xl::DrawingObjects(selection.ref()).Count();
    else if (kind == QStringLiteral("PICTURE"))
        count = 1;
    else {
        beep();
        return;
    }

    platform::Clipboard& clipboard = io.clipboard ? *io.clipboard : platform::clipboard();
    std::unique_ptr<TrimmingDialogService> ownDialog;
    if (!io.trimming)
        ownDialog = std::make_unique<TrimmingDialogService>(TrimmingDialogContext::fromStartup());
    TrimmingService& trimming = io.trimming ? *io.trimming : *ownDialog;

    for (int i = 1; i <= count; ++i) {
        xl::Picture picture;
        attempt([&] {
            picture = count == 1 ? xl::Picture(selection.ref())
                                 : xl::DrawingObjects(selection.ref()).Item(i);
        });
        if (picture.isNothing() || picture.TypeName().toUpper() != QStringLiteral("PICTURE"))
            break;
        xl::ShapeRange shape;
        attempt([&] { shape = picture.ShapeRange(); });
        if (shape.isNothing() || shape.TypeName().toUpper() != QStringLiteral("SHAPERANGE"))
            break;

        double uw = 0;
        double uh = 0;
        const CapturedPicture image = f_GetImageFromShaperange(app, clipboard, shape, uw, uh);
        if (image.isNull()) {
            beep();
            break;
        }

        float left = 0, top = 0, width = 0, height = 0;
        double cl = 0, cr = 0, ct = 0, cb = 0;
        attempt([&] { left = float(shape.Left()); });
        attempt([&] { top = float(shape.Top()); });
        attempt([&] { width = float(shape.Width()); });
        attempt([&] { height = float(shape.Height()); });
        attempt([&] { cl = shape.PictureFormat().CropLeft(); });
        attempt([&] { cr = shape.PictureFormat().CropRight(); });
        attempt([&] { ct = shape.PictureFormat().CropTop(); });
        attempt([&] { cb = shape.PictureFormat().CropBottom(); });
        TrimmingState state = reTrimmingState(uw, uh, cl, cr, ct, cb);

        {
            app.setInteractive(false);
            const HostSwitch interactive([&] { app.setInteractive(true); });
            state.blnCancel = false;
            trimming.showTrimming(image.image, image.points, state, true);
        }

        if (state.blnCancel) {
            if (count == 1 || i == count)
                break;
            if (platform::showMessage(QStringLiteral("全ての再トリミングをキャンセルしますか？"),
                                      platform::MsgButtons::YesNo, platform::MsgIcon::Question,
                                      platform::programTitle()) == platform::MsgAnswer::Yes)
                break;
            continue;
        }
        applyCrop(app, shape, state, uw, uh, left, top, width, height);
    }
}

void s_Command_ReTrimming()
{
    s_ReTrimming({});
}

} // namespace picrows
