#pragma once

#include <QString>
#include <QStringList>

namespace picrows {

// The worksheet names of a closed Excel 97–2003 workbook (".xls"), read from the sheet records
// (BoundSheet) of the workbook stream in its compound file, in workbook order; hidden
// worksheets are listed too, chart sheets, macro sheets and modules are not. Reads BIFF8 and
// BIFF5 workbooks.
//
// A file that cannot be read raises a host::HostError, as the database engine that reads such
// files elsewhere does: 3024 when the file is missing, 3274 when it is not a workbook of this
// kind (an .xlsx package named .xls among them), 3031 when it is encrypted.
QStringList readXlsWorksheetNames(const QString& path);

inline constexpr int kNotAnXlsWorkbook = 3274;

} // namespace picrows
