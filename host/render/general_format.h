#pragma once

#include <QString>

namespace host::model {
struct Cell;
}

// How the host shows a cell's value in the General format of a standard-width column.
namespace host::render {

// The text a cell shows: General numbers, text as it is, TRUE/FALSE, the error's text; empty
// for an empty cell and a formula never calculated.
QString displayText(const model::Cell& cell);

} // namespace host::render
