// On a real X display (Xvfb): picrows-host --version 11 loads the menu add-in from the user's
// add-in list; keys pressed into the host window open the suite's menu and its insertion item,
// and the main program's insertion dialog opens owned by the host window; the host's own
// insert-picture command is taken over as DefaultCommandHookOn and the Shift key say. The
// published object is called across processes through the remote channel.
#include "host/automation/host_error.h"
#include "host/running/running_hosts.h"
#include "host/xl/xl.h"
#include "platform/settings_store.h"

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

namespace {

QString q(const char* text)
{
    return QString::fromUtf8(text);
}

// Runs a desktop tool and answers what it printed.
QString run(const QString& program, const QStringList& args)
{
    QProcess tool;
    tool.start(program, args);
    tool.waitForFinished(10000);
    return QString::fromUtf8(tool.readAllStandardOutput()).trimmed();
}

bool eventually(const std::function<bool()>& condition, int ms = 20000)
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
QStringList windowsTitled(const QString& title)
{
    const QString found = run(q("xdotool"), {q("search"), q("--onlyvisible"), q("--name"),
                                             u'^' + QRegularExpression::escape(title) + u'$'});
    return found.isEmpty() ? QStringList() : found.split(u'\n');
}

// A window property as xprop prints it, after the "=" or "#".
QString property(const QString& window, const char* name)
{
    const QString line = run(q("xprop"), {q("-id"), window, q(name)});
    const int at = line.lastIndexOf(QRegularExpression(q("[=#] ")));
    return at < 0 ? QString() : line.mid(at + 2).trimmed();
}

class DesktopEndToEnd : public ::testing::Test
{
protected:
    DesktopEndToEnd()
    {
        // The host, the main program and this test share the user's folders of this run.
        const QString config = dir.filePath(q("config"));
        const QString runtime = dir.filePath(q("runtime"));
        QDir().mkpath(config + q("/picrows-host"));
        QDir().mkpath(runtime);
        QFile::setPermissions(runtime, QFile::ReadOwner | QFile::WriteOwner | QFile::ExeOwner);
        qputenv("XDG_CONFIG_HOME", config.toUtf8());
        qputenv("XDG_RUNTIME_DIR", runtime.toUtf8());
        m_config = config;
        QFile list(config + q("/picrows-host/addins.ini"));
        list.open(QIODevice::WriteOnly);
        list.write(
            "[TORVA_Picrows.Connect]\nDescription=ピクロウアドイン\nFriendlyName=TORVA_Picrows\n"
            "LoadBehavior=3\nLibrary=" PICROWS_MENU_ADDIN "\n");
        list.close();
        m_book = dir.filePath(q("photo_album.xlsx"));
        QFile::copy(q(PICROWS_SOURCE_DIR "/samples/photo_album.xlsx"), m_book);
        setHook("False");
    }
    ~DesktopEndToEnd() override
    {
        closeMainProgram();
        m_host.kill();
        m_host.waitForFinished();
        run(q("xdotool"), {q("keyup"), q("shift")});
    }

    void setHook(const char* value)
    {
        platform::SettingsStore store(m_config);
        store.setValue(q("setting"), q("DefaultCommandHookOn"), q(value));
        store.save();
    }

    // Starts the host and waits for its window and its automation.
    void startHost()
    {
        QProcessEnvironment env = QProcessEnvironment::systemEnvironment();
        env.remove(q("QT_QPA_PLATFORM"));
        m_host.setProcessEnvironment(env);
        m_host.start(q(PICROWS_HOST_PROGRAM), {q("--version"), q("11"), m_book});
        ASSERT_TRUE(m_host.waitForStarted());
        ASSERT_TRUE(eventually([&] {
            m_app = xl::Application(host::running::RunningHosts::instance().bindToFile(m_book));
            return !m_app.isNothing();
        })) << m_host.readAllStandardError().toStdString();
        m_window = QString::number(m_app.get(q("Hwnd")).toInt32());
        ASSERT_TRUE(eventually([&] { return !windowsTitled(m_app.Caption()).isEmpty(); }));
    }

    // Keys into a window, the host's main window unless another is named.
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

TEST_F(DesktopEndToEnd, TheMenuItemOpensTheInsertionDialogOverTheHostWindow)
{
    startHost();
    ASSERT_FALSE(HasFatalFailure());
    // The add-in's object, called by name from this process through the remote channel.
    const xl::Object object = m_app.COMAddIns(q("TORVA_Picrows.Connect")).Object();
    ASSERT_FALSE(object.isNothing());
    EXPECT_TRUE(object.call(q("callfor2007_retrimmingaddenabled")).toBool());

    // TORVA(&M) → ピクロウアドイン(&R) → ピクロウ(&O)
    keys({q("alt+m"), q("r"), q("o")});
    const QString dialog = insertionDialog();
    ASSERT_FALSE(dialog.isEmpty());
    EXPECT_EQ(property(dialog, "WM_TRANSIENT_FOR").toLongLong(nullptr, 16),
              m_app.get(q("Hwnd")).toInt32());
}

TEST_F(DesktopEndToEnd, TheInsertPictureCommandFollowsTheSettingAndShift)
{
    startHost();
    ASSERT_FALSE(HasFatalFailure());
    struct Case
    {
        const char* hook;
        bool shift;
        bool mainProgram;
    };
    for (const Case& c : {Case{"False", false, false}, Case{"False", true, true},
                          Case{"True", false, true}, Case{"True", true, false}}) {
        SCOPED_TRACE(testing::Message() << c.hook << (c.shift ? " with Shift" : ""));
        setHook(c.hook);
        // 挿入(&I) → 図(&P) → ファイルから(&F)..., the last two with Shift held when asked.
        QStringList sequence{q("alt+i")};
        if (c.shift)
            sequence << q("+shift");
        sequence << q("p") << q("f");
        if (c.shift)
            sequence << q("-shift");
        keys(sequence);
        if (c.mainProgram) {
            EXPECT_FALSE(insertionDialog().isEmpty());
            EXPECT_TRUE(windowsTitled(q("図の挿入")).isEmpty());
            closeMainProgram();
        } else {
            ASSERT_TRUE(eventually([] { return !windowsTitled(q("図の挿入")).isEmpty(); }));
            EXPECT_TRUE(insertionDialog(1500).isEmpty());
            keys({q("Escape")}, windowsTitled(q("図の挿入")).constFirst());
            EXPECT_TRUE(eventually([] { return windowsTitled(q("図の挿入")).isEmpty(); }));
        }
    }
}

} // namespace
