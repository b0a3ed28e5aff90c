#pragma once

#include "host/model/cell_ref.h"
#include "host/model/drawing.h"
#include "host/render/clipboard.h"

#include <QString>

#include <vector>

namespace host::model {
struct Workbook;
struct Sheet;
} // namespace host::model

// What the host's Copy renders and what PasteSpecial makes of it.
namespace host::render {

// The copy margin: points of empty border a copied shape gets on each side. A picture pasted
// from it and cropped by this much on each side shows exactly what was copied.
inline constexpr double kCopyMargin = 20.0 / 15.0;

// Copy of shapes (top-level shapes or group members, by id): what is visible of them, at
// their displayed size, with the copy margin around their joint bounds. Rendered at 1.5
// pixels per point, where the margin is two whole pixels (0.75 and one pixel for copies too
// large for that), the content filling the pixels inside the margin exactly; the bitmap's
// dots per metre state the density, and it is transparent where no shape is. `points` is
// the bounds plus the two margins. Raises 1004 when none of the ids is a shape with an area.
// `deferred`: a copy without text is not rendered now but kept as a pending copy (the
// clipboard renders it when asked for its content, a paste makes a pending picture of it).
ClipContent copyOfShapes(const model::Workbook& book, const model::Sheet& sheet,
                         const std::vector<int>& ids, bool deferred = false);

// Copy of cells: their rendering at 96 dpi (values, merged areas, the shapes over them; see
// sheet_render.h) without a margin, plus their text and the copied-cells marker. A block too
// large for a picture copies as text and marker only.
ClipContent copyOfRange(const model::Workbook& book, const model::Sheet& sheet,
                        const model::CellRect& area);

// The host's paste-format names PasteSpecial takes for pictures.
enum class PasteFormat
{
    Jpeg,
    Png,
    Gif,
    Emf,
    Bitmap
};
// "図 (JPEG)", "図 (PNG)", "図 (GIF)", "図 (拡張メタファイル)", "ビットマップ"; none for
// any other name.
std::optional<PasteFormat> pasteFormatNamed(const QString& name);

// The picture PasteSpecial adds: encoded in `format` from the clipboard's content (JPEG,
// bitmap and metafile show transparent parts white), its untouched and displayed size the
// content's size in points, its aspect ratio locked; not yet placed, named or given an id.
// Raises a host error (1004, "PasteSpecial method of Worksheet class failed") when the
// content holds no picture or cannot be made in that format.
model::Shape pastedPicture(const ClipContent& content, PasteFormat format);

} // namespace host::render
