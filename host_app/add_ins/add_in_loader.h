#pragma once

#include "host/automation/com_add_in.h"
#include "host_app/add_ins/add_in_list.h"

#include <functional>
#include <memory>
#include <vector>

class QPluginLoader;

namespace host::objects {
class Application;
class ComAddIn;
} // namespace host::objects

namespace host_app {

// Loads the user's add-ins into a host: lists each in Application.COMAddIns, connects those
// with load behaviour 3, and connects or disconnects one when its Connect is assigned. A
// library that does not load, an add-in that throws while connecting, or one that refuses is
// left listed with Connect = False; errors (not refusals) are reported in a message box with
// the host's caption as title, and the host goes on.
class AddInLoader
{
public:
    explicit AddInLoader(host::objects::Application& app);
    // Disconnects what is still connected, as the host does when it shuts down.
    ~AddInLoader();
    AddInLoader(const AddInLoader&) = delete;
    AddInLoader& operator=(const AddInLoader&) = delete;

    void load(const std::vector<AddInEntry>& entries);
    void disconnectAll(host::RemoveMode mode);

    // The connected instance of a ProgID; none when it is not connected.
    std::shared_ptr<host::ComAddInInstance> instance(const QString& progId) const;

    // Told after an add-in has connected and before it is told to disconnect, so that what
    // shows its user interface (the ribbon) follows connections made after start-up.
    using ConnectionWatch =
        std::function<void(const QString& progId, const std::shared_ptr<host::ComAddInInstance>&,
                           const host::ObjectRef& object, bool connected)>;
    void setConnectionWatch(ConnectionWatch watch) { m_watch = std::move(watch); }

private:
    struct Loaded
    {
        AddInEntry entry;
        std::weak_ptr<host::objects::ComAddIn> record;
        std::shared_ptr<host::ComAddInInstance> instance;
    };

    void connect(Loaded& loaded, host::ConnectMode mode);
    void disconnect(Loaded& loaded, host::RemoveMode mode);
    void onConnectAssigned(host::objects::ComAddIn& record, bool connect);
    Loaded* find(const host::objects::ComAddIn& record);
    void report(const QString& text) const;

    host::objects::Application& m_app;
    std::vector<std::unique_ptr<Loaded>> m_addIns;
    ConnectionWatch m_watch;
};

} // namespace host_app
