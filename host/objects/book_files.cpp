#include "host/objects/book_files.h"

#include "host/automation/host_error.h"
#include "host/model/workbook.h"
#include "host/xlsx/xlsx_io.h"

#include <QDir>
#include <QFileInfo>

namespace host::objects {

std::unique_ptr<model::Workbook> createWorkbookModel(int sheetCount)
{
    return xlsx::create(sheetCount);
}

std::unique_ptr<model::Workbook> loadWorkbookModel(const QString& path)
{
    if (!QFileInfo::exists(path))
        raise(err::ApplicationDefined,
              QStringLiteral("Sorry, we couldn't find ") + path +
                  QStringLiteral(". Is it possible it was moved, renamed or deleted?"));
    return xlsx::load(path);
}

void saveWorkbookModel(const model::Workbook& book, const QString& path)
{
    xlsx::save(book, path);
}

void copySheetModel(const model::Workbook& from, int index, model::Workbook& to, int insertAt,
                    const QString& newName)
{
    xlsx::copySheet(from, index, to, insertAt, newName);
}

QString absoluteBookPath(const QString& fileName, const QString& defaultFolder)
{
    const QDir base(defaultFolder.isEmpty() ? QDir::currentPath() : defaultFolder);
    return QDir::cleanPath(base.absoluteFilePath(fileName));
}

QString fileNameOf(const QString& fullName)
{
    const qsizetype slash = std::max(fullName.lastIndexOf(u'/'), fullName.lastIndexOf(u'\\'));
    return fullName.mid(slash + 1);
}

QString folderOf(const QString& fullName)
{
    const qsizetype slash = std::max(fullName.lastIndexOf(u'/'), fullName.lastIndexOf(u'\\'));
    return slash < 0 ? QString() : fullName.left(slash);
}

} // namespace host::objects
