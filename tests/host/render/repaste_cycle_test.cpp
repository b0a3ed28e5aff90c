// The re-paste the suite does through the host's objects: Copy a placed picture, PasteSpecial
// it in a format, bring the copy to 100 %, crop the edge margin 20 / TwipsPerPixel (4/3 point)
// off each side, give it the old size and place: it shows what the original showed.

#include "host/imaging/picture_codecs.h"
#include "host/objects/application.h"
#include "host/render/clipboard.h"
#include "host/render/copy_paste.h"
#include "host/xl/shape.h"
#include "tests/host/objects/objects_support.h"
#include "tests/host/render/render_support.h"

#include <gtest/gtest.h>

using namespace host;
using namespace objects_test;

namespace {

class RepasteCycle : public HostTest, public ::testing::WithParamInterface<const char*>
{
protected:
    RepasteCycle() { m_host.app().options().clipboard = render::makeProcessClipboard(); }

    // What the copy of the shape shows inside its margin, over white.
    QImage shows(int id)
    {
        const render::ClipContent copy = render::copyOfShapes(model(), modelSheet(), {id});
        return render_test::onWhite(render_test::withoutMargin(copy.bitmap, 2));
    }
};

TEST_P(RepasteCycle, PastedCopyCroppedByTheEdgeMarginShowsTheOriginal)
{
    model::Shape original =
        render_test::pictureShape(1, imaging_test::photoLike(300, 200), QRectF(40, 30, 150, 90));
    original.picture->cropLeft = 30; // of 225 × 150 points untouched
    original.picture->cropBottom = 15;
    modelSheet().drawing.shapes.push_back(original);
    modelSheet().drawing.nextId = 2;
    const QImage before = shows(1);

    const xl::Shape picture = sheet().Shapes().Item(1);
    const double left = picture.Left(), top = picture.Top();
    const double width = picture.Width(), height = picture.Height();
    picture.Copy();
    sheet().PasteSpecial(QString::fromUtf8(GetParam()));
    picture.Delete();
    app.setCutCopyMode(Variant(false));

    const xl::Shape copy = sheet().Shapes().Item(sheet().Shapes().Count());
    copy.setLockAspectRatio(false);
    copy.ScaleHeight(1, true, 0);
    copy.ScaleWidth(1, true, 0);
    const float edge = 20.0f / 15.0f; // single precision, as the suite computes it
    copy.PictureFormat().setCropLeft(edge);
    copy.PictureFormat().setCropTop(edge);
    copy.PictureFormat().setCropRight(edge);
    copy.PictureFormat().setCropBottom(edge);
    copy.setWidth(width);
    copy.setHeight(height);
    copy.setLeft(left);
    copy.setTop(top);

    const QImage after = shows(copy.ID());
    ASSERT_EQ(after.size(), before.size());
    const QByteArray stored =
        modelSheet().drawing.find(copy.ID())->picture->image.encodedBytes(); // what the paste
                                                                             // stored
    const QImage decoded =
        render_test::onWhite(render_test::withoutMargin(imaging::decodeImage(stored), 2));
    const double codecLoss = imaging_test::meanDistance(before, decoded);
    EXPECT_LE(imaging_test::meanDistance(before, after), codecLoss + 0.05) << GetParam();
}

INSTANTIATE_TEST_SUITE_P(Formats, RepasteCycle,
                         ::testing::Values("図 (JPEG)", "図 (PNG)", "図 (GIF)",
                                           "図 (拡張メタファイル)", "ビットマップ"));

} // namespace
