// Another program on the X display, for the clipboard tests: `offer FILE TYPE` puts the file's
// bytes on the clipboard under the MIME type TYPE and keeps them there until killed;
// `take TYPE FILE` writes what the clipboard holds under TYPE to FILE (nothing when it holds
// no such type) and exits.
#include <QClipboard>
#include <QFile>
#include <QGuiApplication>
#include <QMimeData>
#include <QTimer>

int main(int argc, char** argv)
{
    qputenv("QT_QPA_PLATFORM", "xcb");
    QGuiApplication app(argc, argv);
    const QStringList args = app.arguments();
    if (args.size() != 4)
        return 2;
    if (args[1] == QLatin1String("offer")) {
        QFile file(args[2]);
        if (!file.open(QIODevice::ReadOnly))
            return 3;
        auto* data = new QMimeData;
        data->setData(args[3], file.readAll());
        QGuiApplication::clipboard()->setMimeData(data);
        return app.exec();
    }
    if (args[1] == QLatin1String("take")) {
        const QMimeData* data = QGuiApplication::clipboard()->mimeData();
        const QByteArray bytes = data ? data->data(args[2]) : QByteArray();
        QFile file(args[3]);
        if (!file.open(QIODevice::WriteOnly))
            return 3;
        file.write(bytes);
        return bytes.isEmpty() ? 1 : 0;
    }
    return 2;
}
