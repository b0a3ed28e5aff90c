#include "cli/arguments.h"
#include "cli/commands.h"
#include "cli/insert_options.h"
#include "cli/open_book.h"

#include "host/automation/host_error.h"
#include "host/xl/range.h"
#include "host/xl/workbook.h"
#include "host/xl/worksheet.h"
#include "main/engine/picture_drop.h"
#include "main/engine/picture_list.h"
#include "main/engine/run_excel_mode.h"
#include "main/engine/run_paste.h"
#include "main/engine/run_selected.h"
#include "main/engine/status_panel.h"
#include "main/settings/setting.h"
#include "main/startup/startup_context.h"
#include "platform/key_state.h"
#include "platform/message_box.h"
#include "platform/settings_store.h"

#include <QCommandLineParser>
#include <QFileInfo>

#include <unistd.h>

#include <cstdio>

namespace cli {

namespace {

const Usage kUsage{
    "insert", "(BOOK (-o OUT | --in-place) | --attach [BOOK]) --range ADDR [options] PATH...",
    "Inserts the pictures named by PATH into the cells of ADDR on the active sheet (or --sheet "
    "NAME), one picture per cell or per area, fitted as the settings say: the insertion "
    "dialog's selected-cells mode, with the range selected. A file is taken as it is; a "
    "folder adds its pictures in name order, then those of its subfolders. --mode excel "
    "places every picture the host's own way at the range's first cell instead, each 10 points "
    "further right and down. Options override the stored settings for this run only "
    "(--config-dir names the settings folder); --no-exclude switches the stored exclusion tests "
    "off. Messages the engine shows are printed on "
    "standard error, one line each with their title; a question about overwriting a "
    "paste-info cell is answered Yes with --overwrite-info, else No; a picture file that cannot "
    "be read is named with the reason. At the end the excluded "
    "cells (\"excluded\\tADDRESS\\tREASON\") and the pictures left over (\"left over\\tPATH\") "
    "are listed on standard output. Exit codes: 0 done, 1 done with exclusions or leftovers "
    "(or stopped by a host error), 2 bad arguments, 3 the workbook cannot be opened or saved. "
    "With --attach, the pictures go into the workbook BOOK (a workbook file name, default: the "
    "active workbook) open in the running host, shown there at once and saved only when the "
    "user saves (or picrows save --attach)."};

// With --attach the workbook is optional: a first path that names a workbook is taken for it.
bool namesWorkbook(const QString& path)
{
    for (const char* suffix : {".xlsx", ".xlsm", ".xls"})
        if (path.endsWith(QLatin1String(suffix), Qt::CaseInsensitive))
            return true;
    return false;
}

bool stderrIsTerminal()
{
    return isatty(fileno(stderr)) == 1;
}

// A progress bar on standard error while it is a terminal.
class ProgressBar : public picrows::StatusPanel
{
public:
    ProgressBar(int total, bool shown) : m_total(total), m_shown(shown) {}

