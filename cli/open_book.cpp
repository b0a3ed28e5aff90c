#include "cli/open_book.h"

#include "cli/arguments.h"
#include "cli/in_process_host.h"
#include "host/automation/host_error.h"
#include "host/render/clipboard_service.h"

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
