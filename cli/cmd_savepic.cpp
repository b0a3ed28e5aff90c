#include "cli/arguments.h"
#include "cli/commands.h"
#include "cli/open_book.h"

#include "host/automation/host_error.h"
#include "host/xl/range.h"
#include "host/xl/shape.h"
#include "host/xl/worksheet.h"
#include "main/save_picture/save_picture_command.h"
#include "main/startup/startup_context.h"
#include "platform/message_box.h"

#include <QCommandLineParser>
#include <QFileInfo>

namespace cli {

namespace {

const Usage kUsage{
    "savepic",
    "(BOOK | --attach [BOOK]) [--sheet NAME] (--range ADDR | --shape NAME) -o FILE.emf|.bmp|.jpg",
    "Saves a block of cells or a shape of the workbook BOOK as the picture the host's Copy "
    "renders of it: an enhanced metafile (.emf), a bitmap (.bmp) or a JPEG (.jpg), chosen by "
    "the ending of FILE. The sheet is NAME (default: the active sheet). Messages the command "
    "shows are printed on standard error; a question is answered with its default button. "
    "With --attach, the workbook BOOK (default: the active one) open in the running host, "
    "through the desktop clipboard the host shares. Exit codes: 0 written, 2 bad arguments, 3 "
    "the workbook cannot be opened or the file was not written."};

// The host is the start-up context's while the command runs, as in the main program.
struct AttachedHost
{
    explicit AttachedHost(const xl::Application& app) { picrows::startupContext().gobjXlApp = app; }
    ~AttachedHost() { picrows::startupContext().gobjXlApp = xl::Application(); }
    AttachedHost(const AttachedHost&) = delete;
    AttachedHost& operator=(const AttachedHost&) = delete;
};

} // namespace

int runSavePic(const QStringList& args)
{
    QCommandLineParser parser;
    parser.addPositionalArgument(QStringLiteral("BOOK"), QStringLiteral("The workbook (.xlsx)."));
    const QCommandLineOption sheetOption(QStringLiteral("sheet"),
                                         QStringLiteral("The worksheet NAME (default: active)."),
                                         QStringLiteral("NAME"));
    const QCommandLineOption rangeOption(QStringLiteral("range"),
                                         QStringLiteral("The cells to save, such as B2:D5."),
                                         QStringLiteral("ADDR"));
    const QCommandLineOption shapeOption(QStringLiteral("shape"),
                                         QStringLiteral("The shape to save, by its name."),
                                         QStringLiteral("NAME"));
    const QCommandLineOption outOption({QStringLiteral("o"), QStringLiteral("output")},
                                       QStringLiteral("The picture file to write."),
                                       QStringLiteral("FILE"));
    parser.addOptions({sheetOption, rangeOption, shapeOption, outOption, attachOption()});
    if (const auto stop = parseArguments(parser, kUsage, args, attachRequested(args) ? 0 : 1, 1))
        return *stop;
    const QString outPath = parser.value(outOption);
    if (outPath.isEmpty()) {
        printError(kUsage.command, QStringLiteral("missing -o FILE.emf|.bmp|.jpg"));
        return kBadArguments;
    }
    if (picrows::savePicFileType(outPath) == picrows::SavePicFileType::Unknown) {
        printError(kUsage.command,
                   QStringLiteral("%1: the file must end in .emf, .bmp or .jpg").arg(outPath));
        return kBadArguments;
    }
    if (parser.isSet(rangeOption) == parser.isSet(shapeOption)) {
        printError(kUsage.command, QStringLiteral("give either --range ADDR or --shape NAME"));
        return kBadArguments;
    }

    const std::unique_ptr<BookSession> session = openSessionOrReport(kUsage.command, parser);
    if (!session)
        return kBookUnusable;

    const xl::Worksheet sheet =
        worksheetOrReport(kUsage.command, session->book(), optionValue(parser, sheetOption));
    if (sheet.isNothing())
        return kBadArguments;
    sheet.Activate();
    if (parser.isSet(rangeOption)) {
        const QString address = parser.value(rangeOption);
        try {
            sheet.Range(address).Select();
        } catch (const host::HostError& e) {
            printError(kUsage.command,
                       QStringLiteral("bad range '%1': %2").arg(address, e.report()));
            return kBadArguments;
        }
    } else {
        const QString name = parser.value(shapeOption);
        try {
            sheet.Shapes().Item(name).Select();
        } catch (const host::HostError&) {
            printError(
                kUsage.command,
                QStringLiteral("sheet '%1' has no shape named '%2'").arg(sheet.Name(), name));
            return kBadArguments;
        }
    }

    platform::PrintingMessages messages(stderr);
    platform::ScopedMessageService messagesInPlace(messages);
    picrows::SavePicIo io;
    const QString target = QFileInfo(outPath).absoluteFilePath();
    io.askFileName = [&target](const picrows::SaveAsRequest&) { return host::Variant(target); };
    bool written = false;
    try {
        const AttachedHost attached(session->app());
        written = picrows::s_SavePic(io);
    } catch (const host::HostError& e) {
        printError(kUsage.command, e.report());
    }
    if (!written) {
        printError(kUsage.command, QStringLiteral("%1 was not written").arg(outPath));
        return kBookUnusable;
    }
    return kDone;
}

} // namespace cli
