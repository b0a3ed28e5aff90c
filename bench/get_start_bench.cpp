// Times the main program's start with the "get" command against a running host application:
// from starting TORVA_PicrowsMain to its insertion dialog being mapped on the X display, over
// several starts (median and worst), against a bare Qt widget program started and shown the
// same way in the same run (the floor any Qt program pays to reach the screen).
//
//   xvfb-run -a get_start_bench [--runs 10] [--command get]
//   get_start_bench --window      the baseline: one empty top-level window, ends on SIGTERM
//
// The host runs with its own runtime and configuration folders in a temporary folder, so the
// user's running hosts, settings and add-ins play no part.

#include "host/automation/host_error.h"
#include "host/running/running_hosts.h"
#include "host/xl/application.h"

#include <QApplication>
#include <QCommandLineParser>
#include <QDir>
#include <QElapsedTimer>
#include <QFile>
#include <QFileInfo>
#include <QProcess>
#include <QTemporaryDir>
#include <QThread>
#include <QWidget>

#include <X11/Xatom.h>
#include <X11/Xlib.h>
#include <sys/select.h>

#include <algorithm>
#include <cstdio>
#include <optional>
#include <vector>

namespace {

QString q(const char* text)
{
    return QString::fromUtf8(text);
}

// Top-level windows being mapped on the display, with the process that made them.
class MapWatch
{
public:
    MapWatch() : m_display(XOpenDisplay(nullptr))
    {
        if (m_display) {
            XSelectInput(m_display, DefaultRootWindow(m_display), SubstructureNotifyMask);
            m_pidAtom = XInternAtom(m_display, "_NET_WM_PID", False);
            XSync(m_display, False);
        }
    }
    ~MapWatch()
    {
        if (m_display)
            XCloseDisplay(m_display);
    }
    bool ok() const { return m_display != nullptr; }

    // Waits for a top-level window of process `pid` at least `minWidth` wide to be mapped;
    // its id, or none when the time runs out.
    std::optional<Window> waitForWindowOf(qint64 pid, int minWidth, int timeoutMs)
    {
        QElapsedTimer clock;
        clock.start();
        while (clock.elapsed() < timeoutMs) {
            while (XPending(m_display)) {
                XEvent event;
                XNextEvent(m_display, &event);
                if (event.type != MapNotify)
                    continue;
                const Window window = event.xmap.window;
                XWindowAttributes attributes;
                if (pidOf(window) == pid && XGetWindowAttributes(m_display, window, &attributes) &&
                    attributes.width >= minWidth)
                    return window;
            }
            fd_set read;
            FD_ZERO(&read);
            const int fd = ConnectionNumber(m_display);
            FD_SET(fd, &read);
            timeval wait{0, 2000};
            select(fd + 1, &read, nullptr, nullptr, &wait);
        }
        return std::nullopt;
    }

private:
    qint64 pidOf(Window window) const
    {
        Atom type = None;
        int format = 0;
        unsigned long count = 0;
        unsigned long after = 0;
        unsigned char* data = nullptr;
        qint64 pid = -1;
        if (XGetWindowProperty(m_display, window, m_pidAtom, 0, 1, False, XA_CARDINAL, &type,
                               &format, &count, &after, &data) == Success &&
            data && count == 1 && format == 32)
            pid = qint64(*reinterpret_cast<unsigned long*>(data));
        if (data)
            XFree(data);
        return pid;
    }

