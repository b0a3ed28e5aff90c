#pragma once

#include "host/xl/application.h"
#include "main/engine/trimming_state.h"
#include "main/settings/setting.h"
#include "main/trimming_dialog/frm_trimming.h"
#include "main/trimming_dialog/trimming_preview.h"
#include "platform/message_box.h"
#include "platform/settings_store.h"

#include <QApplication>
#include <QImage>
#include <QMouseEvent>
#include <QPainter>
#include <QTemporaryDir>
#include <QTest>

#include <gtest/gtest.h>

#include <memory>

namespace trimming_test {

inline QString q(const char* text)
{
    return QString::fromUtf8(text);
}

// A 400 × 200 pixel picture standing for 300 × 150 points: left half red, right half blue.
inline QImage halves(int w = 400, int h = 200)
{
    QImage image(w, h, QImage::Format_RGB32);
    image.fill(Qt::red);
    QPainter painter(&image);
    painter.fillRect(w / 2, 0, w - w / 2, h, Qt::blue);
    return image;
}

// A trimming dialog over a settings object of its own, with message boxes scripted.
class DialogTest : public ::testing::Test
{
protected:
    DialogTest()
        : m_store(std::make_unique<platform::SettingsStore>(m_dir.path())),
          m_setting(std::make_unique<picrows::c_Setting>(*m_store, host::ObjectRef())),
          m_messagesInPlace(messages)
    {
        m_setting->Rotate_ApiMode = true;
        m_setting->Rotate_BackColor = 16777215;
    }

    picrows::TrimmingDialogContext context()
    {
        picrows::TrimmingDialogContext c;
        c.app = hostApp;
        c.setting = m_setting.get();
        c.store = m_store.get();
        return c;
    }

    // Opens a dialog on `picture` (points: 0.75 a pixel) and shows it, not modally.
    picrows::frmTrimming& open(double aspect, bool retrimming = false,
                               const QImage& picture = halves())
    {
        state.dblAspect = aspect;
        dialog = std::make_unique<picrows::frmTrimming>(state, contextFor());
        dialog->LoadSet(picture, QSizeF(picture.size()) * 0.75, retrimming);
        dialog->show();
        EXPECT_TRUE(QTest::qWaitForWindowExposed(dialog.get()));
        return *dialog;
    }

    picrows::TrimmingPreview& preview() { return *dialog->picMain(); }
    double tpp() { return preview().twipsPerPixel(); }

    // The widget's pixel at twips of the preview.
    QPoint pixelAt(QPointF twips) { return (twips / tpp()).toPoint(); }

    // A left-button drag on the preview from `from` by `by` pixels, in one move.
    void drag(QPoint from, QPoint by)
    {
        send(QEvent::MouseButtonPress, from, Qt::LeftButton);
        send(QEvent::MouseMove, from + by, Qt::LeftButton);
        send(QEvent::MouseButtonRelease, from + by, Qt::NoButton);
    }
    void send(QEvent::Type type, QPoint at, Qt::MouseButtons held)
    {
        QMouseEvent event(type, QPointF(at), preview().mapToGlobal(QPointF(at)),
                          type == QEvent::MouseMove ? Qt::NoButton : Qt::LeftButton, held,
                          Qt::NoModifier);
        QApplication::sendEvent(&preview(), &event);
    }

    virtual picrows::TrimmingDialogContext contextFor() { return context(); }

    xl::Application hostApp; // none unless a test gives its dialogs a host
    QTemporaryDir m_dir;
    std::unique_ptr<platform::SettingsStore> m_store;
    std::unique_ptr<picrows::c_Setting> m_setting;
    platform::ScriptedMessages messages;
    picrows::TrimmingState state;
    std::unique_ptr<picrows::frmTrimming> dialog;

private:
    platform::ScopedMessageService m_messagesInPlace;
};

} // namespace trimming_test
