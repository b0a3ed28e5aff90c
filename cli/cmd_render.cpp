#include "cli/arguments.h"
#include "cli/commands.h"
#include "cli/open_book.h"

#include "host/automation/host_error.h"
#include "host/xl/range.h"
#include "host/xl/worksheet.h"

#include <QCommandLineParser>
#include <QFileInfo>

#include <cmath>

namespace cli {

namespace {

const Usage kUsage{
    "render",
    "(BOOK | --attach [BOOK]) [--sheet NAME] [--range ADDR] [--scale N] [--grid] -o OUT.png",
    "Renders a block of cells of the workbook BOOK as the host's copy of cells shows it: "
    "values, merged areas and the shapes over them, at 96 dpi times the scale, with the "
    "block's top-left corner at the image's top-left. The block is the range ADDR of the "
    "worksheet NAME (default: the active sheet); without --range, the cells in use together "
    "with the cells under the shapes. With --attach, the workbook BOOK (default: the active "
    "one) open in the running host."};

// What the host raises for a file it cannot write.
constexpr int kFileAccessError = 75;

} // namespace

int runRender(const QStringList& args)
{
    QCommandLineParser parser;
    parser.addPositionalArgument(QStringLiteral("BOOK"), QStringLiteral("The workbook (.xlsx)."));
    const QCommandLineOption sheetOption(QStringLiteral("sheet"),
                                         QStringLiteral("The worksheet NAME (default: active)."),
                                         QStringLiteral("NAME"));
    const QCommandLineOption rangeOption(
        QStringLiteral("range"),
        QStringLiteral("The block to render, an A1 address such as B2:D5."),
        QStringLiteral("ADDR"));
    const QCommandLineOption scaleOption(QStringLiteral("scale"),
                                         QStringLiteral("Pixels per 96-dpi pixel (default 1)."),
                                         QStringLiteral("N"), QStringLiteral("1"));
    const QCommandLineOption gridOption(QStringLiteral("grid"),
                                        QStringLiteral("Draw the grid lines the screen shows."));
    const QCommandLineOption outOption({QStringLiteral("o"), QStringLiteral("output")},
                                       QStringLiteral("The PNG file to write."),
                                       QStringLiteral("OUT"));
    parser.addOptions(
        {sheetOption, rangeOption, scaleOption, gridOption, outOption, attachOption()});
    if (const auto stop = parseArguments(parser, kUsage, args, attachRequested(args) ? 0 : 1, 1))
        return *stop;
    const QString outPath = parser.value(outOption);
    if (outPath.isEmpty()) {
        printError(kUsage.command, QStringLiteral("missing -o OUT.png"));
        return kBadArguments;
    }
    if (!outputPathUsable(kUsage.command, outPath))
        return kBadArguments;
    bool scaleIsNumber = false;
    const double scale = parser.value(scaleOption).toDouble(&scaleIsNumber);
    if (!scaleIsNumber || !std::isfinite(scale) || scale <= 0 || scale > 16) {
        printError(kUsage.command, QStringLiteral("--scale needs a number above 0, at most 16"));
        return kBadArguments;
    }
    const QString address = parser.value(rangeOption);
    if (parser.isSet(rangeOption) && address.trimmed().isEmpty()) {
        printError(kUsage.command, QStringLiteral("--range needs an address"));
        return kBadArguments;
    }

    const std::unique_ptr<BookSession> session = openSessionOrReport(kUsage.command, parser);
    if (!session)
        return kBookUnusable;

    const xl::Worksheet sheet =
        worksheetOrReport(kUsage.command, session->book(), optionValue(parser, sheetOption));
    if (sheet.isNothing())
        return kBadArguments;
    if (sheet.TypeName() != QStringLiteral("Worksheet")) {
        printError(kUsage.command,
                   QStringLiteral("sheet '%1' is not a worksheet of cells").arg(sheet.Name()));
        return kBadArguments;
    }
    host::Variant block = host::Variant::missing();
    if (!address.isEmpty()) {
        try {
            const xl::Range range = sheet.Range(address);
            if (range.Areas().Count() != 1) {
                printError(kUsage.command,
                           QStringLiteral("bad range '%1': one block of cells only").arg(address));
                return kBadArguments;
            }
            block = range.toVariant();
        } catch (const host::HostError& e) {
            printError(kUsage.command,
                       QStringLiteral("bad range '%1': %2").arg(address, e.report()));
            return kBadArguments;
        }
    }

    // The host draws the block and writes the file: the host may be in another process.
    try {
        sheet.call(QStringLiteral("ExportPicture"),
                   {QFileInfo(outPath).absoluteFilePath(), block, scale, parser.isSet(gridOption)});
    } catch (const host::HostError& e) {
        if (e.number() == kFileAccessError) {
            printError(kUsage.command, QStringLiteral("cannot write %1").arg(outPath));
            return kBookUnusable;
        }
        printError(kUsage.command,
                   e.description() +
                       QStringLiteral("; choose a smaller one with --range or --scale"));
        return kBadArguments;
    }
    return kDone;
}

} // namespace cli
