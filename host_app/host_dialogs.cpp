#include "host_app/host_dialogs.h"

#include <QCoreApplication>
#include <QFileDialog>

namespace host_app {

namespace {

QString tr(const char* text)
{
    return QCoreApplication::translate("host_app::FileDialogs", text);
}

} // namespace

HostDialogs::~HostDialogs() = default;

QStringList qtFilters(const QString& hostFilter)
{
    // Pairs of a description and its patterns; the description already names the patterns.
    const QStringList parts = hostFilter.split(u',');
    QStringList filters;
    for (qsizetype i = 0; i + 1 < parts.size(); i += 2) {
        QString description = parts[i].trimmed();
        const QString patterns = parts[i + 1].trimmed().replace(u';', u' ');
        if (!description.contains(u'('))
            description += QStringLiteral(" (") + patterns + u')';
        filters << description;
    }
    return filters;
}

QStringList FileDialogs::workbooksToOpen(QWidget* owner)
{
    return QFileDialog::getOpenFileNames(owner, tr("ファイルを開く"), QString(),
                                         tr("Excel ブック (*.xlsx *.xlsm);;すべてのファイル (*)"));
}

QString FileDialogs::saveAsPath(QWidget* owner, const QString& suggested)
{
    return QFileDialog::getSaveFileName(owner, tr("名前を付けて保存"), suggested,
                                        tr("Excel ブック (*.xlsx)"));
}

QStringList FileDialogs::picturesToInsert(QWidget* owner)
{
    return QFileDialog::getOpenFileNames(
        owner, tr("図の挿入"), QString(),
        tr("すべての図 (*.jpg *.jpeg *.jpe *.jfif *.png *.gif *.bmp *.tif *.tiff *.emf *.webp);;"
           "すべてのファイル (*)"));
}

QString FileDialogs::saveFileName(QWidget* owner, const QString& title, const QString& initial,
                                  const QString& hostFilter, int filterIndex)
{
    const QStringList filters = qtFilters(hostFilter);
    QString selected =
        filterIndex >= 1 && filterIndex <= filters.size() ? filters[filterIndex - 1] : QString();
    return QFileDialog::getSaveFileName(owner, title.isEmpty() ? tr("名前を付けて保存") : title,
                                        initial, filters.join(QStringLiteral(";;")), &selected);
}

} // namespace host_app
