#include "host/render/copy_paste.h"

#include "host/automation/host_error.h"
#include "host/imaging/picture_codecs.h"
#include "host/render/shape_paint.h"
#include "tests/host/render/render_support.h"

#include <gtest/gtest.h>

#include <algorithm>

using namespace host;
using namespace render_test;
using imaging_test::maxDistance;
using imaging_test::meanDistance;
using render::PasteFormat;

namespace {

struct Source
{
    const char* name;
    QRectF box;
    double rotation;
    double crop; // points off every side of the 225 × 150 point picture
    // The copy's content lands on whole pixels (its size × 1.5 is whole); otherwise the
    // pasted copy's pixels stand up to a fraction of a pixel off.
    bool wholePixels;
};

struct Format
{
    PasteFormat format;
    imaging::ImageFormat stored;
    bool lossless;
};

const Source kSources[] = {
    {"plain", {30, 20, 150, 100}, 0, 0, true},
    {"cropped", {30, 20, 120, 80}, 0, 20, true},
    {"turned 90", {30, 20, 120, 80}, 90, 10, true},
    {"turned 30", {30, 20, 120, 80}, 30, 0, false},
};

const Format kFormats[] = {
    {PasteFormat::Png, imaging::ImageFormat::Png, true},
    {PasteFormat::Bitmap, imaging::ImageFormat::Bmp, true},
    {PasteFormat::Emf, imaging::ImageFormat::Emf, true},
    {PasteFormat::Jpeg, imaging::ImageFormat::Jpeg, false},
    {PasteFormat::Gif, imaging::ImageFormat::Gif, false},
};

class CopyPasteCycle : public ::testing::TestWithParam<std::tuple<Source, Format>>
{
};

// Copy → paste in a format → crop the copy margin → show at the copied size: what shows is
// what showed before.
TEST_P(CopyPasteCycle, RepastedPictureShowsWhatWasCopied)
{
    const auto& [source, format] = GetParam();
    auto book = oneSheetBook();
    model::Sheet& sheet = *book->sheets.front();
    model::Shape original = pictureShape(1, imaging_test::photoLike(300, 200), source.box);
    original.rotation = source.rotation;
    model::PictureData& crop = *original.picture;
    crop.cropLeft = crop.cropTop = crop.cropRight = crop.cropBottom = source.crop;
    sheet.drawing.shapes.push_back(original);

    const render::ClipContent copy = render::copyOfShapes(*book, sheet, {1});
    const QRectF bounds = render::displayedBounds(original);
    const double m = render::kCopyMargin;
    EXPECT_EQ(copy.points, bounds.size() + QSizeF(2 * m, 2 * m));
    EXPECT_EQ(copy.margin, m);
    EXPECT_EQ(copy.bitmap.dotsPerMeterX(), 4252); // 1.5 pixels per point
    EXPECT_EQ(copy.bitmap.width(), std::lround(bounds.width() * 1.5) + 4);

    model::Shape pasted = render::pastedPicture(copy, format.format);
    ASSERT_TRUE(pasted.picture);
    EXPECT_EQ(pasted.kind, model::ShapeKind::Picture);
    EXPECT_TRUE(pasted.lockAspectRatio);
    EXPECT_EQ(pasted.picture->image.format, format.stored);
    EXPECT_EQ(QSizeF(pasted.picture->untouchedWidth, pasted.picture->untouchedHeight), copy.points);
    EXPECT_EQ(QSizeF(pasted.width, pasted.height), copy.points);

    // What the suite does with the pasted copy.
    pasted.id = 2;
    pasted.picture->cropLeft = pasted.picture->cropTop = m;
    pasted.picture->cropRight = pasted.picture->cropBottom = m;
    pasted.left = bounds.left() + 300;
    pasted.top = bounds.top();
    pasted.width = bounds.width();
    pasted.height = bounds.height();
    sheet.drawing.shapes.push_back(pasted);
    const render::ClipContent again = render::copyOfShapes(*book, sheet, {2});
    ASSERT_EQ(again.bitmap.size(), copy.bitmap.size());

    const QImage before = onWhite(withoutMargin(copy.bitmap, 2));
    const QImage after = onWhite(withoutMargin(again.bitmap, 2));
    // The format's own loss: the pasted picture's pixels against the copy's.
    const QImage stored =
        onWhite(withoutMargin(imaging::decodeImage(pasted.picture->image.encodedBytes()), 2));
    const double codecLoss = meanDistance(before, stored);
    if (format.lossless) {
        EXPECT_LE(codecLoss, 0.01);
    }
    // The cycle adds next to nothing to it.
    EXPECT_LE(meanDistance(before, after), codecLoss + (source.wholePixels ? 0.05 : 0.5));
    if (format.lossless && source.wholePixels) {
        EXPECT_LE(maxDistance(before, after), 2);
    }
}

std::string caseName(const ::testing::TestParamInfo<CopyPasteCycle::ParamType>& info)
{
    static const char* names[] = {"Jpeg", "Png", "Gif", "Emf", "Bitmap"};
    std::string name = std::get<0>(info.param).name;
    std::replace(name.begin(), name.end(), ' ', '_');
    return name + "_" + names[int(std::get<1>(info.param).format)];
}

INSTANTIATE_TEST_SUITE_P(SourcesAndFormats, CopyPasteCycle,
                         ::testing::Combine(::testing::ValuesIn(kSources),
                                            ::testing::ValuesIn(kFormats)),
                         caseName);

TEST(PasteFormatNamed, KnowsTheHostsNamesOnly)
{
    const struct
    {
        const char* name;
        std::optional<PasteFormat> format;
    } cases[] = {
        {"図 (JPEG)", PasteFormat::Jpeg},
        {"図 (PNG)", PasteFormat::Png},
        {"図 (GIF)", PasteFormat::Gif},
        {"図 (拡張メタファイル)", PasteFormat::Emf},
        {"ビットマップ", PasteFormat::Bitmap},
        {"図(JPEG)", std::nullopt},
        {"図 (jpeg)", std::nullopt},
        {"Picture (JPEG)", std::nullopt},
        {"", std::nullopt},
    };
    for (const auto& c : cases)
        EXPECT_EQ(render::pasteFormatNamed(QString::fromUtf8(c.name)), c.format) << c.name;
}

TEST(PastedPicture, RefusesWhatCannotBeMadeAPicture)
{
    render::ClipContent empty;
    render::ClipContent textOnly;
    textOnly.text = QStringLiteral("a\tb\n");
    textOnly.cells = true;
    for (const render::ClipContent* content : {&empty, &textOnly})
        for (PasteFormat format : {PasteFormat::Jpeg, PasteFormat::Emf, PasteFormat::Bitmap}) {
            try {
                render::pastedPicture(*content, format);
                ADD_FAILURE() << "pasted " << int(format);
            } catch (const HostError& e) {
                EXPECT_EQ(e.number(), 1004);
                EXPECT_EQ(e.description(),
                          QStringLiteral("PasteSpecial method of Worksheet class failed"));
            }
        }
}

TEST(PastedPicture, AMetafileAloneStillPastesInEveryFormat)
{
    QImage image = imaging_test::quadrants(60, 30);
    image.setDotsPerMeterX(3780);
    image.setDotsPerMeterY(3780);
    render::ClipContent content;
    content.emf = imaging::encodePicture(image, imaging::ImageFormat::Emf);
    for (PasteFormat format : {PasteFormat::Png, PasteFormat::Jpeg, PasteFormat::Emf}) {
        const model::Shape shape = render::pastedPicture(content, format);
        EXPECT_EQ(shape.picture->image.pixelSize, QSize(60, 30));
        EXPECT_NEAR(shape.width, 45, 0.01) << int(format); // 96 dpi
        EXPECT_NEAR(shape.height, 22.5, 0.01);
    }
}

} // namespace
