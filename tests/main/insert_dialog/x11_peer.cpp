// Another program on the same X display, for the tests that cross processes:
//
//   x11_peer clipboard    puts a 30 × 20 green picture on the clipboard, prints "ready", and
//                         ends once another program has taken the clipboard over (or after 20 s)
//   x11_peer window       shows a top-level window, prints its window id, and ends when its
//                         standard input closes (or after 60 s)
#include <QApplication>
#include <QClipboard>
#include <QImage>
#include <QSocketNotifier>
#include <QTimer>
#include <QWidget>

#include <cstdio>
#include <unistd.h>

int main(int argc, char** argv)
{
    QApplication app(argc, argv);
    const QByteArray mode = argc > 1 ? QByteArray(argv[1]) : QByteArray();
    if (mode == "clipboard") {
        QImage picture(30, 20, QImage::Format_RGB32);
        picture.fill(Qt::green);
        QGuiApplication::clipboard()->setImage(picture);
        QObject::connect(QGuiApplication::clipboard(), &QClipboard::dataChanged, &app,
                         [] { QCoreApplication::quit(); });
        std::printf("ready\n");
        std::fflush(stdout);
        QTimer::singleShot(20000, &app, [] { QCoreApplication::quit(); });
        return app.exec();
    }
    if (mode == "window") {
        QWidget window;
        window.setWindowTitle(QStringLiteral("peer"));
        window.setGeometry(100, 120, 640, 480);
        window.show();
        std::printf("%llu\n", static_cast<unsigned long long>(window.winId()));
        std::fflush(stdout);
        QSocketNotifier input(STDIN_FILENO, QSocketNotifier::Read);
        QObject::connect(&input, &QSocketNotifier::activated, &app, [] {
            char c;
            if (::read(STDIN_FILENO, &c, 1) <= 0)
                QCoreApplication::quit();
        });
        QTimer::singleShot(60000, &app, [] { QCoreApplication::quit(); });
        return app.exec();
    }
    std::fprintf(stderr, "usage: x11_peer clipboard|window\n");
    return 2;
}
