#pragma once

#include <QDateTime>
#include <QString>

#include <cstdint>

namespace picrows {

// The files of the installed suite on this platform. The add-ins are shared libraries named
// without the usual "lib" prefix; the macro workbook and the help file keep their names.
inline const QString kMainProgramFile = QStringLiteral("TORVA_PicrowsMain");
inline const QString kMenuAddinFile = QStringLiteral("TORVA_Picrows.so");
inline const QString kRibbonAddinFile = QStringLiteral("TORVA_PicrowsFor2007.so");
inline const QString kMacroWorkbookFile = QStringLiteral("@TORVA_Picrows.xlam");
inline const QString kHelpFile = QStringLiteral("Help.pdf");

// The main folder: the folder of the main program (overridable for tests and tools).
QString mainFolder();
void setMainFolder(const QString& folder); // empty: the running program's folder again

// `folder`, a "/" unless it already ends with one, and `file`.
QString joinPath(const QString& folder, const QString& file);

// True when the path is not empty, does not end with "/", names an existing entry and that
// entry is not a folder.
bool f_CheckDirFile(const QString& path);

// The menu add-in: beside the main program, else in the sibling folder of an installation
// that keeps each deliverable in its own folder. Empty when neither exists.
QString f_GetBaseProgramPath();
// The ribbon add-in, or with `macroWorkbook` the macro workbook of 64-bit hosts (fallback:
// the parent folder).
QString f_GetRibbonProgramPath(bool macroWorkbook = false);
// Where the help file lies beside the main program, and where the fallback looks.
QString helpFilePath();
QString helpFileFallbackPath();

// The version record and the last-modified date of a file of the suite. False, with the
// out-parameters untouched, when f_CheckDirFile fails or the file carries no record.
bool F_GetVersionInfoByFile(const QString& path, std::int32_t& major, std::int32_t& minor,
                            std::int32_t& build, std::int32_t& revision, QDateTime& date);

} // namespace picrows
