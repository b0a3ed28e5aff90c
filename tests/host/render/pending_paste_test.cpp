// Copies of pictures the host keeps unrendered: the clipboard renders one when its content is
// asked for, and a paste of one is encoded when its bytes are needed. Either way the result is
// what rendering and encoding at once gives.
#include "host/imaging/pending_picture.h"
#include "host/imaging/picture_codecs.h"
#include "host/objects/application.h"
#include "host/render/clipboard.h"
#include "host/render/copy_paste.h"
#include "host/xl/shape.h"
#include "tests/host/objects/objects_support.h"
#include "tests/host/render/render_support.h"

#include <QClipboard>
#include <QGuiApplication>
#include <QMimeData>

#include <gtest/gtest.h>

using namespace host;
using namespace objects_test;
using imaging_test::maxDistance;

namespace {

class PendingPaste : public HostTest, public ::testing::WithParamInterface<const char*>
{
protected:
    PendingPaste()
    {
        m_host.app().options().clipboard = render::makeProcessClipboard();
        model::Shape original = render_test::pictureShape(1, imaging_test::photoLike(300, 200),
                                                          QRectF(40, 30, 150, 90));
        original.picture->cropLeft = 30;
        original.picture->cropBottom = 15;
        original.rotation = 20;
        modelSheet().drawing.shapes.push_back(original);
        modelSheet().drawing.nextId = 2;
    }

    // Copy of the original, pasted in `format`; the pasted picture's data.
    model::PictureData pasted(bool deferred, const QString& format)
    {
        m_host.app().options().deferPictureWork = deferred;
        sheet().Shapes().Item(1).Copy();
        sheet().PasteSpecial(format);
        const model::Shape& shape = modelSheet().drawing.shapes.back();
        return *shape.picture;
    }
};

TEST_P(PendingPaste, EncodedWhenNeededAsItWouldHaveBeenAtOnce)
{
    const QString format = QString::fromUtf8(GetParam());
    const model::PictureData eager = pasted(false, format);
    const model::PictureData deferred = pasted(true, format);
    ASSERT_FALSE(eager.image.bytes.isEmpty());
    ASSERT_TRUE(deferred.image.bytes.isEmpty() && deferred.image.pending);
    EXPECT_FALSE(deferred.image.pending->isMade());

    // What the host reads of the picture before it is encoded is what the encoding states.
    EXPECT_EQ(deferred.image.format, eager.image.format);
    EXPECT_EQ(deferred.image.pixelSize, eager.image.pixelSize);
    EXPECT_DOUBLE_EQ(deferred.image.dpiX, eager.image.dpiX);
    EXPECT_DOUBLE_EQ(deferred.image.dpiY, eager.image.dpiY);
    EXPECT_DOUBLE_EQ(deferred.untouchedWidth, eager.untouchedWidth);
    EXPECT_DOUBLE_EQ(deferred.untouchedHeight, eager.untouchedHeight);

    // Shown before it is encoded: as the encoded picture shows, within the format's own loss.
    const render::ClipContent eagerCopy = render::copyOfShapes(model(), modelSheet(), {2});
    const render::ClipContent shownEarly = render::copyOfShapes(model(), modelSheet(), {3});
    ASSERT_EQ(shownEarly.bitmap.size(), eagerCopy.bitmap.size());
    const bool lossy =
        format == QStringLiteral("図 (JPEG)") || format == QStringLiteral("図 (GIF)");
    EXPECT_LE(imaging_test::meanDistance(shownEarly.bitmap, eagerCopy.bitmap), lossy ? 3.0 : 0.05);

    // Encoded: the very bytes pasting at once gave.
    EXPECT_EQ(deferred.image.encodedBytes(), eager.image.bytes);
    EXPECT_TRUE(deferred.image.pending->isMade());
}

INSTANTIATE_TEST_SUITE_P(Formats, PendingPaste,
                         ::testing::Values("図 (JPEG)", "図 (PNG)", "図 (GIF)", "ビットマップ"));

TEST_F(PendingPaste, ClipboardHandsOutTheRenderingOfTheMomentOfTheCopy)
{
    for (const bool desktop : {false, true}) {
        m_host.app().options().clipboard =
            desktop ? render::makeDefaultClipboard() : render::makeProcessClipboard();
        m_host.app().options().deferPictureWork = false;
        const render::ClipContent atOnce = render::copyOfShapes(model(), modelSheet(), {1});

        m_host.app().options().deferPictureWork = true;
        const xl::Shape original = sheet().Shapes().Item(1);
        original.Copy();
        const auto source = m_host.app().options().clipboard->pasteSource();
        ASSERT_TRUE(source && source->pending) << "kept unrendered: " << desktop;
        if (desktop) {
            const QMimeData* data = QGuiApplication::clipboard()->mimeData();
            EXPECT_TRUE(data->hasImage()); // offered, to be rendered when taken
            EXPECT_TRUE(data->hasFormat(QStringLiteral("image/x-emf")));
        }
        // The sheet changes after the copy; the clipboard still holds what was copied.
        original.setRotation(0);
        original.setWidth(20);
        const auto content = m_host.app().options().clipboard->content();
        ASSERT_TRUE(content);
        EXPECT_EQ(maxDistance(content->bitmap, atOnce.bitmap), 0) << desktop;
        EXPECT_EQ(content->emf, atOnce.emf);
        EXPECT_EQ(content->points, atOnce.points);
        original.setRotation(20);
        original.setWidth(150);
    }
    QGuiApplication::clipboard()->clear();
}

} // namespace
