#pragma once

namespace xl {
class Application;
}

namespace picrows {

struct ReduceRow;

// A click on a result row: activates the row's workbook and sheet and selects the object the
// row names. When that object cannot be selected (a picture inside a group), a beep, then the
// nearest enclosing object that can stand alone is selected; when there is none, or no object
// of that name, nothing is. Screen updating is switched on at the end. Host errors are
// ignored throughout.
void s_SelectResultRowObject(const xl::Application& app, const ReduceRow& row);

} // namespace picrows
