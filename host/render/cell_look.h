#pragma once

#include "host/model/cell_style.h"
#include "host/model/number_format.h"

#include <QColor>
#include <QFont>

#include <memory>

namespace host::model {
struct LookCache;
struct Workbook;
} // namespace host::model

// Cell formats resolved for drawing: fonts, colours and the parsed number format, made once
// per format and workbook and kept until the workbook's look changes (formats, palette,
// theme). Painting a block then costs a table lookup per cell.
namespace host::render {

class TextLineCache;

struct EdgeLine
{
    model::BorderStyle style = model::BorderStyle::None;
    QColor color = Qt::black;

    bool none() const { return style == model::BorderStyle::None; }
};

struct CellLook
{
    QFont font; // its point size is its size in painter units (see text_paint.h)
    QColor textColor = Qt::black;
    bool filled = false;
    QColor fill = Qt::white;
    EdgeLine left, right, top, bottom;
    EdgeLine diagonal;
    bool diagonalUp = false;
    bool diagonalDown = false;
    model::CellAlignment alignment;
    model::NumberFormat numberFormat;
    double indentStep = 0;                      // points per indent level
    std::shared_ptr<const TextLineCache> lines; // single lines in `font`, laid out once

    bool hasBorders() const
    {
        return !left.none() || !right.none() || !top.none() || !bottom.none() ||
               ((diagonalUp || diagonalDown) && !diagonal.none());
    }
};

// The looks of one workbook's formats for the length of a paint. The looks stay valid while
// the table lives, even when the workbook's look changes meanwhile.
class LookTable
{
public:
    explicit LookTable(const model::Workbook& book);
    const CellLook& look(int style) const;

private:
    const model::Workbook& m_book;
    std::shared_ptr<model::LookCache> m_cache;
};

// A style colour as drawn: the palette, the theme with its tint, or `automatic`.
QColor resolveColor(const model::Workbook& book, const model::StyleColor& color,
                    const QColor& automatic);

// The installed family that shows a workbook's font name: itself when installed, else a
// font of the same metrics or script (Calibri → Carlito, Japanese Gothic → Noto Sans CJK JP).
QString installedFamily(const QString& name);

} // namespace host::render
