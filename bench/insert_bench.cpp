// Times `picrows insert` filling a workbook with 12-megapixel photographs, against the floor
// for this work (decoding every photograph once, on one core, at the JPEG scale the pictures
// need) and against a straightforward Python script (openpyxl + PIL) doing the same job.
// Prints wall time and peak memory for 100 and 400 photographs and the ratios; builds its own
// inputs in a work folder that later runs reuse.
//
//   insert_bench [--work DIR] [--counts 100,400] [--picrows PATH] [--no-script]

#include "bench/bench_photos.h"

#include <QCoreApplication>
#include <QDir>
#include <QElapsedTimer>
#include <QFileInfo>
#include <QGuiApplication>
#include <QImage>
#include <QRandomGenerator>
#include <QTemporaryDir>

#include <turbojpeg.h>

#include <sys/resource.h>
#include <sys/wait.h>
#include <unistd.h>

#include <algorithm>
#include <atomic>
#include <cmath>
#include <cstdio>
#include <thread>
#include <vector>

namespace {

using namespace bench;

constexpr double kReduceFactor = 2;
constexpr double kCopyPixelsPerPoint = 1.5; // what the host's copies render at

struct Run
{
    double seconds = 0;
    double peakMb = 0;
    int status = -1;
};

// Runs a program to its end: wall time and the peak resident memory of the child.
Run runProgram(const QStringList& command)
{
    std::vector<QByteArray> args;
    for (const QString& a : command)
        args.push_back(a.toLocal8Bit());
    std::vector<char*> argv;
    for (QByteArray& a : args)
        argv.push_back(a.data());
    argv.push_back(nullptr);

    QElapsedTimer timer;
    timer.start();
    const pid_t pid = fork();
    if (pid == 0) {
        execv(argv[0], argv.data());
        _exit(127);
    }
    int status = 0;
    rusage usage{};
    wait4(pid, &status, 0, &usage);
    Run run;
    run.seconds = double(timer.nsecsElapsed()) / 1e9;
    run.peakMb = double(usage.ru_maxrss) / 1024.0;
    run.status = WIFEXITED(status) ? WEXITSTATUS(status) : -1;
    return run;
}

// The scale the pictures need: the photograph covers the cell (fill), and the reduction renders
// it at the factor times its shown size, at the copies' density.
int neededDenominator()
{
    const double shownScale = std::max(kCellWidth / kPhotoWidth, kCellHeight / kPhotoHeight);
    const double needed = shownScale * kReduceFactor * kCopyPixelsPerPoint;
    for (int d : {8, 4, 2})
        if (1.0 / d >= needed)
            return d;
    return 1;
}

// `picrows insert` filling the block of the template with the photographs: fill at the
// centre, reduced by the factor.
QStringList insertCommand(const QString& picrows, const QString& templ, const QString& config,
                          const QString& out, const QStringList& photos)
{
    QStringList command{picrows,
                        QStringLiteral("insert"),
                        templ,
                        QStringLiteral("--range"),
                        blockAddress(int(photos.size())),
                        QStringLiteral("--one-per-cell"),
                        QStringLiteral("--size"),
                        QStringLiteral("fill"),
                        QStringLiteral("--point"),
                        QStringLiteral("center"),
                        QStringLiteral("--reduce"),
                        QString::number(kReduceFactor),
                        QStringLiteral("--no-exclude"),
                        QStringLiteral("--config-dir"),
                        config,
                        QStringLiteral("-o"),
                        out};
    return command + photos;
}

// Mean absolute channel difference of two renders, in levels; -1 when they differ in size.
double meanLevels(const QImage& a, const QImage& b)
{
    if (a.size() != b.size() || a.isNull())
        return -1;
    const QImage x = a.convertToFormat(QImage::Format_RGB32);
    const QImage y = b.convertToFormat(QImage::Format_RGB32);
    double sum = 0;
    for (int row = 0; row < x.height(); ++row) {
        const QRgb* p = reinterpret_cast<const QRgb*>(x.constScanLine(row));
        const QRgb* r = reinterpret_cast<const QRgb*>(y.constScanLine(row));
        for (int col = 0; col < x.width(); ++col)
            sum += std::abs(qRed(p[col]) - qRed(r[col])) +
                   std::abs(qGreen(p[col]) - qGreen(r[col])) +
                   std::abs(qBlue(p[col]) - qBlue(r[col]));
    }
    return sum / (3.0 * x.width() * x.height());
}

// The first photographs inserted with and without the host's shortcut for pasted pictures
// (PICROWS_EAGER_PICTURES=1 renders and encodes every copy and paste at once), both workbooks
// rendered by `picrows render`: the mean difference of the renders, in levels.
double compareWithoutShortcut(const QString& picrows, const QString& work, const QString& templ,
                              const QStringList& photos, const QString& config)
{
    const int count = int(std::min<qsizetype>(photos.size(), 2 * kColumns));
    QImage renders[2];
    for (int eager = 0; eager < 2; ++eager) {
        const QString out = work + QStringLiteral("/compare_%1.xlsx").arg(eager);
        const QString png = out + QStringLiteral(".png");
        const QStringList command =
            insertCommand(picrows, templ, config, out, photos.mid(0, count));
        if (eager)
            qputenv("PICROWS_EAGER_PICTURES", "1");
        const Run inserted = runProgram(command);
        qunsetenv("PICROWS_EAGER_PICTURES");
        const Run rendered =
            runProgram({picrows, QStringLiteral("render"), out, QStringLiteral("--range"),
                        blockAddress(count), QStringLiteral("-o"), png});
        if (inserted.status != 0 || rendered.status != 0)
            return -1;
        renders[eager] = QImage(png);
    }
    return meanLevels(renders[0], renders[1]);
}

} // namespace

