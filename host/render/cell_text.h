#pragma once

#include <QColor>
#include <QString>

#include <optional>

class QPainter;

namespace host::model {
struct Cell;
struct Workbook;
} // namespace host::model

// The values of cells as their formats show them, drawn in the cells' fonts and alignment:
// numbers and dates through the number format (fewer digits in a narrow cell for General,
// hashes for others that do not fit), text running on over empty neighbours when it is not
// wrapped, wrapped text broken to the cell's width, merged areas as one cell.
namespace host::render {

class BlockCells;
struct CellLook;

struct CellText
{
    QString text;
    std::optional<QColor> color; // the number format's colour, over the font's
    qsizetype fillAt = -1;       // where a repeated character fills the width
    QChar fillChar;
    bool number = false;     // a number or date: never runs on, hashes when too wide
    bool general = false;    // a General number: fewer digits when too wide
    bool unshowable = false; // a number its format cannot show: hashes fill the cell
};

// What the cell shows by its look; empty text for a cell that shows nothing.
CellText cellText(const model::Cell& cell, const CellLook& look, const model::Workbook& book);

// Paints the values of the block's cells, and of cells beside the block whose text runs on
// into it.
void paintCellTexts(QPainter& painter, const BlockCells& cells, const model::Workbook& book);

} // namespace host::render
