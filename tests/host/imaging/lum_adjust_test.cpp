#include "host/imaging/lum_adjust.h"

#include "host/imaging/encoded_image.h"
#include "host/imaging/picture_render.h"
#include "tests/host/imaging/test_images.h"

#include <QFile>

#include <gtest/gtest.h>

using namespace host::imaging;

TEST(LumAdjust, HostValuesMapToFileAttributes)
{
    const struct
    {
        double host;
        int attribute;
    } cases[] = {{0.5, 0},      {0.6, 20000},   {0.3, -40000}, {0.0, -100000}, {1.0, 100000},
                 {0.85, 70000}, {0.15, -70000}, {0.50001, 2},  {1.5, 100000},  {-0.2, -100000}};
    for (const auto& c : cases) {
        EXPECT_EQ(lumAttribute(c.host), c.attribute) << c.host;
        if (c.host >= 0 && c.host <= 1) {
            EXPECT_NEAR(lumHostValue(c.attribute), c.host, 1e-12) << c.host;
        }
    }
}

// Every level of LibreOffice's rendering of the attributes, measured by
// make_lum_reference.py, must come out of our table unchanged.
TEST(LumAdjust, MatchesLibreOfficeLevelForLevel)
{
    QFile file(QStringLiteral(IMAGING_TEST_DATA_DIR "/lum_libreoffice.tsv"));
    ASSERT_TRUE(file.open(QIODevice::ReadOnly | QIODevice::Text)) << file.fileName().toStdString();
    int pairs = 0;
    while (!file.atEnd()) {
        const QString line = QString::fromUtf8(file.readLine()).trimmed();
        if (line.isEmpty() || line.startsWith(u'#'))
            continue;
        const QStringList fields = line.split(u'\t');
        ASSERT_EQ(fields.size(), 3);
        const int bright = fields[0].toInt(), contrast = fields[1].toInt();
        const QStringList levels = fields[2].split(u' ');
        ASSERT_EQ(levels.size(), 256);
        const LumTable table = lumTable(bright, contrast);
        for (int in = 0; in < 256; ++in)
            ASSERT_EQ(table.map[in], levels[in].toInt())
                << "bright " << bright << " contrast " << contrast << " level " << in;
        ++pairs;
    }
    EXPECT_GE(pairs, 10);
}

TEST(LumAdjust, RenderAppliesBrightnessAndContrast)
{
    QImage grey(40, 40, QImage::Format_RGB32);
    grey.fill(qRgb(64, 128, 192));
    const EncodedImage png = loadPicture(imaging_test::encode(grey, "png"));
    PictureLook look;
    look.untouched = png.untouchedSize();
    const struct
    {
        double brightness, contrast;
        QRgb expected;
    } cases[] = {
        {0.5, 0.5, qRgb(64, 128, 192)},
        {0.6, 0.5, qRgb(115, 179, 243)},   // +20 %
        {0.5, 0.7, qRgb(22, 128, 234)},    // contrast +40 %
        {0.85, 0.15, qRgb(236, 255, 255)}, // washout
    };
    for (const auto& c : cases) {
        look.brightness = c.brightness, look.contrast = c.contrast;
        const QImage out = renderPicture(png, look, look.untouched, QSize(20, 20))
                               .convertToFormat(QImage::Format_RGB32);
        EXPECT_EQ(out.pixel(10, 10), c.expected)
            << c.brightness << "/" << c.contrast << ": " << std::hex << out.pixel(10, 10);
    }

    // Transparency is kept.
    QImage clear(10, 10, QImage::Format_ARGB32);
    clear.fill(qRgba(100, 100, 100, 0));
    const QImage adjusted = applyLum(clear, 50000, 0);
    EXPECT_EQ(qAlpha(adjusted.pixel(3, 3)), 0);
}
