#include "host/imaging/encoded_image.h"

#include "host/imaging/jpeg_markers.h"
#include "host/imaging/picture_decoder.h"
#include "host/imaging/picture_metadata.h"
#include "host/imaging/tiff_tags.h"
#include "tests/host/imaging/test_images.h"

#include <QBuffer>
#include <QImageWriter>

#include <gtest/gtest.h>

#include <cstdio>
#include <jpeglib.h>
#include <vector>

using namespace host::imaging;
using namespace imaging_test;

namespace {

// How the stored pixels of each EXIF orientation map onto the upright picture: stored
// x, y from upright X, Y, with `swap` when the stored axes are exchanged.
struct Mapping
{
    bool swap;
    bool flipX; // stored x runs against the upright axis it comes from
    bool flipY;
};
constexpr Mapping Mappings[9] = {{},
                                 {false, false, false},
                                 {false, true, false},
                                 {false, true, true},
                                 {false, false, true},
                                 {true, false, false},
                                 {true, false, true},
                                 {true, true, true},
                                 {true, true, false}};

QPoint storedFromUpright(const Mapping& m, int X, int Y, QSize stored)
{
    const int a = m.swap ? Y : X, b = m.swap ? X : Y;
    return QPoint(m.flipX ? stored.width() - 1 - a : a, m.flipY ? stored.height() - 1 - b : b);
}

// The pixels a camera would store for `upright` when it records orientation `o`.
QImage storedFor(const QImage& upright, int o)
{
    const Mapping& m = Mappings[o];
    const QSize stored = m.swap ? upright.size().transposed() : upright.size();
    QImage out(stored, QImage::Format_RGB32);
    for (int Y = 0; Y < upright.height(); ++Y)
        for (int X = 0; X < upright.width(); ++X)
            out.setPixel(storedFromUpright(m, X, Y, stored), upright.pixel(X, Y));
    return out;
}

// A JPEG's quantised DCT coefficients, dequantised, per component and block.
struct Coefficients
{
    struct Component
    {
        int blocksWide = 0, blocksHigh = 0;
        std::vector<int> values; // block-major, 64 per block in natural (row-major) order
        int at(int bx, int by, int v, int u) const
        {
            return values[(size_t(by) * blocksWide + bx) * 64 + size_t(v) * 8 + u];
        }
    };
    std::vector<Component> components;
};

Coefficients readCoefficients(const QByteArray& jpeg)
{
    jpeg_decompress_struct info{};
    jpeg_error_mgr errors{};
    info.err = jpeg_std_error(&errors);
    jpeg_create_decompress(&info);
    jpeg_mem_src(&info, reinterpret_cast<const unsigned char*>(jpeg.constData()),
                 static_cast<unsigned long>(jpeg.size()));
    jpeg_read_header(&info, TRUE);
    jvirt_barray_ptr* arrays = jpeg_read_coefficients(&info);
    Coefficients result;
    for (int c = 0; c < info.num_components; ++c) {
        const jpeg_component_info& comp = info.comp_info[c];
        Coefficients::Component out;
        out.blocksWide = int(comp.width_in_blocks);
        out.blocksHigh = int(comp.height_in_blocks);
        out.values.resize(size_t(out.blocksWide) * out.blocksHigh * 64);
        for (int by = 0; by < out.blocksHigh; ++by) {
            JBLOCKARRAY row = info.mem->access_virt_barray(reinterpret_cast<j_common_ptr>(&info),
                                                           arrays[c], JDIMENSION(by), 1, FALSE);
            for (int bx = 0; bx < out.blocksWide; ++bx)
                for (int k = 0; k < 64; ++k)
                    out.values[(size_t(by) * out.blocksWide + bx) * 64 + size_t(k)] =
                        row[0][bx][k] * comp.quant_table->quantval[k];
        }
        result.components.push_back(std::move(out));
    }
    jpeg_finish_decompress(&info);
    jpeg_destroy_decompress(&info);
    return result;
}

// Whether `upright` holds exactly the coefficients of `stored` moved as orientation `o` moves
// pixels: blocks relocated, transposed where the axes swap, and the sign of odd frequencies
// flipped along each mirrored axis.
::testing::AssertionResult losslesslyTurned(const QByteArray& stored, const QByteArray& upright,
                                            int o)
{
    const Coefficients from = readCoefficients(stored);
    const Coefficients to = readCoefficients(upright);
    const Mapping& m = Mappings[o];
    if (from.components.size() != to.components.size())
        return ::testing::AssertionFailure() << "component count";
    for (size_t c = 0; c < from.components.size(); ++c) {
        const auto& s = from.components[c];
        const auto& r = to.components[c];
        const QSize storedBlocks(s.blocksWide, s.blocksHigh);
        const QSize expected = m.swap ? storedBlocks.transposed() : storedBlocks;
        if (QSize(r.blocksWide, r.blocksHigh) != expected)
            return ::testing::AssertionFailure() << "block grid of component " << c;
        for (int by = 0; by < r.blocksHigh; ++by)
            for (int bx = 0; bx < r.blocksWide; ++bx) {
                const QPoint sb = storedFromUpright(m, bx, by, storedBlocks);
                for (int v = 0; v < 8; ++v)
                    for (int u = 0; u < 8; ++u) {
                        // Frequencies along the stored x and y axes.
                        const int su = m.swap ? v : u, sv = m.swap ? u : v;
                        int value = s.at(sb.x(), sb.y(), sv, su);
                        if (m.flipX && su % 2)
                            value = -value;
                        if (m.flipY && sv % 2)
                            value = -value;
                        if (r.at(bx, by, v, u) != value)
                            return ::testing::AssertionFailure()
                                   << "component " << c << " block " << bx << "," << by
                                   << " coefficient " << v << "," << u;
                    }
            }
    }
    return ::testing::AssertionSuccess();
}

int exifOrientation(const QByteArray& jpeg)
{
    const auto exif = jpegExifBlock(jpeg);
    return exif ? orientationOf(TiffTags(QByteArrayView(jpeg).sliced(exif->at, exif->size))) : 0;
}

// Checks the quadrant colours at the quadrants' centres.
void expectQuadrants(const QImage& image, int tolerance, const std::string& label)
{
    const int w = image.width(), h = image.height();
    const QPoint centres[4] = {
        {w / 4, h / 4}, {3 * w / 4, h / 4}, {w / 4, 3 * h / 4}, {3 * w / 4, 3 * h / 4}};
    for (int q = 0; q < 4; ++q)
        EXPECT_LE(channelDistance(image.pixel(centres[q]), QuadrantColours[q].rgb()), tolerance)
            << label << " quadrant " << q;
}

} // namespace

