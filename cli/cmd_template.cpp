#include "cli/arguments.h"
#include "cli/commands.h"
#include "cli/open_book.h"

#include "cli/in_process_host.h"
#include "host/automation/host_error.h"
#include "host/xl/workbook.h"
#include "host/xl/worksheet.h"
#include "main/settings/setting.h"
#include "main/startup/startup_context.h"
#include "main/templates/template_open.h"
#include "main/templates/template_save.h"
#include "platform/message_box.h"
#include "platform/settings_store.h"

#include <QCommandLineParser>
#include <QFileInfo>

#include <memory>

namespace cli {

namespace {

const Usage kUsage{
    "template", "save|list|open ...",
    "Works on the template books of the template folder of the settings (MyDocPath; "
    "--config-dir names the settings folder). 'picrows template save BOOK --sheet NAME "
    "[--book-name NAME] [--template-name NAME]' copies the sheet into the template book NAME "
    "(default ユーザーカスタム), creating it, under the template name (default the sheet's own "
    "name, with \" (2)\", \" (3)\", … on a clash); a missing template folder is created. "
    "'picrows template list' prints each template sheet as BOOK!SHEET and the book's path. "
    "'picrows template open BOOK!SHEET (--into BOOK [--after SHEET] | --new OUT)' copies a "
    "template sheet behind SHEET (default: the active sheet) of BOOK and saves BOOK, or saves "
    "it alone as the new workbook OUT. Messages are printed on standard error, one line each "
    "with their title. Exit codes: 0 done, 1 not done (the message says why), 2 bad arguments, "
    "3 the workbook cannot be opened or saved."};
const Usage kSaveUsage{"template save",
                       "BOOK --sheet NAME [--book-name NAME] [--template-name NAME] "
                       "[--config-dir DIR]",
                       kUsage.description};
const Usage kListUsage{"template list", "[--config-dir DIR]", kUsage.description};
const Usage kOpenUsage{"template open",
                       "BOOK!SHEET (--into BOOK [--after SHEET] | --new OUT) [--config-dir DIR]",
                       kUsage.description};

QCommandLineOption valued(const char* name, const char* help, const char* value)
{
    return QCommandLineOption(QString::fromLatin1(name), QString::fromUtf8(help),
                              QString::fromLatin1(value));
}

const QCommandLineOption kConfigDir =
    valued("config-dir", "The folder of the settings file.", "DIR");

// Each message on one line with its title. Nobody is there to answer: the question whether to
// create the template folder is answered Yes once (a folder that cannot be made is not asked
// for again), and the way to the settings dialog, which the batch command has not, Cancel.
class OneLineMessages : public platform::MessageService
{
public:
    OneLineMessages()
        : m_printer(stderr, [this](const platform::Message& m) {
              if (m.buttons == platform::MsgButtons::YesNo)
                  return m_askedYesNo++ == 0 ? platform::MsgAnswer::Yes : platform::MsgAnswer::No;
              if (m.buttons == platform::MsgButtons::OKCancel)
                  return platform::MsgAnswer::Cancel;
              return platform::defaultAnswer(m);
          })
    {
    }
    platform::MsgAnswer show(const platform::Message& message) override
    {
        platform::Message line = message;
        line.text.replace(QStringLiteral("\r\n"), QStringLiteral(" "));
        return m_printer.show(line);
    }

private:
    int m_askedYesNo = 0;
    platform::PrintingMessages m_printer;
};

// The host and the settings are the start-up context's while a command runs, as in the main
// program.
class AttachedContext
{
public:
    AttachedContext(const xl::Application& app, const QString& configDir)
    {
        picrows::StartupContext& context = picrows::startupContext();
        context.gobjXlApp = app;
        context.store = std::make_unique<platform::SettingsStore>(configDir);
        context.gobjSetting = std::make_unique<picrows::c_Setting>(*context.store, app.ref());
    }
    ~AttachedContext() { picrows::startupContext().clear(); }
    AttachedContext(const AttachedContext&) = delete;
    AttachedContext& operator=(const AttachedContext&) = delete;

