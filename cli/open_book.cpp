#include "cli/open_book.h"

#include "cli/arguments.h"
#include "cli/in_process_host.h"
#include "host/automation/host_error.h"
#include "host/render/clipboard_service.h"
#include "host/running/running_hosts.h"
#include "host/xl/workbook.h"

#include <QCommandLineOption>
#include <QCommandLineParser>
#include <QFileInfo>

namespace cli {

BookSession::BookSession(const QString& path)
    : m_host(makeInProcessHost()), m_clipboard(host::render::clipboardService(m_host->clipboard())),
      m_app(m_host->application())
{
    m_clipboardInPlace.emplace(*m_clipboard);
    // Nobody answers questions in a batch run: the host takes its default answers.
    m_app.setDisplayAlerts(false);
    m_book = m_app.Workbooks().Open(path);
}

BookSession::BookSession(const xl::Application& app, const xl::Workbook& book)
    : m_app(app), m_book(book)
{
}

BookSession::~BookSession()
{
    // Drop our references before the host that owns the objects.
    m_book = xl::Workbook();
    m_app = xl::Application();
    m_clipboardInPlace.reset();
}

std::unique_ptr<BookSession> openBookOrReport(const char* command, const QString& path)
{
    try {
        return std::make_unique<BookSession>(path);
    } catch (const host::HostError& e) {
        printError(command, QStringLiteral("cannot open %1: %2").arg(path, e.report()));
    } catch (const std::exception& e) {
        printError(command,
                   QStringLiteral("cannot open %1: %2").arg(path, QString::fromUtf8(e.what())));
    }
    return nullptr;
}

QCommandLineOption attachOption()
{
    return QCommandLineOption(
        QStringLiteral("attach"),
        QStringLiteral("Work on BOOK (default: the active workbook) open in the running host; "
                       "nothing is saved."));
}

bool attachRequested(const QStringList& args)
{
    for (const QString& arg : args) {
        if (arg == QStringLiteral("--"))
            return false;
        if (arg == QStringLiteral("--attach") || arg == QStringLiteral("-attach"))
            return true;
    }
    return false;
}

namespace {

// The open workbook of `app` that `name` names: its full name, the full name of the file
// `name` is a path of, or its name.
xl::Workbook openBookNamed(const xl::Application& app, const QString& name)
{
    const QString path = QFileInfo(name).absoluteFilePath();
    const xl::Workbooks books = app.Workbooks();
    const std::int32_t count = books.Count();
    xl::Workbook byName;
    for (std::int32_t i = 1; i <= count; ++i) {
        const xl::Workbook book = books.Item(i);
        const QString fullName = book.FullName();
        if (fullName == name || fullName == path)
            return book;
        if (byName.isNothing() && book.Name().compare(name, Qt::CaseInsensitive) == 0)
            byName = book;
    }
    return byName;
}

} // namespace

std::unique_ptr<BookSession> attachBookOrReport(const char* command, const QString& book)
{
    auto& table = host::running::RunningHosts::instance();
    try {
        if (book.isEmpty()) {
            const xl::Application app(table.activeApplication());
            if (app.isNothing()) {
                printError(command, QStringLiteral("no running host to attach to"));
                return nullptr;
            }
            const xl::Workbook active = app.ActiveWorkbook();
            if (active.isNothing()) {
                printError(command, QStringLiteral("the running host has no workbook open"));
                return nullptr;
            }
            return std::make_unique<BookSession>(app, active);
        }
        for (const auto& running : table.hosts()) {
            const QStringList files = running->openFiles();
            const bool holdsFile =
                files.contains(book) || files.contains(QFileInfo(book).absoluteFilePath());
            // A book never saved has no file: only asking the host finds it by name.
            if (!holdsFile && QFileInfo(book).isAbsolute())
                continue;
            const xl::Application app(running->application());
            if (app.isNothing())
                continue;
            const xl::Workbook found = openBookNamed(app, book);
            if (!found.isNothing())
                return std::make_unique<BookSession>(app, found);
        }
    } catch (const host::HostError& e) {
        printError(command, QStringLiteral("cannot attach: %1").arg(e.report()));
        return nullptr;
    }
    printError(command, QStringLiteral("%1 is not open in a running host").arg(book));
    return nullptr;
}

std::unique_ptr<BookSession> openSessionOrReport(const char* command,
                                                 const QCommandLineParser& parser)
{
    const QStringList given = parser.positionalArguments();
    const QString book = given.isEmpty() ? QString() : given.constFirst();
    if (parser.isSet(QStringLiteral("attach")))
        return attachBookOrReport(command, book);
    return openBookOrReport(command, book);
}

xl::Worksheet worksheetOrReport(const char* command, const xl::Workbook& book,
                                const std::optional<QString>& name)
{
    try {
        return name ? book.Worksheets(*name) : book.ActiveSheet();
    } catch (const host::HostError&) {
        printError(command, QStringLiteral("%1 has no worksheet named '%2'")
                                .arg(book.Name(), name.value_or(QString())));
        return {};
    }
}

bool saveBookOrReport(const char* command, const xl::Workbook& book, const QString& outPath)
{
    QString why;
    try {
        if (outPath.isEmpty())
            book.Save();
        else
            book.SaveAs(outPath);
        return true;
    } catch (const host::HostError& e) {
        why = e.report();
    } catch (const std::exception& e) {
        why = QString::fromUtf8(e.what());
    }
    const QString path = outPath.isEmpty() ? book.FullName() : outPath;
    printError(command, QStringLiteral("cannot save %1: %2").arg(path, why));
    return false;
}

} // namespace cli
