#include "host_app/add_ins/add_in_list.h"

#include <QDir>
#include <QFileInfo>
#include <QSettings>
#include <QStandardPaths>

namespace host_app {

namespace {

const QString kFriendlyName = QStringLiteral("FriendlyName");
const QString kDescription = QStringLiteral("Description");
const QString kLoadBehavior = QStringLiteral("LoadBehavior");
const QString kLibrary = QStringLiteral("Library");

} // namespace

QString addInListPath()
{
    return QStandardPaths::writableLocation(QStandardPaths::GenericConfigLocation) +
           QStringLiteral("/picrows-host/addins.ini");
}

std::vector<AddInEntry> readAddInList(const QString& path)
{
    std::vector<AddInEntry> out;
    if (!QFileInfo::exists(path))
        return out;
    QSettings file(path, QSettings::IniFormat);
    for (const QString& group : file.childGroups()) {
        file.beginGroup(group);
        AddInEntry entry;
        entry.progId = group;
        entry.friendlyName = file.value(kFriendlyName, group).toString();
        entry.description = file.value(kDescription).toString();
        entry.loadBehavior = file.value(kLoadBehavior, 3).toInt();
        entry.library = file.value(kLibrary).toString();
        file.endGroup();
        if (!entry.library.isEmpty())
            out.push_back(std::move(entry));
    }
    return out;
}

bool writeAddInEntry(const QString& path, const AddInEntry& entry)
{
    QDir().mkpath(QFileInfo(path).absolutePath());
    QSettings file(path, QSettings::IniFormat);
    for (const QString& group : file.childGroups())
        if (group.compare(entry.progId, Qt::CaseInsensitive) == 0)
            file.remove(group);
    file.beginGroup(entry.progId);
    file.setValue(kFriendlyName, entry.friendlyName);
    file.setValue(kDescription, entry.description);
    file.setValue(kLoadBehavior, entry.loadBehavior);
    file.setValue(kLibrary, entry.library);
    file.endGroup();
    file.sync();
    return file.status() == QSettings::NoError;
}

} // namespace host_app