    picrows::c_Setting& setting() const { return *picrows::startupContext().gobjSetting; }
};

int exitCodeOf(const picrows::TemplateOutcome& outcome)
{
    return outcome.status == picrows::TemplateOutcome::Done ? kDone : kDoneWithRemarks;
}

int runSave(const QStringList& args)
{
    const QCommandLineOption sheetOption = valued("sheet", "The sheet to save.", "NAME");
    const QCommandLineOption bookName =
        valued("book-name", "The template book (default ユーザーカスタム).", "NAME");
    const QCommandLineOption templateName =
        valued("template-name", "The template sheet's name (default: the sheet's).", "NAME");
    QCommandLineParser parser;
    parser.addPositionalArgument(QStringLiteral("BOOK"), QStringLiteral("The workbook."));
    const QCommandLineOption quiet = quietOption();
    for (const QCommandLineOption& o : {sheetOption, bookName, templateName, kConfigDir, quiet})
        parser.addOption(o);
    if (const auto stop = parseArguments(parser, kSaveUsage, args, 1))
        return *stop;
    if (!parser.isSet(sheetOption)) {
        printError(kSaveUsage.command, QStringLiteral("missing --sheet NAME"));
        return kBadArguments;
    }

    const std::unique_ptr<BookSession> session =
        openBookOrReport(kSaveUsage.command, parser.positionalArguments().front());
    if (!session)
        return kBookUnusable;
    try {
        session->book().Worksheets(parser.value(sheetOption)).Activate();
    } catch (const host::HostError& e) {
        printError(kSaveUsage.command,
                   QStringLiteral("no sheet '%1': %2").arg(parser.value(sheetOption), e.report()));
        return kBadArguments;
    }

    OneLineMessages messages;
    platform::ScopedMessageService messagesInPlace(messages);
    const AttachedContext attached(session->app(), parser.value(kConfigDir));
    bool refused = false;
    const picrows::TemplateOutcome outcome =
        picrows::s_Command_Tool_TemSave([&](picrows::TemplateSaveForm& form) {
            if (parser.isSet(bookName))
                form.txtName1 = parser.value(bookName);
            if (parser.isSet(templateName))
                form.txtName2 = parser.value(templateName);
            refused = !form.okEnabled() || !form.ok();
            if (!form.okEnabled())
                printError(kSaveUsage.command, QStringLiteral("a name must not be empty"));
        });
    if (refused)
        return kBadArguments;
    if (outcome.status == picrows::TemplateOutcome::Done) {
        const QString saved = attached.setting().MyDocPath() + u'/' + outcome.bookFile;
        printOut(saved + u'\t' + outcome.sheetName + u'\n');
        printSummary(
            kSaveUsage.command,
            QStringLiteral("added the template %1!%2; saved %3")
                .arg(QFileInfo(outcome.bookFile).completeBaseName(), outcome.sheetName, saved),
            parser.isSet(quiet));
    }
    return exitCodeOf(outcome);
}

int runList(const QStringList& args)
{
    QCommandLineParser parser;
    parser.addOption(kConfigDir);
    if (const auto stop = parseArguments(parser, kListUsage, args, 0))
        return *stop;
    const std::unique_ptr<host::objects::Host> host = makeInProcessHost();
    const xl::Application app(host->application());
    const AttachedContext attached(app, parser.value(kConfigDir));
    const QString folder = attached.setting().MyDocPath();
    if (!attached.setting().MyDocPathExists()) {
        printError(kListUsage.command,
                   QStringLiteral("the template folder %1 does not exist").arg(folder));
        return kDoneWithRemarks;
    }
    QString out;
    try {
        for (const picrows::TemplateItem& item : picrows::f_ListTemplates(app, folder))
            out += item.text + u'\t' + item.tag.section(u'\t', 0, 0) + u'\n';
    } catch (const host::HostError& e) {
        printError(kListUsage.command, e.report());
        return kDoneWithRemarks;
    }
    if (out.isEmpty())
        printError(kListUsage.command, picrows::TemplateGetForm::noTemplateText());
    printOut(out);
    return kDone;
}

int runOpen(const QStringList& args)
{
    const QCommandLineOption into =
        valued("into", "Copy the template sheet into this workbook and save it.", "BOOK");
    const QCommandLineOption after =
        valued("after", "The sheet of BOOK to insert behind (default: the active one).", "SHEET");
    const QCommandLineOption newBook =
        valued("new", "Save the template sheet alone as this new workbook.", "OUT");
    QCommandLineParser parser;
    parser.addPositionalArgument(QStringLiteral("BOOK!SHEET"),
                                 QStringLiteral("The template, as 'template list' shows it."));
    const QCommandLineOption quiet = quietOption();
    for (const QCommandLineOption& o : {into, after, newBook, kConfigDir, quiet})
        parser.addOption(o);
    if (const auto stop = parseArguments(parser, kOpenUsage, args, 1))
        return *stop;
    if (parser.isSet(into) == parser.isSet(newBook)) {
        printError(kOpenUsage.command, QStringLiteral("give one of --into BOOK and --new OUT"));
        return kBadArguments;
    }
    if (parser.isSet(after) && !parser.isSet(into)) {
        printError(kOpenUsage.command, QStringLiteral("--after goes with --into"));
        return kBadArguments;
    }
    if (parser.isSet(newBook) && !outputPathUsable(kOpenUsage.command, parser.value(newBook)))
        return kBadArguments;
    const QString wanted = parser.positionalArguments().front();

    // --new starts from a blank workbook: the command's state check needs a window.
    std::unique_ptr<BookSession> session;
    std::unique_ptr<host::objects::Host> blankHost;
    xl::Application app;
    if (parser.isSet(into)) {
        session = openBookOrReport(kOpenUsage.command, parser.value(into));
        if (!session)
            return kBookUnusable;
        app = session->app();
        try {
            if (parser.isSet(after))
                session->book().Worksheets(parser.value(after)).Activate();
        } catch (const host::HostError& e) {
            printError(kOpenUsage.command,
                       QStringLiteral("no sheet '%1': %2").arg(parser.value(after), e.report()));
            return kBadArguments;
        }
    } else {
        blankHost = makeInProcessHost();
        app = xl::Application(blankHost->application());
        app.setDisplayAlerts(false);
        app.Workbooks().Add();
    }

    OneLineMessages messages;
    platform::ScopedMessageService messagesInPlace(messages);
    picrows::TemplateOutcome outcome;
    bool found = false;
    {
        const AttachedContext attached(app, parser.value(kConfigDir));
        try {
            outcome = picrows::s_Command_Tool_TemLoad(
                [&](picrows::TemplateGetForm& form) {
                    for (size_t i = 0; i < form.icbTemplate.size() && !found; ++i) {
                        if (form.icbTemplate[i].text == wanted) {
                            found = true;
                            form.templateIndex = int(i);
                            form.insertIndex = parser.isSet(into) ? 0 : 1;
                            form.ok();
                        }
                    }
                },
                {});
        } catch (const host::HostError& e) {
            printError(kOpenUsage.command, e.report()); // an .xls book that cannot be read
            return kDoneWithRemarks;
        }
    }
    if (outcome.status == picrows::TemplateOutcome::Cancelled && !found) {
        printError(
            kOpenUsage.command,
            QStringLiteral("no template '%1' ('picrows template list' shows them)").arg(wanted));
        return kBadArguments;
    }
    if (outcome.status != picrows::TemplateOutcome::Done)
        return exitCodeOf(outcome);

    const QString savePath = parser.isSet(into) ? parser.value(into) : parser.value(newBook);
    try {
        if (parser.isSet(into))
            session->book().Save();
        else
            app.ActiveWorkbook().SaveAs(savePath);
    } catch (const host::HostError& e) {
        printError(kOpenUsage.command,
                   QStringLiteral("cannot save %1: %2").arg(savePath, e.report()));
        return kBookUnusable;
    }
    printSummary(kOpenUsage.command,
                 QStringLiteral("copied the template %1 into %2; saved %3")
                     .arg(wanted,
                          parser.isSet(into) ? QStringLiteral("the workbook")
                                             : QStringLiteral("a new workbook"),
                          savePath),
                 parser.isSet(quiet));
    return kDone;
}

} // namespace

int runTemplate(const QStringList& args)
{
    const QString sub = args.isEmpty() ? QString() : args.front();
    if (sub == QLatin1String("save"))
        return runSave(args.mid(1));
    if (sub == QLatin1String("list"))
        return runList(args.mid(1));
    if (sub == QLatin1String("open"))
        return runOpen(args.mid(1));
    if (sub == QLatin1String("--help") || sub == QLatin1String("-h")) {
        QCommandLineParser parser;
        return parseArguments(parser, kUsage, {QStringLiteral("--help")}, 0).value_or(kDone);
    }
    printError(kUsage.command, sub.isEmpty()
                                   ? QStringLiteral("missing subcommand: save, list or open")
                                   : QStringLiteral("unknown subcommand '%1'").arg(sub));
    return kBadArguments;
}

} // namespace cli
