#pragma once

#include <QString>
#include <QStringList>

#include <optional>

class QWidget;

namespace host_app {

// The file dialogs the host application asks the user through. Tests answer them from a
// script; the application shows Qt's dialogs. An empty answer means the user cancelled.
class HostDialogs
{
public:
    virtual ~HostDialogs();
    virtual QStringList workbooksToOpen(QWidget* owner) = 0;
    virtual QString saveAsPath(QWidget* owner, const QString& suggested) = 0;
    virtual QStringList picturesToInsert(QWidget* owner) = 0;
    // GetSaveAsFilename's dialog: the host's filter text ("JPEG (*.jpg),*.jpg,…").
    virtual QString saveFileName(QWidget* owner, const QString& title, const QString& initial,
                                 const QString& hostFilter, int filterIndex) = 0;

    // A sheet's new name; none when the user cancelled.
    virtual std::optional<QString> sheetName(QWidget* owner, const QString& current) = 0;
    struct Protection
    {
        QString password; // empty: none
        bool contents = true;
        bool drawingObjects = true;
    };
    virtual std::optional<Protection> sheetProtection(QWidget* owner) = 0;
    virtual std::optional<QString> unprotectPassword(QWidget* owner) = 0;
};

class FileDialogs : public HostDialogs
{
public:
    QStringList workbooksToOpen(QWidget* owner) override;
    QString saveAsPath(QWidget* owner, const QString& suggested) override;
    QStringList picturesToInsert(QWidget* owner) override;
    QString saveFileName(QWidget* owner, const QString& title, const QString& initial,
                         const QString& hostFilter, int filterIndex) override;
    std::optional<QString> sheetName(QWidget* owner, const QString& current) override;
    std::optional<Protection> sheetProtection(QWidget* owner) override;
    std::optional<QString> unprotectPassword(QWidget* owner) override;
};

// The host's filter text ("JPEG (*.jpg),*.jpg,Bitmap (*.bmp),*.bmp") as Qt's filters
// ("JPEG (*.jpg)", "Bitmap (*.bmp)").
QStringList qtFilters(const QString& hostFilter);

} // namespace host_app
