#pragma once

#include "host/xl/application.h"

#include <QProcess>
#include <QProcessEnvironment>
#include <QString>
#include <QStringList>

#include <cstdint>
#include <memory>

namespace e2e {

// The X display as a user meets it: a window manager, the host application with a workbook
// and keys typed from outside through XTest (xdotool). The host runs in a process of its own;
// this process reaches it through the registry of running hosts, as the main program does.
class DesktopSession
{
public:
    // Starts the window manager once for the whole test program.
    static bool startWindowManager();
    static void stopWindowManager();

    // `runtime` is the private folder the registry lives in (XDG_RUNTIME_DIR), `config` the
    // host's and the main program's settings (XDG_CONFIG_HOME).
    DesktopSession(const QString& runtime, const QString& config);
    ~DesktopSession();

    // Starts picrows-host on `book` and waits until it serves it; answers whether it does.
    bool startHost(const QString& book);
    xl::Application& app() { return m_app; }
    std::int32_t hostWindow() const { return m_hostWindow; }
    qint64 hostPid() const { return m_host.processId(); }
    QByteArray hostErrors() { return m_host.readAllStandardError(); }

    QProcessEnvironment environment() const { return m_env; }

    // Activates a window and types keys into it ("ctrl+Home", "Right", "Return").
    static bool keys(std::int64_t window, const QStringList& keys);
    static bool typeText(std::int64_t window, const QString& text);
    // A click of the left button at `x`, `y` pixels of the window's inside.
    static bool click(std::int64_t window, int x, int y);
    // The same at `x`, `y` pixels of the screen, with `window` activated first.
    static bool clickOnScreen(std::int64_t window, int x, int y);
    // The visible windows of a process, waiting up to `ms` for at least `count`.
    static QList<std::int64_t> windowsOf(qint64 pid, int count = 1, int ms = 15000);
    // The window that `window` is transient for (its owner), 0 when none.
    static std::int64_t ownerOf(std::int64_t window);

private:
    QProcessEnvironment m_env;
    QProcess m_host;
    xl::Application m_app;
    std::int32_t m_hostWindow = 0;
};

// Runs a program to its end (at most `ms`); its exit code, or -1 when it did not end.
int runTool(const QString& program, const QStringList& args, int ms = 15000,
            QByteArray* output = nullptr);

} // namespace e2e
