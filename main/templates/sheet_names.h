#pragma once

#include <QString>

namespace xl {
class Application;
}

namespace picrows {

// The worksheet names of a book file, joined with TAB ("" when there are none).
// - ".xls" (any letter case): read from the closed file (readXlsWorksheetNames); a file that
//   cannot be read raises its host error, except an .xlsx package under that name (what hosts
//   before version 12 save here), which is read as other books are.
// - any other file: opened in `app` with screen updating, events and alerts off (they are put
//   back as they were), its worksheet names taken in sheet order, and closed without saving;
//   the active workbook, if any, is marked unsaved first. A file the host cannot open lists
//   nothing. A book of that file name that is already open is read as it is and left open.
QString f_GetSheetnameFromBookpath(const xl::Application& app, const QString& path);

} // namespace picrows
