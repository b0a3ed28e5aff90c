#include "host/imaging/encoded_image.h"

#include "host/automation/host_error.h"
#include "host/imaging/emf.h"
#include "host/imaging/gif_writer.h"
#include "host/imaging/orientation.h"
#include "host/imaging/picture_decoder.h"
#include "tests/host/imaging/heif_images.h"
#include "tests/host/imaging/test_images.h"

#include <QFile>
#include <QTemporaryDir>

#include <gtest/gtest.h>

using namespace host::imaging;
using namespace imaging_test;

namespace {

QImage withDpi(QImage image, double dpi)
{
    image.setDotsPerMeterX(int(std::lround(dpi / 0.0254)));
    image.setDotsPerMeterY(int(std::lround(dpi / 0.0254)));
    return image;
}

// Expects the bytes to be refused with a description containing `reason`.
void expectRefused(const QByteArray& bytes, const char* reason, const char* label)
{
    try {
        loadPicture(bytes);
        ADD_FAILURE() << label << ": accepted";
    } catch (const host::HostError& error) {
        EXPECT_EQ(error.number(), 1004) << label;
        EXPECT_TRUE(error.description().contains(QLatin1String(reason)))
            << label << ": " << error.description().toStdString();
    }
}

} // namespace

TEST(EncodedImage, UntouchedSizeFollowsStoredResolution)
{
    const QImage picture = quadrants(300, 150);
    struct Case
    {
        const char* label;
        QByteArray bytes;
        ImageFormat format;
        double dpi;
    };
    QByteArray jfifAspectOnly = encode(withDpi(picture, 72), "jpeg");
    jfifAspectOnly[13] = 0; // JFIF units: 0, an aspect ratio only
    const Case cases[] = {
        {"jpeg 72", encode(withDpi(picture, 72), "jpeg"), ImageFormat::Jpeg, 72},
        {"jpeg 300", encode(withDpi(picture, 300), "jpeg"), ImageFormat::Jpeg, 300},
        {"jpeg aspect only", jfifAspectOnly, ImageFormat::Jpeg, 96},
        {"jpeg exif resolution",
         withExif(encodeJpeg(picture, true),
                  [] {
                      // II*\0, IFD0 at 8 with XResolution, YResolution (rationals at 50, 58), unit
                      // inch.
                      QByteArray t("II*\0\x08\0\0\0", 8);
                      t += QByteArray("\x03\0", 2);
                      t += QByteArray("\x1A\x01\x05\0\x01\0\0\0\x32\0\0\0", 12);
                      t += QByteArray("\x1B\x01\x05\0\x01\0\0\0\x3A\0\0\0", 12);
                      t += QByteArray("\x28\x01\x03\0\x01\0\0\0\x02\0\0\0", 12);
                      t += QByteArray("\0\0\0\0", 4);
                      t += QByteArray("\xC8\0\0\0\x01\0\0\0\xC8\0\0\0\x01\0\0\0", 16); // 200/1
                      return t;
                  }()),
         ImageFormat::Jpeg, 200},
        {"png 150", encode(withDpi(picture, 150), "png"), ImageFormat::Png, 150},
        {"png 96 as dots per metre", encode(withDpi(picture, 96), "png"), ImageFormat::Png, 96},
        {"bmp 120", encode(withDpi(picture, 120), "bmp"), ImageFormat::Bmp, 120},
        {"tiff 200", encode(withDpi(picture, 200), "tiff"), ImageFormat::Tiff, 200},
        {"gif: none stated", writeGif(picture), ImageFormat::Gif, 96},
    };
    for (const auto& c : cases) {
        const EncodedImage image = loadPicture(c.bytes);
        EXPECT_EQ(image.format, c.format) << c.label;
        EXPECT_EQ(image.pixelSize, QSize(300, 150)) << c.label;
        EXPECT_DOUBLE_EQ(image.dpiX, c.dpi) << c.label;
        EXPECT_NEAR(image.untouchedSize().width(), 300 * 72 / c.dpi, 1e-9) << c.label;
        EXPECT_NEAR(image.untouchedSize().height(), 150 * 72 / c.dpi, 1e-9) << c.label;
        EXPECT_EQ(image.bytes, c.bytes) << c.label << ": bytes must be kept as they are";
    }
}

