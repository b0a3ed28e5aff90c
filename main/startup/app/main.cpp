#include "main/reduce_dialog/command_resmall.h"
#include "main/save_picture/save_picture_command.h"
#include "main/settings_dialog/command_setting.h"
#include "main/startup/commands.h"
#include "main/startup/main_entry.h"
#include "main/template_dialogs/template_commands.h"
#include "platform/widgets/dialog_services.h"

#include <QApplication>
#include <QStringList>

// TORVA_PicrowsMain: one command per process, started by the add-ins with the command line
// "BOOK<TAB>WINDOW<TAB>WORD" as one argument (several arguments are joined with blanks).
int main(int argc, char** argv)
{
    QApplication app(argc, argv);
    QApplication::setApplicationName(QStringLiteral("TORVA_PicrowsMain"));
    QApplication::setQuitOnLastWindowClosed(false);

    platform::DialogMessages messages;
    platform::ScopedMessageService messageScope(messages);
    platform::DialogShell shell;
    platform::ScopedShell shellScope(shell);

    picrows::setCommandRoutine("setting", [] { picrows::s_Command_Setting(0, nullptr); });
    picrows::setCommandRoutine("savepic", &picrows::s_Command_Tool_SavePic);
    picrows::setCommandRoutine("tool_resmall", &picrows::s_Command_Tool_ReSmall);
    picrows::setCommandRoutine("tool_temload", [] { picrows::s_Command_Tool_TemLoad(); });
    picrows::setCommandRoutine("tool_temsave", [] { picrows::s_Command_Tool_TemSave(); });

    QStringList args = QCoreApplication::arguments();
    args.removeFirst();
    picrows::Main(args.join(QLatin1Char(' ')));
    return 0;
}
