#include "host_app/add_ins/add_in_loader.h"

#include "host/automation/host_error.h"
#include "host/objects/application.h"
#include "host/objects/com_addins.h"
#include "platform/message_box.h"

#include <QPluginLoader>

#include <exception>

namespace host_app {

namespace {

QString nameOf(const AddInEntry& entry)
{
    return entry.friendlyName.isEmpty() ? entry.progId : entry.friendlyName;
}

} // namespace

AddInLoader::AddInLoader(host::objects::Application& app) : m_app(app) {}

AddInLoader::~AddInLoader()
{
    disconnectAll(host::RemoveMode::HostShutdown);
    for (const auto& loaded : m_addIns)
        if (const auto record = loaded->record.lock())
            record->setConnectHandler({});
}

void AddInLoader::load(const std::vector<AddInEntry>& entries)
{
    for (const AddInEntry& entry : entries) {
        auto loaded = std::make_unique<Loaded>();
        loaded->entry = entry;
        const auto record =
            m_app.comAddIns().registerAddIn(entry.progId, entry.description, nullptr, false);
        record->setConnectHandler(
            [this](host::objects::ComAddIn& r, bool connect) { onConnectAssigned(r, connect); });
        loaded->record = record;
        m_addIns.push_back(std::move(loaded));
        if (entry.loadBehavior == 3)
            connect(*m_addIns.back(), host::ConnectMode::Startup);
    }
}

void AddInLoader::disconnectAll(host::RemoveMode mode)
{
    // Last connected, first let go: an add-in may call on one connected before it.
    for (auto it = m_addIns.rbegin(); it != m_addIns.rend(); ++it)
        if ((*it)->instance)
            disconnect(**it, mode);
}

std::shared_ptr<host::ComAddInInstance> AddInLoader::instance(const QString& progId) const
{
    for (const auto& loaded : m_addIns)
        if (loaded->entry.progId.compare(progId, Qt::CaseInsensitive) == 0)
            return loaded->instance;
    return nullptr;
}

void AddInLoader::connect(Loaded& loaded, host::ConnectMode mode)
{
    const auto record = loaded.record.lock();
    if (!record || loaded.instance)
        return;
    QPluginLoader library(loaded.entry.library);
    QObject* root = library.instance();
    auto* plugin = root ? qobject_cast<host::ComAddInPlugin*>(root) : nullptr;
    std::shared_ptr<host::ComAddInInstance> instance =
        plugin ? plugin->createInstance(loaded.entry.progId) : nullptr;
    if (!instance) {
        const QString why = !root ? library.errorString()
                            : !plugin ? QStringLiteral("Picrows のアドインではありません。")
                                      : QStringLiteral("ProgID '") + loaded.entry.progId +
                                            QStringLiteral("' はこのライブラリにありません。");
        report(QStringLiteral("アドイン '") + nameOf(loaded.entry) +
               QStringLiteral("' を読み込めませんでした。\r\n") + why);
        return;
    }

    record->setObject(nullptr);
    record->setConnected(true);
    record->setConnecting(true);
    std::vector<host::Variant> custom;
    QString failure;
    try {
        instance->OnConnection(m_app.shared_from_this(), mode, record, custom);
    } catch (const host::HostError& e) {
        failure = QString::number(e.number()) + QStringLiteral(": ") + e.description();
    } catch (const std::exception& e) {
        failure = QString::fromLocal8Bit(e.what());
    }
    record->setConnecting(false);
    if (failure.isEmpty() && record->connected()) {
        loaded.instance = std::move(instance);
        if (m_watch)
            m_watch(loaded.entry.progId, loaded.instance, record->object(), true);
        return;
    }
    // Refused or failed: the add-in is listed, not connected, and publishes nothing.
    record->setConnected(false);
    record->setObject(nullptr);
    if (!failure.isEmpty())
        report(QStringLiteral("アドイン '") + nameOf(loaded.entry) +
               QStringLiteral("' の接続中にエラーが発生しました。\r\n") + failure);
}

void AddInLoader::disconnect(Loaded& loaded, host::RemoveMode mode)
{
    if (loaded.instance && m_watch)
        m_watch(loaded.entry.progId, loaded.instance, nullptr, false);
    const auto instance = std::move(loaded.instance);
    loaded.instance.reset();
    if (const auto record = loaded.record.lock()) {
        record->setConnected(false);
        record->setObject(nullptr);
    }
    if (!instance)
        return;
    std::vector<host::Variant> custom;
    try {
        instance->OnDisconnection(mode, custom);
    } catch (const host::HostError& e) {
        report(QStringLiteral("アドイン '") + nameOf(loaded.entry) +
               QStringLiteral("' の切断中にエラーが発生しました。\r\n") +
               QString::number(e.number()) + QStringLiteral(": ") + e.description());
    } catch (const std::exception& e) {
        report(QStringLiteral("アドイン '") + nameOf(loaded.entry) +
               QStringLiteral("' の切断中にエラーが発生しました。\r\n") +
               QString::fromLocal8Bit(e.what()));
    }
}

void AddInLoader::onConnectAssigned(host::objects::ComAddIn& record, bool connect)
{
    Loaded* loaded = find(record);
    if (!loaded)
        return;
    if (connect)
        this->connect(*loaded, host::ConnectMode::AfterStartup);
    else
        disconnect(*loaded, host::RemoveMode::UserClosed);
}

AddInLoader::Loaded* AddInLoader::find(const host::objects::ComAddIn& record)
{
    for (const auto& loaded : m_addIns)
        if (loaded->record.lock().get() == &record)
            return loaded.get();
    return nullptr;
}

void AddInLoader::report(const QString& text) const
{
    platform::showMessage(text, platform::MsgButtons::OK, platform::MsgIcon::Critical,
                          m_app.caption());
}

} // namespace host_app