    Display* m_display;
    Atom m_pidAtom = None;
};

void stop(QProcess& process)
{
    if (process.state() == QProcess::NotRunning)
        return;
    process.terminate();
    if (!process.waitForFinished(5000)) {
        process.kill();
        process.waitForFinished();
    }
}

// Milliseconds from starting `program` to its first window at least `minWidth` wide being
// mapped; the program is ended afterwards.
std::optional<double> timeToWindow(MapWatch& watch, const QProcessEnvironment& env,
                                   const QString& program, const QStringList& args, int minWidth)
{
    QProcess process;
    process.setProcessEnvironment(env);
    process.setProcessChannelMode(QProcess::ForwardedErrorChannel);
    QElapsedTimer clock;
    clock.start();
    process.start(program, args);
    if (!process.waitForStarted(5000))
        return std::nullopt;
    const std::optional<Window> window =
        watch.waitForWindowOf(process.processId(), minWidth, 10000);
    const double ms = double(clock.nsecsElapsed()) / 1e6;
    stop(process);
    if (!window)
        return std::nullopt;
    return ms;
}

struct Spread
{
    double median = 0;
    double worst = 0;
};

Spread spreadOf(std::vector<double> values)
{
    std::sort(values.begin(), values.end());
    return {values[values.size() / 2], values.back()};
}

int showWindow(int argc, char** argv)
{
    QApplication app(argc, argv);
    QWidget window;
    window.resize(400, 300);
    window.show();
    return QApplication::exec();
}

int bench(int argc, char** argv)
{
    QApplication app(argc, argv);
    QCommandLineParser parser;
    const QCommandLineOption runsOption(q("runs"), q("Starts of each program."), q("N"), q("10"));
    const QCommandLineOption commandOption(
        q("command"), q("The command word to start with (its first window is timed)."), q("WORD"),
        q("get"));
    parser.addOption(runsOption);
    parser.addOption(commandOption);
    parser.process(app);
    const int runs = std::max(1, parser.value(runsOption).toInt());

    MapWatch watch;
    if (!watch.ok() || QGuiApplication::platformName() != q("xcb")) {
        std::fprintf(stderr, "get_start_bench: needs an X display (run under xvfb-run -a)\n");
        return 2;
    }
    const QString bin = QCoreApplication::applicationDirPath();
    const QString hostProgram = bin + q("/picrows-host");
    const QString mainProgram = bin + q("/TORVA_PicrowsMain");
    for (const QString& program : {hostProgram, mainProgram})
        if (!QFileInfo(program).isExecutable()) {
            std::fprintf(stderr, "get_start_bench: %s is not built\n", qPrintable(program));
            return 2;
        }

    QTemporaryDir work;
    const QString runtime = work.filePath(q("runtime"));
    QDir().mkpath(runtime);
    QFile::setPermissions(runtime,
                          QFileDevice::ReadOwner | QFileDevice::WriteOwner | QFileDevice::ExeOwner);
    QProcessEnvironment env = QProcessEnvironment::systemEnvironment();
    env.insert(q("XDG_RUNTIME_DIR"), runtime);
    env.insert(q("XDG_CONFIG_HOME"), work.filePath(q("config")));
    env.insert(q("QT_QPA_PLATFORM"), q("xcb"));
    qputenv("XDG_RUNTIME_DIR", QFile::encodeName(runtime));

    const QString book = work.filePath(q("album.xlsx"));
    if (!QFile::copy(q(PICROWS_SOURCE_DIR "/samples/photo_album.xlsx"), book)) {
        std::fprintf(stderr, "get_start_bench: the sample workbook is missing\n");
        return 2;
    }
    QProcess host;
    host.setProcessEnvironment(env);
    host.setProcessChannelMode(QProcess::ForwardedErrorChannel);
    host.start(hostProgram, {book});
    std::int32_t hostWindow = 0;
    QElapsedTimer clock;
    clock.start();
    while (hostWindow == 0 && clock.elapsed() < 30000 && host.state() != QProcess::NotRunning) {
        try {
            const xl::Application running(host::running::RunningHosts::instance().bindToFile(book));
            if (!running.isNothing())
                hostWindow = running.get(q("Hwnd")).toInt32();
        } catch (const host::HostError&) {
        }
        if (hostWindow == 0)
            QThread::msleep(50);
    }
    if (hostWindow == 0) {
        std::fprintf(stderr, "get_start_bench: the host did not come up\n");
        stop(host);
        return 1;
    }

    const QString word = parser.value(commandOption);
    const QString line = book + u'\t' + QString::number(hostWindow) + u'\t' + word;
    std::vector<double> get;
    std::vector<double> floor;
    for (int i = 0; i < runs; ++i) {
        // The dialog, not a message box: frmGet is far wider than the smallest box.
        const std::optional<double> dialog =
            timeToWindow(watch, env, mainProgram, {line}, word == q("get") ? 300 : 100);
        const std::optional<double> bare =
            timeToWindow(watch, env, QCoreApplication::applicationFilePath(), {q("--window")}, 300);
        if (!dialog || !bare) {
            std::fprintf(stderr, "get_start_bench: run %d: no window came up\n", i + 1);
            stop(host);
            return 1;
        }
        get.push_back(*dialog);
        floor.push_back(*bare);
    }
    stop(host);

    const Spread g = spreadOf(get);
    const Spread f = spreadOf(floor);
    std::printf("get_start_bench: %d starts each, host on %s\n", runs, qPrintable(book));
    std::printf("  TORVA_PicrowsMain \"%s\" to its window    median %7.1f ms  worst %7.1f ms\n",
                qPrintable(word), g.median, g.worst);
    std::printf("  bare Qt window shown (baseline)          median %7.1f ms  worst %7.1f ms\n",
                f.median, f.worst);
    std::printf("  ratio (median)                           %7.2f\n", g.median / f.median);
    std::printf("  target: median under 400 ms              %s\n",
                g.median < 400 ? "met" : "NOT met");
    return 0;
}

} // namespace

int main(int argc, char** argv)
{
    for (int i = 1; i < argc; ++i)
        if (qstrcmp(argv[i], "--window") == 0)
            return showWindow(argc, argv);
    return bench(argc, argv);
}
