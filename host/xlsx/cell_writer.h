#pragma once

#include "host/model/workbook.h"

#include <pugixml.hpp>

#include <map>
#include <set>

namespace host::xlsx {

struct SheetWriteContext;

// Writes dirty cells and rows of the model into a sheet's <sheetData>, keeping every cell and
// row the model did not change, and what it does not model about the changed ones.
//
// A changed text cell is written as an inline string: the shared strings part then stays as it
// was, no count there can go stale, and both Excel and LibreOffice read inline strings (Excel
// moves them into its shared strings when it saves). A cell whose text is unchanged keeps its
// shared string reference, and a cell whose formula is unchanged keeps its <f> element (shared,
// array or data-table formulas included).
class CellWriter
{
public:
    CellWriter(pugi::xml_node sheetData, const model::Sheet& sheet,
               const SheetWriteContext& context);

    void write(const std::set<model::CellKey>& cells, const std::set<int>& rows);
    bool wroteNewFormula() const { return m_newFormula; }

private:
    struct Master
    {
        QString text;
        int row = 0;
        int column = 0;
    };

    void indexRows();
    pugi::xml_node rowNode(int row);
    void writeRow(int row, std::set<model::CellKey>::const_iterator begin,
                  std::set<model::CellKey>::const_iterator end, bool attributes);
    void writeCell(pugi::xml_node c, const model::Cell& cell, int row, int column);
    void writeValue(pugi::xml_node c, pugi::xml_node f, const model::Cell& cell);
    void writeRowAttributes(pugi::xml_node rowNode, int row);
    QString formulaOf(pugi::xml_node f, int row, int column);
    void indexMasters();
    void unshare();

    pugi::xml_node m_data;
    const model::Sheet& m_sheet;
    const SheetWriteContext& m_context;
    std::string m_prefix; // the namespace prefix of the sheet's elements
    std::map<int, pugi::xml_node> m_rows;
    std::map<int, Master> m_masters;
    bool m_mastersIndexed = false;
    std::set<int> m_unshare; // shared formulas whose master cell changed
    bool m_newFormula = false;
};

} // namespace host::xlsx
