#include "main/engine/resample.h"

#include "host/automation/host_error.h"
#include "host/xl/application.h"
#include "host/xl/picture.h"
#include "host/xl/shape.h"
#include "host/xl/worksheet.h"
#include "main/engine/insert_picture.h"
#include "main/engine/run_paste.h"
#include "main/engine/screen_units.h"
#include "platform/message_box.h"

#include <cmath>
#include <cstdio>

namespace picrows {

namespace {

const QString kJpeg = QStringLiteral("図 (JPEG)");
const QString kGif = QStringLiteral("図 (GIF)");
const QString kPng = QStringLiteral("図 (PNG)");
const QString kMetafile = QStringLiteral("図 (拡張メタファイル)");

QString ending(const QString& path)
{
    return path.right(4).toUpper();
}

// Photographs the host stores converted (HEIC, HEIF, AVIF, WebP: as JPEG, or as PNG to keep
// transparency) take the paths of what they were stored as.
QString storedAsName(const QString& path, const xl::Picture& picture)
{
    const QString end = ending(path);
    if (end != u"HEIC" && end != u"HEIF" && end != u"AVIF" && end != u"WEBP")
        return path;
    QString stored;
    try {
        stored = picture.ShapeRange().PictureFormat().StoredFormat();
    } catch (const host::HostError&) {
        // A host without the member stores them as JPEG.
    }
    return path + (stored == u"png" ? QStringLiteral(".png") : QStringLiteral(".jpg"));
}

void beep()
{
    std::fputc('\a', stderr);
    std::fflush(stderr);
}

void setCrops(const xl::PictureFormat& crop, double left, double top, double right, double bottom)
{
    crop.setCropLeft(left);
    crop.setCropTop(top);
    crop.setCropRight(right);
    crop.setCropBottom(bottom);
}

} // namespace

std::optional<QString> resamplePasteFormat(const QString& path, double angle, bool rotateApiMode)
{
    if (angle != 0 && rotateApiMode)
        return kMetafile;
    const QString end = ending(path);
    auto among = [&end](std::initializer_list<const char16_t*> list) {
        for (const char16_t* e : list)
            if (end == QStringView(e))
                return true;
        return false;
    };
    if (among({u".JPG", u"JPEG", u"JFIF", u".JPE"}))
        return kJpeg;
    if (among({u".GIF", u".GFA"}))
        return kGif;
    if (among({u".PNG"}))
        return kPng;
    if (among({u".BMP", u".DIB", u".RLE", u".BMZ", u".WMF", u".EMF", u".TIF", u"TIFF"}))
        return kMetafile;
    return std::nullopt;
}

PictureGeometry readPictureGeometry(const xl::Picture& picture, double uw, double uh)
{
    const xl::ShapeRange shape = picture.ShapeRange();
    PictureGeometry g;
    g.rot = static_cast<std::int16_t>(std::nearbyint(shape.Rotation()));
    g.L = picture.Left();
    g.T = picture.Top();
    g.W = picture.Width();
    g.H = picture.Height();
    const xl::PictureFormat crop = shape.PictureFormat();
    g.cL = crop.CropLeft() / uw;
    g.cR = crop.CropRight() / uw;
    g.cT = crop.CropTop() / uh;
    g.cB = crop.CropBottom() / uh;
    return g;
}

RepasteResult f_RepastePicture(const xl::Application& app, const xl::Picture& picture, double uw,
                               double uh, const PictureGeometry& g, const RepasteRequest& request)
{
    const int version = hostVersion(app);
    const xl::ShapeRange shape = picture.ShapeRange();
    if (g.rot != 0 && version > 9)
        shape.setRotation(0);

    RepasteResult result;
    const double f = request.factor;
    if (request.reduce) {
        result.tW = (g.W / (1 - g.cL - g.cR)) * f;
        result.tH = (g.H / (1 - g.cT - g.cB)) * f;
        shape.setLockAspectRatio(false);
        shape.setWidth(shape.Width() * f);
        shape.setHeight(shape.Height() * f);
    } else {
        result.tW = uw;
        result.tH = uh;
        shape.setLockAspectRatio(false);
        shape.setWidth(uw - uw * (g.cL + g.cR));
        shape.setHeight(uh - uh * (g.cT + g.cB));
    }
    if (!request.cut) {
        // Out of the way and uncropped: the whole picture at f times its displayed scale.
        shape.setLeft(2 * uw);
        shape.setTop(2 * uh);
        setCrops(shape.PictureFormat(), 0, 0, 0, 0);
        shape.setLockAspectRatio(false);
        shape.setWidth(result.tW);
        shape.setHeight(result.tH);
    }

    picture.Copy();
    const xl::Worksheet sheet = app.ActiveSheet();
    bool failed = false;
    try {
        sheet.PasteSpecial(request.format, false, false);
    } catch (const host::HostError&) {
        failed = true;
    }

    if (failed) {
        if (!request.cut)
            setCrops(shape.PictureFormat(), g.cL * uw, g.cT * uh, g.cR * uw, g.cB * uh);
        if (g.rot != 0 && version > 9)
            shape.setRotation(g.rot);
        shape.setWidth(g.W);
        shape.setHeight(g.H);
        shape.setLeft(g.L);
        shape.setTop(g.T);
    } else {
        picture.Delete();
    }
    app.setCutCopyMode(host::Variant(false));
    if (failed)
        return result;

    result.copy = m_GetLastAddShape(sheet);
    const xl::Shape& copy = result.copy;
    if (version >= 12) {
        copy.setLockAspectRatio(false);
        copy.ScaleHeight(1, true, 0);
        copy.ScaleWidth(1, true, 0);
        if (request.cropsFromCopySize) {
            result.tW = copy.Width();
            result.tH = copy.Height();
        }
    }
    copy.setLockAspectRatio(false);
    const float px = version >= 12 ? 20 / float(kTwipsPerPixel) : 0.0f;
    const float py = px;
    const xl::PictureFormat crop = copy.PictureFormat();
    if (request.cut)
        setCrops(crop, px, py, px, py);
    else
        setCrops(crop, g.cL * result.tW + px, g.cT * result.tH + py, g.cR * result.tW + px,
                 g.cB * result.tH + py);
    return result;
}

xl::Picture s_ResamplePicture(const xl::Application& app, const xl::Picture& picture,
                              const QString& path, const ResampleInput& input,
                              const RunOptions& options)
{
    const std::optional<QString> format =
        resamplePasteFormat(storedAsName(path, picture), input.angle, options.Rotate_ApiMode);
    if (!format)
        return picture;

    const double uw = input.uw;
    const double uh = input.uh;
    const PictureGeometry g = readPictureGeometry(picture, uw, uh);
    const double B = options.InsertSyukusyou_Bairitsu;
    const std::int32_t size = options.glngPasteSize;

    const bool reduce = options.InsertSyukusyou && ((g.W / (1 - g.cL - g.cR)) * B <= uw ||
                                                    (g.H / (1 - g.cT - g.cB)) * B <= uh);
    const bool cut = options.InsertCutTrimming && input.canCrop && (size == 2 || size == 3) &&
                     !(options.InsertCutTrimming_NotAuto && size == 2);
    if (!reduce && !cut)
        return picture;

    const RepasteResult pasted =
        f_RepastePicture(app, picture, uw, uh, g, RepasteRequest{reduce, B, cut, *format, false});
    if (pasted.copy.isNothing()) {
        platform::showMessage(QStringLiteral("図の縮小エラー"), platform::MsgButtons::OK,
                              platform::MsgIcon::Critical, platform::programTitle());
        return picture;
    }
    const xl::Shape& copy = pasted.copy;
    const double a = input.angle;
    if (options.Rotate_ApiMode || a == 0 || a == 180) {
        if (!options.Rotate_ApiMode && a == 180)
            copy.setRotation(180);
        copy.setWidth(g.W);
        copy.setHeight(g.H);
        copy.setLeft(g.L);
        copy.setTop(g.T);
    } else if (a == 90 || a == 270) {
        copy.setRotation(a);
        copy.setWidth(g.H);
        copy.setHeight(g.W);
        copy.setLeft(g.L + (g.W - g.H) / 2);
        copy.setTop(g.T + (g.H - g.W) / 2);
    }
    return xl::Picture(copy.DrawingObject().ref());
}

bool f_UnLinkObjectInExcel2010(const xl::Application& app, xl::Picture& picture,
                               const QString& path)
{
    bool ok = true;
    try {
        const double left = picture.Left();
        const double top = picture.Top();
        const double width = picture.Width();
        const double height = picture.Height();
        const bool locked = picture.ShapeRange().LockAspectRatio();
        picture.Copy();
        const QString format = ending(path) == QStringLiteral(".EMF") ? kMetafile : kJpeg;
        const xl::Worksheet sheet = app.ActiveSheet();
        sheet.PasteSpecial(format, false, false);
        picture.Delete();
        const xl::Pictures pictures = sheet.Pictures();
        picture = pictures.Item(pictures.Count());
        // The copy carries the host's empty edge and a size rounded to its pixels: crop the
        // edge away and give the rest the picture's own size, so that nothing but the file's
        // content shows, in the file's proportions.
        const xl::ShapeRange copy = picture.ShapeRange();
        copy.setLockAspectRatio(false);
        const double edge = 20 / kTwipsPerPixel;
        setCrops(copy.PictureFormat(), edge, edge, edge, edge);
        copy.setWidth(width);
        copy.setHeight(height);
        copy.setLeft(left);
        copy.setTop(top);
        copy.setLockAspectRatio(locked);
    } catch (const host::HostError&) {
        ok = false;
        beep();
    }
    try {
        app.setCutCopyMode(host::Variant(false));
    } catch (const host::HostError&) {
    }
    return ok;
}

} // namespace picrows
