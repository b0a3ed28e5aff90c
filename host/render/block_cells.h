#pragma once

#include "host/model/cell_ref.h"

#include <QRectF>

#include <vector>

namespace host::model {
struct Cell;
struct Sheet;
struct Workbook;
} // namespace host::model

namespace host::model {
class SheetGeometry;
}

// The cells of a block being painted, with a margin of one cell around it (whose borders meet
// the block's edges): each cell's stored entry, its look and its merged area, gathered once
// per paint so that the painting passes never search the sheet.
namespace host::render {

struct CellLook;
class LookTable;

class BlockCells
{
public:
    struct Entry
    {
        const model::Cell* cell = nullptr; // none for a cell without an entry
        const CellLook* look = nullptr;    // the cell's own, or its row's or column's
        const model::CellRect* merge = nullptr;
        bool hasText = false; // shows a value
    };

    BlockCells(const model::Sheet& sheet, const model::SheetGeometry& geometry,
               const model::CellRect& area, const LookTable& looks);

    const model::CellRect& area() const { return m_area; }
    const model::CellRect& span() const { return m_span; } // the block and its margin
    const Entry& at(int row, int column) const;            // inside span()
    const std::vector<model::CellRect>& merges() const { return m_merges; }
    // The look a merged area shows: its top-left cell's.
    const CellLook& lookOf(int row, int column) const;

    // Edges in points from the block's top-left corner; any column or row of the sheet.
    double x(int column) const;
    double y(int row) const;
    QRectF rect(const model::CellRect& cells) const;
    double width() const { return x(m_area.right + 1); }
    double height() const { return y(m_area.bottom + 1); }
    bool columnHidden(int column) const;
    bool rowHidden(int row) const;

    const model::Sheet& sheet() const { return m_sheet; }
    const model::SheetGeometry& geometry() const { return m_geometry; }
    const LookTable& looks() const { return m_looks; }

private:
    const model::Sheet& m_sheet;
    const model::SheetGeometry& m_geometry;
    const LookTable& m_looks;
    model::CellRect m_area;
    model::CellRect m_span;
    std::vector<model::CellRect> m_merges;
    std::vector<Entry> m_entries;      // span's rows, then columns
    std::vector<double> m_columnEdges; // span.left … span.right + 1
    std::vector<double> m_rowEdges;
    double m_originX = 0;
    double m_originY = 0;
};

} // namespace host::render
