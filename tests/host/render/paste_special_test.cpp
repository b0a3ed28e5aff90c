#include "host/objects/application.h"
#include "host/render/clipboard.h"
#include "host/render/copy_paste.h"
#include "tests/host/objects/objects_support.h"
#include "tests/host/render/render_support.h"

#include <gtest/gtest.h>

using namespace host;
using namespace objects_test;

namespace {

const QString kPng = QStringLiteral("図 (PNG)");

// A host whose clipboard is kept in the process, with a picture on the first sheet.
class PasteSpecial : public HostTest
{
protected:
    PasteSpecial()
    {
        m_host.app().options().clipboard = render::makeProcessClipboard();
        QImage red(40, 20, QImage::Format_RGB32);
        red.fill(Qt::red);
        modelSheet().drawing.shapes.push_back(
            render_test::pictureShape(1, red, QRectF(10, 10, 60, 30)));
        modelSheet().drawing.nextId = 2;
    }

    render::HostClipboard& clipboard() { return m_host.app().clipboard(); }
    void copyPicture() { clipboard().put(render::copyOfShapes(model(), modelSheet(), {1})); }
    Variant paste(const Args& args) const
    {
        return sheet().call(QStringLiteral("PasteSpecial"), args);
    }
    static Args named(const QString& format, bool link = false, bool icon = false)
    {
        Args args;
        args.add(QStringLiteral("Format"), Variant(format))
            .add(QStringLiteral("Link"), Variant(link))
            .add(QStringLiteral("DisplayAsIcon"), Variant(icon));
        return args;
    }
};

TEST_F(PasteSpecial, AddsThePictureOnTopAtTheActiveCellAndSelectsIt)
{
    model::Shape comment;
    comment.kind = model::ShapeKind::Comment;
    comment.id = 5;
    modelSheet().drawing.shapes.push_back(comment);
    modelSheet().drawing.nextId = 7;
    range("C3").Select();
    copyPicture();
    const QSizeF copied = clipboard().content()->points;

    paste(named(QStringLiteral("図 (JPEG)")));
    const model::Drawing& drawing = modelSheet().drawing;
    ASSERT_EQ(drawing.shapes.size(), 3u);
    const model::Shape& pasted = drawing.shapes[1]; // above the picture, below the comment
    EXPECT_EQ(pasted.id, 7);
    EXPECT_EQ(pasted.name, QStringLiteral("図 7"));
    EXPECT_EQ(pasted.kind, model::ShapeKind::Picture);
    EXPECT_EQ(pasted.picture->image.format, imaging::ImageFormat::Jpeg);
    EXPECT_EQ(pasted.left, 96); // C3: two columns of 48 points, two rows of 15
    EXPECT_EQ(pasted.top, 30);
    EXPECT_EQ(QSizeF(pasted.width, pasted.height), copied);
    EXPECT_EQ(drawing.selection, std::vector<int>{7});
    EXPECT_TRUE(drawing.dirty);
    EXPECT_EQ(drawing.nextId, 8);
    EXPECT_EQ(drawing.shapes[2].kind, model::ShapeKind::Comment);

    // Positional arguments, and the typed wrapper, paste again from the same clipboard.
    paste({Variant(QStringLiteral("ビットマップ")), Variant(false), Variant(false)});
    EXPECT_EQ(drawing.shapes[2].picture->image.format, imaging::ImageFormat::Bmp);
    sheet().PasteSpecial(QStringLiteral("図 (拡張メタファイル)"));
    EXPECT_EQ(drawing.shapes[3].picture->image.format, imaging::ImageFormat::Emf);
    EXPECT_EQ(drawing.shapes[3].name, QStringLiteral("図 9"));
    // Without a format: PNG.
    paste({});
    EXPECT_EQ(drawing.shapes[4].picture->image.format, imaging::ImageFormat::Png);
}

TEST_F(PasteSpecial, RefusalsAreHostErrors1004)
{
    const QString failed = QStringLiteral("PasteSpecial method of Worksheet class failed");
    EXPECT_EQ(descriptionOf([&] { paste(named(kPng)); }), failed); // the clipboard is empty
    copyPicture();
    const struct
    {
        const char* what;
        Args args;
    } cases[] = {
        {"link", named(kPng, true)},
        {"icon", named(kPng, false, true)},
        {"unknown format", named(QStringLiteral("図 (TIFF)"))},
        {"English name", named(QStringLiteral("Picture (PNG)"))},
    };
    for (const auto& c : cases) {
        EXPECT_EQ(errorOf([&] { paste(c.args); }), 1004) << c.what;
        EXPECT_EQ(descriptionOf([&] { paste(c.args); }), failed) << c.what;
    }
    // Another sheet than the active one.
    EXPECT_EQ(errorOf([&] { sheet(2).PasteSpecial(kPng); }), 1004);
    // Drawing objects protected; protection of contents alone does not stop it.
    sheet().Protect(true, true);
    EXPECT_EQ(errorOf([&] { paste(named(kPng)); }), 1004);
    sheet().Unprotect();
    modelSheet().protection.sheet = true;
    EXPECT_EQ(errorOf([&] { paste(named(kPng)); }), 0);
    EXPECT_EQ(modelSheet().drawing.shapes.size(), 2u);
}

TEST_F(PasteSpecial, CopiedCellsPasteAsTheirPictureAndCutCopyModeEmptiesTheClipboard)
{
    range("A1").setValue(Variant(QStringLiteral("x")));
    range("A1:B2").Copy();
    EXPECT_EQ(app.CutCopyMode(), Variant(std::int32_t(1)));
    const auto held = clipboard().content();
    ASSERT_TRUE(held);
    EXPECT_TRUE(held->cells);
    EXPECT_EQ(held->text, QStringLiteral("x\n"));
    paste(named(kPng));
    const model::Shape& pasted = modelSheet().drawing.shapes.back();
    EXPECT_EQ(QSizeF(pasted.width, pasted.height), QSizeF(96, 30));

    app.setCutCopyMode(Variant(false));
    EXPECT_EQ(app.CutCopyMode(), Variant(false));
    EXPECT_FALSE(clipboard().content());

    // A copied shape stays on the clipboard when the copy mode ends.
    copyPicture();
    app.setCutCopyMode(Variant(false));
    EXPECT_TRUE(clipboard().content());

    EXPECT_EQ(descriptionOf([&] { sheet().Range(q("A1:A2,C3")).Copy(); }),
              QStringLiteral("This action won't work on multiple selections."));
}

} // namespace
