#pragma once

#include <QCoreApplication>
#include <QStringList>

class QWidget;

namespace host::objects {
class Application;
class Workbook;
} // namespace host::objects

namespace host_app {

class HostDialogs;
class RecentFiles;

// The file commands of the window: new, open, save, save as, close (asking about unsaved
// changes), each through the object model (Workbooks.Add and Open, Workbook.Save, SaveAs,
// Close), so that what the user does is what automation sees. Failures are shown to the user
// as message boxes through the platform's message service.
class WorkbookCommands
{
    Q_DECLARE_TR_FUNCTIONS(host_app::WorkbookCommands)

public:
    WorkbookCommands(host::objects::Application& app, HostDialogs& dialogs, RecentFiles& recent);

    void setOwner(QWidget* owner) { m_owner = owner; }

    void newWorkbook();
    // Opens each file; a file that is already open is activated. Answers how many opened.
    int open(const QStringList& files);
    void openWithDialog();
    // False when the user cancelled or saving failed.
    bool save(host::objects::Workbook& book);
    bool saveAs(host::objects::Workbook& book);
    // Asks whether to save unsaved changes (Yes saves, No drops them, Cancel keeps the book
    // open). False when the book stays open.
    bool close(host::objects::Workbook& book);
    // Closes every workbook; false when the user kept one open.
    bool closeAll();

    // The question's text for a workbook with unsaved changes.
    static QString unsavedQuestion(const QString& bookName);

private:
    void report(const QString& text) const;

    host::objects::Application& m_app;
    HostDialogs& m_dialogs;
    RecentFiles& m_recent;
    QWidget* m_owner = nullptr;
};

} // namespace host_app
