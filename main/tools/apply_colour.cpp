#include "main/tools/apply_colour.h"

#include "host/automation/host_error.h"
#include "host/xl/picture.h"
#include "host/xl/shape.h"
#include "platform/message_box.h"

namespace picrows {

namespace {

enum class Adjustment
{
    Brightness,
    Contrast
};

void set(const xl::PictureFormat& format, Adjustment which, float value)
{
    if (which == Adjustment::Brightness)
        format.setBrightness(value);
    else
        format.setContrast(value);
}

// Sets one adjustment on the picture by its kind; answers whether the host refused it.
bool adjust(const xl::Object& inserted, Adjustment which, float value)
{
    try {
        const QString kind = inserted.TypeName().toUpper();
        if (kind == QStringLiteral("SHAPE")) {
            set(xl::Shape(inserted.ref()).PictureFormat(), which, value);
        } else if (kind == QStringLiteral("PICTURE")) {
            set(xl::Picture(inserted.ref()).ShapeRange().PictureFormat(), which, value);
        } else {
            platform::showMessage(inserted.TypeName(), platform::MsgButtons::OK,
                                  platform::MsgIcon::None, platform::programTitle());
        }
        return false;
    } catch (const host::HostError&) {
        return true;
    }
}

} // namespace

void s_ApplyPictureColour(const xl::Object& inserted, float contrast, float brightness)
{
    bool failed = false;
    if (brightness != 0.5f)
        failed |= adjust(inserted, Adjustment::Brightness, brightness);
    if (contrast != 0.5f)
        failed |= adjust(inserted, Adjustment::Contrast, contrast);
    if (failed)
        platform::showMessage(
            QStringLiteral("色彩の変更が失敗しました。\r\n"
                           "この画像形式では、色彩の変更をできない可能性があります。"),
            platform::MsgButtons::OK, platform::MsgIcon::Critical, platform::programTitle());
}

} // namespace picrows
