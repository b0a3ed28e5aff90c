#pragma once

// What the add-ins' desktop tests share: a picrows-host started on the X display with an
// add-in list and a workbook of its own, the desktop tools that look at its windows and type
// into them, and the main program's insertion dialog found by its window. The including test
// target defines PICROWS_SOURCE_DIR and PICROWS_HOST_PROGRAM.

#include "host/running/running_hosts.h"
#include "host/xl/xl.h"

#include <QCoreApplication>
#include <QDir>
#include <QElapsedTimer>
#include <QFile>
#include <QProcess>
#include <QRegularExpression>
#include <QTemporaryDir>
#include <QThread>

#include <gtest/gtest.h>

#include <csignal>
#include <functional>

namespace test_support {

inline QString q(const char* text)
{
    return QString::fromUtf8(text);
}

// Runs a desktop tool and answers what it printed.
inline QString run(const QString& program, const QStringList& args)
{
    QProcess tool;
    tool.start(program, args);
    tool.waitForFinished(10000);
    return QString::fromUtf8(tool.readAllStandardOutput()).trimmed();
}

inline bool eventually(const std::function<bool()>& condition, int ms = 20000)
{
    QElapsedTimer waited;
    waited.start();
    while (waited.elapsed() < ms) {
        if (condition())
            return true;
        QThread::msleep(100);
        QCoreApplication::processEvents();
    }
    return condition();
}

// The top-level windows whose title is exactly `title`.
inline QStringList windowsTitled(const QString& title)
{
    const QString found = run(q("xdotool"), {q("search"), q("--onlyvisible"), q("--name"),
                                             u'^' + QRegularExpression::escape(title) + u'$'});
    return found.isEmpty() ? QStringList() : found.split(u'\n');
}

// A window property as xprop prints it, after the "=" or "#".
inline QString property(const QString& window, const char* name)
{
    const QString line = run(q("xprop"), {q("-id"), window, q(name)});
    const int at = line.lastIndexOf(QRegularExpression(q("[=#] ")));
    return at < 0 ? QString() : line.mid(at + 2).trimmed();
}

class AddinDesktopTest : public ::testing::Test
{
protected:
    // `addInList`: the user's add-in list (addins.ini) the host reads at start-up.
    explicit AddinDesktopTest(const QByteArray& addInList)
    {
        // The host, the main program and this test share the user's folders of this run.
        m_config = dir.filePath(q("config"));
        const QString runtime = dir.filePath(q("runtime"));
        QDir().mkpath(m_config + q("/picrows-host"));
        QDir().mkpath(runtime);
        QFile::setPermissions(runtime, QFile::ReadOwner | QFile::WriteOwner | QFile::ExeOwner);
        qputenv("XDG_CONFIG_HOME", m_config.toUtf8());
        qputenv("XDG_RUNTIME_DIR", runtime.toUtf8());
        QFile list(m_config + q("/picrows-host/addins.ini"));
        list.open(QIODevice::WriteOnly);
        list.write(addInList);
        list.close();
        m_book = dir.filePath(q("photo_album.xlsx"));
        QFile::copy(q(PICROWS_SOURCE_DIR "/samples/photo_album.xlsx"), m_book);
    }
    ~AddinDesktopTest() override
    {
        closeMainProgram();
        m_host.kill();
        m_host.waitForFinished();
    }

    // Starts the host as version `version` and waits for its window and its automation.
    void startHost(const char* version)
    {
        QProcessEnvironment env = QProcessEnvironment::systemEnvironment();
        env.remove(q("QT_QPA_PLATFORM"));
        m_host.setProcessEnvironment(env);
        m_host.start(q(PICROWS_HOST_PROGRAM), {q("--version"), q(version), m_book});
        ASSERT_TRUE(m_host.waitForStarted());
        ASSERT_TRUE(eventually([&] {
            m_app = xl::Application(host::running::RunningHosts::instance().bindToFile(m_book));
            return !m_app.isNothing();
        })) << m_host.readAllStandardError().toStdString();
        m_window = QString::number(m_app.get(q("Hwnd")).toInt32());
        ASSERT_TRUE(eventually([&] { return !windowsTitled(m_app.Caption()).isEmpty(); }));
    }

    // Keys into a window, the host's main window unless another is named; "+shift" and
    // "-shift" press and release a key.
    void keys(const QStringList& sequence, const QString& window = {})
    {
        run(q("xdotool"), {q("windowfocus"), q("--sync"), window.isEmpty() ? m_window : window});
        for (const QString& key : sequence) {
            if (key.startsWith(u'+') || key.startsWith(u'-'))
                run(q("xdotool"), {key.startsWith(u'+') ? q("keydown") : q("keyup"), key.mid(1)});
            else
                run(q("xdotool"), {q("key"), key});
            QThread::msleep(300);
        }
    }

    // The main program's insertion dialog: its window, once one shows.
    QString insertionDialog(int ms = 20000)
    {
        QString found;
        eventually(
            [&] {
                for (const QString& w : windowsTitled(q("ピクロウアドイン")))
                    if (property(w, "WM_CLASS").contains(q("TORVA_PicrowsMain")))
                        found = w;
                return !found.isEmpty();
            },
            ms);
        return found;
    }

    void closeMainProgram()
    {
        for (const QString& w : windowsTitled(q("ピクロウアドイン"))) {
            const qint64 pid = property(w, "_NET_WM_PID").toLongLong();
            if (pid > 0 && property(w, "WM_CLASS").contains(q("TORVA_PicrowsMain")))
                ::kill(pid_t(pid), SIGTERM);
        }
        eventually([] { return windowsTitled(q("ピクロウアドイン")).isEmpty(); }, 10000);
    }

    QTemporaryDir dir;
    QString m_config;
    QString m_book;
    QProcess m_host;
    xl::Application m_app;
    QString m_window;
};

} // namespace test_support
