#pragma once

#include "host/automation/dispatch.h"

#include <memory>

namespace host::objects {

class Worksheet;

// What Selection answers while the sheet's drawing has shapes selected: one shape's drawing
// object (a Picture, TextBox, GroupObject, ChartObject, …) or, for several, a DrawingObjects
// collection of them. Null when cells are selected.
ObjectRef drawingSelection(const std::shared_ptr<Worksheet>& sheet);

} // namespace host::objects
