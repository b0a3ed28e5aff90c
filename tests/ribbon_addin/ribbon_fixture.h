#pragma once

#include "host/automation/host_error.h"
#include "host/automation/picture_disp.h"
#include "host/objects/application.h"
#include "host/objects/com_addins.h"
#include "host/objects/command_bars.h"
#include "host/objects/host.h"
#include "host/xl/xl.h"
#include "menu_addin/addin_setting.h"
#include "menu_addin/connect.h"
#include "menu_addin/launcher.h"
#include "platform/message_box.h"
#include "platform/settings_store.h"
#include "ribbon_addin/connect2.h"
#include "ribbon_addin/os_code.h"

#include <QFile>
#include <QImage>
#include <QTemporaryDir>

#include <gtest/gtest.h>

#include <memory>
#include <ostream>

inline void PrintTo(const QString& text, std::ostream* os)
{
    *os << '"' << text.toStdString() << '"';
}

namespace ribbon_test {

inline QString q(const char* text)
{
    return QString::fromUtf8(text);
}

inline const char* const kPrefix = "TORVA_PICROW_TAB_";

// A ribbon control as the host hands it to a callback.
class FakeControl : public host::TableDispatch<FakeControl>
{
public:
    explicit FakeControl(QString id) : m_id(std::move(id)) {}
    static const host::MemberTable<FakeControl>& members()
    {
        static const host::MemberTable<FakeControl> table = [] {
            host::MemberTable<FakeControl> t;
            t.prop(QStringLiteral("Id"), [](FakeControl& c) { return host::Variant(c.m_id); });
            t.prop(QStringLiteral("Tag"), [](FakeControl&) { return host::Variant(QString()); });
            return t;
        }();
        return table;
    }
    QString className() const override { return QStringLiteral("IRibbonControl"); }

private:
    QString m_id;
};

// The ribbon object handed to onLoad: counts its invalidations.
class CountingRibbon : public host::TableDispatch<CountingRibbon>
{
public:
    static const host::MemberTable<CountingRibbon>& members()
    {
        static const host::MemberTable<CountingRibbon> table = [] {
            host::MemberTable<CountingRibbon> t;
            t.member(QStringLiteral("Invalidate"), {}, 0,
                     [](CountingRibbon& r, const host::BoundArgs&) {
                         ++r.invalidated;
                         return host::Variant();
                     });
            return t;
        }();
        return table;
    }
    QString className() const override { return QStringLiteral("IRibbonUI"); }
    int invalidated = 0;
};

inline host::ObjectRef control(const QString& id)
{
    return std::make_shared<FakeControl>(id);
}
inline host::ObjectRef suiteControl(const char* shortId)
{
    return control(QLatin1String(kPrefix) + QLatin1String(shortId));
}

inline QImage imageOf(const host::ObjectRef& picture)
{
    const auto disp = host::pictureOf(picture);
    if (!disp)
        return {};
    return QImage::fromData(disp->png(), "PNG").convertToFormat(QImage::Format_ARGB32);
}

inline platform::Message titled(const QString& text,
                                platform::MsgIcon icon = platform::MsgIcon::None)
{
    return {text, platform::MsgButtons::OK, icon, q("ピクロウアドイン For 2007")};
}

// A host of the given version with both add-ins' records listed; the menu add-in connected
// (its launcher scripted) unless a test says otherwise, then the ribbon add-in.
class RibbonTest : public ::testing::Test
{
protected:
    RibbonTest() : messageScope(messages)
    {
        menu_addin::setSettingFolder(dir.path());
        menu_addin::setAddinFolder(dir.path());
        QFile program(dir.filePath(menu_addin::kMainProgramFile));
        program.open(QIODevice::WriteOnly);
        menu_addin::exchangeProcessStarter([this](const QString&, const QString& argument) {
            words.push_back(argument.section(u'\t', 2));
            return true;
        });
    }
    ~RibbonTest() override
    {
        std::vector<host::Variant> custom;
        if (ribbon)
            ribbon->OnDisconnection(host::RemoveMode::HostShutdown, custom);
        if (menu)
            menu->OnDisconnection(host::RemoveMode::HostShutdown, custom);
        ribbon_addin::exchangeOsProbe({});
        menu_addin::exchangeProcessStarter({});
        menu_addin::setSettingFolder({});
        menu_addin::setAddinFolder({});
    }

    void makeHost(const char* version, bool listMenu = true, bool connectMenu = true)
    {
        host::objects::HostOptions options;
        options.version = q(version);
        host = std::make_unique<host::objects::Host>(std::move(options));
        app = xl::Application(host->application());
        std::vector<host::Variant> custom;
        if (listMenu) {
            menuRecord = host->app().comAddIns().registerAddIn(q("TORVA_Picrows.Connect"),
                                                               q("ピクロウアドイン"), nullptr);
            if (connectMenu) {
                menu = std::make_shared<menu_addin::Connect>();
                menu->OnConnection(host->application(), host::ConnectMode::Startup, menuRecord,
                                   custom);
            } else {
                menuRecord->setConnected(false);
            }
        }
        ribbonRecord = host->app().comAddIns().registerAddIn(q("TORVA_PicrowsFor2007.Connect2"),
                                                             q("ｻﾝﾌﾟﾙ ｱﾄﾞｲﾝ ﾌﾟﾛｼﾞｪｸﾄ"), nullptr);
        ribbon = std::make_shared<ribbon_addin::Connect2>();
        ribbon->OnConnection(host->application(), host::ConnectMode::Startup, ribbonRecord, custom);
    }

    void setSetting(const char* key, const char* value)
    {
        platform::SettingsStore store(dir.path());
        store.setValue(q("setting"), q(key), q(value));
        store.save();
    }

    QString openBook()
    {
        app.Workbooks().Add();
        const QString path = dir.filePath(q("album.xlsx"));
        app.ActiveWorkbook().SaveAs(path);
        return path;
    }

    QTemporaryDir dir;
    platform::ScriptedMessages messages;
    platform::ScopedMessageService messageScope;
    std::vector<QString> words; // the command words the launcher started
    std::unique_ptr<host::objects::Host> host;
    xl::Application app;
    std::shared_ptr<host::objects::ComAddIn> menuRecord;
    std::shared_ptr<host::objects::ComAddIn> ribbonRecord;
    std::shared_ptr<menu_addin::Connect> menu;
    std::shared_ptr<ribbon_addin::Connect2> ribbon;
};

} // namespace ribbon_test
