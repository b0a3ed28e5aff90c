#pragma once

#include "host/automation/member_table.h"

namespace host::objects {

class Worksheet;

// This host's own (other hosts lack it, 438): Worksheet.ExportPicture(Filename, [Range],
// [Scale], [GridLines]) writes a block of cells as a PNG file the way the host's copy of cells
// renders it, at 96 dpi times Scale (above 0, at most 16). Without Range the block is the
// cells in use together with the cells under the shapes. Answers the block's address
// ("B2:D5"). One block only; a block too large for the scale raises 1004, a file that cannot
// be written 75.
void addExportMembers(MemberTable<Worksheet>& table);

} // namespace host::objects
