#pragma once

#include "host/model/workbook.h"
#include "host/objects/host.h"
#include "host/xl/xl.h"
#include "macro_workbook/macro_workbook.h"
#include "main/settings/setting.h"
#include "main/startup/startup_context.h"
#include "platform/message_box.h"
#include "platform/settings_store.h"
#include "platform/shell.h"
#include "tests/host/objects/objects_support.h"

#include <QDir>
#include <QFile>
#include <QTemporaryDir>

#include <gtest/gtest.h>

#include <memory>

namespace dialogs_test {

using objects_test::q;

inline platform::Message message(const QString& text, platform::MsgIcon icon,
                                 platform::MsgButtons buttons = platform::MsgButtons::OK)
{
    return {text, buttons, icon, QStringLiteral("ピクロウアドイン")};
}

// An in-process host with a workbook "Book1" of three sheets attached as the start-up
// context's, a settings store of its own, scripted message boxes and folder picker, and a home
// folder of its own (the default template folder lies under it).
class DialogTest : public ::testing::Test
{
protected:
    DialogTest() : m_messagesInPlace(messages), m_shellInPlace(shell)
    {
        m_oldHome = qgetenv("HOME");
        m_oldConfig = qgetenv("XDG_CONFIG_HOME");
        qputenv("HOME", m_dir.filePath(q("home")).toUtf8());
        qputenv("XDG_CONFIG_HOME", m_dir.filePath(q("home/.config")).toUtf8());
        QDir().mkpath(m_dir.filePath(q("home/.config")));
        // The default template folder exists, as it does once a template has been saved.
        QDir().mkpath(m_dir.filePath(q("home/Documents/ピクロウアドイン")));

        // The suite's macro workbook, as the host application provides it.
        m_host.registerAddInWorkbook(picrows::macroWorkbook());
        m_host.adoptWorkbook(objects_test::bookWithSheets({"Sheet1", "Sheet2", "Sheet3"}),
                             q("Book1"));
        context().clear();
        context().gobjXlApp = app;
        openSettings();
    }
    ~DialogTest() override
    {
        context().clear();
        qputenv("HOME", m_oldHome);
        qputenv("XDG_CONFIG_HOME", m_oldConfig);
    }

    static picrows::StartupContext& context() { return picrows::startupContext(); }
    static picrows::c_Setting& setting() { return *context().gobjSetting; }

    QString configFolder() const { return m_dir.filePath(q("config")); }
    // A folder that exists, under the test's own folder.
    QString folder(const char* name) const
    {
        const QString path = m_dir.filePath(q(name));
        QDir().mkpath(path);
        return path;
    }

    // The settings as a new process would load them from the store's file.
    void openSettings()
    {
        context().gobjSetting.reset();
        context().store = std::make_unique<platform::SettingsStore>(configFolder());
        context().gobjSetting = std::make_unique<picrows::c_Setting>(*context().store, app.ref());
    }
    // Settings as on a first start: no store file.
    void forgetSettings()
    {
        context().gobjSetting.reset();
        const QString file = context().store->filePath();
        context().store.reset();
        QFile::remove(file);
        openSettings();
    }
    void saveAndReload()
    {
        setting().SaveAll();
        openSettings();
    }

    QTemporaryDir m_dir;
    host::objects::Host m_host;
    xl::Application app{m_host.application()};
    platform::ScriptedMessages messages;
    platform::RecordingShell shell;

private:
    platform::ScopedMessageService m_messagesInPlace;
    platform::ScopedShell m_shellInPlace;
    QByteArray m_oldHome;
    QByteArray m_oldConfig;
};

} // namespace dialogs_test
