#include "host_app/commands/workbook_commands.h"

#include "host/automation/host_error.h"
#include "host/objects/application.h"
#include "host/objects/workbook.h"
#include "host_app/host_dialogs.h"
#include "host_app/recent_files.h"
#include "platform/message_box.h"

#include <QFileInfo>

namespace host_app {

using host::HostError;
using host::Variant;

WorkbookCommands::WorkbookCommands(host::objects::Application& app, HostDialogs& dialogs,
                                   RecentFiles& recent)
    : m_app(app), m_dialogs(dialogs), m_recent(recent)
{
}

QString WorkbookCommands::unsavedQuestion(const QString& bookName)
{
    return tr("'%1' への変更を保存しますか?").arg(bookName);
}

void WorkbookCommands::report(const QString& text) const
{
    platform::showMessage(text, platform::MsgButtons::OK, platform::MsgIcon::Exclamation,
                          m_app.caption());
}

void WorkbookCommands::newWorkbook()
{
    try {
        m_app.get(QStringLiteral("Workbooks")).toObject()->call(QStringLiteral("Add"));
    } catch (const HostError& e) {
        report(e.description());
    }
}

int WorkbookCommands::open(const QStringList& files)
{
    int opened = 0;
    const auto workbooks = m_app.get(QStringLiteral("Workbooks")).toObject();
    for (const QString& file : files) {
        try {
            const auto book = std::static_pointer_cast<host::objects::Workbook>(
                workbooks->call(QStringLiteral("Open"), {file}).toObject());
            m_recent.add(book->fullName());
            ++opened;
        } catch (const HostError& e) {
            report(tr("'%1' を開けません。").arg(QFileInfo(file).fileName()) +
                   QStringLiteral("\r\n") + e.description());
        }
    }
    return opened;
}

void WorkbookCommands::openWithDialog()
{
    open(m_dialogs.workbooksToOpen(m_owner));
}

bool WorkbookCommands::save(host::objects::Workbook& book)
{
    if (book.path().isEmpty())
        return saveAs(book);
    try {
        book.call(QStringLiteral("Save"));
        m_recent.add(book.fullName());
        return true;
    } catch (const HostError& e) {
        report(e.description());
        return false;
    }
}

bool WorkbookCommands::saveAs(host::objects::Workbook& book)
{
    QString suggested = book.fullName();
    if (QFileInfo(suggested).suffix().isEmpty())
        suggested += QStringLiteral(".xlsx");
    const QString path = m_dialogs.saveAsPath(m_owner, suggested);
    if (path.isEmpty())
        return false;
    try {
        book.call(QStringLiteral("SaveAs"), {path});
        m_recent.add(book.fullName());
        return true;
    } catch (const HostError& e) {
        report(e.description());
        return false;
    }
}

bool WorkbookCommands::close(host::objects::Workbook& book)
{
    bool saveFirst = false;
    if (!book.saved()) {
        const platform::MsgAnswer answer =
            platform::showMessage(unsavedQuestion(book.name()), platform::MsgButtons::YesNoCancel,
                                  platform::MsgIcon::Exclamation, m_app.caption());
        if (answer == platform::MsgAnswer::Cancel)
            return false;
        saveFirst = answer == platform::MsgAnswer::Yes;
    }
    if (saveFirst && !save(book))
        return false;
    try {
        book.call(QStringLiteral("Close"), {Variant(false)});
        return true;
    } catch (const HostError& e) {
        report(e.description());
        return false;
    }
}

bool WorkbookCommands::closeAll()
{
    for (const auto& book : m_app.workbooks())
        if (!book->isAddin() && !close(*book))
            return false;
    return true;
}

} // namespace host_app
