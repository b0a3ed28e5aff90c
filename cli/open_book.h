#pragma once

#include "host/xl/application.h"
#include "host/xl/workbook.h"
#include "host/xl/worksheet.h"
#include "platform/clipboard.h"

#include <memory>
#include <optional>

namespace host::objects {
class Host;
}

namespace cli {

// An in-process host with one workbook opened from a file: the frame of every batch command.
// While the session lives the platform's clipboard service is the host's clipboard, so the
// engine reads what the host's Copy put there (and a copy of pictures is rendered only when
// read). The host ends, and every object reference with it, when the session goes.
class BookSession
{
public:
    // Opens `path`; a workbook that cannot be opened raises the host's error.
    explicit BookSession(const QString& path);
    ~BookSession();
    BookSession(const BookSession&) = delete;
    BookSession& operator=(const BookSession&) = delete;

    const xl::Application& app() const { return m_app; }
    const xl::Workbook& book() const { return m_book; }

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

// The worksheet `name` of `book`, or its active sheet when no name is given. A book without
// that worksheet is reported ("BOOK has no worksheet named 'NAME'") and answers Nothing.
xl::Worksheet worksheetOrReport(const char* command, const xl::Workbook& book,
                                const std::optional<QString>& name);

// Saves `book` for `command`: over its own file when `outPath` is empty, else as `outPath`. A
// save that fails is reported ("cannot save PATH: why") and answers false.
bool saveBookOrReport(const char* command, const xl::Workbook& book, const QString& outPath);

} // namespace cli
