#include "bench/bench_photos.h"

#include "host/objects/host.h"
#include "host/xl/application.h"
#include "host/xl/range.h"
#include "host/xl/workbook.h"
#include "host/xl/worksheet.h"

#include <QDir>
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

void makePhotos(const QString& folder, int count)
{
    QDir().mkpath(folder);
    std::atomic<int> next{0};
    std::atomic<int> made{0};
    auto work = [&] {
        for (int i = next++; i < count; i = next++) {
            const QString path = photoPath(folder, i);
            if (QFileInfo(path).size() > 0)
                continue;
            QFile file(path + QStringLiteral(".part"));
            if (!file.open(QIODevice::WriteOnly) || file.write(photograph(i)) < 0)
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
    if (made > 0)
        std::printf("made %d photographs in %s\n", made.load(), qPrintable(folder));
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
