#pragma once

#include <QStringList>

namespace cli {

// Exit codes shared by every subcommand.
enum ExitCode
{
    kDone = 0,
    kDoneWithRemarks = 1, // done, with exclusions or leftovers
    kBadArguments = 2,
    kBookUnusable = 3, // the workbook cannot be opened or saved
};

struct Command
{
    const char* name;
    const char* summary;
    int (*run)(const QStringList& args); // args exclude the subcommand's name
};

// One entry per subcommand; each lives in its own cmd_*.cpp file.
int runInspect(const QStringList& args);
int runInsert(const QStringList& args);
int runReduce(const QStringList& args);
int runRender(const QStringList& args);
int runResave(const QStringList& args);
int runSaveAttached(const QStringList& args);
int runSavePic(const QStringList& args);
int runSettings(const QStringList& args);
int runTemplate(const QStringList& args);

inline constexpr Command kCommands[] = {
    {"inspect", "print what the host sees of a workbook", runInspect},
    {"insert", "insert picture files into the cells of a range", runInsert},
    {"reduce", "replace pictures stored larger than shown by smaller copies", runReduce},
    {"render", "render a block of cells and its shapes as a PNG picture", runRender},
    {"resave", "open a workbook and save it again", runResave},
    {"save", "save a workbook open in the running host (--attach)", runSaveAttached},
    {"savepic", "save cells or a shape as the picture Copy renders (EMF, BMP, JPEG)", runSavePic},
    {"settings", "show or change the settings the programs share", runSettings},
    {"template", "save a sheet as a template, list the templates, open one", runTemplate},
};

} // namespace cli
