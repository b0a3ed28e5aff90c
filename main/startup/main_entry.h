#pragma once

#include "main/startup/commands.h"

#include <QString>

#include <cstdint>
#include <functional>
#include <span>

namespace picrows {

// The three fields of the command line: TAB-separated, double quotes removed.
struct CommandLine
{
    QString bookFullName;      // field 0: the workbook that was active in the host
    std::int32_t windowId = 0; // field 1: the host's main window (leading decimal number)
    QString commandWord;       // field 2
};

CommandLine splitCommandLine(const QString& text);

struct MainOptions
{
    std::span<const CommandEntry> commands; // the command table (main/commands)
    QString configFolder;                   // the settings store's folder; empty: the user's
    QString instanceLockPath;               // empty: the lock in the user's runtime folder
    // Runs the command once start-up is done; empty: the command's routine from the table.
    // Tests look at the start-up context from here.
    std::function<void(const CommandEntry&)> runCommand;
};

// The main program's start-up: refuses to run twice, reads the command line (one text, the
// part after the program's path), attaches to the host holding the named workbook through the
// table of running hosts, checks the window and the host, loads the settings, runs the
// command, and cleans up (settings saved, windows closed, host released). Every refusal
// shows its message once; the settings are loaded only for a command that runs.
void Main(const QString& commandLine, const MainOptions& options = {});

} // namespace picrows
