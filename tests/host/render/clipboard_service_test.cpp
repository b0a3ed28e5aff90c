// The host's clipboard as the platform clipboard reads it: the desktop's formats under the
// MIME types every program of the suite reads, and the in-process service the batch command
// offers, which renders a pending copy of shapes only when one of its pictures is read.
#include "host/render/clipboard_service.h"

#include "host/objects/application.h"
#include "host/render/clipboard.h"
#include "platform/clipboard.h"
#include "tests/host/objects/objects_support.h"
#include "tests/host/render/render_support.h"

#include <QClipboard>
#include <QGuiApplication>
#include <QMimeData>

#include <gtest/gtest.h>

using namespace host;
using namespace objects_test;
using imaging_test::maxDistance;
namespace mime = platform::clip_mime;

namespace {

render::ClipContent cellsCopy()
{
    render::ClipContent content;
    content.bitmap = imaging_test::quadrants(60, 40);
    content.emf = "EMF of the cells";
    content.text = QStringLiteral("1\t2\n");
    content.cells = true;
    content.points = QSizeF(46, 31);
    content.margin = 0.5;
    return content;
}

// What the suite reads of a copy, whichever clipboard it reads it from.
void expectReads(const platform::Clipboard& clipboard, const render::ClipContent& put)
{
    EXPECT_TRUE(clipboard.hasImage());
    EXPECT_EQ(maxDistance(clipboard.image(), put.bitmap), 0);
    EXPECT_EQ(clipboard.data(mime::kEnhMetafile), put.emf);
    EXPECT_EQ(clipboard.text(), put.text);
    const auto note = clipboard.copyNote();
    ASSERT_TRUE(note);
    EXPECT_EQ(note->points, put.points);
    EXPECT_EQ(note->margin, put.margin);
    EXPECT_EQ(note->cells, put.cells);
}

TEST(ClipboardAcrossTheSeam, WhatTheHostCopiesToTheDesktopThePlatformClipboardReads)
{
    QGuiApplication::clipboard()->clear();
    const auto host = render::makeDefaultClipboard();
    const auto desktop = platform::makeDesktopClipboard();
    host->put(cellsCopy());
    expectReads(*desktop, cellsCopy());

    // And what the suite puts there, the host pastes: a bitmap at the size its note states.
    auto data = std::make_unique<QMimeData>();
    data->setImageData(imaging_test::quadrants(30, 20));
    data->setData(mime::kHostCopy, platform::CopyNote{QSizeF(15, 10), 0, false}.toJson());
    desktop->setMimeData(std::move(data));
    const auto pasted = host->content();
    ASSERT_TRUE(pasted);
    EXPECT_EQ(maxDistance(pasted->bitmap, imaging_test::quadrants(30, 20)), 0);
    EXPECT_EQ(pasted->points, QSizeF(15, 10));
    QGuiApplication::clipboard()->clear();
}

TEST(ClipboardAcrossTheSeam, TheServiceOverTheHostsClipboardReadsAndWritesIt)
{
    const auto host = render::makeProcessClipboard();
    const auto service = render::clipboardService(host);
    EXPECT_TRUE(service->formats().isEmpty());
    host->put(cellsCopy());
    expectReads(*service, cellsCopy());

    service->clear();
    EXPECT_FALSE(host->content());
    auto data = std::make_unique<QMimeData>();
    data->setImageData(imaging_test::quadrants(8, 8));
    service->setMimeData(std::move(data));
    ASSERT_TRUE(host->content());
    // As the image states its resolution: Qt's default is 96 dpi, rounded to whole dots a metre.
    EXPECT_NEAR(host->content()->points.width(), 6, 0.01);
    EXPECT_NEAR(host->content()->points.height(), 6, 0.01);
    service->setMimeData(std::make_unique<QMimeData>());
    EXPECT_FALSE(host->content());
}

class PendingCopy : public HostTest
{
protected:
    PendingCopy()
    {
        m_host.app().options().clipboard = render::makeProcessClipboard();
        modelSheet().drawing.shapes.push_back(render_test::pictureShape(
            1, imaging_test::photoLike(300, 200), QRectF(40, 30, 150, 90)));
        modelSheet().drawing.nextId = 2;
    }
};

TEST_F(PendingCopy, IsRenderedOnlyWhenOneOfItsPicturesIsRead)
{
    const auto service = render::clipboardService(m_host.clipboard());
    sheet().Shapes().Item(1).Copy();
    ASSERT_TRUE(m_host.clipboard()->pasteSource()->pending);

    // What is there, and the note, are told without rendering.
    EXPECT_TRUE(service->hasImage());
    EXPECT_TRUE(service->hasFormat(mime::kEnhMetafile));
    const auto note = service->copyNote();
    ASSERT_TRUE(note);
    EXPECT_FALSE(note->cells);
    EXPECT_GT(note->points.width(), 150);
    EXPECT_TRUE(m_host.clipboard()->pasteSource()->pending);

    const QImage image = service->image();
    EXPECT_FALSE(image.isNull());
    EXPECT_FALSE(m_host.clipboard()->pasteSource()->pending);
    EXPECT_FALSE(service->data(mime::kEnhMetafile).isEmpty());
}

} // namespace