TEST(EncodedImage, MetafileSizeIsItsFrame)
{
    QImage picture = withDpi(quadrants(200, 100), 96);
    const EncodedImage image = loadPicture(writeEmf(picture));
    EXPECT_EQ(image.format, ImageFormat::Emf);
    EXPECT_EQ(image.pixelSize, QSize(200, 100));
    EXPECT_NEAR(image.untouchedSize().width(), 150.0, 1e-9);
    EXPECT_NEAR(image.untouchedSize().height(), 75.0, 1e-9);
}

TEST(EncodedImage, FormatComesFromContentNotName)
{
    QTemporaryDir dir;
    ASSERT_TRUE(dir.isValid());
    const QByteArray png = encode(quadrants(40, 20), "png");
    const QString misnamed = dir.filePath(QStringLiteral("photo.jpg"));
    QFile file(misnamed);
    ASSERT_TRUE(file.open(QIODevice::WriteOnly));
    file.write(png);
    file.close();
    const EncodedImage image = loadPictureFile(misnamed);
    EXPECT_EQ(image.format, ImageFormat::Png);
    EXPECT_EQ(image.pixelSize, QSize(40, 20));

    const QString text = dir.filePath(QStringLiteral("notes.png"));
    QFile textFile(text);
    ASSERT_TRUE(textFile.open(QIODevice::WriteOnly));
    textFile.write("This is not a picture at all.\n");
    textFile.close();
    EXPECT_THROW(loadPictureFile(text), host::HostError);
    EXPECT_THROW(loadPictureFile(dir.filePath(QStringLiteral("missing.png"))), host::HostError);
}

TEST(EncodedImage, RefusesDamagedFiles)
{
    const QImage picture = photoLike(160, 120);
    const QByteArray jpeg = encodeJpeg(picture, true);
    const QByteArray progressive = [&] {
        QByteArray b = encode(picture, "jpeg", 90);
        return b;
    }();
    const QByteArray png = encode(picture, "png");
    const QByteArray gif = writeGif(picture);
    const QByteArray bmp = encode(picture, "bmp");
    const QByteArray tiff = encode(picture, "tiff");
    const struct
    {
        const char* label;
        QByteArray bytes;
        const char* reason;
    } cases[] = {
        {"zero bytes", QByteArray(), "empty"},
        {"text", QByteArray("GIF? no, just text that is long enough to be looked at"),
         "not a picture"},
        {"jpeg header only", jpeg.left(300), "damaged"},
        {"jpeg cut in its scan", jpeg.left(jpeg.size() * 2 / 3), "damaged"},
        {"jpeg without its end marker", jpeg.left(jpeg.size() - 2), "damaged"},
        {"qt jpeg cut", progressive.left(progressive.size() / 2 + 100), "damaged"},
        {"png cut", png.left(png.size() / 2), "incomplete"},
        {"gif cut", gif.left(gif.size() / 2), "incomplete"},
        {"bmp cut", bmp.left(bmp.size() - 500), "incomplete"},
        {"tiff cut", tiff.left(tiff.size() / 2), "damaged"},
    };
    for (const auto& c : cases)
        expectRefused(c.bytes, c.reason, c.label);

    // The intact files are accepted, so the refusals above are about the damage.
    for (const QByteArray& whole : {jpeg, progressive, png, gif, bmp, tiff})
        EXPECT_EQ(loadPicture(whole).pixelSize, QSize(160, 120));
}

