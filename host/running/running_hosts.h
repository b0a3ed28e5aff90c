#pragma once

#include "host/automation/variant.h"

#include <QString>
#include <QStringList>

#include <cstdint>
#include <map>
#include <memory>
#include <mutex>
#include <vector>

// The desktop's view of the spreadsheet hosts that are running: which main window each one
// has, and which workbook files each one holds open. The main program finds the host that
// started it here, by the workbook's file and by the window id on its command line.
namespace host::running {

// The window class of a host's main window.
inline const QString kHostWindowClass = QStringLiteral("XLMAIN");

// One running host. A host in this process answers from its Application object; a host in
// another process answers from its registry entry and through its connection (RemoteHost).
class RunningHost
{
public:
    virtual ~RunningHost();

    virtual std::int32_t windowId() const = 0;
    virtual QString windowClass() const { return kHostWindowClass; }
    // The title of the main window as the window manager shows it.
    virtual QString windowTitle() const = 0;
    // None for a host that has gone since it was listed.
    virtual ObjectRef application() const = 0;
    // The full names of the workbooks it holds open that are files (saved at least once);
    // a book never saved has no file and is not listed.
    virtual QStringList openFiles() const = 0;
};

// A host living in this process. Its window title is its Application's Caption unless a test
// gives the window another title.
class InProcessHost : public RunningHost
{
public:
    InProcessHost(ObjectRef application, std::int32_t windowId);

    std::int32_t windowId() const override { return m_windowId; }
    QString windowTitle() const override;
    ObjectRef application() const override { return m_application; }
    QStringList openFiles() const override;

    void setWindowTitle(const QString& title)
    {
        m_title = title;
        m_hasTitle = true;
    }
    void useCaptionAsTitle() { m_hasTitle = false; }
    void setWindowId(std::int32_t windowId) { m_windowId = windowId; }

private:
    ObjectRef m_application;
    std::int32_t m_windowId;
    QString m_title;
    bool m_hasTitle = false;
};

class RemoteHost;

// The table of running hosts: those of this process in the order they registered, then those
// that other processes of this user serve, in the order they registered (the registry of
// running hosts; entries of hosts that have gone are ignored and removed).
class RunningHosts
{
public:
    static RunningHosts& instance();

    int add(std::shared_ptr<RunningHost> host); // answers a cookie for remove()
    void remove(int cookie);
    std::vector<std::shared_ptr<RunningHost>> hosts() const;

    // The Application of the first host that holds the file `fullName` open (compared
    // exactly, as file names are); none when no host holds it.
    ObjectRef bindToFile(const QString& fullName) const;
    // The Application of the host registered first; none when no host runs.
    ObjectRef activeApplication() const;
    // The id of the first top-level window with this class and exactly this title; 0 if none.
    std::int32_t findWindow(const QString& windowClass, const QString& title) const;

private:
    std::vector<std::shared_ptr<RunningHost>> otherProcesses() const;

    mutable std::mutex m_mutex;
    std::vector<std::pair<int, std::shared_ptr<RunningHost>>> m_hosts;
    int m_nextCookie = 1;
    // The hosts of other processes by entry, so that their connections are shared.
    mutable std::map<QString, std::shared_ptr<RemoteHost>> m_remote;
};

// Registers a host for the lifetime of this object.
class Registration
{
public:
    explicit Registration(std::shared_ptr<RunningHost> host)
        : m_cookie(RunningHosts::instance().add(std::move(host)))
    {
    }
    ~Registration() { RunningHosts::instance().remove(m_cookie); }
    Registration(const Registration&) = delete;
    Registration& operator=(const Registration&) = delete;

private:
    int m_cookie;
};

} // namespace host::running
