#include "main/startup/commands.h"

#include "main/startup/help_command.h"

namespace picrows {

namespace {

CommandEntry kCommands[kCommandCount] = {
    {"get", "s_Command_Get", nullptr},
    {"setting", "s_Command_Setting", nullptr},
    {"help", "s_Command_Help", &s_Command_Help},
    {"about", "s_Command_About", nullptr},
    {"savepic", "s_Command_Tool_SavePic", nullptr},
    {"retrimming", "s_Command_ReTrimming", nullptr},
    {"tool_resmall", "s_Command_Tool_ReSmall", nullptr},
    {"tool_temload", "s_Command_Tool_TemLoad", nullptr},
    {"tool_temsave", "s_Command_Tool_TemSave", nullptr},
};

} // namespace

const CommandEntry* commandTable()
{
    return kCommands;
}

void setCommandRoutine(const char* word, void (*run)())
{
    for (CommandEntry& c : kCommands)
        if (qstricmp(word, c.word) == 0)
            c.run = run;
}

const CommandEntry* findCommand(const QString& word)
{
    for (const CommandEntry& c : kCommands)
        if (word.compare(QLatin1String(c.word), Qt::CaseInsensitive) == 0)
            return &c;
    return nullptr;
}

} // namespace picrows
