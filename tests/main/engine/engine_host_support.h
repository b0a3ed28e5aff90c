#pragma once

#include "host/render/clipboard.h"
#include "host/render/clipboard_service.h"
#include "macro_workbook/macro_workbook.h"
#include "main/engine/run_paste.h"
#include "platform/clipboard.h"
#include "platform/message_box.h"
#include "tests/host/objects/shape_test_support.h"

#include <QImage>
#include <QPainter>

#include <memory>
#include <vector>

namespace engine_test {

using namespace objects_test;

// A host on version 12 (no unlinking re-paste at insertion) with a clipboard of its own and the
// suite's macro workbook (as the batch command provides it), scripted message boxes and a
// 75 × 75 point target at B2.
class EngineTest : public ShapeTest
{
protected:
    EngineTest() : m_messagesInPlace(messages)
    {
        m_host.options().clipboard = host::render::makeProcessClipboard();
        m_host.registerAddInWorkbook(picrows::macroWorkbook());
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

    // The host's clipboard as the platform's clipboard service, wired as the batch command
    // wires it; a test that gives the host another clipboard gets a service over that one.
    platform::Clipboard& clipboard()
    {
        const auto& current = m_host.options().clipboard;
        if (m_services.empty() || m_serviceHosts.back() != current) {
            m_serviceHosts.push_back(current);
            m_services.push_back(host::render::clipboardService(current));
        }
        return *m_services.back();
    }
    host::render::HostClipboard& hostClipboard() { return *m_host.options().clipboard; }

    platform::ScriptedMessages messages;
    picrows::PasteRun run;

private:
    platform::ScopedMessageService m_messagesInPlace;
    // Kept while the test runs: a run may hold the service it was given.
    std::vector<std::shared_ptr<host::render::HostClipboard>> m_serviceHosts;
    std::vector<std::unique_ptr<platform::Clipboard>> m_services;
};

} // namespace engine_test
