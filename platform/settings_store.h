#pragma once

#include <QString>

#include <memory>
#include <optional>
#include <stdexcept>

class QSettings;

namespace platform {

// The per-user settings store that the main program and the menu add-in share: the file
// "TORVA_PICROWS.ini" (the application name) in the user's configuration folder
// ($XDG_CONFIG_HOME, else ~/.config), one INI group per section ("setting", "position"), one
// `Key=Value` line per key, every value as text.
//
// File format (QSettings' INI format, UTF-8): keys are sorted within a group; a value is
// written bare unless it begins or ends with blanks or holds `,` `;` `=` `"` `\` or control
// characters, in which case it is put in double quotes with `\"`, `\\` and `\n`-style escapes;
// a value that begins with `@` is written with `@@`. Readers other than this class must undo
// the quoting; a bare value that holds commas is read back joined with ", ".
//
// Reads see the file as it was when the store was opened plus this store's own changes; a
// save writes through a lock file and a temporary file renamed into place, and keeps what
// other writers changed in the meantime in keys this store did not touch.
class SettingsStore
{
public:
    // The store in `configFolder`, or in the user's configuration folder when it is empty.
    explicit SettingsStore(const QString& configFolder = {});
    ~SettingsStore();

    SettingsStore(const SettingsStore&) = delete;
    SettingsStore& operator=(const SettingsStore&) = delete;

    static QString applicationName(); // "TORVA_PICROWS"
    static QString defaultFolder();
    QString filePath() const;

    // The stored text of a key, none when the key is missing. Keys and sections are matched
    // exactly as written.
    std::optional<QString> value(const QString& section, const QString& key) const;
    void setValue(const QString& section, const QString& key, const QString& value);
    void removeSection(const QString& section);

    // Writes the changes to the file; throws StoreError when the file cannot be written.
    void save();

private:
    std::unique_ptr<QSettings> m_settings;
};

class StoreError : public std::runtime_error
{
public:
    using std::runtime_error::runtime_error;
};

} // namespace platform