// libpng reports damage by writing on standard error itself, which no message handler can
// stop: the host finds cut-off and corrupted PNGs before the decoder sees them. A bad
// checksum on an ancillary chunk only is skipped, as viewers skip it.
TEST(EncodedImage, DamagedPngsAreRefusedBeforeLibpngSeesThem)
{
    const QByteArray png = encode(photoLike(160, 120), "png");
    const qsizetype idat = png.indexOf("IDAT");
    ASSERT_GT(idat, 0);
    QByteArray flipped = png;
    flipped[idat + 40] = char(flipped[idat + 40] ^ 0x5a);
    QByteArray withText = png;
    const QByteArray text("tEXtnote\0damaged", 16);
    withText.insert(idat - 4, QByteArray("\0\0\0\x0c", 4) + text + QByteArray("\1\2\3\4", 4));
    const struct
    {
        const char* label;
        QByteArray bytes;
        const char* reason;
    } cases[] = {
        {"cut in its data", png.left(png.size() / 2), "incomplete"},
        {"cut before its end chunk", png.left(png.size() - 12), "incomplete"},
        {"a byte of its data changed", flipped, "checksum"},
    };
    for (const auto& c : cases) {
        ::testing::internal::CaptureStderr();
        expectRefused(c.bytes, c.reason, c.label);
        EXPECT_EQ(::testing::internal::GetCapturedStderr(), std::string()) << c.label;
    }
    EXPECT_EQ(loadPicture(withText).pixelSize, QSize(160, 120));
}

TEST(EncodedImage, RefusesHugeDimensionsFromTheHeader)
{
    // Each file is small and its header claims billions of pixels; the refusal must be the
    // header check ("too large"), raised before any decoder tries to allocate the pixels.
    const QByteArray png = encode(quadrants(8, 8), "png");
    QByteArray jpeg = encodeJpeg(quadrants(16, 16), false);
    const qsizetype sof = jpeg.indexOf("\xFF\xC0");
    ASSERT_GT(sof, 0);
    jpeg[sof + 5] = char(0xEA), jpeg[sof + 6] = char(0x60); // height 60000
    jpeg[sof + 7] = char(0xEA), jpeg[sof + 8] = char(0x60); // width 60000
    QByteArray gif = writeGif(quadrants(8, 8));
    gif[6] = gif[7] = gif[8] = gif[9] = char(0xFF); // logical screen 65535 × 65535
    QByteArray bmp = encode(quadrants(8, 8), "bmp");
    bmp[18] = char(0xA0), bmp[19] = char(0x86), bmp[20] = char(0x01); // width 100000
    bmp[22] = char(0xA0), bmp[23] = char(0x86), bmp[24] = char(0x01); // height 100000

    const struct
    {
        const char* label;
        QByteArray bytes;
    } cases[] = {
        {"png 100000 × 100000", pngClaiming(png, 100000, 100000)},
        {"png 70000 × 10", pngClaiming(png, 70000, 10)},
        {"png 20000 × 20000", pngClaiming(png, 20000, 20000)},
        {"jpeg 60000 × 60000", jpeg},
        {"gif 65535 × 65535", gif},
        {"bmp 100000 × 100000", bmp},
    };
    for (const auto& c : cases) {
        expectRefused(c.bytes, "too large", c.label);
        EXPECT_THROW(probePicture(c.bytes), host::HostError) << c.label;
    }
    // Just inside the limit, the header is accepted by the probe.
    EXPECT_EQ(probePicture(pngClaiming(png, 10000, 10000)).pixelSize, QSize(10000, 10000));
}

namespace {

// The colour at the centre of each quadrant of a picture that went through lossy codecs.
void expectQuadrantsOf(const EncodedImage& image, const QImage& expected, const char* label)
{
    const QImage shown = decodePicture(image);
    ASSERT_EQ(shown.size(), expected.size()) << label;
    for (const auto& [fx, fy] : {std::pair{1, 1}, {3, 1}, {1, 3}, {3, 3}}) {
        const QPoint at(shown.width() * fx / 4, shown.height() * fy / 4);
        EXPECT_LE(channelDistance(shown.pixel(at), expected.pixel(at)), 60)
            << label << " at " << at.x() << "," << at.y();
    }
}

QImage transparentAround(QImage image)
{
    image = image.convertToFormat(QImage::Format_ARGB32);
    for (int x = 0; x < image.width(); ++x)
        image.setPixel(x, image.height() - 1, qRgba(0, 0, 0, 0));
    return image;
}

} // namespace

