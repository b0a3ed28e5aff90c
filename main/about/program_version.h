#pragma once

#include "platform/version_record.h"

#include <QDateTime>
#include <QString>

namespace picrows {

// The running program's version: the record compiled into its file, else (a program built
// without one, such as a test) the project's version.
platform::VersionNumbers programVersion();

// The running program's file and its last-modified time.
QString programFile();
QDateTime programFileDate();

// "Ver." + major + "." + minor as two digits + ".0." + revision as two digits: panel 2 of the
// insertion dialog's status bar.
QString statusVersionText(const platform::VersionNumbers& version);

// A date as the about dialog shows it: "yyyy/m/d".
QString aboutDateText(const QDateTime& date);

} // namespace picrows
