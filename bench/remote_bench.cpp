// Times automation across processes: the round trip of one member call to a host in another
// process (median of many, against the same call in process), and `picrows insert --attach`
// filling a workbook open in a running host with photographs, against the same insertion in
// process (`picrows insert -o`). Both insertions end with the workbook saved (the attached one
// by `picrows save --attach`), and both hosts run with the default host options and the
// clipboard each keeps in its own process.
//
//   remote_bench [--work DIR] [--count 100] [--calls 20000]
//   remote_bench --serve BOOK     the host side: prints "ready SOCKET", ends when stdin closes

#include "bench/bench_photos.h"
#include "host/objects/host.h"
#include "host/remote/client.h"
#include "host/running/served_host.h"
#include "host/xl/application.h"
#include "host/xl/workbook.h"
#include "macro_workbook/macro_workbook.h"

#include <QCoreApplication>
#include <QDir>
#include <QElapsedTimer>
#include <QFile>
#include <QGuiApplication>
#include <QProcess>
#include <QSocketNotifier>
#include <QTemporaryDir>

#include <unistd.h>

#include <algorithm>
#include <cstdio>
#include <functional>
#include <vector>

namespace {

int serve(const QString& book)
{
    host::objects::Host host;
    // As the host application does, so that the trimming checks answer as in process.
    host.registerAddInWorkbook(picrows::macroWorkbook());
    xl::Application(host.application()).Workbooks().Open(book);
    host::running::ServedHost served(host.application());
    QString error;
    if (!served.start(&error)) {
        std::fprintf(stderr, "remote_bench --serve: %s\n", qPrintable(error));
        return 1;
    }
    QSocketNotifier input(0, QSocketNotifier::Read);
    QObject::connect(&input, &QSocketNotifier::activated, qApp, [&input] {
        char byte;
        if (read(0, &byte, 1) <= 0) {
            input.setEnabled(false);
            QCoreApplication::quit();
        }
    });
    std::printf("ready %s\n", qPrintable(served.socketPath()));
    std::fflush(stdout);
    return QCoreApplication::exec();
}

struct Spread
{
    double median = 0;
    double p10 = 0;
    double p90 = 0;
};

Spread spread(std::vector<double> samples)
{
    std::sort(samples.begin(), samples.end());
    const auto at = [&](double q) { return samples[std::size_t(q * double(samples.size() - 1))]; };
    return {at(0.5), at(0.1), at(0.9)};
}

// Microseconds per call of `call`, one sample each.
Spread timeCalls(int count, const std::function<void()>& call)
{
    for (int i = 0; i < count / 10; ++i)
        call(); // warm up
    std::vector<double> samples;
    samples.reserve(std::size_t(count));
    QElapsedTimer timer;
    for (int i = 0; i < count; ++i) {
        timer.start();
        call();
        samples.push_back(double(timer.nsecsElapsed()) / 1000.0);
    }
    return spread(std::move(samples));
}

double runTimed(const QString& program, const QStringList& args)
{
    QProcess process;
    process.setProcessChannelMode(QProcess::ForwardedErrorChannel);
    process.setStandardOutputFile(QProcess::nullDevice());
    QElapsedTimer timer;
    timer.start();
    process.start(program, args);
    process.waitForFinished(-1);
    const double seconds = double(timer.nsecsElapsed()) / 1e9;
    if (process.exitStatus() != QProcess::NormalExit || process.exitCode() != 0)
        std::fprintf(stderr, "%s %s ended with %d\n", qPrintable(program),
                     qPrintable(args.value(0)), process.exitCode());
    return seconds;
}

QByteArray inspect(const QString& picrows, const QString& book)
{
    QProcess process;
    process.start(picrows, {QStringLiteral("inspect"), book});
    process.waitForFinished(-1);
    return process.readAllStandardOutput();
}

QStringList insertArguments(int count, const QString& config)
{
    return {QStringLiteral("--range"),
            bench::blockAddress(count),
            QStringLiteral("--one-per-cell"),
            QStringLiteral("--size"),
            QStringLiteral("fill"),
            QStringLiteral("--point"),
            QStringLiteral("center"),
            QStringLiteral("--reduce"),
            QStringLiteral("2"),
            QStringLiteral("--no-exclude"),
            QStringLiteral("--config-dir"),
            config};
}

} // namespace

