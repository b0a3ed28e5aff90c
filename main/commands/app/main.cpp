#include "main/commands/command_table.h"
#include "main/startup/main_entry.h"
#include "platform/qt_translations.h"
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
    platform::installQtTranslations();

    platform::DialogMessages messages;
    platform::ScopedMessageService messageScope(messages);
    platform::DialogShell shell;
    platform::ScopedShell shellScope(shell);

    QStringList args = QCoreApplication::arguments();
    args.removeFirst();
    picrows::MainOptions options;
    options.commands = picrows::commandTable();
    picrows::Main(args.join(QLatin1Char(' ')), options);
    return 0;
}
