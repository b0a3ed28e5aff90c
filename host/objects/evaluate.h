#pragma once

#include "host/automation/variant.h"

#include <QString>

namespace host::objects {

class Application;

// Application.Evaluate: computes a worksheet formula ("=LEN(A1)&""x""", with or without its
// "=") against the active workbook, with unqualified references on the active sheet and the
// active cell as the cell the formula stands in (ROW() and COLUMN() answer it).
//
// The answer is the value: a Double, a String, a Boolean, Empty for a blank cell, an array
// (rows × columns) for a block of cells. An error value (the formula's own, or #VALUE! for a
// formula that does not parse or is longer than 255 characters, #NAME? for an unknown
// function) answers as a host error whose number is the error variant's code (2007 #DIV/0!,
// 2015 #VALUE!, 2029 #NAME?, …) and whose description is the error's text, since the
// automation's variants here carry no error kind: a caller that converts the answer to text
// sees a failure either way.
Variant evaluate(Application& app, const QString& formula);

} // namespace host::objects
