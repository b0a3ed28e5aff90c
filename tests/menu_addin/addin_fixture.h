#pragma once

#include "host/automation/host_error.h"
#include "host/objects/application.h"
#include "host/objects/com_addins.h"
#include "host/objects/command_bar_control.h"
#include "host/objects/command_bars.h"
#include "host/objects/host.h"
#include "host/xl/xl.h"
#include "menu_addin/addin_setting.h"
#include "menu_addin/button_face.h"
#include "menu_addin/command_buttons.h"
#include "menu_addin/connect.h"
#include "menu_addin/launcher.h"
#include "platform/key_state.h"
#include "platform/message_box.h"
#include "platform/settings_store.h"

#include <QFile>
#include <QTemporaryDir>

#include <gtest/gtest.h>

#include <memory>
#include <ostream>

inline void PrintTo(const QString& text, std::ostream* os)
{
    *os << '"' << text.toStdString() << '"';
}

namespace menu_addin_test {

inline QString q(const char* text)
{
    return QString::fromUtf8(text);
}

// The host's own control behind an automation reference (its face is no automation member).
inline const host::objects::CommandBarControl& model(const xl::Object& control)
{
    return *std::dynamic_pointer_cast<host::objects::CommandBarControl>(control.ref());
}

// What the launcher started: the program and its one argument.
struct Started
{
    QString program;
    QString argument;
};

// A host of the given version with the menu add-in's record listed, the add-in's folder holding
// a main program, and every desktop service scripted: messages, keys, process start, beeps.
class AddinTest : public ::testing::Test
{
protected:
    AddinTest() : messageScope(messages), keyScope(keys)
    {
        menu_addin::setSettingFolder(dir.path());
        menu_addin::setAddinFolder(dir.path());
        QFile program(dir.filePath(menu_addin::kMainProgramFile));
        program.open(QIODevice::WriteOnly);
        menu_addin::exchangeProcessStarter([this](const QString& p, const QString& a) {
            started.push_back({p, a});
            return true;
        });
        menu_addin::exchangeBeeper([this] { ++beeps; });
    }
    ~AddinTest() override
    {
        if (connect)
            disconnect();
        menu_addin::exchangeProcessStarter({});
        menu_addin::exchangeBeeper({});
        menu_addin::setSettingFolder({});
        menu_addin::setAddinFolder({});
    }

    void makeHost(const QString& version)
    {
        host::objects::HostOptions options;
        options.version = version;
        host = std::make_unique<host::objects::Host>(std::move(options));
        app = xl::Application(host->application());
        record = host->app().comAddIns().registerAddIn(q("TORVA_Picrows.Connect"),
                                                       q("ピクロウアドイン"), nullptr);
    }

    // Connects a new instance as the host does at start-up.
    void connectAddin(const QString& version = QStringLiteral("11.0"))
    {
        if (!host)
            makeHost(version);
        connect = std::make_shared<menu_addin::Connect>();
        std::vector<host::Variant> custom;
        connect->OnConnection(host->application(), host::ConnectMode::Startup, record, custom);
    }
    void disconnect()
    {
        std::vector<host::Variant> custom;
        connect->OnDisconnection(host::RemoveMode::UserClosed, custom);
    }

    void setSetting(const char* key, const char* value)
    {
        platform::SettingsStore store(dir.path());
        store.setValue(q("setting"), q(key), q(value));
        store.save();
    }

    // A workbook to act on, saved under a path with blanks.
    QString openBook()
    {
        app.Workbooks().Add();
        const QString path = dir.filePath(q("my album.xlsx"));
        app.ActiveWorkbook().SaveAs(path);
        return path;
    }

    xl::Object findByTag(const char* tag) const
    {
        host::Args args;
        args.add(q("Tag"), host::Variant(q(tag)));
        return xl::Object(app.CommandBars().call(q("FindControl"), args));
    }
    xl::Object bar(const char* name) const
    {
        return xl::Object(app.CommandBars().get(QString(), {host::Variant(q(name))}));
    }
    static std::vector<xl::Object> controlsOf(const xl::Object& barOrPopup)
    {
        std::vector<xl::Object> out;
        for (const host::Variant& v :
             host::deref(barOrPopup.get(q("Controls")).toObject()).enumerate())
            out.emplace_back(v);
        return out;
    }
    std::vector<QString> startedWords() const
    {
        std::vector<QString> words;
        for (const Started& s : started)
            words.push_back(s.argument.section(u'\t', 2));
        return words;
    }

    QTemporaryDir dir;
    platform::ScriptedMessages messages;
    platform::ScopedMessageService messageScope;
    platform::ScriptedKeys keys;
    platform::ScopedKeyState keyScope;
    std::vector<Started> started;
    int beeps = 0;
    std::unique_ptr<host::objects::Host> host;
    xl::Application app;
    std::shared_ptr<host::objects::ComAddIn> record;
    std::shared_ptr<menu_addin::Connect> connect;
};

} // namespace menu_addin_test
