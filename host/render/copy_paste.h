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
// their displayed size, with the copy margin around their joint bounds.
ClipContent copyOfShapes(const model::Workbook& book, const model::Sheet& sheet,
                         const std::vector<int>& ids);

// Copy of cells: their rendering (values, merged areas, the shapes over them) without a
// margin, plus their text and the copied-cells marker.
ClipContent copyOfRange(const model::Workbook& book, const model::Sheet& sheet,
                        const model::CellRect& area);

// The host's paste-format names PasteSpecial takes for pictures.
enum class PasteFormat { Jpeg, Png, Gif, Emf, Bitmap };
// "図 (JPEG)", "図 (PNG)", "図 (GIF)", "図 (拡張メタファイル)", "ビットマップ"; none for
// any other name.
std::optional<PasteFormat> pasteFormatNamed(const QString& name);

// The picture PasteSpecial adds: encoded in `format` from the clipboard's content, its
// untouched size the content's size in points, not yet placed, named or given an id. Raises a
// host error (1004) when the content cannot be pasted in that format.
model::Shape pastedPicture(const ClipContent& content, PasteFormat format);

} // namespace host::render
