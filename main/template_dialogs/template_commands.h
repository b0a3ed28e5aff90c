#pragma once

namespace picrows {

// The template commands as the command line runs them, with their dialogs: "tool_temsave"
// copies the active sheet into a template book, "tool_temload" copies a template sheet into
// the active or a new workbook; the settings dialog opens from the template-open dialog's
// link and when the template folder is missing.
void s_Command_Tool_TemSave();
void s_Command_Tool_TemLoad();

} // namespace picrows
