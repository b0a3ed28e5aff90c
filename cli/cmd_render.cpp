#include "cli/arguments.h"
#include "cli/commands.h"
#include "cli/open_book.h"

#include "host/automation/host_error.h"
#include "host/model/workbook.h"
#include "host/objects/range.h"
#include "host/objects/workbook.h"
#include "host/objects/worksheet.h"
#include "host/render/sheet_render.h"
#include "host/xl/range.h"
#include "host/xl/worksheet.h"

#include <QCommandLineParser>
#include <QImageWriter>
#include <QSaveFile>

#include <cmath>

namespace cli {

namespace {

const Usage kUsage{
    "render", "BOOK [--sheet NAME] [--range ADDR] [--scale N] [--grid] -o OUT.png",
    "Renders a block of cells of the workbook BOOK as the host's copy of cells shows it: "
    "values, merged areas and the shapes over them, at 96 dpi times the scale, with the "
    "block's top-left corner at the image's top-left. The block is the range ADDR of the "
    "worksheet NAME (default: the active sheet); without --range, the cells in use together "
    "with the cells under the shapes."};

// Writes the image as PNG beside the target, then renames it into place.
bool writePng(const QImage& image, const QString& path)
{
    QSaveFile file(path);
    if (!file.open(QIODevice::WriteOnly))
        return false;
    QImageWriter writer(&file, "png");
    return writer.write(image) && file.commit();
}

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
    parser.addOptions({sheetOption, rangeOption, scaleOption, gridOption, outOption});
    if (const auto stop = parseArguments(parser, kUsage, args, 1))
        return *stop;
    const QString bookPath = parser.positionalArguments().constFirst();
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

    const std::unique_ptr<BookSession> session = openBookOrReport(kUsage.command, bookPath);
    if (!session)
        return kBookUnusable;

    const xl::Worksheet sheet =
        worksheetOrReport(kUsage.command, session->book(), optionValue(parser, sheetOption));
    if (sheet.isNothing())
        return kBadArguments;
    // The batch command runs the host in this process: the renderer reads its model.
    const auto sheetObject = std::dynamic_pointer_cast<host::objects::Worksheet>(sheet.ref());
    if (!sheetObject || !sheetObject->hasCells()) {
        printError(kUsage.command,
                   QStringLiteral("sheet '%1' is not a worksheet of cells").arg(sheet.Name()));
        return kBadArguments;
    }
    const host::model::Workbook& book = sheetObject->book().model();
    const host::model::Sheet& model = sheetObject->sheet();

    host::model::CellRect area = host::render::usedArea(book, model);
    if (!address.isEmpty()) {
        try {
            const auto range =
                std::dynamic_pointer_cast<host::objects::Range>(sheet.Range(address).ref());
            if (!range || range->areas().size() != 1) {
                printError(kUsage.command,
                           QStringLiteral("bad range '%1': one block of cells only").arg(address));
                return kBadArguments;
            }
            area = range->areas().front();
        } catch (const host::HostError& e) {
            printError(kUsage.command,
                       QStringLiteral("bad range '%1': %2").arg(address, e.report()));
            return kBadArguments;
        }
    }

    host::render::RangeLook look;
    look.gridLines = parser.isSet(gridOption);
    const QImage image = host::render::renderRange(book, model, area, 4.0 / 3.0 * scale, look);
    if (image.isNull()) {
        printError(kUsage.command,
                   QStringLiteral("%1 is empty or too large to render at scale %2; choose a "
                                  "smaller one with --range or --scale")
                       .arg(host::model::formatA1(area, false))
                       .arg(scale));
        return kBadArguments;
    }
    if (!writePng(image, outPath)) {
        printError(kUsage.command, QStringLiteral("cannot write %1").arg(outPath));
        return kBookUnusable;
    }
    return kDone;
}

} // namespace cli
