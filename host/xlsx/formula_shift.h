#pragma once

#include <QString>

namespace host::xlsx {

// The formula as it reads when moved by `rows` and `columns`: relative references shift,
// absolute ones ($A$1) stay, and a reference pushed off the sheet becomes #REF!. Strings,
// quoted sheet names, function names, structured references and error literals are left
// alone. This is how a shared formula's master text becomes each member cell's formula.
QString shiftFormula(const QString& formula, int rows, int columns);

} // namespace host::xlsx
