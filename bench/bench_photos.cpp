#include "bench/bench_photos.h"

#include "host/objects/host.h"
#include "host/xl/application.h"
#include "host/xl/range.h"
#include "host/xl/workbook.h"
#include "host/xl/worksheet.h"

#include <QDir>
#include <QElapsedTimer>
#include <QFile>
#include <QFileInfo>
#include <QImage>
#include <QRandomGenerator>

#include <turbojpeg.h>

#include <algorithm>
#include <atomic>
#include <cmath>
#include <cstdio>
#include <cstdlib>
#include <thread>
#include <vector>

namespace bench {

QByteArray photograph(int seed)
{
    QImage image(kPhotoWidth, kPhotoHeight, QImage::Format_RGB888);
    QRandomGenerator random(quint32(seed) * 7919u + 17u);
    const double fx = 20 + random.bounded(40.0), fy = 10 + random.bounded(30.0);
    const double phase = random.bounded(6.28);
    const int tint = int(random.bounded(96));
    for (int y = 0; y < kPhotoHeight; ++y) {
        uchar* row = image.scanLine(y);
        const double v = double(y) / kPhotoHeight;
        for (int x = 0; x < kPhotoWidth; ++x) {
            const double u = double(x) / kPhotoWidth;
            const int noise = int(random.bounded(40)) - 20;
            row[3 * x] = uchar(std::clamp(int(200 * u) + tint + noise, 0, 255));
            row[3 * x + 1] = uchar(std::clamp(int(255 * v) - noise, 0, 255));
            row[3 * x + 2] = uchar(
                std::clamp(int(128 + 110 * std::sin(u * fx + v * fy + phase)) + noise / 2, 0, 255));
        }
    }
    tjhandle handle = tjInitCompress();
    unsigned char* out = nullptr;
    unsigned long size = 0;
    tjCompress2(handle, image.constBits(), image.width(), int(image.bytesPerLine()), image.height(),
                TJPF_RGB, &out, &size, TJSAMP_420, 90, 0);
    QByteArray bytes(reinterpret_cast<const char*>(out), qsizetype(size));
    tjFree(out);
    tjDestroy(handle);
    return bytes;
}

QString photoPath(const QString& folder, int i)
{
    return folder + QStringLiteral("/photo_%1.jpg").arg(i, 4, 10, QLatin1Char('0'));
}

// A photograph made from another's bytes with a comment of its own after the start marker:
// another file with other contents, the same work to decode.
static QByteArray withComment(const QByteArray& jpeg, int i)
{
    const QByteArray text = "picrows bench copy " + QByteArray::number(i);
    QByteArray segment("\xFF\xFE", 2);
    const int length = int(text.size()) + 2;
    segment.append(char(length >> 8)).append(char(length & 0xFF)).append(text);
    return jpeg.left(2) + segment + jpeg.mid(2);
}

// Makes the photographs that are not there yet, on every core. With `distinct` below `count`,
// only the first `distinct` are drawn; the others are copies of them, each with a comment of
// its own (making 1000 distinct 12-megapixel photographs takes long on a busy machine).
void makePhotos(const QString& folder, int count, int distinct)
{
    if (distinct <= 0 || distinct > count)
        distinct = count;
    QDir().mkpath(folder);
    std::atomic<int> made{0};
    auto make = [&](int from, int to) {
        std::atomic<int> next{from};
        auto work = [&] {
            for (int i = next++; i < to; i = next++) {
                const QString path = photoPath(folder, i);
                if (QFileInfo(path).size() > 0)
                    continue;
                QByteArray bytes;
                if (i < distinct) {
                    bytes = photograph(i);
                } else {
                    QFile source(photoPath(folder, i % distinct));
                    if (!source.open(QIODevice::ReadOnly))
                        std::abort();
                    bytes = withComment(source.readAll(), i);
                }
                QFile file(path + QStringLiteral(".part"));
                if (!file.open(QIODevice::WriteOnly) || file.write(bytes) < 0)
                    std::abort();
                file.close();
                QFile::rename(path + QStringLiteral(".part"), path);
                ++made;
            }
        };
        std::vector<std::thread> threads;
        for (unsigned t = 0; t < std::max(1u, std::thread::hardware_concurrency()); ++t)
            threads.emplace_back(work);
        for (auto& t : threads)
            t.join();
    };
    make(0, distinct);
    make(distinct, count);
    if (made > 0)
        std::printf("made %d photographs in %s\n", made.load(), qPrintable(folder));
}

// The floor: every photograph read and decoded once, on one core, at 1/denominator of its
// size (libjpeg-turbo's scaled decoding); seconds.
double decodeFloor(const QStringList& photos, int denominator)
{
    tjhandle handle = tjInitDecompress();
    std::vector<unsigned char> pixels;
    QElapsedTimer timer;
    timer.start();
    for (const QString& path : photos) {
        QFile file(path);
        if (!file.open(QIODevice::ReadOnly))
            std::abort();
        const QByteArray bytes = file.readAll();
        const int w = (kPhotoWidth + denominator - 1) / denominator;
        const int h = (kPhotoHeight + denominator - 1) / denominator;
        pixels.resize(size_t(w) * size_t(h) * 4);
        if (tjDecompress2(handle, reinterpret_cast<const unsigned char*>(bytes.constData()),
                          static_cast<unsigned long>(bytes.size()), pixels.data(), w, 0, h,
                          TJPF_BGRX, 0) != 0)
            std::abort();
    }
    const double seconds = double(timer.nsecsElapsed()) / 1e9;
    tjDestroy(handle);
    return seconds;
}

QString blockAddress(int count)
{
    const int rows = (count + kColumns - 1) / kColumns;
    return QStringLiteral("B2:%1%2").arg(QChar(u'A' + kColumns)).arg(rows + 1);
}

void makeTemplate(const QString& path, int count)
{
    host::objects::Host host;
    const xl::Application app(host.application());
    const xl::Workbook book = app.Workbooks().Add();
    const xl::Worksheet sheet = app.ActiveSheet();
    const xl::Range block = sheet.Range(blockAddress(count));
    block.setColumnWidth(kColumnChars);
    block.setRowHeight(kCellHeight);
    const xl::Range first = sheet.Range(QStringLiteral("B2"));
    if (std::abs(first.Width() - kCellWidth) > 1e-9 ||
        std::abs(first.Height() - kCellHeight) > 1e-9) {
        std::fprintf(stderr, "template cells are %g x %g points\n", first.Width(), first.Height());
        std::exit(1);
    }
    book.SaveAs(path);
}

} // namespace bench
