#pragma once

#include <QString>

#include <memory>

class QLockFile;

namespace picrows {

// Holds the main program's instance lock while it lives. A lock left behind by a process
// that has ended is taken over; one held by a running process is never stale, however long it
// has been held.
class InstanceLock
{
public:
    explicit InstanceLock(const QString& path = defaultPath());
    ~InstanceLock();

    bool acquired() const { return m_acquired; }

    // The lock file in the user's runtime folder.
    static QString defaultPath();

private:
    std::unique_ptr<QLockFile> m_lock;
    bool m_acquired = false;
};

} // namespace picrows
