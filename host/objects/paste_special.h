#pragma once

#include "host/automation/member_table.h"

namespace host::objects {

class Range;
class Worksheet;

// Range.Copy: the cells' rendering, text and copied-cells marker go to the host's
// clipboard, and CutCopyMode becomes 1. A range of several areas, or a Destination, is
// refused (1004).
void copyRangeToClipboard(Range& range, const BoundArgs& args);

// The parameters of Worksheet.PasteSpecial, in order.
QStringList pasteSpecialParameters();

// Worksheet.PasteSpecial(Format, Link, DisplayAsIcon, …) for the picture formats: the
// clipboard's content becomes a new picture on top of the sheet's drawing at the active
// cell's top-left corner, named "図 N" after its new id, and it becomes the selection.
// Without a Format the picture is PNG. Refused with 1004: a sheet that is not the active one
// or has no cells, Link or DisplayAsIcon True, an unknown format, an empty clipboard or one
// whose content cannot be made in the format, drawing objects protected.
Variant pasteSpecial(Worksheet& sheet, const BoundArgs& args);

} // namespace host::objects
