#pragma once

#include <QByteArray>
#include <QImage>
#include <QSizeF>

namespace platform {
class Clipboard;
}
namespace xl {
class Application;
class ShapeRange;
} // namespace xl

namespace picrows {

// A picture fetched from the host's clipboard: a bitmap or an enhanced metafile, as the copy
// of a shape offers them. A null picture (no format, or a format whose data is empty) stands
// for the platform's picture object without a handle.
struct CapturedPicture
{
    enum class Kind
    {
        None,
        Bitmap,
        Metafile
    };
    Kind kind = Kind::None;
    // The picture as pixels without the empty border the host's copy adds, its dots per metre
    // stating its size in points. For a metafile, the bitmaps it draws.
    QImage image;
    QByteArray emf; // the metafile as the clipboard held it (border included)
    QSizeF points;  // the size the copy was made at, border excluded

    bool isNull() const { return kind == Kind::None; }
};

// The untouched source image of a picture on a worksheet: no crop, rotation, fill, line or
// shadow, at 100 % but at most 1000 points on its longer side (a square is not capped), with
// the brightness and contrast the picture has on the sheet. `uw` and `uh` receive the
// untouched size in points, uncapped. The copy goes through `clipboard`, the one the host's Copy
// fills;
// the clipboard is left empty, the previous selection is selected again and screen updating is
// put back. Answers a null picture when no duplicate could be made (silently) or nothing could
// be fetched from the clipboard (after "不明なエラー:必要な画像を取得できません。"). Host
// errors of the copy itself reach the caller, after the duplicate is deleted.
CapturedPicture f_GetImageFromShaperange(const xl::Application& app, platform::Clipboard& clipboard,
                                         const xl::ShapeRange& shapeRange, double& uw, double& uh);

} // namespace picrows
