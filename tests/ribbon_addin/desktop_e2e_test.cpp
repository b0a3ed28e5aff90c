// On a real X display (Xvfb): picrows-host --version 16 loads both add-ins from the user's
// add-in list and shows the suite's ribbon group; the key tips Alt+X, G press the suite's
// insertion button in the window's own ribbon, and the main program's insertion dialog opens
// owned by the host window, for the workbook the host shows.
#include "host/automation/host_error.h"
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

namespace {

QString q(const char* text)
{
    return QString::fromUtf8(text);
}

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

QStringList windowsTitled(const QString& title)
{
    const QString found = run(q("xdotool"), {q("search"), q("--onlyvisible"), q("--name"),
                                             u'^' + QRegularExpression::escape(title) + u'$'});
    return found.isEmpty() ? QStringList() : found.split(u'\n');
}

QString property(const QString& window, const char* name)
{
    const QString line = run(q("xprop"), {q("-id"), window, q(name)});
    const int at = line.lastIndexOf(QRegularExpression(q("[=#] ")));
    return at < 0 ? QString() : line.mid(at + 2).trimmed();
}

class RibbonDesktop : public ::testing::Test
{
protected:
    RibbonDesktop()
    {
        const QString config = dir.filePath(q("config"));
        const QString runtime = dir.filePath(q("runtime"));
        QDir().mkpath(config + q("/picrows-host"));
        QDir().mkpath(runtime);
        QFile::setPermissions(runtime, QFile::ReadOwner | QFile::WriteOwner | QFile::ExeOwner);
        qputenv("XDG_CONFIG_HOME", config.toUtf8());
        qputenv("XDG_RUNTIME_DIR", runtime.toUtf8());
        QFile list(config + q("/picrows-host/addins.ini"));
        list.open(QIODevice::WriteOnly);
        list.write(
            "[TORVA_Picrows.Connect]\nDescription=ピクロウアドイン\nFriendlyName=TORVA_Picrows\n"
            "LoadBehavior=3\nLibrary=" PICROWS_MENU_ADDIN "\n"
            "[TORVA_PicrowsFor2007.Connect2]\nDescription=ｻﾝﾌﾟﾙ ｱﾄﾞｲﾝ ﾌﾟﾛｼﾞｪｸﾄ\n"
            "FriendlyName=TORVA_PicrowsFor2007\nLoadBehavior=3\nLibrary=" PICROWS_RIBBON_ADDIN
            "\n");
        list.close();
        m_book = dir.filePath(q("photo_album.xlsx"));
        QFile::copy(q(PICROWS_SOURCE_DIR "/samples/photo_album.xlsx"), m_book);
    }
    ~RibbonDesktop() override
    {
        for (const QString& w : windowsTitled(q("ピクロウアドイン"))) {
            const qint64 pid = property(w, "_NET_WM_PID").toLongLong();
            if (pid > 0 && property(w, "WM_CLASS").contains(q("TORVA_PicrowsMain")))
                ::kill(pid_t(pid), SIGTERM);
        }
        m_host.kill();
        m_host.waitForFinished();
    }

    void startHost()
    {
        QProcessEnvironment env = QProcessEnvironment::systemEnvironment();
        env.remove(q("QT_QPA_PLATFORM"));
        m_host.setProcessEnvironment(env);
        m_host.start(q(PICROWS_HOST_PROGRAM), {q("--version"), q("16"), m_book});
        ASSERT_TRUE(m_host.waitForStarted());
        ASSERT_TRUE(eventually([&] {
            m_app = xl::Application(host::running::RunningHosts::instance().bindToFile(m_book));
            return !m_app.isNothing();
        })) << m_host.readAllStandardError().toStdString();
        m_window = QString::number(m_app.get(q("Hwnd")).toInt32());
        ASSERT_TRUE(eventually([&] { return !windowsTitled(m_app.Caption()).isEmpty(); }));
    }

    void keys(const QStringList& sequence)
    {
        run(q("xdotool"), {q("windowfocus"), q("--sync"), m_window});
        for (const QString& key : sequence) {
            run(q("xdotool"), {q("key"), key});
            QThread::msleep(300);
        }
    }

    QTemporaryDir dir;
    QString m_book;
    QProcess m_host;
    xl::Application m_app;
    QString m_window;
};

TEST_F(RibbonDesktop, TheRibbonButtonOpensTheInsertionDialogOverTheHostWindow)
{
    startHost();
    ASSERT_FALSE(HasFatalFailure());
    // Both add-ins connected; the ribbon add-in's object answers by name across processes.
    const xl::Object ribbon = m_app.COMAddIns(q("TORVA_PicrowsFor2007.Connect2")).Object();
    ASSERT_FALSE(ribbon.isNothing());
    EXPECT_FALSE(ribbon.call(q("CallForExe_GetTrimmingEnabled")).toBool());
    EXPECT_FALSE(m_app.COMAddIns(q("TORVA_Picrows.Connect")).Object().isNothing());

    keys({q("alt+x"), q("g")});
    QString dialog;
    ASSERT_TRUE(eventually([&] {
        for (const QString& w : windowsTitled(q("ピクロウアドイン")))
            if (property(w, "WM_CLASS").contains(q("TORVA_PicrowsMain")))
                dialog = w;
        return !dialog.isEmpty();
    }));
    EXPECT_EQ(property(dialog, "WM_TRANSIENT_FOR").toLongLong(nullptr, 16),
              m_app.get(q("Hwnd")).toInt32());
    // The main program was started for the workbook the host shows.
    QFile cmdline(q("/proc/") + property(dialog, "_NET_WM_PID") + q("/cmdline"));
    ASSERT_TRUE(cmdline.open(QIODevice::ReadOnly));
    EXPECT_TRUE(QString::fromUtf8(cmdline.readAll()).contains(m_book));
}

} // namespace
