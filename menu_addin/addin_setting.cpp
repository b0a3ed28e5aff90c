#include "menu_addin/addin_setting.h"

#include "platform/settings_store.h"

namespace menu_addin {

namespace {

QString& settingFolderOverride()
{
    static QString folder;
    return folder;
}

} // namespace

void setSettingFolder(const QString& folder)
{
    settingFolderOverride() = folder;
}

bool c_Setting::readBoolean(const QString& text)
{
    const QString trimmed = text.trimmed();
    if (trimmed.compare(QStringLiteral("True"), Qt::CaseInsensitive) == 0)
        return true;
    bool number = false;
    const double value = trimmed.toDouble(&number);
    return number && value != 0;
}

c_Setting::c_Setting(const QString& configFolder)
{
    const platform::SettingsStore store(configFolder.isEmpty() ? settingFolderOverride()
                                                               : configFolder);
    const QString section = QStringLiteral("setting");
    m_defaultCommandHookOn =
        readBoolean(store.value(section, QStringLiteral("DefaultCommandHookOn"))
                        .value_or(QStringLiteral("False")));
    m_reTrimmingAdd = readBoolean(
        store.value(section, QStringLiteral("ReTrimmingAdd")).value_or(QStringLiteral("True")));
}

} // namespace menu_addin
