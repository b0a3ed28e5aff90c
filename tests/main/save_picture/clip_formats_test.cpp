#include "main/save_picture/clip_formats.h"

#include "host/render/clipboard.h"
#include "host/render/clipboard_service.h"
#include "platform/clipboard.h"
#include "tests/main/save_picture/image_compare.h"

#include <QClipboard>
#include <QGuiApplication>
#include <QImage>
#include <QMimeData>

#include <gtest/gtest.h>

using namespace picrows;
using savepic_test::quadrants;

namespace {

const QString kQtImage = QStringLiteral("application/x-qt-image");
const QString kWmf = QStringLiteral("image/x-wmf");
const QString kBmp = QStringLiteral("image/bmp");
const QString kLink = QStringLiteral("application/x-picrows-copy");
const QString kEmf = QStringLiteral("image/x-emf");
const QString kText = QStringLiteral("text/plain");
const QByteArray kLinkJson = R"({"cells":true,"height":30,"margin":0,"width":96})";

class DesktopClipboard : public ::testing::Test
{
protected:
    void SetUp() override { QGuiApplication::clipboard()->clear(); }
    void TearDown() override { QGuiApplication::clipboard()->clear(); }

    // What a user may have copied elsewhere: every format the command keeps, the enhanced
    // metafile it does not keep, and a format it knows nothing of.
    static void putUsersClipboard()
    {
        auto* mime = new QMimeData;
        mime->setData(QStringLiteral("text/html"), "<b>users</b>");
        mime->setData(kEmf, "EMF bytes");
        mime->setText(QStringLiteral("users text"));
        mime->setData(kLink, kLinkJson);
        mime->setData(kBmp, "BM dib bytes");
        mime->setData(kWmf, "WMF bytes");
        mime->setImageData(quadrants(8, 6));
        QGuiApplication::clipboard()->setMimeData(mime);
    }
    static const QMimeData& held() { return *QGuiApplication::clipboard()->mimeData(); }
};

TEST(ClipFormatMime, EveryCodeHasItsTypeAndThePaletteHasNone)
{
    EXPECT_EQ(clipFormatMime(kClipText), kText);
    EXPECT_EQ(clipFormatMime(kClipBitmap), kQtImage);
    EXPECT_EQ(clipFormatMime(kClipMetafilePicture), kWmf);
    EXPECT_EQ(clipFormatMime(kClipDib), kBmp);
    EXPECT_EQ(clipFormatMime(kClipLink), kLink);
    EXPECT_EQ(clipFormatMime(kClipEnhMetafile), kEmf);
    EXPECT_TRUE(clipFormatMime(kClipPalette).isEmpty());
    EXPECT_TRUE(clipFormatMime(49161).isEmpty());
}

TEST_F(DesktopClipboard, SavesTheKeptFormatsInTheirOrderWithTheirValues)
{
    putUsersClipboard();
    const auto clip = clipFormatsOf(platform::clipboard());
    const SavedClipboard saved = saveClipboard(*clip);
    ASSERT_EQ(saved.codes, (std::vector<int>{kClipBitmap, kClipMetafilePicture, kClipDib, kClipLink,
                                             kClipText}));
    ASSERT_EQ(saved.data.size(), saved.codes.size());
    EXPECT_EQ(saved.data[0].value<QImage>().convertToFormat(QImage::Format_RGB32), quadrants(8, 6));
    EXPECT_EQ(saved.data[1].toByteArray(), QByteArray("WMF bytes"));
    EXPECT_EQ(saved.data[2].toByteArray(), QByteArray("BM dib bytes"));
    EXPECT_EQ(saved.data[3].toString(), QString::fromUtf8(kLinkJson));
    EXPECT_EQ(saved.data[4].toString(), QStringLiteral("users text"));
}

TEST_F(DesktopClipboard, RestoringReplacesWhatWasCopiedMeanwhileWithTheSavedFormatsInOrder)
{
    putUsersClipboard();
    const auto clip = clipFormatsOf(platform::clipboard());
    const SavedClipboard saved = saveClipboard(*clip);

    // What the command's copy leaves there.
    clip->clear();
    clip->setData(kClipBitmap, QVariant(quadrants(4, 4)));
    clip->setData(kClipEnhMetafile, QVariant(QByteArray("copied EMF")));
    clip->setData(kClipText, QVariant(QStringLiteral("copied cells")));

    restoreClipboard(*clip, saved);
    EXPECT_EQ(held().formats(), (QStringList{kQtImage, kWmf, kBmp, kLink, kText}));
    EXPECT_EQ(qvariant_cast<QImage>(held().imageData()).convertToFormat(QImage::Format_RGB32),
              quadrants(8, 6));
    EXPECT_EQ(held().data(kWmf), QByteArray("WMF bytes"));
    EXPECT_EQ(held().data(kBmp), QByteArray("BM dib bytes"));
    EXPECT_EQ(held().data(kLink), kLinkJson);
    EXPECT_EQ(held().text(), QStringLiteral("users text"));
    EXPECT_FALSE(held().hasFormat(kEmf));
}

TEST_F(DesktopClipboard, AnEmptyClipboardSavesNothingAndIsEmptyAgainAfterwards)
{
    const auto clip = clipFormatsOf(platform::clipboard());
    const SavedClipboard saved = saveClipboard(*clip);
    EXPECT_TRUE(saved.codes.empty());
    clip->setData(kClipText, QVariant(QStringLiteral("copied cells")));
    restoreClipboard(*clip, saved);
    EXPECT_FALSE(clip->offers(kClipText));
    const QMimeData* after = QGuiApplication::clipboard()->mimeData();
    EXPECT_TRUE(!after || after->formats().isEmpty());
}

TEST_F(DesktopClipboard, SettingOneFormatKeepsTheOthers)
{
    putUsersClipboard();
    const auto clip = clipFormatsOf(platform::clipboard());
    clip->setData(kClipBitmap, QVariant(quadrants(2, 2)));
    EXPECT_EQ(qvariant_cast<QImage>(held().imageData()).size(), QSize(2, 2));
    EXPECT_EQ(held().data(kEmf), QByteArray("EMF bytes"));
    EXPECT_EQ(held().data(QStringLiteral("text/html")), QByteArray("<b>users</b>"));
    EXPECT_EQ(held().text(), QStringLiteral("users text"));
}

TEST(HostClipboardFormats, KeepsBitmapLinkAndTextAndDropsTheMetafile)
{
    const auto host = host::render::makeProcessClipboard();
    host::render::ClipContent before;
    before.bitmap = quadrants(12, 8);
    before.emf = "EMF bytes";
    before.text = QStringLiteral("A\tB");
    before.cells = true;
    before.points = QSizeF(9, 6);
    before.margin = 0;
    host->put(before);

    const auto service = host::render::clipboardService(host);
    const auto clip = clipFormatsOf(*service);
    EXPECT_TRUE(clip->offers(kClipEnhMetafile));
    EXPECT_FALSE(clip->offers(kClipDib));
    const SavedClipboard saved = saveClipboard(*clip);
    EXPECT_EQ(saved.codes, (std::vector<int>{kClipBitmap, kClipLink, kClipText}));

    clip->clear();
    host::render::ClipContent copied;
    copied.bitmap = quadrants(3, 3);
    copied.emf = "copied";
    host->put(copied);
    restoreClipboard(*clip, saved);

    const auto after = host->content();
    ASSERT_TRUE(after);
    EXPECT_EQ(after->bitmap, before.bitmap);
    EXPECT_EQ(after->text, before.text);
    EXPECT_TRUE(after->cells);
    EXPECT_EQ(after->points, before.points);
    EXPECT_TRUE(after->emf.isEmpty());
}

} // namespace
