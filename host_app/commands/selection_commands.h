#pragma once

#include "host/model/cell_ref.h"

#include <vector>

namespace host::model {
struct Sheet;
}
namespace host::objects {
class Worksheet;
}

// The selection commands of the window: what the user's clicks and keys do to the selection,
// through the same object model automation uses. A gesture (a drag, a click) selects as it
// goes without raising events, and raises SheetSelectionChange once when it ends, when the
// selected cells differ from those at its start.
namespace host_app::commands {

using host::model::CellRect;

// The selection as a gesture found it.
struct SelectionSnapshot
{
    std::vector<CellRect> areas;
    bool shapesSelected = false;
};

SelectionSnapshot snapshot(host::objects::Worksheet& sheet);

// Cells selected while a gesture is under way: shown at once, the event waits.
void selectCellsQuietly(host::objects::Worksheet& sheet, const std::vector<CellRect>& areas,
                        const CellRect& active);
// The gesture ended: SheetSelectionChange for the cells now selected, if they changed.
void endSelectionGesture(host::objects::Worksheet& sheet, const SelectionSnapshot& before);
// A gesture of one step (a key): select and raise the event if the cells changed.
void selectCells(host::objects::Worksheet& sheet, const std::vector<CellRect>& areas,
                 const CellRect& active);
// Moves the active cell inside the selection; the selection stays, no event.
void moveActiveCell(host::objects::Worksheet& sheet, const CellRect& cell);

// Shapes by id (top-level ones): `replace` drops what was selected before.
void selectShapes(host::objects::Worksheet& sheet, const std::vector<int>& ids, bool replace);
// Drops one shape from a selection of shapes; the cells come back when none is left.
void deselectShape(host::objects::Worksheet& sheet, int id);
// Leaves a selection of shapes for the cells selected before it.
void returnToCells(host::objects::Worksheet& sheet);

// The sheet's active cell as its view states it (A1 when it states none that parses).
CellRect activeCell(const host::model::Sheet& sheet);

// The area grown until every merged area it touches lies wholly inside it.
CellRect withMerges(const host::model::Sheet& sheet, CellRect area);
CellRect withMerges(const host::objects::Worksheet& sheet, CellRect area);

} // namespace host_app::commands
