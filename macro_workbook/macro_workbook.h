#pragma once

#include "host/automation/add_in_workbook.h"
#include "host/automation/variant.h"

#include <QString>

namespace xl {
class Application;
}

// The suite's macro workbook: an add-in workbook whose two macros the main program runs
// through Application.Run. Whoever provides the host registers it (the batch command's
// in-process host, the host application); a host without it fails those runs as a host
// fails for a missing macro.
namespace picrows {

inline const QString kMacroWorkbookName = QStringLiteral("@TORVA_Picrows.xlam");

// Whether the host's crop command is available now: exactly one picture is selected.
host::Variant CallForExe_GetTrimmingEnabled(const xl::Application& app);
// The re-trimming command follows the settings by itself on this platform: nothing to refresh.
host::Variant CallForExe_Refresh_RetrimmingCmd(const xl::Application& app);

// The workbook as a host registers it; `folder` empty: the host's Path.
host::AddInWorkbook macroWorkbook(const QString& folder = {});

} // namespace picrows
