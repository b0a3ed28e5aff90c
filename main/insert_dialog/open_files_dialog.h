#pragma once

#include "platform/service_slot.h"

#include <QString>
#include <QStringList>

class QWidget;

namespace picrows {

// The open-file dialog of the picture list, as a service so that tests can script the user's
// choice.
class OpenFilesDialog
{
public:
    virtual ~OpenFilesDialog();
    // The existing files the user chose (several allowed), full paths in the dialog's order;
    // empty when the user cancelled. `filters` are Qt name filters, `selected` one of them.
    virtual QStringList getOpenFileNames(QWidget* owner, const QString& title,
                                         const QStringList& filters, const QString& selected) = 0;
};

OpenFilesDialog& openFilesDialog();
OpenFilesDialog* exchangeOpenFilesDialog(OpenFilesDialog* dialog);
using ScopedOpenFilesDialog = platform::ScopedService<OpenFilesDialog, &exchangeOpenFilesDialog>;

// The picture filter as Qt's file dialog takes it: each entry's description as the list gives
// it, its patterns in the form Qt reads ("すべてのファイル" matching every name).
QStringList pictureNameFilters();

// For tests: records what the dialog was asked and answers `files`.
class ScriptedOpenFiles : public OpenFilesDialog
{
public:
    QStringList getOpenFileNames(QWidget*, const QString& title, const QStringList& filters,
                                 const QString& selected) override
    {
        ++calls;
        lastTitle = title;
        lastFilters = filters;
        lastSelected = selected;
        return files;
    }

    QStringList files; // empty: the user cancels
    int calls = 0;
    QString lastTitle;
    QStringList lastFilters;
    QString lastSelected;
};

} // namespace picrows