int main(int argc, char** argv)
{
    QGuiApplication::setAttribute(Qt::AA_PluginApplication); // no platform plugin needed
    qputenv("QT_QPA_PLATFORM", "offscreen");
    QGuiApplication qtApp(argc, argv);
    QStringList args = QCoreApplication::arguments();
    QString work = QDir::tempPath() + QStringLiteral("/picrows-insert-bench");
    QString picrows = QCoreApplication::applicationDirPath() + QStringLiteral("/picrows");
    QList<int> counts{100, 400};
    bool script = true;
    for (int i = 1; i < args.size(); ++i) {
        if (args[i] == QStringLiteral("--work") && i + 1 < args.size())
            work = args[++i];
        else if (args[i] == QStringLiteral("--picrows") && i + 1 < args.size())
            picrows = args[++i];
        else if (args[i] == QStringLiteral("--counts") && i + 1 < args.size()) {
            counts.clear();
            for (const QString& c : args[++i].split(u','))
                counts.append(c.toInt());
        } else if (args[i] == QStringLiteral("--no-script"))
            script = false;
        else {
            std::fprintf(stderr, "usage: insert_bench [--work DIR] [--counts 100,400] "
                                 "[--picrows PATH] [--no-script]\n");
            return 2;
        }
    }
    const int most = *std::max_element(counts.begin(), counts.end());
    const QString photoFolder = work + QStringLiteral("/photos");
    makePhotos(photoFolder, most);
    const int denominator = neededDenominator();
    std::printf("%d x %d JPEG photographs (quality 90) into cells of %g x %g points: fill at the "
                "centre, reduction factor %g, host version 16; %u cores\n\n",
                kPhotoWidth, kPhotoHeight, kCellWidth, kCellHeight, kReduceFactor,
                std::max(1u, std::thread::hardware_concurrency()));

    struct Row
    {
        int count;
        Run insert;
        double floor;
        Run script;
    };
    std::vector<Row> rows;
    for (const int count : counts) {
        QStringList photos;
        for (int i = 0; i < count; ++i)
            photos << photoPath(photoFolder, i);
        const QString templ = work + QStringLiteral("/template_%1.xlsx").arg(count);
        makeTemplate(templ, count);
        QTemporaryDir config;
        const QString out = work + QStringLiteral("/picrows_%1.xlsx").arg(count);
        const QStringList command = insertCommand(picrows, templ, config.path(), out, photos);
        Row row{count, runProgram(command), decodeFloor(photos, denominator), {}};
        if (row.insert.status != 0)
            std::fprintf(stderr, "picrows insert ended with %d\n", row.insert.status);
        if (script) {
            QStringList python{QStringLiteral("/usr/bin/python3"),
                               QStringLiteral(PICROWS_BENCH_DIR "/insert_baseline.py"),
                               templ,
                               work + QStringLiteral("/script_%1.xlsx").arg(count),
                               QString::number(kColumns),
                               QString::number((count + kColumns - 1) / kColumns),
                               QStringLiteral("2"),
                               QStringLiteral("2"),
                               QString::number(kCellWidth),
                               QString::number(kCellHeight),
                               QString::number(kCopyPixelsPerPoint * kReduceFactor)};
            python += photos;
            row.script = runProgram(python);
            if (row.script.status != 0)
                std::fprintf(stderr, "the Python script ended with %d\n", row.script.status);
        }
        if (count == counts.front())
            std::printf("first %d photographs inserted without the shortcut for pasted pictures: "
                        "renders differ by %.2f levels on average\n",
                        std::min(count, 2 * kColumns),
                        compareWithoutShortcut(picrows, work, templ, photos, config.path()));
        rows.push_back(row);
        std::printf("%4d photographs: picrows insert %7.2f s, peak %6.1f MB | decode floor "
                    "(1/%d, one core) %6.2f s = %5.1f ms each",
                    count, row.insert.seconds, row.insert.peakMb, denominator, row.floor,
                    row.floor * 1000 / count);
        if (script)
            std::printf(" | Python script %7.2f s, peak %6.1f MB", row.script.seconds,
                        row.script.peakMb);
        std::printf("\n");
    }

    std::printf("\n");
    for (const Row& row : rows) {
        std::printf("%4d photographs: insert / decode floor %.2f (target <= 1.00)", row.count,
                    row.insert.seconds / row.floor);
        if (script)
            std::printf(", insert / script %.2f (target < 0.60)",
                        row.insert.seconds / row.script.seconds);
        std::printf(", peak %.0f MB (target < 300)\n", row.insert.peakMb);
    }
    if (rows.size() >= 2)
        std::printf("peak memory growth %d -> %d photographs: %+.1f %% (target < +20 %%)\n",
                    rows.front().count, rows.back().count,
                    100 * (rows.back().insert.peakMb / rows.front().insert.peakMb - 1));
    return 0;
}
