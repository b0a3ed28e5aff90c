// Reduction of one picture: when it is replaced, what its row says, and that the replacement
// stands and looks where and as the picture did.
#include "host/model/workbook.h"
#include "main/reduce/reduce_picture.h"
#include "tests/main/reduce/reduce_test_support.h"

namespace {

using namespace reduce_test;
using picrows::f_ReducePicture;
using picrows::PictureReduction;
using picrows::ReduceRow;

class ReducePicture : public ReduceTest
{
protected:
    double untouchedWidth(const xl::ShapeBase& shape)
    {
        return drawing().find(shape.ID())->picture->untouchedWidth;
    }
};

// A picture of 400 × 300 points shown at the given size with the given crops (points of the
// untouched size), f = 2. The size after the arrow is the copy's own, which carries the host's
// copy border of 4/3 points a side.
TEST_F(ReducePicture, DecisionsAndRows)
{
    struct Case
    {
        const char* what;
        double w, h;     // displayed
        double crop;     // on every side
        double cropLeft; // added on the left
        bool reduce, cut;
        const char* mark;
        const char* description; // nullptr: the success text
        const char* success;
    } cases[] = {
        {"much larger than shown", 20, 15, 0, 0, true, false, "○", nullptr, "成功:400×300→42×32"},
        {"twice the display is larger both ways", 240, 180, 0, 0, true, false, "",
         "縮小化の必要がありません", nullptr},
        {"twice the display is exactly the untouched size", 200, 150, 0, 0, true, false, "",
         "縮小化の必要がありません", nullptr},
        {"only the height is small enough", 200, 140, 0, 0, true, false, "○", nullptr,
         "成功:400×300→402×282"},
        {"crops under 2 points are not cut", 20, 15, 1.5, 0, false, true, "",
         "縮小化の必要がありません", nullptr},
        {"a crop of 2 points is cut", 20, 15, 0, 2, false, true, "○", nullptr,
         "成功:400×300→400×302"},
        {"neither reduced nor cut", 20, 15, 0, 0, false, false, "", "縮小化の必要がありません",
         nullptr},
    };
    for (const Case& c : cases) {
        const xl::ShapeRange shape = placePicture(400, 300);
        const xl::PictureFormat format = shape.PictureFormat();
        format.setCropLeft(c.crop + c.cropLeft);
        format.setCropRight(c.crop);
        format.setCropTop(c.crop);
        format.setCropBottom(c.crop);
        shape.setLockAspectRatio(false);
        shape.setWidth(c.w);
        shape.setHeight(c.h);
        shape.setLeft(30);
        shape.setTop(20);
        const QString name = shape.Name();

        const ReduceRow row = f_ReducePicture(app, clipboard(), shape, {c.reduce, 2, c.cut});
        ASSERT_EQ(shapes().Count(), 1) << c.what;
        const xl::Shape after = shapes().Item(1);
        EXPECT_EQ(row.mark, q(c.mark)) << c.what;
        EXPECT_EQ(row.book, q("Book1"));
        EXPECT_EQ(row.sheet, q("Sheet1"));
        EXPECT_EQ(row.object, after.Name()) << c.what;
        if (c.description) {
            EXPECT_EQ(row.description, q(c.description)) << c.what;
            EXPECT_EQ(row.icon, q("HITSUYOUNASHI")) << c.what;
            EXPECT_EQ(after.Name(), name) << c.what;
            EXPECT_NEAR(untouchedWidth(after), 400, 1e-9) << c.what;
        } else {
            EXPECT_EQ(row.description, q(c.success)) << c.what;
            EXPECT_EQ(row.icon, q("SEIKOU")) << c.what;
            EXPECT_NE(after.Name(), name) << c.what;
            EXPECT_LT(untouchedWidth(after), 403) << c.what;
            // A cut copy holds only the visible part: only its border is cropped.
            const double border = 4.0 / 3;
            const xl::PictureFormat crop = after.PictureFormat();
            if (c.cut) {
                EXPECT_NEAR(crop.CropLeft(), border, 1e-4) << c.what;
                EXPECT_NEAR(crop.CropRight(), border, 1e-4) << c.what;
                EXPECT_NEAR(crop.CropTop(), border, 1e-4) << c.what;
                EXPECT_NEAR(crop.CropBottom(), border, 1e-4) << c.what;
            }
        }
        EXPECT_NEAR(after.Width(), c.w, 1e-4) << c.what;
        EXPECT_NEAR(after.Height(), c.h, 1e-4) << c.what;
        EXPECT_NEAR(after.Left(), 30, 1e-4) << c.what;
        EXPECT_NEAR(after.Top(), 20, 1e-4) << c.what;
        after.Delete();
    }
    EXPECT_TRUE(messages.shown().empty());
}

// A cropped, turned picture reduced, then cut: each time the replacement stands in its place,
// turned the same, and shows the same as the picture did, from far fewer pixels.
TEST_F(ReducePicture, ReplacementLooksTheSame)
{
    for (const bool cut : {false, true}) {
        const xl::ShapeRange shape = placePicture(800, 400);
        const xl::PictureFormat format = shape.PictureFormat();
        format.setCropLeft(160);
        format.setCropTop(40);
        shape.setLockAspectRatio(false);
        shape.setWidth(160);
        shape.setHeight(90);
        shape.setLeft(40);
        shape.setTop(30);
        shape.setRotation(30);
        const QImage before = shows(shape);

        const ReduceRow row = f_ReducePicture(app, clipboard(), shape, {true, 2, cut});
        EXPECT_EQ(row.mark, q("○")) << cut;
        ASSERT_EQ(shapes().Count(), 1);
        const xl::Shape after = shapes().Item(1);
        EXPECT_EQ(after.Rotation(), 30);
        EXPECT_NEAR(after.Width(), 160, 1e-4);
        EXPECT_NEAR(after.Height(), 90, 1e-4);
        EXPECT_NEAR(after.Left(), 40, 1e-4);
        EXPECT_NEAR(after.Top(), 30, 1e-4);
        const QImage now = shows(after);
        ASSERT_EQ(now.size(), before.size());
        EXPECT_LT(meanDistance(before, now), 0.03) << cut;
        const xl::PictureFormat crop = after.PictureFormat();
        if (cut) {
            // Only the visible part was copied: only the copy's border is cropped.
            EXPECT_NEAR(crop.CropLeft(), 4.0 / 3, 1e-4);
            EXPECT_NEAR(crop.CropTop(), 4.0 / 3, 1e-4);
            EXPECT_NEAR(untouchedWidth(after), 320 + 8.0 / 3, 0.01);
        } else {
            EXPECT_GT(crop.CropLeft(), 4.0 / 3 + 10);
            EXPECT_NEAR(untouchedWidth(after), 2 * 160 / 0.8 + 8.0 / 3, 0.01);
        }
        after.Delete();
    }
}

// Hosts before version 12 add no border to a copy: the replacement is neither measured nor
// cropped by one.
TEST_F(ReducePicture, OlderHostsLeaveTheCopyUncropped)
{
    setVersion("11.0");
    const xl::ShapeRange shape = placePicture(400, 300);
    shape.setLockAspectRatio(false);
    shape.setWidth(20);
    shape.setHeight(15);
    shape.setRotation(30);
    const ReduceRow row = f_ReducePicture(app, clipboard(), shape, {true, 2, false});
    EXPECT_EQ(row.description, q("成功:400×300→40×30"));
    ASSERT_EQ(shapes().Count(), 1);
    const xl::Shape after = shapes().Item(1);
    EXPECT_NEAR(after.PictureFormat().CropLeft(), 0, 1e-9);
    EXPECT_EQ(after.Rotation(), 30);
    EXPECT_NEAR(after.Width(), 20, 1e-4);
    EXPECT_NEAR(after.Height(), 15, 1e-4);
}

// A clipboard that takes the first copy (the measuring one) and no later one, so the
// re-paste is refused.
class FirstCopyOnly : public host::render::HostClipboard
{
public:
    void put(const host::render::ClipContent& content) override
    {
        if (m_puts++ == 0)
            m_content = content;
    }
    std::optional<host::render::ClipContent> content() const override
    {
        if (m_content.isEmpty())
            return std::nullopt;
        return m_content;
    }
    void clear() override { m_content = {}; }

private:
    int m_puts = 0;
    host::render::ClipContent m_content;
};

TEST_F(ReducePicture, FailuresLeaveThePictureAsItWas)
{
    const xl::ShapeRange shape = placePicture(400, 300);
    shape.PictureFormat().setCropLeft(60);
    shape.setLockAspectRatio(false);
    shape.setWidth(85);
    shape.setHeight(75);
    shape.setLeft(30);
    shape.setTop(20);
    shape.setRotation(30);
    const QString name = shape.Name();
    const auto expectUnchanged = [&](const char* what) {
        ASSERT_EQ(shapes().Count(), 1) << what;
        EXPECT_EQ(shapes().Item(1).Name(), name) << what;
        EXPECT_EQ(shape.Rotation(), 30) << what;
        EXPECT_NEAR(shape.PictureFormat().CropLeft(), 60, 1e-9) << what;
        EXPECT_NEAR(shape.Width(), 85, 1e-4) << what;
        EXPECT_NEAR(shape.Height(), 75, 1e-4) << what;
        EXPECT_NEAR(shape.Left(), 30, 1e-4) << what;
        EXPECT_NEAR(shape.Top(), 20, 1e-4) << what;
    };

    auto refusing = std::make_shared<FirstCopyOnly>();
    m_host.options().clipboard = refusing;
    EXPECT_EQ(
        f_ReducePicture(app, clipboard(), shape, {true, 2, true}),
        (ReduceRow{q("×"), q("Book1"), q("Sheet1"), name, q("図の縮小エラー"), q("SHIPPAI")}));
    expectUnchanged("paste refused");

    // No duplicate can be made to measure the picture.
    sheet().Protect(true, false);
    EXPECT_EQ(f_ReducePicture(app, clipboard(), shape, {true, 2, true}),
              (ReduceRow{q("×"), q("Book1"), q("Sheet1"), name,
                         q("不明なエラー(原型サイズの取得エラー)"), q("SHIPPAI")}));
    expectUnchanged("not measured");
    EXPECT_TRUE(messages.shown().empty());
}

} // namespace
