#include "cli/arguments.h"
#include "cli/commands.h"
#include "cli/open_book.h"

#include "host/automation/host_error.h"

#include <QCommandLineParser>

namespace cli {

int runResave(const QStringList& args)
{
    static const Usage usage{
        "resave", "BOOK -o OUT",
        "Opens the workbook BOOK in the host and saves it as OUT, changing nothing: the "
        "frame every editing command puts around its edits. Everything of the file that the "
        "host does not model is written back unchanged."};
    QCommandLineParser parser;
    parser.addPositionalArgument(QStringLiteral("BOOK"), QStringLiteral("The workbook (.xlsx)."));
    const QCommandLineOption outOption({QStringLiteral("o"), QStringLiteral("output")},
                                       QStringLiteral("Where to save the workbook."),
                                       QStringLiteral("OUT"));
    parser.addOption(outOption);
    if (const auto stop = parseArguments(parser, usage, args, 1))
        return *stop;
    const QString bookPath = parser.positionalArguments().constFirst();
    const QString outPath = parser.value(outOption);
    if (outPath.isEmpty()) {
        printError(usage.command, QStringLiteral("missing -o OUT"));
        return kBadArguments;
    }
    if (!outputPathUsable(usage.command, outPath))
        return kBadArguments;

    const std::unique_ptr<BookSession> session = openBookOrReport(usage.command, bookPath);
    if (!session)
        return kBookUnusable;
    return saveBookOrReport(usage.command, session->book(), outPath) ? kDone : kBookUnusable;
}

} // namespace cli
