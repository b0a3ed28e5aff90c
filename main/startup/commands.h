#pragma once

#include <QString>

#include <span>

namespace picrows {

// The command words of the command line and the routine each one runs. A routine that does
// not exist yet is none: the word is known, but the command says it is not available instead
// of running. The table itself lives above the feature libraries (main/commands), which the
// start-up code below them does not know.
struct CommandEntry
{
    const char* word;
    const char* routine; // the routine's name, for messages and tests
    void (*run)();
};

// The entry of a command word, compared without regard to letter case; none when unknown.
const CommandEntry* findCommand(std::span<const CommandEntry> table, const QString& word);

} // namespace picrows
