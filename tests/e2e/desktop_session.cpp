#include "tests/e2e/desktop_session.h"

#include "host/automation/host_error.h"
#include "host/running/running_hosts.h"
#include "host/xl/workbook.h"

#include <QDir>
#include <QElapsedTimer>
#include <QFileInfo>
#include <QTest>

#include <X11/Xatom.h>
#include <X11/Xlib.h>
#include <X11/Xutil.h>

namespace e2e {

namespace {

QProcess* g_windowManager = nullptr;

QString q(const char* text)
{
    return QString::fromUtf8(text);
}

} // namespace

int runTool(const QString& program, const QStringList& args, int ms, QByteArray* output)
{
    QProcess tool;
    tool.start(program, args);
    if (!tool.waitForStarted(5000))
        return -1;
    // The event loop keeps running: a dialog of this process may be what the tool waits for.
    QElapsedTimer clock;
    clock.start();
    while (tool.state() != QProcess::NotRunning && clock.elapsed() < ms)
        QTest::qWait(20);
    if (tool.state() != QProcess::NotRunning) {
        tool.kill();
        tool.waitForFinished();
        return -1;
    }
    if (output)
        *output = tool.readAllStandardOutput();
    return tool.exitStatus() == QProcess::NormalExit ? tool.exitCode() : -1;
}

bool DesktopSession::startWindowManager()
{
    if (g_windowManager)
        return true;
    g_windowManager = new QProcess;
    g_windowManager->start(q("openbox"), {q("--sm-disable")});
    if (!g_windowManager->waitForStarted(5000))
        return false;
    // The manager has taken over once it names itself on the root window.
    Display* display = XOpenDisplay(nullptr);
    if (!display)
        return false;
    const Atom check = XInternAtom(display, "_NET_SUPPORTING_WM_CHECK", False);
    bool running = false;
    for (int i = 0; i < 100 && !running; ++i) {
        Atom type = 0;
        int format = 0;
        unsigned long count = 0;
        unsigned long after = 0;
        unsigned char* data = nullptr;
        running = XGetWindowProperty(display, DefaultRootWindow(display), check, 0, 1, False,
                                     XA_WINDOW, &type, &format, &count, &after, &data) == Success &&
                  count == 1;
        if (data)
            XFree(data);
        if (!running)
            QTest::qWait(50);
    }
    XCloseDisplay(display);
    return running;
}

void DesktopSession::stopWindowManager()
{
    if (!g_windowManager)
        return;
    g_windowManager->terminate();
    if (!g_windowManager->waitForFinished(3000)) {
        g_windowManager->kill();
        g_windowManager->waitForFinished();
    }
    delete g_windowManager;
    g_windowManager = nullptr;
}

DesktopSession::DesktopSession(const QString& runtime, const QString& config)
    : m_env(QProcessEnvironment::systemEnvironment())
{
    QDir().mkpath(runtime);
    QFile::setPermissions(runtime,
                          QFileDevice::ReadOwner | QFileDevice::WriteOwner | QFileDevice::ExeOwner);
    m_env.insert(q("XDG_RUNTIME_DIR"), runtime);
    m_env.insert(q("XDG_CONFIG_HOME"), config);
    m_env.remove(q("QT_QPA_PLATFORM"));
    // This process finds the host in the same registry.
    qputenv("XDG_RUNTIME_DIR", QFile::encodeName(runtime));
}

DesktopSession::~DesktopSession()
{
    m_app = xl::Application();
    if (m_host.state() != QProcess::NotRunning) {
        m_host.terminate();
        if (!m_host.waitForFinished(5000)) {
            m_host.kill();
            m_host.waitForFinished();
        }
    }
}

bool DesktopSession::startHost(const QString& book)
{
    m_host.setProcessEnvironment(m_env);
    m_host.start(q(PICROWS_HOST_PROGRAM), {book});
    if (!m_host.waitForStarted(5000))
        return false;
    const QString fullName = QFileInfo(book).absoluteFilePath();
    QElapsedTimer clock;
    clock.start();
    while (clock.elapsed() < 30000 && m_host.state() == QProcess::Running) {
        try {
            const xl::Application app(host::running::RunningHosts::instance().bindToFile(fullName));
            if (!app.isNothing()) {
                m_app = app;
                m_hostWindow = app.get(q("Hwnd")).toInt32();
                // The window is mapped and named once the manager has framed it.
                if (m_hostWindow != 0 && !windowsOf(m_host.processId(), 1, 10000).isEmpty())
                    return true;
            }
        } catch (const host::HostError&) {
        }
        QTest::qWait(100);
    }
    return false;
}

namespace {

// Keys go where the focus is: the window must be the active one before they are typed. A
// dialog just shown may still take the focus from it, so activation is checked and repeated.
bool activate(std::int64_t window)
{
    for (int attempt = 0; attempt < 20; ++attempt) {
        runTool(q("xdotool"), {q("windowactivate"), q("--sync"), QString::number(window)});
        QTest::qWait(150);
        QByteArray active;
        if (runTool(q("xdotool"), {q("getactivewindow")}, 5000, &active) == 0 &&
            active.trimmed().toLongLong() == window)
            return true;
    }
    return false;
}

} // namespace

bool DesktopSession::keys(std::int64_t window, const QStringList& keys)
{
    if (!activate(window))
        return false;
    return runTool(q("xdotool"),
                   QStringList{q("key"), q("--clearmodifiers"), q("--delay"), q("60")} + keys) == 0;
}

bool DesktopSession::typeText(std::int64_t window, const QString& text)
{
    if (!activate(window))
        return false;
    return runTool(q("xdotool"), {q("type"), q("--delay"), q("20"), text}) == 0;
}

bool DesktopSession::click(std::int64_t window, int x, int y)
{
    if (!activate(window))
        return false;
    return runTool(q("xdotool"),
                   {q("mousemove"), q("--window"), QString::number(window), q("--sync"),
                    QString::number(x), QString::number(y), q("click"), q("1")}) == 0;
}

bool DesktopSession::clickOnScreen(std::int64_t window, int x, int y)
{
    if (!activate(window))
        return false;
    return runTool(q("xdotool"), {q("mousemove"), q("--sync"), QString::number(x),
                                  QString::number(y), q("click"), q("1")}) == 0;
}

QList<std::int64_t> DesktopSession::windowsOf(qint64 pid, int count, int ms)
{
    QList<std::int64_t> found;
    QElapsedTimer clock;
    clock.start();
    do {
        found.clear();
        QByteArray out;
        runTool(q("xdotool"), {q("search"), q("--onlyvisible"), q("--pid"), QString::number(pid)},
                5000, &out);
        for (const QByteArray& line : out.split('\n'))
            if (!line.trimmed().isEmpty())
                found << line.trimmed().toLongLong();
        if (found.size() >= count)
            return found;
        QTest::qWait(100);
    } while (clock.elapsed() < ms);
    return found;
}

std::int64_t DesktopSession::ownerOf(std::int64_t window)
{
    Display* display = XOpenDisplay(nullptr);
    if (!display)
        return 0;
    Window owner = 0;
    if (!XGetTransientForHint(display, Window(window), &owner))
        owner = 0;
    XCloseDisplay(display);
    return std::int64_t(owner);
}

} // namespace e2e
