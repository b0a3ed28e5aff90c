#pragma once

#include "host/automation/variant.h"

#include <QString>

#include <memory>

namespace host::model {
struct Workbook;
}

// The macro workbook the host provides in place of the suite's macro add-in (an add-in
// workbook, IsAddin True), and Application.Run.
namespace host::objects {

class Application;

std::unique_ptr<model::Workbook> macroWorkbookModel();

// Runs "'Book'!Macro" or "Book!Macro". The macro workbook answers its two macros:
// CallForExe_GetTrimmingEnabled (whether exactly one picture is selected) and
// CallForExe_Refresh_RetrimmingCmd (the command bars follow the settings by themselves, so
// there is nothing to refresh). Any other macro raises host error 1004.
Variant runMacro(Application& app, const QString& macro);

// Whether the selection is exactly one picture, which the picture tools can crop.
bool trimmingEnabled(const Application& app);

} // namespace host::objects
