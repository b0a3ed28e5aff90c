#include "main/startup/commands.h"

namespace picrows {

const CommandEntry* findCommand(std::span<const CommandEntry> table, const QString& word)
{
    for (const CommandEntry& c : table)
        if (word.compare(QLatin1String(c.word), Qt::CaseInsensitive) == 0)
            return &c;
    return nullptr;
}

} // namespace picrows