TEST(ImageFormat, TellsHeifFromAvifAndFromVideoByTheirBrands)
{
    const auto ftyp = [](const char* major, const char* compatible) {
        QByteArray box("\0\0\0\0ftyp", 8);
        box.append(major).append(QByteArray(4, '\0')).append(compatible);
        box[3] = char(box.size());
        return box + QByteArray(16, '\0');
    };
    EXPECT_EQ(sniffFormat(ftyp("heic", "mif1heic")), ImageFormat::Heif);
    EXPECT_EQ(sniffFormat(ftyp("mif1", "mif1heic")), ImageFormat::Heif);
    EXPECT_EQ(sniffFormat(ftyp("avif", "mif1avif")), ImageFormat::Avif);
    EXPECT_EQ(sniffFormat(ftyp("mif1", "mif1avifmiaf")), ImageFormat::Avif);
    EXPECT_EQ(sniffFormat(ftyp("isom", "isomiso2mp41")), ImageFormat::Unknown);
    EXPECT_EQ(sniffFormat(ftyp("qt  ", "qt  ")), ImageFormat::Unknown);
}

// What not every spreadsheet program shows is stored as JPEG, or PNG to keep transparency,
// upright: HEIC and AVIF as their container turns them (their EXIF orientation is ignored),
// WebP by its EXIF orientation.
TEST(EncodedImage, StoresPhonePicturesUprightAsJpegOrPng)
{
    const QImage stored = quadrants(120, 60);
    const QImage clear = transparentAround(stored);
    const QByteArray webp = encode(stored, "webp", 95);
    struct Case
    {
        const char* label;
        QByteArray bytes;
        ImageFormat storedAs;
        QImage upright;
    };
    const Case cases[] = {
        {"heic", encodeHeif(stored, false), ImageFormat::Jpeg, stored},
        {"heic turned by its container, EXIF disagreeing",
         encodeHeif(stored, false, 6, exifDates(3, "2020:01:02 03:04:05", "")), ImageFormat::Jpeg,
         orientUpright(stored, 6)},
        {"heic with a stale EXIF orientation", encodeHeif(stored, false, 1, exifTiff(8, {120, 60})),
         ImageFormat::Jpeg, stored},
        {"avif mirrored by its container", encodeHeif(stored, true, 2), ImageFormat::Jpeg,
         orientUpright(stored, 2)},
        {"avif with transparency", encodeHeif(clear, true), ImageFormat::Png, clear},
        {"webp", webp, ImageFormat::Jpeg, stored},
        {"webp turned by EXIF", withWebpExif(webp, exifTiff(6, {120, 60})), ImageFormat::Jpeg,
         orientUpright(stored, 6)},
        {"webp with transparency", encode(clear, "webp", 100), ImageFormat::Png, clear},
    };
    for (const Case& c : cases) {
        const EncodedImage image = loadPicture(c.bytes);
        EXPECT_EQ(image.format, c.storedAs) << c.label;
        EXPECT_EQ(image.pixelSize, c.upright.size()) << c.label;
        expectQuadrantsOf(image, c.upright, c.label);
        if (c.storedAs == ImageFormat::Png) {
            EXPECT_LE(qAlpha(decodePicture(image).pixel(5, c.upright.height() - 1)), 10) << c.label;
        }
    }
}

TEST(EncodedImage, RefusesDamagedPhonePicturesAsDamagedJpegs)
{
    const QImage picture = photoLike(160, 120);
    const QByteArray heic = encodeHeif(picture, false);
    const QByteArray avif = encodeHeif(picture, true);
    const QByteArray webp = encode(picture, "webp", 90);
    const QByteArray jpeg = encode(picture, "jpeg", 90);
    expectRefused(jpeg.left(jpeg.size() / 2), "damaged", "jpeg cut short");
    expectRefused(heic.left(heic.size() * 3 / 4), "damaged", "heic cut short");
    expectRefused(avif.left(avif.size() * 3 / 4), "damaged", "avif cut short");
    expectRefused(webp.left(webp.size() / 2), "damaged", "webp cut short");
    expectRefused(heic.left(40), "damaged", "heic header only");
}
