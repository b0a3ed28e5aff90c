#pragma once

#include <QString>
#include <QStringList>

namespace host_app {

// The workbooks opened or saved most recently, newest first, kept in an INI file of the host
// application's own (not the suite's settings).
class RecentFiles
{
public:
    // `iniPath` empty: recent.ini in the user's configuration folder for picrows-host.
    explicit RecentFiles(QString iniPath = {});

    QStringList files() const { return m_files; }
    void add(const QString& fullName);
    void remove(const QString& fullName);

    static constexpr int kMaxFiles = 9;

private:
    void save() const;

    QString m_path;
    QStringList m_files;
};

} // namespace host_app
