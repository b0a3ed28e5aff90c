#include "cli/arguments.h"
#include "cli/commands.h"
#include "cli/open_book.h"

#include "host/automation/host_error.h"
#include "host/xl/workbook.h"
#include "host/xl/worksheet.h"
#include "main/reduce/reduce_run.h"
#include "platform/key_state.h"
#include "platform/message_box.h"

#include <QCommandLineParser>
#include <QFileInfo>

namespace cli {

namespace {

const Usage kUsage{
    "reduce",
    "(BOOK (-o OUT | --in-place) | --attach [BOOK]) [--scope sheet|book] [--sheet NAME] "
    "[--factor N] [--cut | --no-cut] [--no-reduce]",
    "Replaces each picture of the workbook that is stored much larger than it is shown by a "
    "JPEG copy whose untouched size is N times (default 2, from 1 to 10) its displayed size; "
    "with --cut, a picture cropped by 2 points or more on a side also loses its cropped parts; "
    "--no-reduce leaves the size alone and only cuts. Every picture keeps its place, size, "
    "visible part and rotation. The scope is the whole workbook (book, the default without "
    "--sheet) or one sheet (sheet: NAME, or the active one); hidden sheets and pictures in "
    "groups are left alone. One line per picture is printed (mark, book, sheet, object, "
    "description: \"○\" replaced, \"×\" failed, \"-\" nothing to do), then the file's size "
    "before and after. With --attach, the workbook BOOK (default: the active one) open in the "
    "running host, left unsaved, through the desktop clipboard the host shares. Messages are "
    "printed on standard error. Exit codes: 0 done, 1 done with "
    "failures (or stopped by a host error), 2 bad arguments, 3 the workbook cannot be opened or "
    "saved."};

// The rows as the result list shows them, one tab-separated line each under a heading.
class PrintedRows : public picrows::ReduceView
{
public:
    void addRow(const picrows::ReduceRow& row) override
    {
        if (!m_headed)
            printOut(QStringLiteral("mark\tbook\tsheet\tobject\tdescription\n"));
        m_headed = true;
        const QString mark = row.mark.isEmpty() ? QStringLiteral("-") : row.mark;
        printOut(QStringList{mark, row.book, row.sheet, row.object, row.description}.join(u'\t') +
                 u'\n');
    }
    void setProgress(const QString&) override {}

private:
    bool m_headed = false;
};

// Each message on one line with its title; the default button answers.
class OneLineMessages : public platform::MessageService
{
public:
    platform::MsgAnswer show(const platform::Message& message) override
    {
        platform::Message line = message;
        line.text.replace(QStringLiteral("\r\n"), QStringLiteral(" "));
        return m_printer.show(line);
    }

private:
    platform::PrintingMessages m_printer{stderr};
};

QString sizeLine(qint64 before, qint64 after)
{
    const double ratio = before > 0 ? double(after) / double(before) : 1.0;
    return QStringLiteral("size\t%1 bytes -> %2 bytes (%3 of the original, %4 times smaller)\n")
        .arg(before)
        .arg(after)
        .arg(ratio, 0, 'f', 3)
        .arg(after > 0 ? double(before) / double(after) : 0.0, 0, 'f', 2);
}

} // namespace

int runReduce(const QStringList& args)
{
    QCommandLineParser parser;
    parser.addPositionalArgument(QStringLiteral("BOOK"), QStringLiteral("The workbook (.xlsx)."));
    const QCommandLineOption scopeOption(QStringLiteral("scope"),
                                         QStringLiteral("sheet or book (default: book)."),
                                         QStringLiteral("SCOPE"));
    const QCommandLineOption sheetOption(
        QStringLiteral("sheet"), QStringLiteral("The sheet of --scope sheet (default: active)."),
        QStringLiteral("NAME"));
    const QCommandLineOption factorOption(
        QStringLiteral("factor"), QStringLiteral("Untouched size as times the shown size, 1-10."),
        QStringLiteral("N"));
    const QCommandLineOption cutOption(QStringLiteral("cut"),
                                       QStringLiteral("Drop the cropped parts of pictures."));
    const QCommandLineOption noCutOption(QStringLiteral("no-cut"),
                                         QStringLiteral("Keep the cropped parts (default)."));
    const QCommandLineOption noReduceOption(QStringLiteral("no-reduce"),
                                            QStringLiteral("Leave the untouched size alone."));
    const QCommandLineOption outOption({QStringLiteral("o"), QStringLiteral("output")},
                                       QStringLiteral("Where to save the workbook."),
                                       QStringLiteral("OUT"));
    const QCommandLineOption inPlace(QStringLiteral("in-place"), QStringLiteral("Save over BOOK."));
    const QCommandLineOption quiet = quietOption();
    parser.addOptions({scopeOption, sheetOption, factorOption, cutOption, noCutOption,
                       noReduceOption, outOption, inPlace, attachOption(), quiet});
    const bool attach = attachRequested(args);
    if (const auto stop = parseArguments(parser, kUsage, args, attach ? 0 : 1, 1))
        return *stop;

    const auto bad = [](const QString& why) {
        printError(kUsage.command, why);
        return kBadArguments;
    };
    const QString bookPath = attach ? QString() : parser.positionalArguments().constFirst();
    const QString outPath = parser.value(outOption);
    if (attach && (parser.isSet(outOption) || parser.isSet(inPlace)))
        return bad(QStringLiteral("--attach leaves saving to the host: no -o or --in-place"));
    if (!attach && outPath.isEmpty() == !parser.isSet(inPlace))
        return bad(QStringLiteral("give one of -o OUT and --in-place"));
    if (!outPath.isEmpty() && !outputPathUsable(kUsage.command, outPath))
        return kBadArguments;
    if (parser.isSet(cutOption) && parser.isSet(noCutOption))
        return bad(QStringLiteral("--cut and --no-cut exclude each other"));
    QString scope = parser.isSet(sheetOption) ? QStringLiteral("sheet") : QStringLiteral("book");
    if (parser.isSet(scopeOption))
        scope = parser.value(scopeOption);
    if (scope != QStringLiteral("sheet") && scope != QStringLiteral("book"))
        return bad(QStringLiteral("--scope takes sheet or book, not '%1'").arg(scope));
    if (scope == QStringLiteral("book") && parser.isSet(sheetOption))
        return bad(QStringLiteral("--sheet goes with --scope sheet"));

    picrows::ReduceOptions options;
    options.target = scope == QStringLiteral("sheet") ? 0 : 1;
    options.picture.reduce = !parser.isSet(noReduceOption);
    options.picture.cut = parser.isSet(cutOption);
    if (parser.isSet(factorOption)) {
        bool ok = false;
        const int factor = parser.value(factorOption).toInt(&ok);
        if (!ok || factor < 1 || factor > 10)
            return bad(QStringLiteral("--factor takes a whole number from 1 to 10, not '%1'")
                           .arg(parser.value(factorOption)));
        if (!options.picture.reduce)
            return bad(QStringLiteral("--factor and --no-reduce exclude each other"));
        options.picture.factor = std::int16_t(factor);
    }
    if (!picrows::reduceStartEnabled(options.picture.reduce, options.picture.cut))
        return bad(QStringLiteral("nothing to do: --no-reduce without --cut"));

    const qint64 sizeBefore = attach ? 0 : QFileInfo(bookPath).size();
    const std::unique_ptr<BookSession> session = openSessionOrReport(kUsage.command, parser);
    if (!session)
        return kBookUnusable;
    const xl::Application& app = session->app();
    if (parser.isSet(sheetOption)) {
        try {
            session->book().Worksheets(parser.value(sheetOption)).Activate();
        } catch (const host::HostError& e) {
            return bad(
                QStringLiteral("no sheet '%1': %2").arg(parser.value(sheetOption), e.report()));
        }
    }

    PrintedRows rows;
    OneLineMessages messages;
    platform::ScopedMessageService messagesInPlace(messages);
    platform::ScriptedKeys noKeys; // a batch run is not cancelled from the keyboard
    platform::ScopedKeyState keysInPlace(noKeys);
    picrows::ReduceRun run(app, platform::clipboard(), rows);
    const picrows::ReduceOutcome outcome = run.run(options);
    if (outcome.error)
        printError(kUsage.command, outcome.error->report());

    const QString savePath = outPath.isEmpty() ? bookPath : outPath;
    if (!attach) {
        if (!saveBookOrReport(kUsage.command, session->book(), outPath))
            return kBookUnusable;
        printOut(sizeLine(sizeBefore, QFileInfo(savePath).size()));
    }

    qsizetype replaced = 0;
    qsizetype failed = 0;
    for (const picrows::ReduceRow& row : outcome.rows) {
        replaced += row.mark == QStringLiteral("○") ? 1 : 0;
        failed += row.mark == QStringLiteral("×") ? 1 : 0;
    }
    printSummary(
        kUsage.command,
        (attach ? QStringLiteral("replaced %1 of %2%3; in %4")
                : QStringLiteral("replaced %1 of %2%3; saved %4"))
            .arg(replaced)
            .arg(counted(outcome.rows.size(), "picture"),
                 failed > 0 ? QStringLiteral(" (%1 failed)").arg(failed) : QString(),
                 attach ? QStringLiteral("the running host's workbook, not saved") : savePath),
        parser.isSet(quiet));
    return failed > 0 || outcome.error ? kDoneWithRemarks : kDone;
}

} // namespace cli
