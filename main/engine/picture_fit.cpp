#include "main/engine/picture_fit.h"

#include "host/automation/host_error.h"
#include "host/xl/picture.h"
#include "host/xl/range.h"
#include "host/xl/shape.h"
#include "platform/message_box.h"

#include <algorithm>

namespace picrows {

TargetBox TargetBox::of(const xl::Range& target)
{
    return {target.Left(), target.Top(), target.Width(), target.Height()};
}

bool placeAtPoint(const TargetBox& box, std::int32_t point, double w, double h, double& left,
                  double& top)
{
    switch (point) {
    case 0:
        left = box.L;
        top = box.T + box.H - h;
        return true;
    case 1:
        left = box.L + box.W - w;
        top = box.T + box.H - h;
        return true;
    case 2:
        left = box.L + (box.W - w) / 2;
        top = box.T + (box.H - h) / 2;
        return true;
    case 3:
        left = box.L;
        top = box.T;
        return true;
    case 4:
        left = box.L + box.W - w;
        top = box.T;
        return true;
    default:
        return false;
    }
}

void s_FitExact(const xl::Picture& picture, const TargetBox& box)
{
    const xl::ShapeRange shape = picture.ShapeRange();
    shape.setLockAspectRatio(false);
    shape.setLeft(box.L);
    shape.setTop(box.T);
    shape.setWidth(box.W);
    shape.setHeight(box.H);
}

void s_FitInside(const xl::Picture& picture, const TargetBox& box, std::int32_t point)
{
    const xl::ShapeRange shape = picture.ShapeRange();
    const double w = shape.Width();
    const double h = shape.Height();
    shape.setLockAspectRatio(true);
    if (w / box.W > h / box.H)
        shape.setWidth(box.W);
    else
        shape.setHeight(box.H);
    double left = 0;
    double top = 0;
    if (placeAtPoint(box, point, shape.Width(), shape.Height(), left, top)) {
        shape.setLeft(left);
        shape.setTop(top);
    }
}

void s_FitAutoFill(const xl::Picture& picture, const TargetBox& box, std::int32_t point)
{
    const xl::ShapeRange shape = picture.ShapeRange();
    const double w = shape.Width();
    const double h = shape.Height();
    try {
        shape.setLockAspectRatio(true);
    } catch (const host::HostError&) {
    }
    const xl::PictureFormat crop = shape.PictureFormat();
    if (w / box.W > h / box.H) {
        const double e = w - box.W * h / box.H;
        switch (point) {
        case 0:
        case 3:
            crop.setCropRight(crop.CropRight() + e);
            break;
        case 1:
        case 4:
            crop.setCropLeft(crop.CropLeft() + e);
            break;
        case 2:
            crop.setCropLeft(crop.CropLeft() + e / 2);
            crop.setCropRight(crop.CropRight() + e / 2);
            break;
        default:
            break;
        }
    } else {
        const double e = h - box.H * w / box.W;
        switch (point) {
        case 0:
        case 1:
            crop.setCropTop(crop.CropTop() + e);
            break;
        case 3:
        case 4:
            crop.setCropBottom(crop.CropBottom() + e);
            break;
        case 2:
            crop.setCropTop(crop.CropTop() + e / 2);
            crop.setCropBottom(crop.CropBottom() + e / 2);
            break;
        default:
            break;
        }
    }
    shape.setLeft(box.L);
    shape.setTop(box.T);
    shape.setWidth(box.W);
    shape.setHeight(box.H);
}

void s_FallbackToFitInside(const xl::Picture& picture, const TargetBox& box, const QString& path,
                           std::int32_t& point)
{
    const QString name = path.mid(std::max(path.lastIndexOf(u'\\'), path.lastIndexOf(u'/')) + 1);
    platform::showMessage(
        name + QStringLiteral("は、エクセルの仕様により、トリミングできません。") +
            QStringLiteral("\r\n") + QStringLiteral("OKを押すと自動リサイズして貼り付けます。"),
        platform::MsgButtons::OK, platform::MsgIcon::Exclamation, platform::programTitle());
    point = 2;
    s_FitInside(picture, box, point);
}

} // namespace picrows
