#pragma once

#include "host/render/clipboard.h"
#include "main/engine/picture_list.h"
#include "main/insert_dialog/file_properties.h"
#include "main/insert_dialog/frm_get.h"
#include "main/insert_dialog/host_window_state.h"
#include "main/insert_dialog/open_files_dialog.h"
#include "main/settings/setting.h"
#include "main/startup/startup_context.h"
#include "platform/clipboard.h"
#include "platform/event_pump.h"
#include "platform/key_state.h"
#include "platform/message_box.h"
#include "platform/settings_store.h"
#include "platform/shell.h"
#include "tests/host/objects/objects_support.h"

#include <QApplication>
#include <QImage>
#include <QTemporaryDir>

#include <functional>
#include <memory>
#include <optional>

namespace dialog_test {

using objects_test::q;

inline const QString kTitle = QStringLiteral("ピクロウアドイン");

inline platform::Message message(const QString& text, platform::MsgButtons buttons,
                                 platform::MsgIcon icon)
{
    return {text, buttons, icon, kTitle};
}

// Runs a step each time a loop lets pending events run, the way user input arrives then.
class StepPump : public platform::EventPump
{
public:
    void run() override
    {
        ++calls;
        if (step)
            step();
        QCoreApplication::processEvents();
    }
    std::function<void()> step;
    int calls = 0;
};

// An in-process host with the workbook "Book1", the start-up context filled for it (settings
// in a folder of the test's own), and every service of the dialog scripted.
class DialogTest : public objects_test::HostTest
{
protected:
    DialogTest();
    ~DialogTest() override;

    picrows::c_Setting& setting() { return *picrows::startupContext().gobjSetting; }
    platform::SettingsStore& store() { return *picrows::startupContext().store; }

    // A new dialog over the start-up context, shown.
    std::unique_ptr<picrows::frmGet> openDialog();

    // A picture file of its own colour in the test's folder (`dir/name`).
    QString picture(const QString& name, QSize size = {40, 30}, const char* format = nullptr);
    QString textFile(const QString& name);

    // The named control of the dialog.
    template <class T> static T* control(const QWidget& dialog, const QString& name)
    {
        T* widget = dialog.findChild<T*>(name);
        EXPECT_NE(widget, nullptr) << name.toStdString();
        return widget;
    }

    // Cells big enough for every test of exclusion by size, unlocked.
    void roomyCells(const char* address);

    QTemporaryDir dir;
    platform::ScriptedMessages messages;
    platform::ScriptedKeys keys;
    StepPump pump;
    picrows::ScriptedOpenFiles openFiles;
    picrows::ScriptedHostWindow hostWindow;
    picrows::RecordingFileProperties properties;
    platform::RecordingShell shell;

private:
    platform::ScopedMessageService m_messagesInPlace;
    platform::ScopedKeyState m_keysInPlace;
    platform::ScopedEventPump m_pumpInPlace;
    picrows::ScopedOpenFilesDialog m_openFilesInPlace;
    picrows::ScopedHostWindowState m_hostWindowInPlace;
    picrows::ScopedFileProperties m_propertiesInPlace;
    platform::ScopedShell m_shellInPlace;
    std::unique_ptr<platform::Clipboard> m_clipboard;
    std::optional<platform::ScopedClipboard> m_clipboardInPlace;
};

} // namespace dialog_test
