#pragma once

#include "platform/service_slot.h"

#include <QString>

#include <vector>

namespace platform {

// The desktop shell: opens a document with its handler or an address in the browser, and
// lets the user pick a folder.
class Shell
{
public:
    virtual ~Shell();
    // Opens a local file path or an address ("https://…"); false when nothing handles it.
    virtual bool open(const QString& target) = 0;
    // The folder the user picked, or empty when the user cancelled. The default shell has no
    // dialogs and always answers empty; the widgets library puts a folder dialog in place.
    virtual QString browseFolder(const QString& prompt, const QString& initialFolder) = 0;
};

Shell& shell();
Shell* exchangeShell(Shell* shell);
using ScopedShell = ScopedService<Shell, &exchangeShell>;

// The folder picker: the chosen folder's path, or an empty text when the user cancels or the
// choice is not an existing folder. The initial folder is selected when it is not empty.
QString F_GetBrowseFolder(const QString& prompt, const QString& initialFolder);

// The desktop's own shell (QDesktopServices), without dialogs.
class DesktopShell : public Shell
{
public:
    bool open(const QString& target) override;
    QString browseFolder(const QString& prompt, const QString& initialFolder) override;
};

// For tests: records what was opened and answers the scripted folder.
class RecordingShell : public Shell
{
public:
    bool open(const QString& target) override
    {
        opened.push_back(target);
        return openSucceeds;
    }
    QString browseFolder(const QString& prompt, const QString& initialFolder) override
    {
        prompts.push_back(prompt);
        initialFolders.push_back(initialFolder);
        return folderToPick;
    }

    std::vector<QString> opened;
    bool openSucceeds = true;
    std::vector<QString> prompts;
    std::vector<QString> initialFolders;
    QString folderToPick; // empty: the user cancels
};

} // namespace platform
