#pragma once

class QPainter;

// What lies under and around the cells' text: fills, grid lines and borders. The painter's
// units are points with the block's top-left corner at the origin.
namespace host::render {

class BlockCells;

// Fills of the block's cells (a merged area takes its top-left cell's).
void paintFills(QPainter& painter, const BlockCells& cells);
// Light grid lines between cells, where no fill covers them and no merged area joins them.
void paintGridLines(QPainter& painter, const BlockCells& cells);
// The borders: each edge drawn once, with the heavier of the two cells' lines on it, the
// later cell's (right, lower) when they weigh the same; merged areas have borders on their
// outline only.
void paintBorders(QPainter& painter, const BlockCells& cells);

} // namespace host::render
