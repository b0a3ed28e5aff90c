#include "main/reduce/reduce_picture.h"

#include "host/automation/host_error.h"
#include "host/xl/application.h"
#include "host/xl/picture.h"
#include "host/xl/shape.h"
#include "host/xl/workbook.h"
#include "host/xl/worksheet.h"
#include "main/engine/insert_picture.h"
#include "main/engine/resample.h"
#include "main/reduce/picture_capture.h"

#include <cmath>

namespace picrows {

namespace {

const QString kJpegFormat = QStringLiteral("図 (JPEG)");

// A crop smaller than this is not worth a copy of its own.
constexpr double kSmallestCut = 2;

PictureGeometry geometryOf(const xl::ShapeRange& shape, double w0, double h0)
{
    PictureGeometry g;
    g.rot = static_cast<std::int16_t>(std::nearbyint(shape.Rotation()));
    g.L = float(shape.Left());
    g.T = float(shape.Top());
    g.W = float(shape.Width());
    g.H = float(shape.Height());
    const xl::PictureFormat crop = shape.PictureFormat();
    g.cL = crop.CropLeft() / w0;
    g.cR = crop.CropRight() / w0;
    g.cT = crop.CropTop() / h0;
    g.cB = crop.CropBottom() / h0;
    return g;
}

} // namespace

ReduceRow f_ReducePicture(const xl::Application& app, platform::Clipboard& clipboard,
                          const xl::ShapeRange& shapeRange, const PictureReduction& what)
{
    const QString book = app.ActiveWorkbook().Name();
    const QString sheet = app.ActiveSheet().Name();
    const QString name = shapeRange.Name();

    double w0 = 0;
    double h0 = 0;
    f_GetImageFromShaperange(app, clipboard, shapeRange, w0, h0);
    if (w0 == 0 || h0 == 0)
        return failureRow(book, sheet, name,
                          QStringLiteral("不明なエラー(原型サイズの取得エラー)"));
    try {
        shapeRange.PictureFormat().CropLeft();
    } catch (const host::HostError&) {
        return failureRow(book, sheet, name,
                          QStringLiteral("不明なエラー(トリミング値の取得エラー)"));
    }
    const PictureGeometry g = geometryOf(shapeRange, w0, h0);
    const double f = what.factor;

    // The size the copy would be made at, and whether it is smaller than the picture is.
    const double tW = what.reduce ? g.W / (1 - g.cL - g.cR) * f : w0;
    const double tH = what.reduce ? f * (g.H / (1 - g.cT - g.cB)) : h0;
    const bool reduce = what.reduce && !(tW >= w0 && tH >= h0);
    const bool cut = what.cut && (g.cL * w0 >= kSmallestCut || g.cT * h0 >= kSmallestCut ||
                                  g.cR * w0 >= kSmallestCut || g.cB * h0 >= kSmallestCut);
    if (!reduce && !cut) {
        // The picture was measured with its aspect ratio unlocked; it stays so.
        shapeRange.setLockAspectRatio(false);
        return nothingToDoRow(book, sheet, name);
    }

    // A cut of a picture that needs no reduction is still made at the factor's scale when the
    // run reduces: the copy is made at the size the reduction brought the picture to.
    const xl::Picture picture(shapeRange.Item(1).DrawingObject().ref());
    const RepasteResult pasted = f_RepastePicture(
        app, picture, w0, h0, g, RepasteRequest{what.reduce, f, cut, kJpegFormat, true});
    if (pasted.copy.isNothing())
        return failureRow(book, sheet, name, QStringLiteral("図の縮小エラー"));

    const xl::Shape& copy = pasted.copy;
    if (hostVersion(app) > 9)
        copy.setRotation(g.rot);
    copy.setWidth(g.W);
    copy.setHeight(g.H);
    copy.setLeft(g.L);
    copy.setTop(g.T);
    return successRow(book, sheet, copy.Name(), reduceSuccessText(w0, h0, pasted.tW, pasted.tH));
}

} // namespace picrows
