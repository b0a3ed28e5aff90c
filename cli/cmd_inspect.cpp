#include "cli/arguments.h"
#include "cli/commands.h"
#include "cli/open_book.h"
#include "cli/report_format.h"
#include "cli/sheet_report.h"

#include "host/automation/host_error.h"
#include "host/xl/range.h"
#include "host/xl/worksheet.h"

#include <QCommandLineParser>

namespace cli {

namespace {

const Usage kUsage{
    "inspect", "(BOOK | --attach [BOOK]) [--sheet NAME] [--range ADDR] [--json]",
    "Prints what the host sees of the workbook BOOK: every worksheet's name, visibility and "
    "protection, for the range (default: each sheet's used range) every cell's address, "
    "Left, Top, Width and Height in points, merge area, hidden, locked and value, and every "
    "shape. With --attach, the workbook BOOK (default: the active one) open in the running "
    "host."};

} // namespace

int runInspect(const QStringList& args)
{
    QCommandLineParser parser;
    parser.addPositionalArgument(QStringLiteral("BOOK"), QStringLiteral("The workbook (.xlsx)."));
    const QCommandLineOption sheetOption(QStringLiteral("sheet"),
                                         QStringLiteral("Only the worksheet NAME."),
                                         QStringLiteral("NAME"));
    const QCommandLineOption rangeOption(
        QStringLiteral("range"),
        QStringLiteral("The cells to report, an A1 address such as B2:D5 or B2:C3,E5."),
        QStringLiteral("ADDR"));
    const QCommandLineOption jsonOption(QStringLiteral("json"),
                                        QStringLiteral("Print JSON instead of text."));
    parser.addOptions({sheetOption, rangeOption, jsonOption, attachOption()});
    if (const auto stop = parseArguments(parser, kUsage, args, attachRequested(args) ? 0 : 1, 1))
        return *stop;
    const QString address = parser.value(rangeOption);
    if (parser.isSet(rangeOption) && address.trimmed().isEmpty()) {
        printError(kUsage.command, QStringLiteral("--range needs an address"));
        return kBadArguments;
    }

    const std::unique_ptr<BookSession> session = openSessionOrReport(kUsage.command, parser);
    if (!session)
        return kBookUnusable;

    std::vector<xl::Worksheet> sheets;
    if (parser.isSet(sheetOption)) {
        const xl::Worksheet sheet =
            worksheetOrReport(kUsage.command, session->book(), optionValue(parser, sheetOption));
        if (sheet.isNothing())
            return kBadArguments;
        sheets.push_back(sheet);
    } else {
        sheets = session->book().Worksheets().items();
    }

    std::vector<SheetReport> reports;
    for (const xl::Worksheet& sheet : sheets) {
        xl::Range range;
        try {
            range = address.isEmpty() ? sheet.UsedRange() : sheet.Range(address);
        } catch (const host::HostError& e) {
            printError(kUsage.command,
                       QStringLiteral("bad range '%1': %2").arg(address, e.report()));
            return kBadArguments;
        }
        try {
            reports.push_back(reportSheet(sheet, range));
        } catch (const RangeTooLarge& e) {
            printError(kUsage.command, QStringLiteral("%1; choose a smaller one with --range")
                                           .arg(QString::fromUtf8(e.what())));
            return kBadArguments;
        } catch (const host::HostError& e) {
            printError(kUsage.command,
                       QStringLiteral("cannot read sheet %1: %2").arg(sheet.Name(), e.report()));
            return kBookUnusable;
        }
    }
    printOut(parser.isSet(jsonOption) ? QString::fromUtf8(reportJson(reports))
                                      : reportText(reports));
    return kDone;
}

} // namespace cli