TEST(Upright, JpegOrientationsTurnLosslessly)
{
    // 64 × 48 with 16-pixel blocks (4:2:0): every transform is perfect.
    const QImage reference = quadrants(64, 48);
    for (int o = 1; o <= 8; ++o) {
        for (bool bigEndian : {false, true}) {
            const std::string label =
                "orientation " + std::to_string(o) + (bigEndian ? " MM" : " II");
            const QImage stored = storedFor(reference, o);
            const QByteArray file =
                withExif(encodeJpeg(stored, true, 85), exifTiff(o, stored.size(), bigEndian));
            ASSERT_EQ(storedOrientation(ImageFormat::Jpeg, file), o) << label;

            const EncodedImage image = loadPicture(file);
            EXPECT_EQ(image.format, ImageFormat::Jpeg) << label;
            EXPECT_EQ(image.pixelSize, QSize(64, 48)) << label;
            EXPECT_EQ(exifOrientation(image.bytes), 1) << label;
            if (o == 1) {
                EXPECT_EQ(image.bytes, file) << label << ": an upright file is kept as it is";
            }
            EXPECT_TRUE(losslesslyTurned(file, image.bytes, o)) << label;
            expectQuadrants(decodePicture(image), 12, label);

            // The EXIF pixel dimensions follow the turn.
            const auto exif = jpegExifBlock(image.bytes);
            ASSERT_TRUE(exif) << label;
            const TiffTags tags(QByteArrayView(image.bytes).sliced(exif->at, exif->size));
            EXPECT_EQ(tags.number(*tags.findExif(tiff::PixelXDimension)), 64u) << label;
            EXPECT_EQ(tags.number(*tags.findExif(tiff::PixelYDimension)), 48u) << label;
        }
    }
}

