#pragma once

#include "host/automation/variant.h"

#include <QString>

#include <functional>
#include <utility>
#include <vector>

namespace host {

// A workbook of macros that a program provides to a host: an add-in (IsAddin True, never the
// active workbook) whose macros Application.Run finds by name, without regard to case. The
// provider writes its macros against the automation interface: each receives the host's
// Application object and the arguments the caller passed (up to the last one given, an omitted
// one before it as Missing), and may raise host errors, which reach Run's caller.
struct AddInWorkbook
{
    using Macro =
        std::function<Variant(const ObjectRef& application, const std::vector<Variant>& args)>;

    QString name;   // its file name ("Book.xlam"), as Run's callers name it
    QString folder; // where it lives; empty: the host's Path
    std::vector<std::pair<QString, Macro>> macros;
};

} // namespace host
