#include "cli/commands.h"
#include "cli/library_chatter.h"

#include <QCoreApplication>
#include <QDir>
#include <QGuiApplication>

#include <sys/stat.h>
#include <unistd.h>

#include <cstdio>
#include <cstring>
#include <exception>

namespace {

void printUsage(FILE* out)
{
    std::fputs("usage: picrows COMMAND [options]\n\ncommands:\n", out);
    for (const cli::Command& c : cli::kCommands)
        std::fprintf(out, "  %-10s %s\n", c.name, c.summary);
    std::fputs("\nRun 'picrows COMMAND --help' for the options of a command.\n", out);
}

// Without a login session there is no XDG_RUNTIME_DIR; Qt then falls back to a private folder
// in the temporary folder and says so on standard error, the channel that carries the batch
// command's one-line reasons. Take the same fallback without the remark.
void provideRuntimeDir()
{
    if (!qEnvironmentVariableIsEmpty("XDG_RUNTIME_DIR"))
        return;
    const QByteArray dir =
        QDir::tempPath().toLocal8Bit() + "/runtime-picrows-" + QByteArray::number(getuid());
    struct stat st;
    if (mkdir(dir.constData(), 0700) == 0 ||
        (stat(dir.constData(), &st) == 0 && S_ISDIR(st.st_mode) && st.st_uid == getuid() &&
         (st.st_mode & 0777) == 0700))
        qputenv("XDG_RUNTIME_DIR", dir);
}

bool attachesToHost(int argc, char** argv)
{
    for (int i = 2; i < argc; ++i)
        if (std::strcmp(argv[i], "--attach") == 0)
            return true;
    return false;
}

} // namespace

int main(int argc, char** argv)
{
    // The host renders and measures text, which needs Qt Gui but no display. Attached to a
    // running host, the command shares the desktop's clipboard with it when there is one.
    if (qEnvironmentVariableIsEmpty("QT_QPA_PLATFORM") &&
        !(attachesToHost(argc, argv) && !qEnvironmentVariableIsEmpty("DISPLAY")))
        qputenv("QT_QPA_PLATFORM", "offscreen");
    provideRuntimeDir();
    cli::dropImageLibraryChatter();
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
    for (const cli::Command& c : cli::kCommands) {
        if (name != QString::fromLatin1(c.name))
            continue;
        // Caught here so that the stack unwinds: a host ends its background work as it goes.
        try {
            return c.run(args);
        } catch (const std::exception& e) {
            std::fprintf(stderr, "picrows %s: failed: %s\n", c.name, e.what());
            return cli::kBookUnusable;
        }
    }
    std::fprintf(stderr, "picrows: unknown command '%s'\n", qPrintable(name));
    printUsage(stderr);
    return cli::kBadArguments;
}
