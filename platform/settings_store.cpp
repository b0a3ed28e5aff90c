#include "platform/settings_store.h"

#include <QDir>
#include <QSettings>
#include <QStandardPaths>
#include <QStringList>

namespace platform {

SettingsStore::SettingsStore(const QString& configFolder)
{
    const QString folder = configFolder.isEmpty() ? defaultFolder() : configFolder;
    m_settings = std::make_unique<QSettings>(
        QDir(folder).filePath(applicationName() + QStringLiteral(".ini")), QSettings::IniFormat);
}

SettingsStore::~SettingsStore() = default;

QString SettingsStore::applicationName()
{
    return QStringLiteral("TORVA_PICROWS");
}

QString SettingsStore::defaultFolder()
{
    // $XDG_CONFIG_HOME when it is an absolute path, else ~/.config.
    return QStandardPaths::writableLocation(QStandardPaths::GenericConfigLocation);
}

QString SettingsStore::filePath() const
{
    return m_settings->fileName();
}

namespace {

QString keyOf(const QString& section, const QString& key)
{
    return section + QLatin1Char('/') + key;
}

} // namespace

std::optional<QString> SettingsStore::value(const QString& section, const QString& key) const
{
    const QVariant v = m_settings->value(keyOf(section, key));
    if (!v.isValid())
        return std::nullopt;
    // A bare value with commas reads as a list.
    if (v.typeId() == QMetaType::QStringList)
        return v.toStringList().join(QStringLiteral(", "));
    return v.toString();
}

void SettingsStore::setValue(const QString& section, const QString& key, const QString& value)
{
    m_settings->setValue(keyOf(section, key), value);
}

void SettingsStore::removeSection(const QString& section)
{
    m_settings->remove(section);
}

void SettingsStore::save()
{
    m_settings->sync();
    if (m_settings->status() == QSettings::AccessError)
        throw StoreError("the settings file " + QDir::toNativeSeparators(filePath()).toStdString() +
                         " cannot be written");
}

} // namespace platform