    void setText(const QString& text) override
    {
        static const QString prefix = QStringLiteral("取得中...");
        if (!m_shown)
            return;
        if (!text.startsWith(prefix)) {
            clear();
            return;
        }
        const int done = QStringView(text).mid(prefix.size()).split(u' ').front().toInt();
        constexpr int kWidth = 30;
        const int filled = m_total > 0 ? std::min(kWidth, done * kWidth / m_total) : kWidth;
        std::fprintf(stderr, "\rinserting [%s%s] %d/%d", QByteArray(filled, '#').constData(),
                     QByteArray(kWidth - filled, ' ').constData(), done, m_total);
        std::fflush(stderr);
        m_drawn = true;
    }
    void reset() override { clear(); }
    void clear()
    {
        if (m_drawn)
            std::fputs("\r\033[K", stderr);
        m_drawn = false;
    }

private:
    int m_total;
    bool m_shown;
    bool m_drawn = false;
};

// Each message on one line with its title; the occupied paste-info cell is answered by flag.
// A refused picture file is named, with the host's reason, instead of the dialog's "unknown
// error".
class OneLineMessages : public platform::MessageService
{
public:
    OneLineMessages(ProgressBar& bar, const picrows::PasteRun& run, bool overwriteInfo)
        : m_bar(bar), m_run(run), m_printer(stderr, [overwriteInfo](const platform::Message& m) {
              if (m.buttons == platform::MsgButtons::YesNo &&
                  m.text.startsWith(QStringLiteral("パスを貼り付けようとしているセル")))
                  return overwriteInfo ? platform::MsgAnswer::Yes : platform::MsgAnswer::No;
              return platform::defaultAnswer(m);
          })
    {
    }
    platform::MsgAnswer show(const platform::Message& message) override
    {
        m_bar.clear();
        if (message.title == QStringLiteral("読み込みエラー") && m_run.refusal) {
            printError(kUsage.command, QStringLiteral("cannot read %1: %2")
                                           .arg(m_run.refusal->path, m_run.refusal->reason));
            return platform::MsgAnswer::OK;
        }
        platform::Message line = message;
        line.text.replace(QStringLiteral("\r\n"), QStringLiteral(" "));
        line.text.replace(u'\n', u' ');
        return m_printer.show(line);
    }

private:
    ProgressBar& m_bar;
    const picrows::PasteRun& m_run;
    platform::PrintingMessages m_printer;
};

// Files as they are, folders searched as a dropped folder is. False (with `error`) for a path
// that does not exist.
bool listPictures(const QStringList& paths, picrows::PictureList& list, QString& error)
{
    picrows::NoStatusPanel quiet;
    for (const QString& path : paths) {
        const QFileInfo info(path);
        if (!info.exists()) {
            error = QStringLiteral("no such file or folder: %1").arg(path);
            return false;
        }
        if (info.isDir())
            picrows::f_AddFolder(info.absoluteFilePath(), list, quiet);
        else
            list.append(info.absoluteFilePath());
    }
    return true;
}

// The host is the start-up context's for the length of a run, as in the main program.
struct AttachedHost
{
    explicit AttachedHost(const xl::Application& app) { picrows::startupContext().gobjXlApp = app; }
    ~AttachedHost() { picrows::startupContext().gobjXlApp = xl::Application(); }
};

} // namespace

int runInsert(const QStringList& args)
{
    const QCommandLineOption rangeOption(
        QStringLiteral("range"), QStringLiteral("The target cells."), QStringLiteral("ADDR"));
    const QCommandLineOption sheetOption(QStringLiteral("sheet"),
                                         QStringLiteral("The sheet (default: the active one)."),
                                         QStringLiteral("NAME"));
    const QCommandLineOption outOption({QStringLiteral("o"), QStringLiteral("output")},
                                       QStringLiteral("Where to save the workbook."),
                                       QStringLiteral("OUT"));
    const QCommandLineOption inPlace(QStringLiteral("in-place"), QStringLiteral("Save over BOOK."));
    const QCommandLineOption configDir(QStringLiteral("config-dir"),
                                       QStringLiteral("The folder of the settings file."),
                                       QStringLiteral("DIR"));
    const QCommandLineOption quiet = quietOption();
    InsertOverrides overrides;
    const auto build = [&](QCommandLineParser& parser) {
        parser.addPositionalArgument(QStringLiteral("BOOK"), QStringLiteral("The workbook."));
        parser.addPositionalArgument(QStringLiteral("PATH"),
                                     QStringLiteral("Picture files and folders."));
        for (const QCommandLineOption& o :
             {rangeOption, sheetOption, outOption, inPlace, configDir, attachOption(), quiet})
            parser.addOption(o);
        overrides.addTo(parser);
    };
    // A first look counts the paths.
    QCommandLineParser probe;
    build(probe);
    probe.addOption(QCommandLineOption(QStringList{QStringLiteral("h"), QStringLiteral("help")}));
    probe.setSingleDashWordOptionMode(QCommandLineParser::ParseAsLongOptions);
    const bool probed = probe.parse(QStringList(QStringLiteral("picrows")) + args);
    const bool attach = attachRequested(args);
    const qsizetype fewest = attach ? 1 : 2;
    QCommandLineParser parser;
    build(parser);
    if (const auto stop =
            parseArguments(parser, kUsage, args, fewest,
                           probed ? std::max(fewest, probe.positionalArguments().size()) : fewest))
        return *stop;

    QString error;
    if (!overrides.read(parser, error)) {
        printError(kUsage.command, error);
        return kBadArguments;
    }
    QStringList given = parser.positionalArguments();
    const QString bookPath =
        !attach || namesWorkbook(given.front()) ? given.takeFirst() : QString();
    if (given.isEmpty()) {
        printError(kUsage.command, QStringLiteral("missing PATH: the pictures to insert"));
        return kBadArguments;
    }
    const QString outPath = parser.value(outOption);
    if (!parser.isSet(rangeOption)) {
        printError(kUsage.command, QStringLiteral("missing --range ADDR"));
        return kBadArguments;
    }
    if (attach && (parser.isSet(outOption) || parser.isSet(inPlace))) {
        printError(kUsage.command,
                   QStringLiteral("--attach leaves saving to the host: no -o or --in-place"));
        return kBadArguments;
    }
    if (!attach && outPath.isEmpty() == !parser.isSet(inPlace)) {
        printError(kUsage.command, QStringLiteral("give one of -o OUT and --in-place"));
        return kBadArguments;
    }
    if (!outPath.isEmpty() && !outputPathUsable(kUsage.command, outPath))
        return kBadArguments;
    picrows::PictureList list;
    if (!listPictures(given, list, error)) {
        printError(kUsage.command, error);
        return kBadArguments;
    }

    const std::unique_ptr<BookSession> session = attach
                                                     ? attachBookOrReport(kUsage.command, bookPath)
                                                     : openBookOrReport(kUsage.command, bookPath);
    if (!session)
        return kBookUnusable;
    const xl::Application& app = session->app();
    xl::Range range;
    try {
        if (attach)
            session->book().Activate();
        if (parser.isSet(sheetOption))
            session->book().Worksheets(parser.value(sheetOption)).Activate();
    } catch (const host::HostError& e) {
        printError(kUsage.command,
                   QStringLiteral("no sheet '%1': %2").arg(parser.value(sheetOption), e.report()));
        return kBadArguments;
    }
    try {
        range = app.ActiveSheet().Range(parser.value(rangeOption));
        if (overrides.excelMode())
            range.Item(1).Select();
        else
            range.Select();
    } catch (const host::HostError& e) {
        printError(kUsage.command,
                   QStringLiteral("bad range '%1': %2").arg(parser.value(rangeOption), e.report()));
        return kBadArguments;
    }

    platform::SettingsStore store(parser.value(configDir));
    const picrows::c_Setting setting(store, app.ref());
    picrows::PasteRun run;
    run.app = app;
    run.options = picrows::RunOptions::from(setting);
    picrows::SelectedRunSettings settings = picrows::SelectedRunSettings::from(setting);
    overrides.applyTo(run.options, settings);
    if (run.options.glngPasteSize == 3) // the hand-made fill needs the trimming dialog
        run.options.glngPasteSize = 2;

    const int total = list.count();
    ProgressBar bar(total, stderrIsTerminal());
    run.statusPanel = &bar;
    OneLineMessages messages(bar, run, overrides.overwriteInfo());
    platform::ScopedMessageService messagesInPlace(messages);
    platform::ScriptedKeys noKeys; // a batch run is not cancelled from the keyboard
    platform::ScopedKeyState keysInPlace(noKeys);

    picrows::RunOutcome outcome;
    try {
        AttachedHost attached(app);
        outcome = overrides.excelMode() ? picrows::s_RunPasteWhenExcelmode(run, list)
                                        : picrows::s_RunPasteWhenSelectedModeOrClickMode(
                                              run, list, range, true, settings, nullptr);
    } catch (const host::HostError& e) {
        // Raised by the host state check, before the runner traps errors itself.
        bar.clear();
        printError(kUsage.command, e.report());
        outcome.error = e;
    }
    bar.clear();

    QString report;
    for (const QString& entry : outcome.ExclusionList)
        report += QStringLiteral("excluded\t") + entry + u'\n';
    for (const picrows::RefusedFile& refused : outcome.refused)
        report += QStringLiteral("left over\t") + refused.path + u'\n';
    for (const QString& path : list.paths())
        report += QStringLiteral("left over\t") + path + u'\n';
    printOut(report);

    if (!attach && !saveBookOrReport(kUsage.command, session->book(), outPath))
        return kBookUnusable;
    const QString pictures = counted(outcome.inserted.size(), "picture");
    const QString where =
        overrides.excelMode()
            ? QStringLiteral("at %1").arg(range.Item(1).Address())
            : QStringLiteral("into %1%2")
                  .arg(outcome.inserted.size() == outcome.targets
                           ? QString()
                           : QStringLiteral("%1 of ").arg(outcome.inserted.size()),
                       counted(outcome.targets, "target"));
    printSummary(kUsage.command,
                 (attach ? QStringLiteral("inserted %1 %2; in %3")
                         : QStringLiteral("inserted %1 %2; saved %3"))
                     .arg(pictures, where,
                          attach ? QStringLiteral("the running host's workbook, not saved")
                          : outPath.isEmpty() ? bookPath
                                              : outPath),
                 parser.isSet(quiet));
    const bool remarks = !outcome.ExclusionList.isEmpty() || !outcome.refused.isEmpty() ||
                         !list.isEmpty() || outcome.error;
    return remarks ? kDoneWithRemarks : kDone;
}

} // namespace cli
