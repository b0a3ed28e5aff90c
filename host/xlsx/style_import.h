#pragma once

#include <pugixml.hpp>

#include <map>

namespace host::model {
struct PackageState;
struct Workbook;
} // namespace host::model

namespace host::xlsx {

// Brings cell formats and differential formats of one workbook into another's styles, for a
// sheet copied across workbooks. Each format is appended with the fonts, fills, borders and
// number formats it uses (records the target already has equal are reused). The model's
// formats of the target grow with the styles part, and finish() stores the part.
class StyleImporter
{
public:
    StyleImporter(const model::Workbook& from, model::Workbook& to);

    int cellFormat(int index); // the target's index for the source's cell format
    int differentialFormat(int index);
    void finish();

private:
    int record(const char* list, const char* item, pugi::xml_node source);
    int numberFormat(int id);

    const model::Workbook& m_fromBook;
    model::Workbook& m_toBook;
    pugi::xml_document m_from;
    pugi::xml_document m_to;
    std::map<int, int> m_cellFormats;
    std::map<int, int> m_differential;
    std::map<int, int> m_numberFormats;
    bool m_changed = false;
};

// The styles part as the model would write it: the package's part (or a new one) with the
// model's pending format and palette changes applied.
pugi::xml_document currentStyles(const model::Workbook& book);

} // namespace host::xlsx
