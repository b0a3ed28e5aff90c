#include "main/commands/command_table.h"

#include "main/reduce/reduce_command.h"
#include "main/save_picture/save_picture_command.h"
#include "main/startup/help_command.h"
#include "main/templates/template_open.h"
#include "main/templates/template_save.h"

namespace picrows {

namespace {

constexpr CommandEntry kCommands[kCommandCount] = {
    {"get", "s_Command_Get", nullptr},
    {"setting", "s_Command_Setting", nullptr},
    {"help", "s_Command_Help", &s_Command_Help},
    {"about", "s_Command_About", nullptr},
    {"savepic", "s_Command_Tool_SavePic", &s_Command_Tool_SavePic},
    {"retrimming", "s_Command_ReTrimming", nullptr},
    {"tool_resmall", "s_Command_Tool_ReSmall", &s_Command_Tool_ReSmall},
    {"tool_temload", "s_Command_Tool_TemLoad", [] { s_Command_Tool_TemLoad(); }},
    {"tool_temsave", "s_Command_Tool_TemSave", [] { s_Command_Tool_TemSave(); }},
};

} // namespace

std::span<const CommandEntry> commandTable()
{
    return kCommands;
}

} // namespace picrows
