#include "host/imaging/gif_writer.h"

#include <gif_lib.h>

#include <QHash>

#include <algorithm>
#include <array>
#include <climits>
#include <optional>
#include <vector>

namespace host::imaging {

namespace {

struct Palette
{
    std::vector<GifColorType> colours;
    int transparent = -1;
};

struct Indexed
{
    Palette palette;
    std::vector<GifByteType> pixels;
};

bool opaqueEnough(QRgb p)
{
    return qAlpha(p) >= 128;
}

// Colours of a 255-alpha-or-more image; an exact palette when there are few enough.
std::optional<Indexed> exactPalette(const QImage& argb, bool anyTransparent)
{
    const int limit = anyTransparent ? 255 : 256;
    QHash<QRgb, int> index;
    Indexed out;
    out.pixels.reserve(size_t(argb.width()) * argb.height());
    for (int y = 0; y < argb.height(); ++y) {
        const auto* row = reinterpret_cast<const QRgb*>(argb.constScanLine(y));
        for (int x = 0; x < argb.width(); ++x) {
            if (!opaqueEnough(row[x])) {
                out.pixels.push_back(GifByteType(limit));
                continue;
            }
            const QRgb colour = row[x] & 0xFFFFFF;
            auto it = index.find(colour);
            if (it == index.end()) {
                if (index.size() == limit)
                    return std::nullopt;
                it = index.insert(colour, int(index.size()));
                out.palette.colours.push_back({GifByteType(qRed(colour)),
                                               GifByteType(qGreen(colour)),
                                               GifByteType(qBlue(colour))});
            }
            out.pixels.push_back(GifByteType(*it));
        }
    }
    if (anyTransparent) {
        // The transparent pixels were given index `limit` (255) before the palette was known;
        // point them at the slot after the last colour.
        const auto slot = GifByteType(out.palette.colours.size());
        for (auto& p : out.pixels)
            if (p == 255)
                p = slot;
        out.palette.transparent = slot;
        out.palette.colours.push_back({0, 0, 0});
    }
    return out;
}

int nearest(const std::vector<GifColorType>& colours, int r, int g, int b)
{
    int best = 0;
    int bestDistance = INT_MAX;
    for (int i = 0; i < int(colours.size()); ++i) {
        const int dr = colours[i].Red - r, dg = colours[i].Green - g, db = colours[i].Blue - b;
        const int distance = dr * dr * 2 + dg * dg * 4 + db * db * 3;
        if (distance < bestDistance) {
            bestDistance = distance;
            best = i;
        }
    }
    return best;
}

Indexed quantised(const QImage& argb, bool anyTransparent)
{
    const int width = argb.width(), height = argb.height();
    const size_t count = size_t(width) * height;
    std::vector<GifByteType> red(count), green(count), blue(count), ignored(count);
    for (int y = 0; y < height; ++y) {
        const auto* row = reinterpret_cast<const QRgb*>(argb.constScanLine(y));
        for (int x = 0; x < width; ++x) {
            const size_t i = size_t(y) * width + x;
            red[i] = GifByteType(qRed(row[x]));
            green[i] = GifByteType(qGreen(row[x]));
            blue[i] = GifByteType(qBlue(row[x]));
        }
    }
    int size = anyTransparent ? 255 : 256;
    std::vector<GifColorType> colours(256);
    if (GifQuantizeBuffer(unsigned(width), unsigned(height), &size, red.data(), green.data(),
                          blue.data(), ignored.data(), colours.data()) != GIF_OK)
        size = 0;
    colours.resize(size_t(std::max(size, 1)));

    // Floyd–Steinberg over the chosen palette; nearest colours cached by 15-bit colour.
    Indexed out;
    out.pixels.resize(count);
    std::vector<int> cache(32768, -1);
    std::vector<std::array<int, 3>> errors(size_t(width) + 2), next(size_t(width) + 2);
    for (int y = 0; y < height; ++y) {
        const auto* row = reinterpret_cast<const QRgb*>(argb.constScanLine(y));
        std::fill(next.begin(), next.end(), std::array<int, 3>{0, 0, 0});
        for (int x = 0; x < width; ++x) {
            const size_t i = size_t(y) * width + x;
            if (!opaqueEnough(row[x])) {
                out.pixels[i] = GifByteType(colours.size());
                continue;
            }
            const auto& e = errors[size_t(x) + 1];
            const int r = std::clamp(qRed(row[x]) + e[0] / 16, 0, 255);
            const int g = std::clamp(qGreen(row[x]) + e[1] / 16, 0, 255);
            const int b = std::clamp(qBlue(row[x]) + e[2] / 16, 0, 255);
            int& cached = cache[size_t((r >> 3) << 10 | (g >> 3) << 5 | (b >> 3))];
            if (cached < 0)
                cached = nearest(colours, r, g, b);
            out.pixels[i] = GifByteType(cached);
            const GifColorType& c = colours[size_t(cached)];
            const int er = r - c.Red, eg = g - c.Green, eb = b - c.Blue;
            const auto spread = [&](std::array<int, 3>& to, int weight) {
                to[0] += er * weight, to[1] += eg * weight, to[2] += eb * weight;
            };
            spread(errors[size_t(x) + 2], 7);
            spread(next[size_t(x)], 3);
            spread(next[size_t(x) + 1], 5);
            spread(next[size_t(x) + 2], 1);
        }
        std::swap(errors, next);
    }
    out.palette.colours = std::move(colours);
    if (anyTransparent) {
        out.palette.transparent = int(out.palette.colours.size());
        out.palette.colours.push_back({0, 0, 0});
    }
    return out;
}

int writeToArray(GifFileType* gif, const GifByteType* data, int length)
{
    static_cast<QByteArray*>(gif->UserData)->append(reinterpret_cast<const char*>(data), length);
    return length;
}

} // namespace

QByteArray writeGif(const QImage& image)
{
    if (image.isNull())
        return {};
    const QImage argb = image.convertToFormat(QImage::Format_ARGB32);
    bool anyTransparent = false;
    for (int y = 0; y < argb.height() && !anyTransparent; ++y) {
        const auto* row = reinterpret_cast<const QRgb*>(argb.constScanLine(y));
        anyTransparent =
            std::any_of(row, row + argb.width(), [](QRgb p) { return !opaqueEnough(p); });
    }
    auto exact = exactPalette(argb, anyTransparent);
    Indexed indexed = exact ? std::move(*exact) : quantised(argb, anyTransparent);

    // giflib wants a power-of-two table of at least two entries.
    int tableSize = 2;
    while (tableSize < int(indexed.palette.colours.size()))
        tableSize *= 2;
    indexed.palette.colours.resize(size_t(tableSize), GifColorType{0, 0, 0});
    ColorMapObject* map = GifMakeMapObject(tableSize, indexed.palette.colours.data());
    if (!map)
        return {};

    QByteArray out;
    int error = 0;
    GifFileType* gif = EGifOpen(&out, writeToArray, &error);
    if (!gif) {
        GifFreeMapObject(map);
        return {};
    }
    EGifSetGifVersion(gif, true);
    bool ok = EGifPutScreenDesc(gif, argb.width(), argb.height(), 8, 0, map) == GIF_OK;
    if (ok && indexed.palette.transparent >= 0) {
        GraphicsControlBlock control{};
        control.DisposalMode = DISPOSAL_UNSPECIFIED;
        control.DelayTime = 0;
        control.TransparentColor = indexed.palette.transparent;
        GifByteType extension[4];
        const size_t length = EGifGCBToExtension(&control, extension);
        ok = EGifPutExtension(gif, GRAPHICS_EXT_FUNC_CODE, int(length), extension) == GIF_OK;
    }
    ok = ok && EGifPutImageDesc(gif, 0, 0, argb.width(), argb.height(), false, nullptr) == GIF_OK;
    for (int y = 0; ok && y < argb.height(); ++y)
        ok = EGifPutLine(gif, indexed.pixels.data() + size_t(y) * argb.width(), argb.width()) ==
             GIF_OK;
    if (EGifCloseFile(gif, &error) != GIF_OK)
        ok = false;
    GifFreeMapObject(map);
    return ok ? out : QByteArray();
}

} // namespace host::imaging
