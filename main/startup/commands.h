#pragma once

#include <QString>

namespace picrows {

// The command words of the command line and the routine each one runs. A routine whose
// feature is not part of this build is none: the word is known, but the command says it is
// not available instead of running.
struct CommandEntry
{
    const char* word;
    const char* routine; // the routine's name, for messages and tests
    void (*run)();
};

inline constexpr int kCommandCount = 9;
const CommandEntry* commandTable(); // kCommandCount entries, in the order of the words

// The entry of a command word, compared without regard to letter case; none when unknown.
const CommandEntry* findCommand(const QString& word);

// Gives a command word its routine: the executable registers the routines of the features it
// links, which sit above start-up.
void setCommandRoutine(const char* word, void (*run)());

} // namespace picrows
