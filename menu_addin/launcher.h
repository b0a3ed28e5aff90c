#pragma once

#include "host/xl/application.h"

#include <QString>

#include <cstdint>
#include <functional>

// Starting the main program for one command, and the maker's home page. The main program
// runs as a process of its own and is not waited for.
namespace menu_addin {

// The file of the main program on this platform; the launcher looks for it in the folder of
// the add-in's own library.
inline const QString kMainProgramFile = QStringLiteral("TORVA_PicrowsMain");
inline const QString kHomePage = QStringLiteral("https://example.org/picrows/");

// The command word of a command number (0 "get" … 8 "tool_temsave"); empty out of range.
QString commandWord(std::int32_t number);

// The folder of the add-in's own library file (overridable for tests; empty: the library's).
QString addinFolder();
void setAddinFolder(const QString& folder);

// The main program beside the add-in ("/" inserted unless the folder ends with one); when no
// file is there and the path holds "/製品_旧アドイン/", the same path with every such part
// replaced by "/製品_メイン実行EXE/". The path tried last either way.
QString f_MainProgramPath(const QString& folder);

// The command line: the program and the workbook each in double quotes with one blank
// between them, then TAB, the window id in decimal, TAB, the command word.
QString f_BuildCommandLine(const QString& program, const QString& bookFullName,
                           std::int32_t windowId, const QString& word);

// The host's main window: the running host window of class "XLMAIN" whose title is the
// host's Caption; 0 when there is none.
std::int32_t f_GetXlHwnd(const xl::Application& app);

// Starts `program` with the rest of the command line as its one argument, without waiting.
// False when it could not be started. Tests put a recorder in place.
using ProcessStarter = std::function<bool(const QString& program, const QString& argument)>;
ProcessStarter exchangeProcessStarter(ProcessStarter starter); // empty: the real one again

// Starts the main program for command `number`. "err:dev" for a number outside the table;
// "err:必要ファイルが見つかりません。" and the path when the main program is missing. Host
// errors (no active workbook) reach the caller; nothing is started then.
void s_CommandByShell(const xl::Application& app, std::int32_t number);

// Opens the maker's home page in the desktop's browser.
void s_OpenHomePage();

} // namespace menu_addin
