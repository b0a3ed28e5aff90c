#pragma once

#include <QString>

namespace menu_addin {

// The two options the menu add-in reads from the settings store that it shares with the main
// program (section "setting"), read once when the object is made. A fresh object is made at
// every use, so a change made in the main program's settings dialog counts from the next use.
class c_Setting
{
public:
    // The store in `configFolder`; empty: the user's configuration folder.
    explicit c_Setting(const QString& configFolder = {});

    bool DefaultCommandHookOn() const { return m_defaultCommandHookOn; }
    bool ReTrimmingAdd() const { return m_reTrimmingAdd; }

    // "True" and "False" (letter case ignored) and numbers (non-zero is true) read as a
    // Boolean; any other text reads as False.
    static bool readBoolean(const QString& text);

private:
    bool m_defaultCommandHookOn = false;
    bool m_reTrimmingAdd = true;
};

// Where c_Setting objects read from unless told otherwise (tests point it at their folder).
void setSettingFolder(const QString& folder);

} // namespace menu_addin
