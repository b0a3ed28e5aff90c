// On a real X display (Xvfb): the host's Hwnd is its main window's X11 id, the window manager
// sees the host's Caption as that window's title, and the program picks the xcb platform
// itself.
#include "tests/host_app/host_app_support.h"

#include <QElapsedTimer>
#include <QGuiApplication>
#include <QProcess>

#include <X11/Xlib.h>
#include <X11/Xutil.h>

using namespace host_app_test;
using host::Variant;

namespace {

// The title the X server holds for a window (WM_NAME, or _NET_WM_NAME as UTF-8).
QString titleOf(Display* display, Window window)
{
    const Atom netName = XInternAtom(display, "_NET_WM_NAME", False);
    const Atom utf8 = XInternAtom(display, "UTF8_STRING", False);
    Atom type = 0;
    int format = 0;
    unsigned long count = 0;
    unsigned long after = 0;
    unsigned char* data = nullptr;
    QString title;
    if (XGetWindowProperty(display, window, netName, 0, 1024, False, utf8, &type, &format, &count,
                           &after, &data) == Success &&
        data) {
        title = QString::fromUtf8(reinterpret_cast<const char*>(data), int(count));
        XFree(data);
    }
    return title;
}

// Every window under the root whose title is `title`, searched through the whole tree.
bool findTitled(Display* display, Window from, const QString& title, int depth = 0)
{
    if (titleOf(display, from) == title)
        return true;
    Window root = 0;
    Window parent = 0;
    Window* children = nullptr;
    unsigned int count = 0;
    if (depth > 4 || !XQueryTree(display, from, &root, &parent, &children, &count))
        return false;
    bool found = false;
    for (unsigned int i = 0; i < count && !found; ++i)
        found = findTitled(display, children[i], title, depth + 1);
    if (children)
        XFree(children);
    return found;
}

class X11Window : public HostAppTest
{
protected:
    X11Window() : m_display(XOpenDisplay(nullptr)) {}
    ~X11Window() override
    {
        if (m_display)
            XCloseDisplay(m_display);
    }
    Display* m_display;
};

TEST_F(X11Window, HwndIsTheX11WindowAndCarriesTheCaption)
{
    ASSERT_EQ(QGuiApplication::platformName(), q("xcb"));
    ASSERT_NE(m_display, nullptr);
    app.Workbooks().Add();
    settle();
    ASSERT_TRUE(QTest::qWaitForWindowExposed(&window));
    const auto id = Window(app.get(q("Hwnd")).toInt32());
    EXPECT_EQ(id, Window(window.winId()));
    QTRY_COMPARE(titleOf(m_display, id), q("Book1 - Picrows Host"));

    app.let(q("Caption"), q("ホスト B"));
    settle();
    QTRY_COMPARE(titleOf(m_display, id), q("ホスト B"));
}

TEST_F(X11Window, TheProgramChoosesX11ItselfAndOpensItsFiles)
{
    ASSERT_NE(m_display, nullptr);
    QProcess host;
    QProcessEnvironment env = QProcessEnvironment::systemEnvironment();
    env.remove(q("QT_QPA_PLATFORM"));
    env.insert(q("XDG_CONFIG_HOME"), dir.path());
    host.setProcessEnvironment(env);
    host.start(q(PICROWS_HOST_PROGRAM), {sourcePath("samples/photo_album.xlsx")});
    ASSERT_TRUE(host.waitForStarted());
    QElapsedTimer waited;
    waited.start();
    bool found = false;
    while (!found && waited.elapsed() < 30000 && host.state() == QProcess::Running) {
        QTest::qWait(200);
        found = findTitled(m_display, DefaultRootWindow(m_display),
                           q("photo_album.xlsx - Picrows Host"));
    }
    host.kill();
    host.waitForFinished();
    EXPECT_TRUE(found) << host.readAllStandardError().toStdString();
}

} // namespace
