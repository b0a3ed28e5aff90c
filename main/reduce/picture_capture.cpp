#include "main/reduce/picture_capture.h"

#include "host/automation/host_error.h"
#include "host/imaging/emf.h"
#include "host/xl/application.h"
#include "host/xl/command_bars.h"
#include "host/xl/shape.h"
#include "host/xl/worksheet.h"
#include "main/engine/insert_picture.h"
#include "main/reduce/attempt.h"
#include "main/reduce/screen_updating.h"
#include "platform/clipboard.h"
#include "platform/event_pump.h"
#include "platform/message_box.h"

#include <cmath>

namespace picrows {

namespace {

constexpr std::int32_t kResetPictureControl = 1362;
constexpr double kLongSideCap = 1000;

// The sheet whose Shapes hold the picture. Older hosts answer the drawing layer as a shape
// range's parent and the sheet one step further up; this host answers the sheet itself in
// every version, so the extra step is taken only when the first parent is not a sheet.
xl::Worksheet sheetOf(const xl::ShapeRange& shapeRange, bool newHost)
{
    const xl::Object parent(shapeRange.get(QStringLiteral("Parent")));
    if (newHost || parent.TypeName() == QStringLiteral("Worksheet"))
        return xl::Worksheet(parent.ref());
    return xl::Worksheet(parent.get(QStringLiteral("Parent")));
}

void resetByHand(const xl::Shape& copy)
{
    const xl::PictureFormat format = copy.PictureFormat();
    attempt([&] { format.setContrast(0.5); });
    attempt([&] { format.setBrightness(0.5); });
    attempt([&] { format.setColorType(1); });
    attempt([&] { format.setTransparentBackground(false); });
    attempt([&] { format.setCropLeft(0); });
    attempt([&] { format.setCropRight(0); });
    attempt([&] { format.setCropTop(0); });
    attempt([&] { format.setCropBottom(0); });
    attempt([&] { copy.setRotation(0); });
    attempt([&] { copy.setAutoShapeType(1); });
    attempt([&] { copy.setLockAspectRatio(false); });
    attempt([&] { copy.Fill().setVisible(false); });
    attempt([&] { copy.Line().setVisible(false); });
    attempt([&] { copy.ScaleWidth(1, true, 0); });
    attempt([&] { copy.ScaleHeight(1, true, 0); });
}

// The image without the copy's empty border of `margin` points on each side.
QImage withoutBorder(const QImage& image, QSizeF points, double margin)
{
    if (image.isNull() || margin <= 0 || points.width() <= 0 || points.height() <= 0)
        return image;
    const int dx = int(std::lround(margin * image.width() / points.width()));
    const int dy = int(std::lround(margin * image.height() / points.height()));
    if (2 * dx >= image.width() || 2 * dy >= image.height())
        return image;
    QImage inner = image.copy(dx, dy, image.width() - 2 * dx, image.height() - 2 * dy);
    inner.setDotsPerMeterX(image.dotsPerMeterX());
    inner.setDotsPerMeterY(image.dotsPerMeterY());
    return inner;
}

// The copy's size in points, margin included: as the host's note on it says, else as the
// picture states it.
CapturedPicture fromClipboard(const platform::Clipboard& clipboard, bool newHost)
{
    CapturedPicture picture;
    const std::optional<platform::CopyNote> note = clipboard.copyNote();
    const double margin = note ? note->margin : 0;
    const auto whole = [&note](const QImage& image) {
        return note && !note->points.isEmpty() ? note->points : platform::imagePoints(image);
    };
    QSizeF points;
    const QImage bitmap = newHost && clipboard.hasImage() ? clipboard.image() : QImage();
    if (!bitmap.isNull()) {
        picture.kind = CapturedPicture::Kind::Bitmap;
        points = whole(bitmap);
        picture.image = withoutBorder(bitmap, points, margin);
    } else {
        const QByteArray emf = clipboard.data(platform::clip_mime::kEnhMetafile);
        if (emf.isEmpty())
            return picture;
        picture.kind = CapturedPicture::Kind::Metafile;
        picture.emf = emf;
        const QImage drawn = host::imaging::readEmf(emf);
        points = whole(drawn);
        picture.image = withoutBorder(drawn, points, margin);
    }
    picture.points = points - QSizeF(2 * margin, 2 * margin);
    return picture;
}

} // namespace

CapturedPicture f_GetImageFromShaperange(const xl::Application& app, platform::Clipboard& clipboard,
                                         const xl::ShapeRange& shapeRange, double& uw, double& uh)
{
    const bool newHost = hostVersion(app) >= 12;
    const bool screenUpdating = app.ScreenUpdating();
    s_SetScreenUpdating(app, false);
    const xl::Object selection = app.Selection();

    float contrast = 0.5f;
    float brightness = 0.5f;
    const bool contrastRead =
        attempt([&] { contrast = float(shapeRange.PictureFormat().Contrast()); });
    const bool brightnessRead =
        attempt([&] { brightness = float(shapeRange.PictureFormat().Brightness()); });

    xl::Shape copy;
    attempt(
        [&] { copy = sheetOf(shapeRange, newHost).Shapes().Item(shapeRange.Name()).Duplicate(); });

    const auto restore = [&] {
        if (!selection.isNothing())
            attempt([&] { selection.call(QStringLiteral("Select")); });
        s_SetScreenUpdating(app, screenUpdating);
    };

    CapturedPicture picture;
    if (!copy.isNothing()) {
        const bool reset = attempt([&] {
            const xl::CommandBars bars = app.CommandBars();
            copy.Select();
            if (newHost) {
                bars.ExecuteMso(QStringLiteral("PictureReset"));
                platform::letPendingEventsRun();
                bars.ExecuteMso(QStringLiteral("PictureReset"));
            } else {
                bars.FindControl(kResetPictureControl).Execute();
            }
        });
        if (!reset)
            resetByHand(copy);
        if (newHost) {
            attempt([&] { copy.ScaleWidth(1, true, 0); });
            attempt([&] { copy.ScaleHeight(1, true, 0); });
        }
        attempt([&] { copy.Shadow().setVisible(false); });
        attempt([&] {
            uw = copy.Width();
            uh = copy.Height();
        });
        attempt([&] {
            const double w = copy.Width();
            const double h = copy.Height();
            if (h < w && w > kLongSideCap) {
                copy.setLockAspectRatio(true);
                copy.setWidth(kLongSideCap);
                copy.setHeight(float(uh * kLongSideCap / uw));
            } else if (w < h && h > kLongSideCap) {
                copy.setLockAspectRatio(true);
                copy.setHeight(kLongSideCap);
                copy.setWidth(float(uw * kLongSideCap / uh));
            }
        });
        if (contrastRead)
            attempt([&] { copy.PictureFormat().setContrast(contrast); });
        if (brightnessRead)
            attempt([&] { copy.PictureFormat().setBrightness(brightness); });

        try {
            clipboard.clear();
            const quint64 before = clipboard.changeCount();
            copy.OLEFormatObject().call(QStringLiteral("Copy"));
            // The host is another program: its copy is known here a moment after it answers.
            clipboard.awaitChangeAfter(before, 3000);
            picture = fromClipboard(clipboard, newHost);
            app.setCutCopyMode(host::Variant(false));
            if (picture.isNull())
                platform::showMessage(QStringLiteral("不明なエラー:必要な画像を取得できません。"),
                                      platform::MsgButtons::OK, platform::MsgIcon::Critical,
                                      platform::programTitle());
            clipboard.clear();
            copy.Delete();
        } catch (const host::HostError&) {
            clipboard.clear();
            attempt([&] { copy.Delete(); });
            restore();
            throw;
        }
    }

    restore();
    return picture;
}

} // namespace picrows
