// What crosses processes on an X display (run under Xvfb): pictures another program copies,
// and the host's main window as the dialog's owner and as the host watch sees it.
#include "host/running/running_hosts.h"
#include "main/insert_dialog/host_window_state.h"
#include "tests/main/insert_dialog/dialog_test_support.h"

#include <QClipboard>
#include <QFileInfo>
#include <QGuiApplication>
#include <QProcess>
#include <QTest>
#include <QToolButton>

#include <xcb/xcb.h>

namespace {

using namespace dialog_test;
using Presence = picrows::HostWindowState::Presence;

xcb_connection_t* connection()
{
    return qGuiApp->nativeInterface<QNativeInterface::QX11Application>()->connection();
}

xcb_atom_t atom(const char* name)
{
    xcb_intern_atom_reply_t* reply = xcb_intern_atom_reply(
        connection(), xcb_intern_atom(connection(), 0, quint16(qstrlen(name)), name), nullptr);
    const xcb_atom_t a = reply ? reply->atom : xcb_atom_t(XCB_ATOM_NONE);
    free(reply);
    return a;
}

// The 32-bit values of a window property.
std::vector<quint32> property(quint32 window, xcb_atom_t name, xcb_atom_t type)
{
    xcb_get_property_reply_t* reply = xcb_get_property_reply(
        connection(), xcb_get_property(connection(), 0, window, name, type, 0, 64), nullptr);
    std::vector<quint32> values;
    if (reply && reply->format == 32) {
        const auto* data = static_cast<const quint32*>(xcb_get_property_value(reply));
        values.assign(data, data + xcb_get_property_value_length(reply) / 4);
    }
    free(reply);
    return values;
}

void setWmState(quint32 window, quint32 state)
{
    const xcb_atom_t wmState = atom("WM_STATE");
    const quint32 value[2] = {state, 0};
    xcb_change_property(connection(), XCB_PROP_MODE_REPLACE, window, wmState, wmState, 32, 2,
                        value);
    xcb_flush(connection());
}

class X11Test : public DialogTest
{
protected:
    X11Test() : m_realWindows(picrows::desktopHostWindowState()) {}

    // Starts the peer program in `mode` and answers its first line.
    QString startPeer(QProcess& peer, const char* mode)
    {
        peer.start(q(X11_PEER), {q(mode)});
        EXPECT_TRUE(peer.waitForStarted(5000));
        EXPECT_TRUE(peer.waitForReadyRead(10000));
        return QString::fromLatin1(peer.readLine()).trimmed();
    }

private:
    picrows::ScopedHostWindowState m_realWindows;
};

TEST_F(X11Test, APictureCopiedInAnotherProgramJoinsTheList)
{
    ASSERT_EQ(QGuiApplication::platformName(), q("xcb"));
    const QByteArray tmpdir = qgetenv("TMPDIR");
    qputenv("TMPDIR", dir.path().toLocal8Bit());
    auto dialog = openDialog();
    QTest::mouseClick(control<QToolButton>(*dialog, q("CLIP")), Qt::LeftButton);

    QProcess peer;
    EXPECT_EQ(startPeer(peer, "clipboard"), q("ready"));
    ASSERT_TRUE(QTest::qWaitFor([&] { return dialog->pictureFiles().count() == 1; }, 5000));
    const QImage saved(dialog->pictureFiles().first());
    EXPECT_EQ(saved.size(), QSize(30, 20));
    EXPECT_EQ(saved.pixelColor(3, 3), QColor(Qt::green));
    EXPECT_TRUE(QFileInfo(dialog->pictureFiles().first()).fileName().startsWith(q("Cli")));
    // The watch emptied the clipboard: the other program no longer holds it.
    EXPECT_TRUE(peer.waitForFinished(5000));
    dialog->close();
    qputenv("TMPDIR", tmpdir);
}

TEST_F(X11Test, TheHostWindowOfAnotherProcessOwnsTheDialogAndItsEndClosesIt)
{
    QProcess peer;
    const quint32 window = startPeer(peer, "window").toUInt();
    ASSERT_NE(window, 0u);
    picrows::HostWindowState& windows = picrows::desktopHostWindowState();
    ASSERT_TRUE(QTest::qWaitFor(
        [&] { return windows.presence(std::int32_t(window)) == Presence::Shown; }, 5000));
    const auto frame = windows.frame(std::int32_t(window));
    ASSERT_TRUE(frame.has_value());
    EXPECT_EQ(frame->size(), QSize(640, 480));

    auto entry = std::make_shared<host::running::InProcessHost>(app.ref(), std::int32_t(window));
    const host::running::Registration registration(entry);
    auto dialog = openDialog();
    const quint32 mine = quint32(dialog->winId());
    EXPECT_EQ(property(mine, XCB_ATOM_WM_TRANSIENT_FOR, XCB_ATOM_WINDOW),
              std::vector<quint32>{window});
    const std::vector<quint32> states = property(mine, atom("_NET_WM_STATE"), XCB_ATOM_ATOM);
    EXPECT_EQ(std::count(states.begin(), states.end(), atom("_NET_WM_STATE_MODAL")), 0)
        << "not modal for the window manager: the host window stays usable";
    // Opened over the host window (no placement saved).
    EXPECT_TRUE(frame->contains(dialog->frameGeometry().center()));

    peer.closeWriteChannel(); // the host ends, its window goes
    ASSERT_TRUE(peer.waitForFinished(5000));
    EXPECT_TRUE(QTest::qWaitFor([&] { return !dialog->isVisible(); }, 3000));
    EXPECT_TRUE(dialog->hasClosed());
}

TEST_F(X11Test, AMinimisedWindowIsThereAWithdrawnOrDestroyedOneIsGone)
{
    picrows::HostWindowState& windows = picrows::desktopHostWindowState();
    auto* host = new QWidget;
    host->setGeometry(50, 60, 300, 200);
    host->show();
    ASSERT_TRUE(QTest::qWaitForWindowExposed(host));
    const quint32 id = quint32(host->winId());
    EXPECT_EQ(windows.presence(std::int32_t(id)), Presence::Shown);

    host->hide(); // withdrawn by its program: no window manager state is left
    xcb_flush(connection());
    ASSERT_TRUE(QTest::qWaitFor(
        [&] { return windows.presence(std::int32_t(id)) == Presence::Gone; }, 2000));
    setWmState(id, 3); // iconified, as a window manager marks it
    EXPECT_EQ(windows.presence(std::int32_t(id)), Presence::Minimised);
    setWmState(id, 1); // unmapped by a window manager on another desktop
    EXPECT_EQ(windows.presence(std::int32_t(id)), Presence::Shown);
    setWmState(id, 0);
    EXPECT_EQ(windows.presence(std::int32_t(id)), Presence::Gone);

    delete host;
    xcb_flush(connection());
    QTest::qWait(50);
    EXPECT_EQ(windows.presence(std::int32_t(id)), Presence::Gone);
}

} // namespace
