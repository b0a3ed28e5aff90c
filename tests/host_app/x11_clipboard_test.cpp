// The desktop clipboard between the window and another program on a real X display: a picture
// another program offers (PNG, JPEG, BMP) pastes as a picture with its bytes, and a picture
// copied in the window reaches the other program as a PNG.
#include "host/model/workbook.h"
#include "host_app/edit_menu.h"
#include "tests/host_app/host_app_support.h"

#include <QBuffer>
#include <QClipboard>
#include <QElapsedTimer>
#include <QMimeData>
#include <QProcess>

using namespace host_app_test;

namespace {

class X11Clipboard : public HostAppTest
{
protected:
    X11Clipboard()
    {
        app.Workbooks().Add();
        settle();
    }
    ~X11Clipboard() override
    {
        if (m_peer.state() != QProcess::NotRunning) {
            m_peer.kill();
            m_peer.waitForFinished();
        }
    }
    // Runs the peer until it ends, serving the clipboard meanwhile.
    int runPeer(const QStringList& args)
    {
        QProcess peer;
        peer.start(q(PICROWS_CLIPBOARD_PEER), args);
        if (!peer.waitForStarted())
            return -1;
        QElapsedTimer waited;
        waited.start();
        while (peer.state() != QProcess::NotRunning && waited.elapsed() < 20000)
            QTest::qWait(20);
        return peer.state() == QProcess::NotRunning ? peer.exitCode() : -1;
    }
    QProcess m_peer;
};

TEST_F(X11Clipboard, APictureAnotherProgramOffersPastesAsThatPicture)
{
    ASSERT_EQ(QGuiApplication::platformName(), q("xcb"));
    QImage image(64, 48, QImage::Format_RGB32);
    image.fill(QColor(0xc0, 0x40, 0x20));
    for (const char* type : {"image/png", "image/jpeg", "image/bmp"}) {
        SCOPED_TRACE(type);
        const QByteArray format =
            QByteArray(type).mid(6) == "jpeg" ? "jpg" : QByteArray(type).mid(6);
        const QString file = dir.filePath(q("offered.") + QString::fromLatin1(format));
        ASSERT_TRUE(image.save(file, format.constData()));
        QFile read(file);
        ASSERT_TRUE(read.open(QIODevice::ReadOnly));
        const QByteArray bytes = read.readAll();

        m_peer.start(q(PICROWS_CLIPBOARD_PEER), {q("offer"), file, QString::fromLatin1(type)});
        ASSERT_TRUE(m_peer.waitForStarted());
        QTRY_VERIFY_WITH_TIMEOUT(
            QGuiApplication::clipboard()->mimeData() &&
                QGuiApplication::clipboard()->mimeData()->hasFormat(QString::fromLatin1(type)),
            10000);
        const int before = app.ActiveSheet().Shapes().Count();
        app.ActiveSheet().Range(q("B2")).Select();
        settle();
        host_app::EditMenu::paste(view(), window.history());
        settle();
        ASSERT_EQ(app.ActiveSheet().Shapes().Count(), before + 1);
        const xl::Shape pasted = app.ActiveSheet().Shapes().Item(before + 1);
        EXPECT_EQ(pasted.Type(), 13);
        const host::model::Shape* shape =
            host.app().activeSheet()->sheet().drawing.find(pasted.ID());
        ASSERT_TRUE(shape && shape->picture);
        EXPECT_EQ(shape->picture->image.encodedBytes(), bytes) << "the bytes as offered";
        m_peer.kill();
        m_peer.waitForFinished();
    }
}

TEST_F(X11Clipboard, APictureCopiedInTheWindowReachesAnotherProgramAsPng)
{
    QImage image(80, 60, QImage::Format_RGB32);
    image.fill(QColor(0x20, 0x60, 0xc0));
    const QString file = dir.filePath(q("blue.png"));
    image.save(file);
    app.ActiveSheet().Range(q("C3")).Select();
    app.ActiveSheet().Pictures().Insert(file);
    app.ActiveSheet().Shapes().Item(1).Select();
    settle();
    host_app::EditMenu::copy(view());
    settle();

    const QString taken = dir.filePath(q("taken.png"));
    ASSERT_EQ(runPeer({q("take"), q("image/png"), taken}), 0);
    const QImage got(taken, "PNG");
    ASSERT_FALSE(got.isNull());
    EXPECT_GE(got.width(), 80);
    EXPECT_EQ(QColor(got.pixel(got.width() / 2, got.height() / 2)), QColor(0x20, 0x60, 0xc0));

    // And cells go as tab-separated text.
    app.ActiveSheet().Range(q("A1")).setValue(host::Variant(1.0));
    app.ActiveSheet().Range(q("B1")).setValue(host::Variant(q("二")));
    app.ActiveSheet().Range(q("A1:B1")).Select();
    settle();
    host_app::EditMenu::copy(view());
    const QString text = dir.filePath(q("taken.txt"));
    ASSERT_EQ(runPeer({q("take"), q("text/plain"), text}), 0);
    QFile read(text);
    ASSERT_TRUE(read.open(QIODevice::ReadOnly));
    EXPECT_EQ(QString::fromUtf8(read.readAll()).remove(u'\r').trimmed(), q("1\t二"));
}

} // namespace
