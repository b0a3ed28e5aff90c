// Times rendering a 12-megapixel JPEG (4000 × 3000) to a 300 × 225 thumbnail: decoding it
// whole and scaling down, against decoding it at the smallest libjpeg scale that still has the
// pixels (what the renderer does), through TurboJPEG and through Qt's reader. Prints the median
// of several runs of each and the ratios to the whole decode measured in the same run.

#include "host/imaging/decode_cache.h"
#include "host/imaging/encoded_image.h"
#include "host/imaging/jpeg_decoder.h"
#include "host/imaging/picture_render.h"

#include <QBuffer>
#include <QElapsedTimer>
#include <QImageReader>
#include <QRandomGenerator>

#include <turbojpeg.h>

#include <algorithm>
#include <cmath>
#include <cstdio>
#include <functional>
#include <vector>

namespace {

using namespace host::imaging;

constexpr QSize Full(4000, 3000);
constexpr QSize Thumb(300, 225);
constexpr int Runs = 9;

// A photograph's worth of detail: gradients with fine noise, so the entropy-coded data is as
// large as a camera's (a smooth synthetic image would decode unrealistically fast).
QByteArray photograph()
{
    QImage image(Full, QImage::Format_RGB888);
    QRandomGenerator random(12345);
    for (int y = 0; y < Full.height(); ++y) {
        uchar* row = image.scanLine(y);
        for (int x = 0; x < Full.width(); ++x) {
            const double u = double(x) / Full.width(), v = double(y) / Full.height();
            const int noise = int(random.bounded(48)) - 24;
            row[3 * x] = uchar(std::clamp(int(255 * u) + noise, 0, 255));
            row[3 * x + 1] = uchar(std::clamp(int(255 * v) - noise, 0, 255));
            row[3 * x + 2] =
                uchar(std::clamp(int(128 + 120 * std::sin(u * 40 + v * 25)) + noise, 0, 255));
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

double medianMs(const std::function<QImage()>& run, QSize expected = Thumb)
{
    std::vector<double> times;
    for (int i = 0; i < Runs; ++i) {
        QElapsedTimer timer;
        timer.start();
        const QImage result = run();
        times.push_back(double(timer.nsecsElapsed()) / 1e6);
        if (result.size() != expected)
            std::fprintf(stderr, "unexpected result size %dx%d\n", result.width(), result.height());
    }
    std::sort(times.begin(), times.end());
    return times[times.size() / 2];
}

QImage thumbnail(const QImage& decoded)
{
    return decoded.scaled(Thumb, Qt::IgnoreAspectRatio, Qt::SmoothTransformation);
}

QImage qtRead(QByteArray bytes, QSize scaledSize)
{
    QBuffer buffer(&bytes);
    buffer.open(QIODevice::ReadOnly);
    QImageReader reader(&buffer, "jpeg");
    if (scaledSize.isValid())
        reader.setScaledSize(scaledSize);
    return reader.read();
}

} // namespace

int main()
{
    const QByteArray jpeg = photograph();
    const EncodedImage image = probePicture(jpeg);
    PictureLook look;
    look.untouched = image.untouchedSize();
    std::printf("4000x3000 JPEG, %.1f MB, to a 300x225 thumbnail; median of %d runs\n\n",
                jpeg.size() / 1e6, Runs);

    // Decoding alone, to choose the decoder: TurboJPEG against Qt's reader, whole and at 1/8
    // (Qt's reader asked for exactly 1/8 of the size uses libjpeg's scaling and nothing more).
    const QSize eighth(Full.width() / 8, Full.height() / 8);
    const double tjDecodeWhole = medianMs([&] { return decodeJpeg(jpeg, 1, false).image; }, Full);
    const double qtDecodeWhole = medianMs([&] { return qtRead(jpeg, QSize()); }, Full);
    const double tjDecodeEighth =
        medianMs([&] { return decodeJpeg(jpeg, 8, false).image; }, eighth);
    const double qtDecodeEighth = medianMs([&] { return qtRead(jpeg, eighth); }, eighth);

    // The thumbnail, end to end.
    const double whole = medianMs([&] { return thumbnail(decodeJpeg(jpeg, 1, false).image); });
    const double qtScaled = medianMs([&] { return qtRead(jpeg, Thumb); });
    const double render = medianMs([&] {
        clearDecodeCache();
        return renderPicture(image, look, look.untouched, Thumb);
    });
    clearDecodeCache();
    renderPicture(image, look, look.untouched, Thumb);
    const double cached =
        medianMs([&] { return renderPicture(image, look, look.untouched, Thumb); });

    std::printf("decoding only\n");
    std::printf("  %-50s %8.1f ms\n", "TurboJPEG, whole", tjDecodeWhole);
    std::printf("  %-50s %8.1f ms\n", "Qt reader, whole", qtDecodeWhole);
    std::printf("  %-50s %8.1f ms\n", "TurboJPEG at 1/8", tjDecodeEighth);
    std::printf("  %-50s %8.1f ms\n", "Qt reader at 1/8 (setScaledSize 500x375)", qtDecodeEighth);
    std::printf("\nthumbnail 300x225\n");
    const auto line = [&](const char* what, double ms) {
        std::printf("  %-50s %8.1f ms  %7.1fx\n", what, ms, whole / ms);
    };
    line("whole decode + smooth scale (baseline)", whole);
    line("Qt reader setScaledSize 300x225", qtScaled);
    line("renderPicture, cache cleared (TurboJPEG at 1/8)", render);
    line("renderPicture again, decoded picture cached", cached);
    std::printf("\nscaled decode vs whole decode, thumbnail: %.1fx faster; decoding alone: %.1fx\n",
                whole / render, tjDecodeWhole / tjDecodeEighth);
    std::printf("TurboJPEG vs Qt reader at 1/8: %.2fx; whole: %.2fx (above 1: TurboJPEG faster)\n",
                qtDecodeEighth / tjDecodeEighth, qtDecodeWhole / tjDecodeWhole);
    return 0;
}