int main(int argc, char** argv)
{
    qputenv("QT_QPA_PLATFORM", "offscreen");
    const bool serving = argc == 3 && QByteArray(argv[1]) == "--serve";
    // A registry of its own: `picrows --attach` finds this benchmark's host and no other.
    QTemporaryDir runtime;
    if (!serving)
        qputenv("XDG_RUNTIME_DIR", QFile::encodeName(runtime.path()));
    QGuiApplication app(argc, argv);
    const QStringList args = QCoreApplication::arguments();
    if (serving)
        return serve(args[2]);

    QString work = QDir::tempPath() + QStringLiteral("/picrows-insert-bench");
    int count = 100;
    int calls = 20000;
    for (int i = 1; i < args.size(); ++i) {
        if (args[i] == QStringLiteral("--work") && i + 1 < args.size())
            work = args[++i];
        else if (args[i] == QStringLiteral("--count") && i + 1 < args.size())
            count = args[++i].toInt();
        else if (args[i] == QStringLiteral("--calls") && i + 1 < args.size())
            calls = args[++i].toInt();
        else {
            std::fprintf(stderr, "usage: remote_bench [--work DIR] [--count 100] "
                                 "[--calls 20000]\n");
            return 2;
        }
    }
    const QString picrows = QCoreApplication::applicationDirPath() + QStringLiteral("/picrows");

    const QString photoFolder = work + QStringLiteral("/photos");
    bench::makePhotos(photoFolder, count);
    QStringList photos;
    for (int i = 0; i < count; ++i)
        photos << bench::photoPath(photoFolder, i);
    const QString templ = work + QStringLiteral("/template_%1.xlsx").arg(count);
    bench::makeTemplate(templ, count);
    const QString served = runtime.filePath(QStringLiteral("served.xlsx"));
    QFile::copy(templ, served);

    QProcess hostProcess;
    hostProcess.setProcessChannelMode(QProcess::ForwardedErrorChannel);
    hostProcess.start(QCoreApplication::applicationFilePath(), {QStringLiteral("--serve"), served});
    QString socket;
    while (socket.isEmpty() && hostProcess.waitForReadyRead(60000))
        while (hostProcess.canReadLine()) {
            const QString line = QString::fromUtf8(hostProcess.readLine()).trimmed();
            if (line.startsWith(QStringLiteral("ready ")))
                socket = line.mid(6);
        }
    if (socket.isEmpty()) {
        std::fprintf(stderr, "the host did not start\n");
        return 1;
    }

    // One member call: Application.Version, across and in process.
    Spread across;
    {
        const host::ObjectRef remote = host::remote::Client::connect(socket);
        across = timeCalls(calls, [&] { remote->get(QStringLiteral("Version")); });
    }
    host::objects::Host local;
    const host::ObjectRef inProcess = local.application();
    const Spread here = timeCalls(calls, [&] { inProcess->get(QStringLiteral("Version")); });
    std::printf("one member call (Application.Version), %d calls: across processes median %.1f us "
                "(p10 %.1f, p90 %.1f; target < 50) | in process median %.2f us\n",
                calls, across.median, across.p10, across.p90, here.median);

    // The insertion, both ways, each saved at the end.
    QTemporaryDir config;
    const QString outHere = work + QStringLiteral("/remote_bench_in_process.xlsx");
    const QString outAttached = work + QStringLiteral("/remote_bench_attached.xlsx");
    const double inProcessSeconds =
        runTimed(picrows, QStringList{QStringLiteral("insert"), templ} +
                              insertArguments(count, config.path()) +
                              QStringList{QStringLiteral("-o"), outHere} + photos);
    const double attachSeconds =
        runTimed(picrows, QStringList{QStringLiteral("insert"), QStringLiteral("--attach")} +
                              insertArguments(count, config.path()) + photos);
    const double saveSeconds =
        runTimed(picrows, {QStringLiteral("save"), QStringLiteral("--attach"), QStringLiteral("-o"),
                           outAttached});
    hostProcess.closeWriteChannel();
    hostProcess.waitForFinished(30000);

    const bool same = inspect(picrows, outHere) == inspect(picrows, outAttached);
    std::printf("%d photographs (fill, reduction factor 2): in process (insert -o) %.2f s | "
                "attached: insert --attach %.2f s + save --attach %.2f s = %.2f s\n",
                count, inProcessSeconds, attachSeconds, saveSeconds, attachSeconds + saveSeconds);
    std::printf("attached / in process %.2f (target <= 1.30); the saved workbooks inspect %s\n",
                (attachSeconds + saveSeconds) / inProcessSeconds,
                same ? "the same" : "DIFFERENTLY");
    return 0;
}
