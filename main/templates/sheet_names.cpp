#include "main/templates/sheet_names.h"

#include "host/automation/host_error.h"
#include "host/xl/application.h"
#include "host/xl/workbook.h"
#include "host/xl/worksheet.h"
#include "main/templates/xls_sheet_names.h"

#include <QFile>
#include <QStringList>

#include <algorithm>

namespace picrows {

namespace {

// The name the host knows an open book by: its file name, after either kind of slash.
QString openBookName(const QString& path)
{
    const qsizetype slash = std::max(path.lastIndexOf(u'/'), path.lastIndexOf(u'\\'));
    return path.mid(slash + 1);
}

QStringList namesOpenedInHost(const xl::Application& app, const QString& path)
{
    const bool screenUpdating = app.ScreenUpdating();
    const bool enableEvents = app.EnableEvents();
    const bool displayAlerts = app.DisplayAlerts();
    app.setScreenUpdating(false);
    app.setEnableEvents(false);
    app.setDisplayAlerts(false);
    const xl::Workbook active = app.ActiveWorkbook();
    if (!active.isNothing())
        active.setSaved(false);

    // Opening a book that is open already hands back the open one; that one stays open.
    bool alreadyOpen = false;
    try {
        alreadyOpen = !app.Workbooks().Item(openBookName(path)).isNothing();
    } catch (const host::HostError&) {
    }
    xl::Workbook book;
    try {
        book = app.Workbooks().Open(path);
    } catch (const host::HostError&) {
    }
    QStringList names;
    if (!book.isNothing()) {
        for (const xl::Worksheet& sheet : book.Worksheets().items())
            names << sheet.Name();
        if (!alreadyOpen)
            book.Close(false);
    }
    app.setScreenUpdating(screenUpdating);
    app.setEnableEvents(enableEvents);
    app.setDisplayAlerts(displayAlerts);
    return names;
}

// The package of an .xlsx book. Hosts of versions before 12 here save such packages under
// the name ".xls", having no writer of the older format.
bool isZipPackage(const QString& path)
{
    QFile file(path);
    return file.open(QIODevice::ReadOnly) && file.read(4) == QByteArray("PK\x03\x04", 4);
}

} // namespace

QString f_GetSheetnameFromBookpath(const xl::Application& app, const QString& path)
{
    if (path.toLower().endsWith(QLatin1String(".xls"))) {
        try {
            return readXlsWorksheetNames(path).join(u'\t');
        } catch (const host::HostError& e) {
            if (e.number() != kNotAnXlsWorkbook || !isZipPackage(path))
                throw;
        }
    }
    return namesOpenedInHost(app, path).join(u'\t');
}

} // namespace picrows
