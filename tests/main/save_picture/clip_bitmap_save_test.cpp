#include "main/save_picture/clip_bitmap_save.h"

#include "host/render/clipboard.h"
#include "host/render/clipboard_service.h"
#include "main/save_picture/clip_formats.h"
#include "platform/message_box.h"
#include "tests/main/save_picture/image_compare.h"

#include <QFile>
#include <QImageReader>
#include <QTemporaryDir>

#include <gtest/gtest.h>

using namespace picrows;
using savepic_test::meanDistance;
using savepic_test::quadrants;

namespace {

platform::Message plain(const char* text)
{
    return {QString::fromUtf8(text), platform::MsgButtons::OK, platform::MsgIcon::None,
            platform::programTitle()};
}

class SaveClipBitmap : public ::testing::Test
{
protected:
    SaveClipBitmap() : m_messagesInPlace(messages) {}

    QString path(const char* name) const { return m_dir.filePath(QString::fromUtf8(name)); }

    // A bitmap on the clipboard whose right half is transparent, as copies of shapes are.
    void putBitmapWithTransparentHalf()
    {
        QImage image = quadrants(40, 30).convertToFormat(QImage::Format_ARGB32);
        for (int y = 0; y < image.height(); ++y)
            for (int x = 20; x < image.width(); ++x)
                image.setPixel(x, y, qRgba(0, 0, 0, 0));
        host::render::ClipContent content;
        content.bitmap = image;
        m_host->put(content);
    }

    // What the file should show: the left half, and white where the copy was transparent.
    static QImage expected()
    {
        QImage image = quadrants(40, 30);
        for (int y = 0; y < image.height(); ++y)
            for (int x = 20; x < image.width(); ++x)
                image.setPixel(x, y, qRgb(255, 255, 255));
        return image;
    }

    platform::ScriptedMessages messages;
    std::shared_ptr<host::render::HostClipboard> m_host = host::render::makeProcessClipboard();
    std::unique_ptr<platform::Clipboard> m_service = host::render::clipboardService(m_host);
    std::unique_ptr<ClipFormats> clip = clipFormatsOf(*m_service);
    QTemporaryDir m_dir;

private:
    platform::ScopedMessageService m_messagesInPlace;
};

TEST_F(SaveClipBitmap, EveryEncoderWritesTheBitmapOpaqueInItsFormat)
{
    putBitmapWithTransparentHalf();
    const struct
    {
        const char* name;
        const char* format;
        double maxDistance; // JPEG blurs the sharp edges of this small image a little
    } cases[] = {
        {"pic.jpg", "jpeg", 6.0}, {"pic.JPEG", "jpeg", 6.0}, {"pic.gif", "gif", 0},
        {"pic.png", "png", 0},    {"pic.Tif", "tiff", 0},    {"pic.bmp", "bmp", 0},
    };
    for (const auto& c : cases) {
        EXPECT_TRUE(F_SaveClipBmpAs(path(c.name), *clip)) << c.name;
        QImageReader reader(path(c.name));
        EXPECT_EQ(reader.format(), QByteArray(c.format)) << c.name;
        const QImage written = reader.read();
        ASSERT_EQ(written.size(), QSize(40, 30)) << c.name;
        EXPECT_LE(meanDistance(written, expected()), c.maxDistance) << c.name;
    }
    EXPECT_TRUE(messages.shown().empty());
}

TEST_F(SaveClipBitmap, RefusalsSayWhyAndWriteNothing)
{
    const struct
    {
        const char* name;
        bool bitmapOnClipboard;
        const char* message;
    } cases[] = {
        {"pic.tiff", true, "Unknown File Extention"},
        {"pic.emf", true, "Unknown File Extention"},
        {"pic", true, "Unknown File Extention"},
        {"pic.tiff", false, "Unknown File Extention"}, // the extension is looked at first
        {"pic.png", false, "Failed to get hBmp"},
    };
    for (const auto& c : cases) {
        messages.clear();
        if (c.bitmapOnClipboard)
            putBitmapWithTransparentHalf();
        else
            m_host->put(host::render::ClipContent{.text = QStringLiteral("only text")});
        EXPECT_FALSE(F_SaveClipBmpAs(path(c.name), *clip)) << c.name;
        EXPECT_EQ(messages.shown(), std::vector<platform::Message>{plain(c.message)}) << c.name;
        EXPECT_FALSE(QFile::exists(path(c.name))) << c.name;
    }
}

TEST_F(SaveClipBitmap, AFileThatCannotBeWrittenAnswersFalseWithoutAMessage)
{
    putBitmapWithTransparentHalf();
    EXPECT_FALSE(F_SaveClipBmpAs(path("no such folder/pic.jpg"), *clip));
    EXPECT_TRUE(messages.shown().empty());
}

} // namespace
