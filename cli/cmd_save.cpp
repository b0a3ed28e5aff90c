#include "cli/arguments.h"
#include "cli/commands.h"
#include "cli/open_book.h"

#include "host/xl/workbook.h"

#include <QCommandLineParser>
#include <QFileInfo>

namespace cli {

namespace {

const Usage kUsage{
    "save", "--attach [BOOK] [-o OUT]",
    "Saves the workbook BOOK (default: the active workbook) open in the running host, as the "
    "user's save in the host window would: over its own file, or as OUT, which it is then "
    "open as. Exit codes: 0 saved, 2 bad arguments, 3 no such workbook, or the save failed."};

} // namespace

int runSaveAttached(const QStringList& args)
{
    QCommandLineParser parser;
    parser.addPositionalArgument(QStringLiteral("BOOK"),
                                 QStringLiteral("The workbook open in the host."));
    const QCommandLineOption outOption({QStringLiteral("o"), QStringLiteral("output")},
                                       QStringLiteral("Save as OUT instead."),
                                       QStringLiteral("OUT"));
    parser.addOptions({outOption, attachOption()});
    if (const auto stop = parseArguments(parser, kUsage, args, 0, 1))
        return *stop;
    if (!parser.isSet(QStringLiteral("attach"))) {
        printError(kUsage.command, QStringLiteral("save works on a workbook open in the running "
                                                  "host: give --attach"));
        return kBadArguments;
    }
    const std::unique_ptr<BookSession> session = openSessionOrReport(kUsage.command, parser);
    if (!session)
        return kBookUnusable;
    // The host saves into its own folder: hand it a full path.
    const QString out =
        parser.isSet(outOption) ? QFileInfo(parser.value(outOption)).absoluteFilePath() : QString();
    return saveBookOrReport(kUsage.command, session->book(), out) ? kDone : kBookUnusable;
}

} // namespace cli
