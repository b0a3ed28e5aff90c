#include "host_app/add_ins/add_in_registration.h"

#include "host_app/add_ins/add_in_list.h"

#include <QDir>
#include <QFileInfo>

namespace host_app {

namespace {

QString findLibrary(const QString& programFolder, const QString& file)
{
    const QDir folder(programFolder);
    for (const QString& candidate :
         {folder.filePath(file), folder.filePath(QStringLiteral("../lib/picrows/") + file)}) {
        const QFileInfo info(candidate);
        if (info.isFile())
            return info.canonicalFilePath();
    }
    return {};
}

} // namespace

QStringList registerSuiteAddIns(const QString& programFolder, const QString& listPath)
{
    const AddInEntry suite[] = {
        {QStringLiteral("TORVA_Picrows.Connect"), QStringLiteral("TORVA_Picrows"),
         QStringLiteral("ピクロウアドイン"), 3, QStringLiteral("TORVA_Picrows.so")},
        {QStringLiteral("TORVA_PicrowsFor2007.Connect2"), QStringLiteral("TORVA_PicrowsFor2007"),
         QStringLiteral("ｻﾝﾌﾟﾙ ｱﾄﾞｲﾝ ﾌﾟﾛｼﾞｪｸﾄ"), 3, QStringLiteral("TORVA_PicrowsFor2007.so")},
    };
    QStringList registered;
    for (AddInEntry entry : suite) {
        entry.library = findLibrary(programFolder, entry.library);
        if (!entry.library.isEmpty() && writeAddInEntry(listPath, entry))
            registered << entry.progId;
    }
    return registered;
}

} // namespace host_app
