#pragma once

#include "host/automation/add_in_workbook.h"
#include "host/automation/variant.h"

#include <QString>

#include <memory>

namespace host::model {
struct Workbook;
}

// The add-in workbooks of macros that programs register with the host, and Application.Run.
namespace host::objects {

class Application;

// The workbook an add-in of macros shows: one empty sheet.
std::unique_ptr<model::Workbook> addInWorkbookModel();

// Runs "'Book'!Macro", "Book!Macro" or "'Book'!Module.Macro" with the arguments given (Arg1…).
// The book must be an open add-in workbook that registered that macro; anything else raises
// host error 1004, as for a macro that is not there.
Variant runMacro(Application& app, const QString& macro, const std::vector<Variant>& args);

} // namespace host::objects
