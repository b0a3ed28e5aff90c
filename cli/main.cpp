#include "cli/commands.h"

#include <QCoreApplication>
#include <QGuiApplication>

#include <cstdio>
#include <cstring>

namespace {

void printUsage(FILE* out)
{
    std::fputs("usage: picrows COMMAND [options]\n\ncommands:\n", out);
    for (const cli::Command& c : cli::kCommands)
        std::fprintf(out, "  %-10s %s\n", c.name, c.summary);
    std::fputs("\nRun 'picrows COMMAND --help' for the options of a command.\n", out);
}

} // namespace

int main(int argc, char** argv)
{
    // The host renders and measures text, which needs Qt Gui but no display.
    if (qEnvironmentVariableIsEmpty("QT_QPA_PLATFORM"))
        qputenv("QT_QPA_PLATFORM", "offscreen");
    QGuiApplication app(argc, argv);
    QStringList args = QCoreApplication::arguments();
    args.removeFirst();
    if (args.isEmpty()) {
        printUsage(stderr);
        return cli::kBadArguments;
    }
    const QString name = args.takeFirst();
    if (name == QStringLiteral("--help") || name == QStringLiteral("-h")) {
        printUsage(stdout);
        return cli::kDone;
    }
    for (const cli::Command& c : cli::kCommands)
        if (name == QString::fromLatin1(c.name))
            return c.run(args);
    std::fprintf(stderr, "picrows: unknown command '%s'\n", qPrintable(name));
    printUsage(stderr);
    return cli::kBadArguments;
}
