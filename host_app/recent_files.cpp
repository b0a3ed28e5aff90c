#include "host_app/recent_files.h"

#include <QDir>
#include <QFileInfo>
#include <QSettings>
#include <QStandardPaths>

namespace host_app {

namespace {

const QString kKey = QStringLiteral("recent/files");

QString defaultPath()
{
    const QString folder = QStandardPaths::writableLocation(QStandardPaths::GenericConfigLocation);
    return folder + QStringLiteral("/picrows-host/recent.ini");
}

} // namespace

RecentFiles::RecentFiles(QString iniPath)
    : m_path(iniPath.isEmpty() ? defaultPath() : std::move(iniPath))
{
    const QSettings settings(m_path, QSettings::IniFormat);
    m_files = settings.value(kKey).toStringList();
}

void RecentFiles::add(const QString& fullName)
{
    m_files.removeAll(fullName);
    m_files.prepend(fullName);
    while (m_files.size() > kMaxFiles)
        m_files.removeLast();
    save();
}

void RecentFiles::remove(const QString& fullName)
{
    if (m_files.removeAll(fullName))
        save();
}

void RecentFiles::save() const
{
    QDir().mkpath(QFileInfo(m_path).absolutePath());
    QSettings settings(m_path, QSettings::IniFormat);
    settings.setValue(kKey, m_files);
}

} // namespace host_app
