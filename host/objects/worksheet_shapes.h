#pragma once

#include "host/automation/member_table.h"

namespace host::objects {

class Worksheet;

// The drawing members of a worksheet: Shapes and Pictures (also Pictures(Index)).
void addShapeMembers(MemberTable<Worksheet>& table);

} // namespace host::objects
