#pragma once

#include <QByteArray>

#include <pugixml.hpp>

#include <vector>

class QString;

namespace host::model {
struct Sheet;
}

namespace host::xlsx {

struct SheetWriteContext
{
    const std::vector<QString>* sharedStrings = nullptr; // as the package's part holds them
};

// Patches a sheet part's XML with what the model records as changed: the dirty cells and rows,
// and the columns, merges, default sizes, protection and view when their flags are set.
// Everything else in the part is left as it is. With `everything`, the whole model is written
// (a sheet new to the package, patched into newSheetPart()). Returns whether a cell now holds
// a formula that the part did not have, so that the workbook must be recalculated.
bool patchSheet(pugi::xml_node root, const model::Sheet& sheet, const SheetWriteContext& context,
                bool everything);

// Makes the sheet part refer to its drawing part through the relationship `relationshipId`.
void setDrawingReference(pugi::xml_node root, const QString& relationshipId, bool strict);

// An empty worksheet part in the package's flavour.
pugi::xml_document newSheetPart(bool strict);

// Whether the model records any change to the sheet since loading.
bool isDirty(const model::Sheet& sheet);

} // namespace host::xlsx