TEST(Upright, PartialBlocksAreTrimmedNotReencoded)
{
    // 70 × 50 stored, to be turned a quarter clockwise: the bottom 2 rows (a partial 16-row
    // block) would become the left edge, so they are dropped and the rest moves losslessly.
    const QImage reference = quadrants(50, 70);
    const QImage stored = storedFor(reference, 6);
    ASSERT_EQ(stored.size(), QSize(70, 50));
    const QByteArray file = withExif(encodeJpeg(stored, true), exifTiff(6, stored.size()));
    const EncodedImage image = loadPicture(file);
    EXPECT_EQ(image.pixelSize, QSize(48, 70));
    EXPECT_EQ(exifOrientation(image.bytes), 1);
    // The kept rows are the stored picture without its last two rows: compare the
    // coefficients with those of the file cut to 48 rows, where nothing is partial.
    const QByteArray cut =
        withExif(encodeJpeg(stored.copy(0, 0, 70, 48), true), exifTiff(6, QSize(70, 48)));
    EXPECT_TRUE(losslesslyTurned(cut, image.bytes, 6));
    expectQuadrants(decodePicture(image).copy(0, 0, 48, 70), 16, "trimmed");
}

TEST(Upright, PngAndTiffOrientationsAreReencodedAsPng)
{
    const QImage reference = quadrants(40, 30);
    for (int o = 2; o <= 8; ++o) {
        const std::string label = "png orientation " + std::to_string(o);
        const QImage stored = storedFor(reference, o);
        const QByteArray png =
            withPngChunk(encode(stored, "png"), "eXIf", exifTiff(o, stored.size()), true);
        ASSERT_EQ(storedOrientation(ImageFormat::Png, png), o) << label;
        const EncodedImage image = loadPicture(png);
        EXPECT_EQ(image.format, ImageFormat::Png) << label;
        EXPECT_EQ(storedOrientation(ImageFormat::Png, image.bytes), 1) << label;
        EXPECT_EQ(maxDistance(decodePicture(image), reference), 0) << label;
    }
    for (int o : {3, 5, 6, 8}) {
        const std::string label = "tiff orientation " + std::to_string(o);
        const QImage stored = storedFor(reference, o);
        QByteArray tiff;
        QBuffer buffer(&tiff);
        buffer.open(QIODevice::WriteOnly);
        QImageWriter writer(&buffer, "tiff");
        // Qt records the transformation as the TIFF orientation tag.
        const QImageIOHandler::Transformations byOrientation[9] = {
            {},
            QImageIOHandler::TransformationNone,
            QImageIOHandler::TransformationMirror,
            QImageIOHandler::TransformationRotate180,
            QImageIOHandler::TransformationFlip,
            QImageIOHandler::TransformationFlipAndRotate90,
            QImageIOHandler::TransformationRotate90,
            QImageIOHandler::TransformationMirrorAndRotate90,
            QImageIOHandler::TransformationRotate270};
        writer.setTransformation(byOrientation[o]);
        ASSERT_TRUE(writer.write(stored)) << label;
        buffer.close();
        ASSERT_EQ(storedOrientation(ImageFormat::Tiff, tiff), o) << label;
        const EncodedImage image = loadPicture(tiff);
        EXPECT_EQ(image.format, ImageFormat::Png) << label;
        EXPECT_EQ(image.pixelSize, reference.size()) << label;
        EXPECT_EQ(maxDistance(decodePicture(image), reference), 0) << label;
    }
}
