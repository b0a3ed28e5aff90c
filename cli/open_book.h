#pragma once

#include "host/xl/application.h"
#include "host/xl/workbook.h"
#include "host/xl/worksheet.h"
#include "platform/clipboard.h"

#include <memory>
#include <optional>

class QCommandLineOption;
class QCommandLineParser;

namespace host::objects {
class Host;
}

namespace cli {

// The workbook a batch command works on: opened from a file in an in-process host of its own,
// which ends (and every object reference with it) when the session goes, the platform's
// clipboard service being the host's clipboard while it lives; or, with --attach, a workbook
// open in the user's running host, which the command changes in place and never saves unless
// asked to (picrows save --attach). Either way the command reaches it only through the
// automation interface, so both take one path.
class BookSession
{
public:
    // Opens `path`; a workbook that cannot be opened raises the host's error.
    explicit BookSession(const QString& path);
    // The workbook `book` of a running host (`book` open in it, by full name or name), or
    // the active workbook of the host that registered first.
    BookSession(const xl::Application& app, const xl::Workbook& book);
    ~BookSession();
    BookSession(const BookSession&) = delete;
    BookSession& operator=(const BookSession&) = delete;

    const xl::Application& app() const { return m_app; }
    const xl::Workbook& book() const { return m_book; }
    bool attached() const { return !m_host; }

private:
    std::unique_ptr<host::objects::Host> m_host;
    std::unique_ptr<platform::Clipboard> m_clipboard;
    std::optional<platform::ScopedClipboard> m_clipboardInPlace;
    xl::Application m_app;
    xl::Workbook m_book;
};

// Opens `path` for `command`; a workbook that cannot be opened is reported ("cannot open PATH:
// why") and answers null.
std::unique_ptr<BookSession> openBookOrReport(const char* command, const QString& path);

// The option --attach, and whether `args` (not yet parsed) ask for it: BOOK is then optional.
QCommandLineOption attachOption();
bool attachRequested(const QStringList& args);

// The workbook `book` (a file name, full name or name; empty: the active workbook) open in a
// running host of this user. A host or workbook that is not there is reported and answers
// null.
std::unique_ptr<BookSession> attachBookOrReport(const char* command, const QString& book);

// The session of a command parsed with attachOption() and BOOK as its first positional
// argument: attached when --attach was given, else opened from BOOK.
std::unique_ptr<BookSession> openSessionOrReport(const char* command,
                                                 const QCommandLineParser& parser);

// The worksheet `name` of `book`, or its active sheet when no name is given. A book without
// that worksheet is reported ("BOOK has no worksheet named 'NAME'") and answers Nothing.
xl::Worksheet worksheetOrReport(const char* command, const xl::Workbook& book,
                                const std::optional<QString>& name);

// Saves `book` for `command`: over its own file when `outPath` is empty, else as `outPath`. A
// save that fails is reported ("cannot save PATH: why") and answers false.
bool saveBookOrReport(const char* command, const xl::Workbook& book, const QString& outPath);

} // namespace cli
