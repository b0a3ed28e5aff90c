#pragma once

#include "host/render/clipboard.h"
#include "main/engine/run_paste.h"
#include "platform/message_box.h"
#include "tests/host/objects/shape_test_support.h"

#include <QImage>
#include <QPainter>

namespace engine_test {

using namespace objects_test;

// A host on version 12 (no unlinking re-paste at insertion) with a clipboard of its own,
// scripted message boxes and a 75 × 75 point target at B2.
class EngineTest : public ShapeTest
{
protected:
    EngineTest() : m_messagesInPlace(messages)
    {
        m_host.options().clipboard = host::render::makeProcessClipboard();
        setVersion("12.0");
        range("B2").setColumnWidth(13.57); // 100 pixels
        range("B2").setRowHeight(75);
        run.app = app;
    }

    void setVersion(const char* version) { m_host.options().version = q(version); }

    // A picture file of w × h pixels (96 dpi: 0.75 point a pixel), its left half red and its
    // right half blue, its top quarter with a green band, so that crops show.
    QString pictureFile(int w, int h, const char* name = "pic.png", const char* format = "png")
    {
        QImage image(w, h, QImage::Format_RGB32);
        image.fill(Qt::red);
        QPainter painter(&image);
        painter.fillRect(w / 2, 0, w - w / 2, h, Qt::blue);
        painter.fillRect(0, 0, w, h / 4, Qt::green);
        painter.end();
        return writeImage(image, q(name), format);
    }

    platform::ScriptedMessages messages;
    picrows::PasteRun run;

private:
    platform::ScopedMessageService m_messagesInPlace;
};

} // namespace engine_test
