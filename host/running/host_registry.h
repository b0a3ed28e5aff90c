#pragma once

#include <QString>
#include <QStringList>

#include <cstdint>
#include <vector>

// The registry of running hosts that spans processes: one entry file per serving host, beside
// its socket in the user's socket folder. Only the user can enter the folder, so what is
// found there was written by the user's own hosts.
namespace host::running {

struct HostEntry
{
    QString id;               // the entry's file name without ".host"
    QString socket;           // where the host answers
    qint64 pid = 0;           // the host's process
    quint64 processStart = 0; // when that process started, to tell a reused process id
    qint64 registered = 0;    // milliseconds since the epoch, for the order of registration
    std::int32_t windowId = 0;
    QString title;     // the main window's title
    QStringList files; // full names of its open workbooks that are files

    friend bool operator==(const HostEntry&, const HostEntry&) = default;
};

// When process `pid` started (clock ticks since boot); 0 when there is no such process.
quint64 processStartTime(qint64 pid);

class HostRegistry
{
public:
    explicit HostRegistry(QString folder) : m_folder(std::move(folder)) {}

    // The user's registry (its socket folder); empty, with the reason, when the folder is
    // refused.
    static HostRegistry forUser(QString* error = nullptr);

    bool isValid() const { return !m_folder.isEmpty(); }
    const QString& folder() const { return m_folder; }

    // The entries of hosts that still run, in the order they registered. Entries of hosts
    // that are gone (their process ended, or their socket refuses) are removed on the way.
    std::vector<HostEntry> entries() const;
    // Written beside the old one and renamed over it: readers see one or the other.
    bool write(const HostEntry& entry, QString* error = nullptr) const;
    void remove(const HostEntry& entry) const;

    // Whether the entry's host still runs: its process, started when the entry says, with its
    // socket answering.
    static bool isLive(const HostEntry& entry);

    QString entryPath(const QString& id) const;

private:
    QString m_folder;
};

} // namespace host::running
